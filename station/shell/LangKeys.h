#pragma once
// The keys of the language file, one enumerator per text, in the order the file is read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kavo9 {

enum class LangKey : uint16_t {
#define KAVO9_LANG_KEY(name) name,
#include "station/shell/LangKeyList.inc"
#undef KAVO9_LANG_KEY
};

inline constexpr std::array<std::string_view, 487> kLangKeyNames = {
#define KAVO9_LANG_KEY(name) #name,
#include "station/shell/LangKeyList.inc"
#undef KAVO9_LANG_KEY
};

inline constexpr size_t kLangKeyCount = kLangKeyNames.size();
static_assert(static_cast<size_t>(LangKey::IDS_PROFILENAMEINVALID) + 1 == kLangKeyCount,
              "every key has its name");

constexpr std::string_view LangKeyName(LangKey key) {
  return kLangKeyNames[static_cast<size_t>(key)];
}

// The key of a name as written in the language file ("IDS_OK"); names compare without regard to
// case, as the file's keys do.
std::optional<LangKey> LangKeyFromName(std::string_view name);

}  // namespace kavo9
