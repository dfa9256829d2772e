#include "common/adapter/RequestCatalogue.h"

#include <algorithm>
#include <array>

namespace kavo9 {
namespace {

constexpr RequestDirection Q = RequestDirection::kQuery;
constexpr RequestDirection S = RequestDirection::kSet;
constexpr RequestDirection QS = RequestDirection::kQuerySet;
constexpr LengthRule Exact = LengthRule::kExact;
constexpr LengthRule Either = LengthRule::kEither;
constexpr LengthRule AtLeast = LengthRule::kAtLeast;
constexpr LengthRule Variable = LengthRule::kVariable;
constexpr RequestPrograms Both = RequestPrograms::kBoth;
constexpr RequestPrograms StavioOnly = RequestPrograms::kStavioOnly;
constexpr RequestPrograms HostiraOnly = RequestPrograms::kHostiraOnly;

constexpr uint32_t AlternateLength(uint32_t code) {
#define ALT_LENGTH(name, length) \
  if (code == name) return length;
#define REQUEST(...)
#include "common/adapter/RequestCodes.def"
#undef REQUEST
#undef ALT_LENGTH
  return 0;
}

constexpr auto kCatalogue = std::to_array<RequestInfo>({
#define REQUEST(name, code, dir, qlen, slen, rule, programs, owner) \
  {code, #name, dir, qlen, slen, rule, AlternateLength(code), programs, owner},
#include "common/adapter/RequestCodes.def"
#undef REQUEST
});

// Sorted by code for lookups.
constexpr auto kByCode = [] {
  std::array<const RequestInfo*, kCatalogue.size()> sorted{};
  for (size_t i = 0; i < kCatalogue.size(); ++i) sorted[i] = &kCatalogue[i];
  std::sort(sorted.begin(), sorted.end(),
            [](const RequestInfo* a, const RequestInfo* b) { return a->code < b->code; });
  return sorted;
}();

static_assert(
    [] {
      for (size_t i = 1; i < kByCode.size(); ++i) {
        if (kByCode[i - 1]->code == kByCode[i]->code) return false;
      }
      return true;
    }(),
    "a request code is listed twice");

}  // namespace

bool RequestInfo::QueryLengthOk(uint32_t length) const {
  if (!CanQuery()) return false;
  switch (lengthRule) {
    case LengthRule::kExact:
      return length == queryLength;
    case LengthRule::kEither:
      return length == queryLength || length == alternateQueryLength;
    case LengthRule::kAtLeast:
    case LengthRule::kVariable:
      return length >= queryLength;
  }
  return false;
}

bool RequestInfo::SetLengthOk(uint32_t length) const {
  if (!CanSet()) return false;
  switch (lengthRule) {
    case LengthRule::kExact:
    case LengthRule::kEither:
      return length == setLength;
    case LengthRule::kAtLeast:
    case LengthRule::kVariable:
      return length >= setLength;
  }
  return false;
}

std::span<const RequestInfo> RequestCatalogue() {
  return kCatalogue;
}

const RequestInfo* FindRequest(uint32_t code) {
  code &= ~kSetBit;
  auto it = std::lower_bound(kByCode.begin(), kByCode.end(), code,
                             [](const RequestInfo* info, uint32_t c) { return info->code < c; });
  return it != kByCode.end() && (*it)->code == code ? *it : nullptr;
}

std::string_view RequestName(uint32_t code) {
  const RequestInfo* info = FindRequest(code);
  return info ? info->name : std::string_view();
}

}  // namespace kavo9
