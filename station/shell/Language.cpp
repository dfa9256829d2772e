#include "station/shell/Language.h"

#include <cstdio>
#include <system_error>

#include "common/platform/ProfileString.h"

namespace kavo9 {
namespace {

struct CharSetName {
  std::string_view name;
  int value;
};

constexpr CharSetName kCharSets[] = {
    {"ANSI_CHARSET", ANSI_CHARSET},
    {"BALTIC_CHARSET", BALTIC_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
    {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
    {"GB2312_CHARSET", GB2312_CHARSET},
    {"GREEK_CHARSET", GREEK_CHARSET},
    {"HANGUL_CHARSET", HANGUL_CHARSET},
    {"HANGEUL_CHARSET", HANGUL_CHARSET},
    {"MAC_CHARSET", MAC_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
    {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET},
    {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET},
    {"ARABIC_CHARSET", ARABIC_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET},
    {"THAI_CHARSET", THAI_CHARSET},
};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The file `name` in `dir`, found without regard to case as Windows finds files ("lang0c0a.ini"
// serves for "Lang0C0A.ini"); empty when there is none.
std::filesystem::path FindFile(const std::filesystem::path& dir, std::string_view name) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(dir / name, ec)) return dir / name;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualsNoCase(it->path().filename().string(), name) && it->is_regular_file(ec)) {
      return it->path();
    }
  }
  return {};
}

const std::string kNoText;

}  // namespace

int CharSetFromName(std::string_view name) {
  for (const auto& entry : kCharSets) {
    if (entry.name == name) return entry.value;
  }
  return DEFAULT_CHARSET;
}

std::optional<LangKey> LangKeyFromName(std::string_view name) {
  for (size_t i = 0; i < kLangKeyCount; ++i) {
    if (EqualsNoCase(kLangKeyNames[i], name)) return static_cast<LangKey>(i);
  }
  return std::nullopt;
}

std::filesystem::path Language::LanguageFilePath(const std::filesystem::path& programDir,
                                                 uint16_t languageId) {
  const std::filesystem::path folder = programDir / "Languages";
  char name[16];
  std::snprintf(name, sizeof name, "Lang%04X.ini", static_cast<unsigned>(languageId));
  if (auto found = FindFile(folder, name); !found.empty()) return found;
  if (auto found = FindFile(folder, "Lang0409.ini"); !found.empty()) return found;
  return folder / "Lang0409.ini";
}

void Language::LoadLanguage(const Paths& paths, const SystemInfo& system) {
  filePath_ = LanguageFilePath(paths.ProgramDir(), system.DefaultLanguageId());
  const ProfileFile file = ProfileFile::Load(filePath_);
  charSet_ = CharSetFromName(file.Get("Font", "CharSet", "DEFAULT_CHARSET", kLanguageTextBuffer));
  faceName_ = file.Get("Font", "FaceName", kDefaultFaceName, kLanguageTextBuffer);
  for (size_t i = 0; i < kLangKeyCount; ++i) {
    texts_[i] = file.Get("Strings", kLangKeyNames[i], "", kLanguageTextBuffer);
  }
}

const std::string& Language::Text(std::string_view name) const {
  auto key = LangKeyFromName(name);
  return key ? Text(*key) : kNoText;
}

}  // namespace kavo9
