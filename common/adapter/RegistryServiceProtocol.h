#pragma once
// The frames between the programs and the privileged registry service.
//
// The service performs a few registry writes for users who may not make them. A call is one
// frame on a local stream socket, answered by one reply frame:
//
//   request: u32 magic "K9SV", u32 body length, body
//   body:    u32 procedure, u32 form, then the procedure's parameters in order:
//              3 set a value:     path, value name, type, data text, data length [, root code]
//              4 create a key:    path [, root code]
//              5 delete a key:    path, sub-key
//              6 delete a value:  path, value name
//              7 delete a tree:   path, sub-key
//            texts as u32 length + bytes (no zero byte inside), numbers as u32; the root code is
//            present only in the station form
//   reply:   u32 magic "K9SR", u32 status (a Win32 error code; 0 done)
//
// Little-endian. The data of a set travels as text: a value handed over arrives cut at its first
// zero byte and is filled with zeros up to its length.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "common/platform/Registry.h"

namespace kavo9 {

inline constexpr uint32_t kServiceRequestMagic = 0x5653394B;  // "K9SV"
inline constexpr uint32_t kServiceReplyMagic = 0x5253394B;    // "K9SR"
inline constexpr size_t kServiceHeaderSize = 8;
inline constexpr size_t kServiceReplySize = 8;
// Bounds what one frame can make the service hold in memory.
inline constexpr uint32_t kMaxServiceBody = 160 * 1024;

enum ServiceProcedure : uint32_t {
  kProcSetValue = 3,
  kProcCreateKey = 4,
  kProcDeleteKey = 5,
  kProcDeleteValue = 6,
  kProcDeleteTree = 7,
};

// The station utility's parameters carry a root code; the soft-AP utility's do not.
enum class ServiceForm : uint32_t { kStation = 0, kSoftAp = 1 };

// Root codes: 0 HKEY_LOCAL_MACHINE, 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_USER, 3 HKEY_USERS,
// 4 HKEY_CURRENT_CONFIG.
uint32_t RootCodeOf(HKEY root);
// The root of a code; 0 for an unknown code.
HKEY RootOfCode(uint32_t code);

struct ServiceRequest {
  uint32_t procedure = 0;
  ServiceForm form = ServiceForm::kStation;
  std::string path;
  std::string name;  // the value name (3, 6) or the sub-key (5, 7)
  uint32_t type = 0;
  std::string data;  // 3: the value as text
  uint32_t length = 0;
  uint32_t rootCode = 0;  // 3 and 4 in the station form
};

std::vector<uint8_t> EncodeServiceRequest(const ServiceRequest& request);

enum class ServiceDecode { kComplete, kNeedMore, kMalformed };
// Decodes one request from the bytes received so far. On kComplete `consumed` is the frame's
// size; on kMalformed `why` says what was wrong (the framing itself when `consumed` is 0, so the
// connection cannot go on; otherwise only this frame's body).
ServiceDecode DecodeServiceRequest(std::span<const uint8_t> bytes, ServiceRequest* request,
                                   size_t* consumed, std::string* why);

std::vector<uint8_t> EncodeServiceReply(int32_t status);
ServiceDecode DecodeServiceReply(std::span<const uint8_t> bytes, int32_t* status);

// The endpoint "//.//TesmarRegistry" of a machine.
std::filesystem::path RegistryServiceSocket(const std::filesystem::path& machineDir);

}  // namespace kavo9
