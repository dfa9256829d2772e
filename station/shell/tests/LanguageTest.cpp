#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "common/platform/fake/FakePlatform.h"
#include "station/shell/Language.h"

namespace kavo9 {
namespace {

void WriteFile(const std::filesystem::path& path, std::string_view text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A language file whose OK button says `ok`.
std::string LanguageText(std::string_view ok, std::string_view charSet = "ANSI_CHARSET") {
  return "[Font]\nFaceName=Face " + std::string(ok) + "\nCharSet=" + std::string(charSet) +
         "\n[Strings]\nIDS_OK=" + std::string(ok) + "\nIDS_GUEST_WARN=last of " + std::string(ok) +
         "\n";
}

class LanguageTest : public ::testing::Test {
 protected:
  Language Load(uint16_t languageId) {
    system.languageId = languageId;
    Language language;
    language.LoadLanguage(paths, system);
    return language;
  }
  std::filesystem::path Languages() const { return paths.programDir / "Languages"; }

  FakePaths paths;
  FakeSystemInfo system;
};

TEST_F(LanguageTest, ReadsTheFileOfTheDefaultLanguage) {
  WriteFile(Languages() / "Lang0411.ini", LanguageText("Japanese", "SHIFTJIS_CHARSET"));
  WriteFile(Languages() / "Lang0409.ini", LanguageText("English"));
  Language language = Load(0x0411);
  EXPECT_EQ(language.Text(LangKey::IDS_OK), "Japanese");
  EXPECT_EQ(language.Text(LangKey::IDS_GUEST_WARN), "last of Japanese");
  EXPECT_EQ(language.FaceName(), "Face Japanese");
  EXPECT_EQ(language.CharSet(), SHIFTJIS_CHARSET);
  EXPECT_EQ(language.FilePath(), Languages() / "Lang0411.ini");
}

TEST_F(LanguageTest, FallsBackToTheEnglishFileInTheLanguagesFolder) {
  WriteFile(Languages() / "Lang0409.ini", LanguageText("English"));
  WriteFile(paths.programDir / "Lang0411.ini", LanguageText("Japanese beside the program"));
  Language language = Load(0x0411);
  EXPECT_EQ(language.Text(LangKey::IDS_OK), "English");
  EXPECT_EQ(language.CharSet(), ANSI_CHARSET);
}

TEST_F(LanguageTest, FindsFileNamesWithoutRegardToCase) {
  WriteFile(Languages() / "lang0c0a.ini", LanguageText("Spanish"));
  WriteFile(Languages() / "Lang0409.ini", LanguageText("English"));
  EXPECT_EQ(Load(0x0C0A).Text(LangKey::IDS_OK), "Spanish");
}

TEST_F(LanguageTest, WithoutAFileTextsAreEmptyAndTheFontIsTheDefault) {
  // Language files beside the program are never read, whatever the language.
  WriteFile(paths.programDir / "Lang0409.ini", LanguageText("English beside the program"));
  WriteFile(paths.programDir / "Lang0411.ini", LanguageText("Japanese beside the program"));
  for (uint16_t id : {0x0409, 0x0411}) {
    Language language = Load(id);
    for (std::string_view name : kLangKeyNames) EXPECT_EQ(language.Text(name), "") << name;
    EXPECT_EQ(language.FaceName(), "Trebuchet MS");
    EXPECT_EQ(language.CharSet(), DEFAULT_CHARSET);
  }
  // Loading again replaces what an earlier load read.
  WriteFile(Languages() / "Lang0409.ini", LanguageText("English"));
  Language language = Load(0x0409);
  ASSERT_EQ(language.Text(LangKey::IDS_OK), "English");
  std::filesystem::remove(Languages() / "Lang0409.ini");
  language.LoadLanguage(paths, system);
  EXPECT_EQ(language.Text(LangKey::IDS_OK), "");
  EXPECT_EQ(language.FaceName(), "Trebuchet MS");
}

TEST_F(LanguageTest, FontSectionDefaultsAndCharSetNames) {
  WriteFile(Languages() / "Lang0409.ini", "[Strings]\nIDS_OK=OK\n");
  EXPECT_EQ(Load(0x0409).FaceName(), "Trebuchet MS");
  EXPECT_EQ(Load(0x0409).CharSet(), DEFAULT_CHARSET);
  WriteFile(Languages() / "Lang0412.ini", LanguageText("Korean", "HANGEUL_CHARSET"));
  EXPECT_EQ(Load(0x0412).CharSet(), 129);

  struct Case {
    const char* name;
    int expected;
  } cases[] = {
      {"ANSI_CHARSET", 0},
      {"DEFAULT_CHARSET", 1},
      {"SYMBOL_CHARSET", 2},
      {"MAC_CHARSET", 77},
      {"SHIFTJIS_CHARSET", 128},
      {"HANGUL_CHARSET", 129},
      {"HANGEUL_CHARSET", 129},
      {"JOHAB_CHARSET", 130},
      {"GB2312_CHARSET", 134},
      {"CHINESEBIG5_CHARSET", 136},
      {"GREEK_CHARSET", 161},
      {"TURKISH_CHARSET", 162},
      {"VIETNAMESE_CHARSET", 163},
      {"HEBREW_CHARSET", 177},
      {"ARABIC_CHARSET", 178},
      {"BALTIC_CHARSET", 186},
      {"RUSSIAN_CHARSET", 204},
      {"THAI_CHARSET", 222},
      {"EASTEUROPE_CHARSET", 238},
      {"OEM_CHARSET", 255},
      {"hangeul_charset", 1},
      {"Gb2312_Charset", 1},
      {"GB2312", 1},
      {"134", 1},
      {"", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(CharSetFromName(c.name), c.expected) << c.name;
}

TEST_F(LanguageTest, TextsAreCutTo511Characters) {
  std::string latin(600, 'x');
  std::string chinese;
  for (int i = 0; i < 600; ++i) chinese += "\xE4\xB8\xAD";  // one character, three bytes
  WriteFile(Languages() / "Lang0409.ini", "[Strings]\nIDS_OK=" + latin + "\nIDS_CANCEL=" + chinese +
                                              "\nIDS_APPLY=" + std::string(511, 'y') + "\n");
  Language language = Load(0x0409);
  EXPECT_EQ(language.Text(LangKey::IDS_OK), std::string(511, 'x'));
  EXPECT_EQ(language.Text(LangKey::IDS_CANCEL), chinese.substr(0, 511 * 3));
  EXPECT_EQ(language.Text(LangKey::IDS_APPLY), std::string(511, 'y'));
}

TEST(LangKeys, TheTableHasEveryKeyOnceInFileOrder) {
  EXPECT_EQ(kLangKeyCount, 487u);
  EXPECT_EQ(LangKeyName(LangKey::IDS_WHITE_TESMAR_LOST), "IDS_WHITE_TESMAR_LOST");
  EXPECT_EQ(static_cast<size_t>(LangKey::IDS_WHITE_TESMAR_LOST), 0u);
  EXPECT_EQ(static_cast<size_t>(LangKey::IDS_OK), 137u);
  EXPECT_EQ(LangKeyName(LangKey::IDS_GUEST_WARN), "IDS_GUEST_WARN");
  std::set<std::string_view> names(kLangKeyNames.begin(), kLangKeyNames.end());
  EXPECT_EQ(names.size(), kLangKeyCount);
  for (size_t i = 0; i < kLangKeyCount; ++i) {
    EXPECT_EQ(LangKeyFromName(kLangKeyNames[i]), static_cast<LangKey>(i));
  }
  EXPECT_EQ(LangKeyFromName("ids_ok"), LangKey::IDS_OK);
  EXPECT_EQ(LangKeyFromName("IDS_NO_SUCH_KEY"), std::nullopt);
  EXPECT_EQ(LangKeyFromName(""), std::nullopt);
  Language empty;
  EXPECT_EQ(empty.Text("IDS_NO_SUCH_KEY"), "");
}

}  // namespace
}  // namespace kavo9
