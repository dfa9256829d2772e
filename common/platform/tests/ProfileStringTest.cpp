#include <gtest/gtest.h>

#include <fstream>

#include "common/platform/ProfileString.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {
namespace {

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

constexpr std::string_view kIni =
    "\xEF\xBB\xBF; settings supplied with the installation\r\n"
    "loose=before any section\r\n"
    "[Advance]\r\n"
    "  AllowStandardUserSetAdvance =  1  \r\n"
    "TxRate=\"  quoted  \"\r\n"
    "Single='x'\r\n"
    "Lone=\"\r\n"
    "Mixed=\"a'\r\n"
    "Empty=\r\n"
    "Inline=1 ; not a comment\r\n"
    "  ; Commented=1\r\n"
    "NoEquals\r\n"
    "Dup=first\r\n"
    "DUP=second\r\n"
    "Long=abcdefghij\r\n"
    "Wide=\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\r\n"
    "[ Font ]\r\n"
    "FaceName=Trebuchet MS\r\n"
    "[advance]\r\n"
    "Later=ignored, the first section of a name is the one read\n"
    "[Unterminated\n"
    "[Last]\n"
    "Final=no newline at the end";

TEST(ProfileString, LookupsFollowTheWindowsRules) {
  FakePaths paths;
  auto file = paths.programDir / "Stavio.ini";
  WriteFile(file, kIni);
  struct Case {
    const char* section;
    const char* key;
    const char* defaultValue;
    size_t buffer;
    std::string expected;
  } cases[] = {
      {"Advance", "AllowStandardUserSetAdvance", "0", 256, "1"},
      {"ADVANCE", "allowstandardusersetadvance", "0", 256, "1"},  // any case
      {"Advance", "TxRate", "", 256, "  quoted  "},               // quotes keep inner blanks
      {"Advance", "Single", "", 256, "x"},
      {"Advance", "Lone", "", 256, "\""},  // one quote is no pair
      {"Advance", "Mixed", "", 256, "\"a'"},
      {"Advance", "Empty", "dflt", 256, ""},  // present but empty
      {"Advance", "Inline", "", 256, "1 ; not a comment"},
      {"Advance", "Commented", "dflt", 256, "dflt"},
      {"Advance", ";Commented", "dflt", 256, "dflt"},
      {"Advance", "NoEquals", "dflt", 256, "dflt"},
      {"Advance", "Dup", "", 256, "first"},
      {"Advance", "Later", "dflt", 256, "dflt"},
      {"Advance", "Missing", "dflt  ", 256, "dflt"},  // default loses trailing blanks
      {"Advance", "Long", "", 5, "abcd"},             // cut to buffer - 1
      {"Advance", "Long", "", 1, ""},
      {"Advance", "Long", "", 0, ""},
      {"Advance", "Missing", "default", 4, "def"},             // the default is cut too
      {"Advance", "Wide", "", 3, "\xE4\xB8\xAD\xE6\x96\x87"},  // characters, not bytes
      {"Font", "FaceName", "", 256, "Trebuchet MS"},           // blanks inside brackets
      {"Nowhere", "FaceName", "dflt", 256, "dflt"},
      {"", "loose", "dflt", 256, "dflt"},  // keys before any section
      {"Last", "Final", "", 256, "no newline at the end"},
  };
  ProfileFile loaded = ProfileFile::Load(file);
  ASSERT_TRUE(loaded.IsLoaded());
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ReadProfileString(file, c.section, c.key, c.defaultValue, c.buffer), c.expected);
    EXPECT_EQ(loaded.Get(c.section, c.key, c.defaultValue, c.buffer), c.expected);
  }
  EXPECT_TRUE(loaded.Has("advance", "EMPTY"));
  EXPECT_FALSE(loaded.Has("advance", "NoEquals"));
}

TEST(ProfileString, MissingOrUnreadableFilesGiveTheDefault) {
  FakePaths paths;
  EXPECT_EQ(ReadProfileString(paths.programDir / "none.ini", "Page", "11n Setting", "0", 256), "0");
  EXPECT_FALSE(ProfileFile::Load(paths.programDir / "none.ini").IsLoaded());
  // A directory is no file.
  EXPECT_EQ(ReadProfileString(paths.programDir, "Page", "11n Setting", "0", 256), "0");
  WriteFile(paths.programDir / "empty.ini", "");
  EXPECT_EQ(ReadProfileString(paths.programDir / "empty.ini", "Page", "x", "d", 256), "d");
}

TEST(ProfileString, ReadsUtf16FilesWithAByteOrderMark) {
  FakePaths paths;
  // "[S]\r\nK=中\U0001F600\r\n" in UTF-16LE, then the same big-endian.
  std::u16string text = u"[S]\r\nK=\u4E2D\U0001F600\r\n";
  std::string little = "\xFF\xFE";
  std::string big = "\xFE\xFF";
  for (char16_t u : text) {
    little += static_cast<char>(u & 0xFF);
    little += static_cast<char>(u >> 8);
    big += static_cast<char>(u >> 8);
    big += static_cast<char>(u & 0xFF);
  }
  WriteFile(paths.programDir / "le.ini", little);
  WriteFile(paths.programDir / "be.ini", big);
  EXPECT_EQ(ReadProfileString(paths.programDir / "le.ini", "s", "k", "", 64),
            "\xE4\xB8\xAD\xF0\x9F\x98\x80");
  EXPECT_EQ(ReadProfileString(paths.programDir / "be.ini", "s", "k", "", 64),
            "\xE4\xB8\xAD\xF0\x9F\x98\x80");
  // A lone surrogate and an odd trailing byte do not break the reader.
  WriteFile(paths.programDir / "bad.ini", std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0\x00\xD8x", 17));
  EXPECT_EQ(ReadProfileString(paths.programDir / "bad.ini", "S", "K", "", 64),
            "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ProfileString, CutNeverSplitsACharacter) {
  struct Case {
    std::string_view text;
    size_t max;
    std::string_view expected;
  } cases[] = {
      {"abc", 3, "abc"},
      {"abc", 0, ""},
      {"a\xC3\xA9z", 2, "a\xC3\xA9"},
      {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 1, "\xF0\x9F\x98\x80"},
      {"\x80\x80x", 1, "\x80\x80"},  // stray continuation bytes stay with their neighbour
      {"a\x80\x80\x80\x80\x80", 1, "a\x80\x80\x80"},  // but a character has at most four bytes
  };
  for (const auto& c : cases) EXPECT_EQ(CutToChars(c.text, c.max), c.expected) << c.text;
}

}  // namespace
}  // namespace kavo9
