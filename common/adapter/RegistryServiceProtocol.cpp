#include "common/adapter/RegistryServiceProtocol.h"

#include <cstring>

namespace kavo9 {
namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutText(std::vector<uint8_t>& out, const std::string& text) {
  PutLe32(out, static_cast<uint32_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

// Reads the parameters of a body, each checked against what is left.
class BodyReader {
 public:
  explicit BodyReader(std::span<const uint8_t> body) : body_(body) {}
  bool Number(uint32_t* value) {
    if (body_.size() - at_ < 4) return false;
    *value = Le32(body_.data() + at_);
    at_ += 4;
    return true;
  }
  bool Text(std::string* text) {
    uint32_t length = 0;
    if (!Number(&length) || body_.size() - at_ < length) return false;
    const char* p = reinterpret_cast<const char*>(body_.data() + at_);
    if (std::memchr(p, 0, length) != nullptr) return false;  // texts end at their zero
    text->assign(p, length);
    at_ += length;
    return true;
  }
  bool AtEnd() const { return at_ == body_.size(); }

 private:
  std::span<const uint8_t> body_;
  size_t at_ = 0;
};

bool HasRootCode(const ServiceRequest& r) {
  return r.form == ServiceForm::kStation &&
         (r.procedure == kProcSetValue || r.procedure == kProcCreateKey);
}

}  // namespace

uint32_t RootCodeOf(HKEY root) {
  switch (root) {
    case HKEY_CLASSES_ROOT:
      return 1;
    case HKEY_CURRENT_USER:
      return 2;
    case HKEY_USERS:
      return 3;
    case HKEY_CURRENT_CONFIG:
      return 4;
    default:
      return 0;
  }
}

HKEY RootOfCode(uint32_t code) {
  switch (code) {
    case 0:
      return HKEY_LOCAL_MACHINE;
    case 1:
      return HKEY_CLASSES_ROOT;
    case 2:
      return HKEY_CURRENT_USER;
    case 3:
      return HKEY_USERS;
    case 4:
      return HKEY_CURRENT_CONFIG;
    default:
      return 0;
  }
}

std::vector<uint8_t> EncodeServiceRequest(const ServiceRequest& r) {
  std::vector<uint8_t> body;
  PutLe32(body, r.procedure);
  PutLe32(body, static_cast<uint32_t>(r.form));
  PutText(body, r.path);
  switch (r.procedure) {
    case kProcSetValue:
      PutText(body, r.name);
      PutLe32(body, r.type);
      PutText(body, r.data);
      PutLe32(body, r.length);
      break;
    case kProcDeleteKey:
    case kProcDeleteValue:
    case kProcDeleteTree:
      PutText(body, r.name);
      break;
    default:
      break;
  }
  if (HasRootCode(r)) PutLe32(body, r.rootCode);

  std::vector<uint8_t> frame;
  frame.reserve(kServiceHeaderSize + body.size());
  PutLe32(frame, kServiceRequestMagic);
  PutLe32(frame, static_cast<uint32_t>(body.size()));
  frame.insert(frame.end(), body.begin(), body.end());
  return frame;
}

ServiceDecode DecodeServiceRequest(std::span<const uint8_t> bytes, ServiceRequest* request,
                                   size_t* consumed, std::string* why) {
  *consumed = 0;
  if (bytes.size() >= 4 && Le32(bytes.data()) != kServiceRequestMagic) {
    *why = "not a request frame";
    return ServiceDecode::kMalformed;
  }
  if (bytes.size() < kServiceHeaderSize) return ServiceDecode::kNeedMore;
  uint32_t bodyLength = Le32(bytes.data() + 4);
  if (bodyLength > kMaxServiceBody) {
    *why = "frame too long (" + std::to_string(bodyLength) + " bytes)";
    return ServiceDecode::kMalformed;
  }
  size_t total = kServiceHeaderSize + bodyLength;
  if (bytes.size() < total) return ServiceDecode::kNeedMore;
  *consumed = total;

  ServiceRequest r;
  BodyReader in(bytes.subspan(kServiceHeaderSize, bodyLength));
  uint32_t form = 0;
  if (!in.Number(&r.procedure) || !in.Number(&form)) {
    *why = "truncated frame";
    return ServiceDecode::kMalformed;
  }
  if (form > 1) {
    *why = "unknown parameter form " + std::to_string(form);
    return ServiceDecode::kMalformed;
  }
  r.form = static_cast<ServiceForm>(form);
  bool ok = in.Text(&r.path);
  switch (r.procedure) {
    case kProcSetValue:
      ok = ok && in.Text(&r.name) && in.Number(&r.type) && in.Text(&r.data) && in.Number(&r.length);
      break;
    case kProcCreateKey:
      break;
    case kProcDeleteKey:
    case kProcDeleteValue:
    case kProcDeleteTree:
      ok = ok && in.Text(&r.name);
      break;
    default:
      *why = "unknown procedure " + std::to_string(r.procedure);
      return ServiceDecode::kMalformed;
  }
  if (ok && HasRootCode(r)) ok = in.Number(&r.rootCode);
  if (!ok || !in.AtEnd()) {
    *why = "malformed parameters of procedure " + std::to_string(r.procedure);
    return ServiceDecode::kMalformed;
  }
  *request = std::move(r);
  return ServiceDecode::kComplete;
}

std::vector<uint8_t> EncodeServiceReply(int32_t status) {
  std::vector<uint8_t> frame;
  PutLe32(frame, kServiceReplyMagic);
  PutLe32(frame, static_cast<uint32_t>(status));
  return frame;
}

ServiceDecode DecodeServiceReply(std::span<const uint8_t> bytes, int32_t* status) {
  if (bytes.size() >= 4 && Le32(bytes.data()) != kServiceReplyMagic) {
    return ServiceDecode::kMalformed;
  }
  if (bytes.size() < kServiceReplySize) return ServiceDecode::kNeedMore;
  if (bytes.size() > kServiceReplySize) return ServiceDecode::kMalformed;
  *status = static_cast<int32_t>(Le32(bytes.data() + 4));
  return ServiceDecode::kComplete;
}

std::filesystem::path RegistryServiceSocket(const std::filesystem::path& machineDir) {
  return machineDir / "run" / "rpc" / "TesmarRegistry";
}

}  // namespace kavo9
