// The language files shipped with the station utility.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <vector>

#include "common/platform/ProfileString.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/shell/Language.h"

namespace kavo9 {
namespace {

const std::filesystem::path kSourceDir = KAVO9_LANGUAGES_SOURCE_DIR;
const char* const kShippedFiles[] = {"Lang0409.ini", "Lang0804.ini"};

// The printf conversions of a text, in order ("%s", "%d", "%%", ...).
std::vector<std::string> Conversions(const std::string& text) {
  static const std::regex conversion(
      R"(%[-+ #0]*(\d+|\*)?(\.(\d+|\*))?(hh|h|ll|l|L|I64)?[diouxXeEfgGcsSpn%])");
  std::vector<std::string> result;
  for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it) {
    result.push_back(it->str());
  }
  return result;
}

using Formats = std::vector<std::string>;

// The keys that callers use as formats, with the arguments they pass; every other text is shown
// as it stands and must hold no conversion.
Formats ExpectedConversions(LangKey key) {
  static const std::map<LangKey, Formats> formats = {
      // tray tooltips: the SSID, or the key-error text
      {LangKey::IDS_TESMAR_GOOD, {"%s"}},
      {LangKey::IDS_TESMAR_NORMAL, {"%s"}},
      {LangKey::IDS_TESMAR_WEAK, {"%s"}},
      {LangKey::IDS_TESMAR_WEP_ERROR, {"%s"}},
      {LangKey::IDS_WHITE_TESMAR_GOOD, {"%s"}},
      {LangKey::IDS_WHITE_TESMAR_NORMAL, {"%s"}},
      {LangKey::IDS_WHITE_TESMAR_WEAK, {"%s"}},
      {LangKey::IDS_WHITE_TESMAR_WEP_ERROR, {"%s"}},
      // bar captions in percent form: the position and a literal percent sign
      {LangKey::IDS_LINK_QUALITY, {"%d", "%%"}},
      {LangKey::IDS_LINK_STRENGTH, {"%d", "%%"}},
      {LangKey::IDS_LINK_STRENGTH2, {"%d", "%%"}},
      {LangKey::IDS_LINK_STRENGTH3, {"%d", "%%"}},
      {LangKey::IDS_NOISELEVEL, {"%d", "%%"}},
      // bar captions in dBm form
      {LangKey::IDS_LINK_STRENGTH_DBM, {"%d"}},
      {LangKey::IDS_LINK_STRENGTH2_DBM, {"%d"}},
      {LangKey::IDS_LINK_STRENGTH3_DBM, {"%d"}},
      {LangKey::IDS_NOISELEVEL_DBM, {"%d"}},
  };
  auto it = formats.find(key);
  return it == formats.end() ? Formats{} : it->second;
}

TEST(LanguageFiles, EveryKeyHasATextAndTheFontIsNamed) {
  for (const char* name : kShippedFiles) {
    SCOPED_TRACE(name);
    ProfileFile file = ProfileFile::Load(kSourceDir / name);
    ASSERT_TRUE(file.IsLoaded());
    for (std::string_view key : kLangKeyNames) {
      EXPECT_FALSE(file.Get("Strings", key, "", kLanguageTextBuffer).empty()) << key;
      // Not cut: the whole text fits the buffer.
      EXPECT_EQ(file.Get("Strings", key, "", kLanguageTextBuffer),
                file.Get("Strings", key, "", 100000))
          << key;
    }
    EXPECT_FALSE(file.Get("Font", "FaceName", "", kLanguageTextBuffer).empty());
    std::string charSet = file.Get("Font", "CharSet", "", kLanguageTextBuffer);
    EXPECT_TRUE(charSet == "DEFAULT_CHARSET" || CharSetFromName(charSet) != DEFAULT_CHARSET)
        << charSet;
  }
}

TEST(LanguageFiles, FormatsMatchTheirCallersInEveryLanguage) {
  ProfileFile english = ProfileFile::Load(kSourceDir / "Lang0409.ini");
  ProfileFile chinese = ProfileFile::Load(kSourceDir / "Lang0804.ini");
  for (size_t i = 0; i < kLangKeyCount; ++i) {
    auto key = static_cast<LangKey>(i);
    std::string_view name = LangKeyName(key);
    Formats expected = ExpectedConversions(key);
    EXPECT_EQ(Conversions(english.Get("Strings", name, "", kLanguageTextBuffer)), expected)
        << "English " << name;
    EXPECT_EQ(Conversions(chinese.Get("Strings", name, "", kLanguageTextBuffer)), expected)
        << "Chinese " << name;
  }
}

TEST(LanguageFiles, CopiedBesideTheProgramsAndChosenByLanguage) {
  FakePaths paths;
  paths.programDir = KAVO9_PROGRAM_DIR;
  FakeSystemInfo system;
  struct Case {
    uint16_t languageId;
    int charSet;
    const char* ok;
  } cases[] = {
      {0x0409, ANSI_CHARSET, "OK"},
      {0x0804, GB2312_CHARSET, "确定"},
      {0x0411, ANSI_CHARSET, "OK"},  // no Japanese file: English
  };
  for (const auto& c : cases) {
    system.languageId = c.languageId;
    Language language;
    language.LoadLanguage(paths, system);
    EXPECT_EQ(language.CharSet(), c.charSet) << c.languageId;
    EXPECT_EQ(language.Text(LangKey::IDS_OK), c.ok) << c.languageId;
    // A second instance finds the main window by this title, in every language.
    EXPECT_EQ(language.Text(LangKey::IDS_TESMAR_CONFIG_TITLE), "Kavo9") << c.languageId;
  }
  system.languageId = 0x0409;
  Language english;
  english.LoadLanguage(paths, system);
  EXPECT_EQ(english.Text(LangKey::IDS_PROF), "PROF");  // the prefix of default profile names
}

}  // namespace
}  // namespace kavo9
