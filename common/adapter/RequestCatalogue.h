#pragma once
// The driver request catalogue: the OID_ constants and, for each code, its name, direction,
// value lengths, the programs that use it and the module that owns its layout. The one list is
// RequestCodes.def.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kavo9 {

// A set is sent with this bit or'ed into the code; the driver tells sets from queries by it.
inline constexpr uint32_t kSetBit = 0x00800000;

#define REQUEST(name, code, dir, qlen, slen, rule, programs, owner) \
  inline constexpr uint32_t name = code;
#include "common/adapter/RequestCodes.def"
#undef REQUEST

enum class RequestDirection : uint8_t { kQuery = 1, kSet = 2, kQuerySet = 3 };
enum class LengthRule : uint8_t { kExact, kEither, kAtLeast, kVariable };
enum class RequestPrograms : uint8_t { kBoth, kStavioOnly, kHostiraOnly };

struct RequestInfo {
  uint32_t code;
  std::string_view name;
  RequestDirection direction;
  uint32_t queryLength;  // 0 when it cannot be queried
  uint32_t setLength;    // 0 when it cannot be set, or a set carries no value
  LengthRule lengthRule;
  uint32_t alternateQueryLength;  // kEither only
  RequestPrograms programs;
  std::string_view owner;

  bool CanQuery() const { return direction != RequestDirection::kSet; }
  bool CanSet() const { return direction != RequestDirection::kQuery; }
  // Whether a request of this code with `length` value bytes has an acceptable length.
  bool QueryLengthOk(uint32_t length) const;
  bool SetLengthOk(uint32_t length) const;
};

// Every code, in catalogue order.
std::span<const RequestInfo> RequestCatalogue();
// Looks a code up; the set bit is ignored. Null for an unknown code.
const RequestInfo* FindRequest(uint32_t code);
// The name of a code ("OID_802_11_SSID"), or empty for an unknown one. The set bit is ignored.
std::string_view RequestName(uint32_t code);

}  // namespace kavo9
