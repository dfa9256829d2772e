#pragma once
// The station utility's language object: every text its windows show, and the face name and
// character set of the pages' fonts, read once from the language file of the system's default
// language.
//
// The file is <program dir>/Languages/LangXXXX.ini, XXXX being the default language identifier in
// four upper-case hexadecimal digits; when it does not exist, Languages/Lang0409.ini (U.S.
// English) is read instead. A language file beside the program itself is never read. Without any
// file every text is empty and the font is "Trebuchet MS" with DEFAULT_CHARSET: the program runs.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/platform/Paths.h"
#include "common/platform/SystemInfo.h"
#include "station/shell/LangKeys.h"

namespace kavo9 {

// Windows character-set numbers used by the pages' fonts.
enum : int {
  ANSI_CHARSET = 0,
  DEFAULT_CHARSET = 1,
  SYMBOL_CHARSET = 2,
  MAC_CHARSET = 77,
  SHIFTJIS_CHARSET = 128,
  HANGUL_CHARSET = 129,
  JOHAB_CHARSET = 130,
  GB2312_CHARSET = 134,
  CHINESEBIG5_CHARSET = 136,
  GREEK_CHARSET = 161,
  TURKISH_CHARSET = 162,
  VIETNAMESE_CHARSET = 163,
  HEBREW_CHARSET = 177,
  ARABIC_CHARSET = 178,
  BALTIC_CHARSET = 186,
  RUSSIAN_CHARSET = 204,
  THAI_CHARSET = 222,
  EASTEUROPE_CHARSET = 238,
  OEM_CHARSET = 255,
};

// The number of a character-set constant's name ("GB2312_CHARSET" -> 134). Names compare exactly;
// anything else gives DEFAULT_CHARSET.
int CharSetFromName(std::string_view name);

inline constexpr std::string_view kDefaultFaceName = "Trebuchet MS";
// Texts are read into buffers of this many characters, so at most 511 characters are kept.
inline constexpr size_t kLanguageTextBuffer = 512;

class Language {
 public:
  // Reads the language file chosen by `system`'s default language from `paths`' program directory.
  // Replaces everything read before.
  void LoadLanguage(const Paths& paths, const SystemInfo& system);

  // The text of a key; empty when the file lacks it.
  const std::string& Text(LangKey key) const { return texts_[static_cast<size_t>(key)]; }
  // The text of a key given by name ("IDS_OK", any case); empty for a name that is no key.
  const std::string& Text(std::string_view name) const;

  int CharSet() const { return charSet_; }
  const std::string& FaceName() const { return faceName_; }
  // The file the texts came from (it may not exist).
  const std::filesystem::path& FilePath() const { return filePath_; }

  // The file LoadLanguage reads for a language identifier.
  static std::filesystem::path LanguageFilePath(const std::filesystem::path& programDir,
                                                uint16_t languageId);

 private:
  int charSet_ = DEFAULT_CHARSET;
  std::string faceName_{kDefaultFaceName};
  std::filesystem::path filePath_;
  std::array<std::string, kLangKeyCount> texts_;
};

}  // namespace kavo9
