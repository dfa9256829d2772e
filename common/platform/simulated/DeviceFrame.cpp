#include "common/platform/simulated/DeviceFrame.h"

namespace kavo9 {

uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteLe32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

std::vector<uint8_t> EncodeRequest(uint32_t ioctl, std::span<const uint8_t> in,
                                   std::span<const uint8_t> out) {
  std::vector<uint8_t> frame(kFrameHeaderSize + in.size() + out.size());
  WriteLe32(&frame[0], kRequestMagic);
  WriteLe32(&frame[4], ioctl);
  WriteLe32(&frame[8], static_cast<uint32_t>(in.size()));
  WriteLe32(&frame[12], static_cast<uint32_t>(out.size()));
  std::copy(in.begin(), in.end(), frame.begin() + kFrameHeaderSize);
  std::copy(out.begin(), out.end(), frame.begin() + kFrameHeaderSize + in.size());
  return frame;
}

std::vector<uint8_t> EncodeReply(const DeviceReply& reply) {
  std::vector<uint8_t> frame(kReplyHeaderSize + reply.data.size());
  WriteLe32(&frame[0], kReplyMagic);
  WriteLe32(&frame[4], reply.status);
  WriteLe32(&frame[8], static_cast<uint32_t>(reply.data.size()));
  std::copy(reply.data.begin(), reply.data.end(), frame.begin() + kReplyHeaderSize);
  return frame;
}

FrameResult DecodeRequest(std::span<const uint8_t> bytes, DeviceRequest* request,
                          size_t* consumed) {
  if (bytes.size() >= 4 && ReadLe32(bytes.data()) != kRequestMagic) return FrameResult::kMalformed;
  if (bytes.size() < kFrameHeaderSize) return FrameResult::kNeedMore;
  uint32_t inLength = ReadLe32(&bytes[8]);
  uint32_t outLength = ReadLe32(&bytes[12]);
  if (inLength > kMaxFrameInput || outLength > kMaxFrameOutput) return FrameResult::kMalformed;
  size_t total = kFrameHeaderSize + size_t(inLength) + size_t(outLength);
  if (bytes.size() < total) return FrameResult::kNeedMore;
  request->ioctl = ReadLe32(&bytes[4]);
  const uint8_t* p = bytes.data() + kFrameHeaderSize;
  request->in.assign(p, p + inLength);
  request->out.assign(p + inLength, p + inLength + outLength);
  *consumed = total;
  return FrameResult::kComplete;
}

FrameResult DecodeReply(std::span<const uint8_t> bytes, uint32_t maxData, DeviceReply* reply,
                        size_t* consumed) {
  if (bytes.size() >= 4 && ReadLe32(bytes.data()) != kReplyMagic) return FrameResult::kMalformed;
  if (bytes.size() < kReplyHeaderSize) return FrameResult::kNeedMore;
  uint32_t length = ReadLe32(&bytes[8]);
  if (length > maxData) return FrameResult::kMalformed;
  size_t total = kReplyHeaderSize + size_t(length);
  if (bytes.size() < total) return FrameResult::kNeedMore;
  reply->status = ReadLe32(&bytes[4]);
  reply->data.assign(bytes.begin() + kReplyHeaderSize, bytes.begin() + total);
  *consumed = total;
  return FrameResult::kComplete;
}

}  // namespace kavo9
