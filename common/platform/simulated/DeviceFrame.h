#pragma once
// The frames that carry one device control over a device socket of the simulated machine.
//
// Request: u32 magic "K9RQ", u32 ioctl, u32 inLength, u32 outLength, the input bytes, then the
// caller's output buffer (outLength bytes: a set's value, or a query's input such as a register
// address). Reply: u32 magic "K9RP", u32 status (0 success, else a Win32 error), u32 byte count,
// then that many bytes, which the client copies into the caller's buffer. Little-endian.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kavo9 {

inline constexpr uint32_t kRequestMagic = 0x5152394B;  // "K9RQ"
inline constexpr uint32_t kReplyMagic = 0x5052394B;    // "K9RP"
inline constexpr uint32_t kMaxFrameInput = 4096;
inline constexpr uint32_t kMaxFrameOutput = 1u << 20;
inline constexpr size_t kFrameHeaderSize = 16;
inline constexpr size_t kReplyHeaderSize = 12;

struct DeviceRequest {
  uint32_t ioctl = 0;
  std::vector<uint8_t> in;
  std::vector<uint8_t> out;  // the caller's buffer as sent; its size is the output length
};

struct DeviceReply {
  uint32_t status = 0;
  std::vector<uint8_t> data;
};

std::vector<uint8_t> EncodeRequest(uint32_t ioctl, std::span<const uint8_t> in,
                                   std::span<const uint8_t> out);
std::vector<uint8_t> EncodeReply(const DeviceReply& reply);

enum class FrameResult { kComplete, kNeedMore, kMalformed };
// Decodes a request from the bytes received so far. kNeedMore asks for more bytes; kMalformed
// means the connection should get a failure reply or be closed. `consumed` is set on kComplete.
FrameResult DecodeRequest(std::span<const uint8_t> bytes, DeviceRequest* request, size_t* consumed);
FrameResult DecodeReply(std::span<const uint8_t> bytes, uint32_t maxData, DeviceReply* reply,
                        size_t* consumed);

uint32_t ReadLe32(const uint8_t* p);
void WriteLe32(uint8_t* p, uint32_t v);

}  // namespace kavo9
