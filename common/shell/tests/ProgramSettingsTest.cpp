#include "common/shell/ProgramSettings.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kavo9 {
namespace {

namespace fs = std::filesystem;

class ProgramSettingsTest : public ::testing::Test {
 protected:
  ProgramSettingsTest() {
    dir = fs::temp_directory_path() /
          ("kavo9-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
  }
  ~ProgramSettingsTest() override { fs::remove_all(dir); }
  void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
  }
  fs::path dir;
};

TEST_F(ProgramSettingsTest, ChoicesSurviveARestart) {
  const fs::path file = ProgramSettings::FileFor(dir, "alice", "Stavio");
  EXPECT_EQ(file, dir / "users" / "alice" / "Stavio.json");
  {
    ProgramSettings first(file);
    EXPECT_FALSE(first.Load()) << "no file yet";
    EXPECT_EQ(first.Number(programsettings::kLastPage, 143), 143);
    EXPECT_TRUE(first.SetNumber(programsettings::kLastPage, 144));
    EXPECT_TRUE(first.SetNumber(programsettings::kSortKey, 2));
    EXPECT_TRUE(first.SetFlag(programsettings::kShowDbm, true));
  }
  ProgramSettings second(file);
  ASSERT_TRUE(second.Load());
  EXPECT_EQ(second.Number(programsettings::kLastPage, 143), 144);
  EXPECT_EQ(second.Number(programsettings::kSortKey, 0), 2);
  EXPECT_TRUE(second.Flag(programsettings::kShowDbm, false));
  EXPECT_FALSE(fs::exists(file.string() + ".new")) << "no temporary file is left behind";
}

TEST_F(ProgramSettingsTest, BadFilesAndValuesReadAsDefaultsAndUnknownKeysAreKept) {
  struct Case {
    const char* name;
    const char* text;
    int sortKey;
    bool showDbm;
  } cases[] = {
      {"malformed", "{\"SortKey\": 2,", 0, false},
      {"not an object", "[1, 2]", 0, false},
      {"wrong types", "{\"SortKey\": \"2\", \"ShowDbm\": 1}", 0, false},
      {"out of range", "{\"SortKey\": 99999999999}", 0, false},
      {"good", "{\"SortKey\": 1, \"ShowDbm\": true, \"Other\": [1]}", 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = dir / (std::string(c.name) + ".json");
    Write(file, c.text);
    ProgramSettings settings(file);
    settings.Load();
    EXPECT_EQ(settings.Number(programsettings::kSortKey, 0), c.sortKey);
    EXPECT_EQ(settings.Flag(programsettings::kShowDbm, false), c.showDbm);
  }
  ProgramSettings kept(dir / "good.json");
  ASSERT_TRUE(kept.Load());
  kept.SetNumber(programsettings::kLastPage, 145);
  std::ifstream in(dir / "good.json");
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(text.find("\"Other\""), std::string::npos) << text;
}

TEST_F(ProgramSettingsTest, UserNamesCannotLeaveTheUsersFolder) {
  EXPECT_EQ(ProgramSettings::FileFor(dir, "../../etc", "Stavio"),
            dir / "users" / ".._.._etc" / "Stavio.json");
  EXPECT_EQ(ProgramSettings::FileFor(dir, "..", "Stavio"), dir / "users" / "_.." / "Stavio.json");
  EXPECT_EQ(ProgramSettings::FileFor(dir, "", "Stavio"), dir / "users" / "_" / "Stavio.json");
  EXPECT_EQ(ProgramSettings::FileFor(dir, "DOMAIN\\bob", "Stavio"),
            dir / "users" / "DOMAIN_bob" / "Stavio.json");
}

TEST_F(ProgramSettingsTest, AFileThatCannotBeWrittenIsReportedAndTheValueKept) {
  Write(dir / "users", "a file where the folder should be");
  ProgramSettings settings(ProgramSettings::FileFor(dir, "alice", "Stavio"));
  EXPECT_FALSE(settings.SetFlag(programsettings::kShowDbm, true));
  EXPECT_TRUE(settings.Flag(programsettings::kShowDbm, false));
}

}  // namespace
}  // namespace kavo9
