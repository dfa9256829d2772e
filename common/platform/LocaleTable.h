#pragma once
// The Windows language identifier of a POSIX locale name, so that the simulated Windows default
// locale follows the desktop's language.

#include <cstdint>
#include <string_view>

namespace kavo9 {

inline constexpr uint16_t kLangEnglishUs = 0x0409;

// The language identifier of a locale name as found in LC_ALL, LC_MESSAGES or LANG:
// "language[_TERRITORY][.codeset][@modifier]" ("zh_CN.UTF-8", "sr_RS@latin", "de"); "-" is also
// accepted between language and territory ("en-GB"), and case does not matter. A territory that
// is not in the table falls back to the language's main identifier ("de_BE" -> 0x0407). "C",
// "POSIX", an empty name and unknown languages give 0x0409 (U.S. English).
uint16_t LanguageIdFromLocale(std::string_view locale);

// The identifier of the user's locale: the first non-empty of LC_ALL, LC_MESSAGES and LANG, as
// LanguageIdFromLocale reads it; 0x0409 when none is set.
uint16_t UserLocaleLanguageId();

}  // namespace kavo9
