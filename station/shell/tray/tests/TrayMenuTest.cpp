#include <gtest/gtest.h>

#include <fstream>

#include "common/platform/fake/FakePlatform.h"
#include "station/shell/tray/TrayMenu.h"

namespace kavo9 {
namespace {

std::vector<uint32_t> Commands(const std::vector<TrayMenuItem>& items) {
  std::vector<uint32_t> commands;
  for (const auto& item : items) commands.push_back(item.command);
  return commands;
}

TEST(BuildTrayMenu, Variants) {
  struct Case {
    const char* name;
    TrayMenuContext context;
    std::vector<uint32_t> expected;
  } cases[] = {
      {"standard user", {false, 2, 8, true}, {kTrayOpen, kTrayExit}},
      {"standard user, old system", {false, 0, 5, true}, {kTrayOpen, kTrayExit}},
      {"service manages",
       {true, 2, 8, true},
       {kTrayOpen, kTraySwitchTsConfig, kTraySwitchApMode, kTrayExit}},
      {"service manages, no AP", {true, 2, 8, false}, {kTrayOpen, kTraySwitchTsConfig, kTrayExit}},
      {"older than XP", {true, 0, 7, true}, {kTrayOpen, kTraySwitchApMode, kTrayExit}},
      {"older than XP, no AP", {true, 0, 7, false}, {kTrayOpen, kTrayExit}},
      {"XP, utility manages",
       {true, 1, 8, true},
       {kTrayOpen, kTraySwitchZeroConfig, kTraySwitchApMode, kTrayExit}},
      {"Vista, no service", {true, 0, 12, false}, {kTrayOpen, kTraySwitchZeroConfig, kTrayExit}},
  };
  TextLookup texts = [](std::string_view key) { return std::string(key); };
  for (const auto& c : cases) {
    EXPECT_EQ(Commands(BuildTrayMenu(c.context, texts)), c.expected) << c.name;
  }
}

TEST(BuildTrayMenu, LabelsComeFromTheLanguageTexts) {
  TextLookup texts = [](std::string_view key) { return "<" + std::string(key) + ">"; };
  auto items = BuildTrayMenu({true, 1, 8, true}, texts);
  std::vector<TrayMenuItem> expected{{kTrayOpen, "<IDS_TRAY_LAUNCH>"},
                                     {kTraySwitchZeroConfig, "<IDS_TRAY_SWITCH_ZEROCONFIG>"},
                                     {kTraySwitchApMode, "<IDS_TRAY_SWITCH_AP_MODE>"},
                                     {kTrayExit, "<IDS_TRAY_EXIT>"}};
  EXPECT_EQ(items, expected);
}

TEST(AccessPointSwitchAllowed, NeedsBothProgramsAChipCodeOf4To9AndAnAdapter) {
  FakePaths paths;
  auto dir = paths.ProgramDir();
  std::filesystem::create_directories(dir);
  auto touch = [&](const char* name) { std::ofstream(dir / name) << "x"; };
  EXPECT_FALSE(AccessPointSwitchAllowed(dir, 6, true));
  touch("Hostira.exe");
  EXPECT_FALSE(AccessPointSwitchAllowed(dir, 6, true)) << "TsSwap missing";
  touch("TsSwap");  // the programs here carry no extension
  EXPECT_TRUE(AccessPointSwitchAllowed(dir, 6, true));
  for (int chip : {3, 10, 0, -1}) EXPECT_FALSE(AccessPointSwitchAllowed(dir, chip, true)) << chip;
  for (int chip : {4, 9}) EXPECT_TRUE(AccessPointSwitchAllowed(dir, chip, true)) << chip;
  EXPECT_FALSE(AccessPointSwitchAllowed(dir, 6, false));
  std::filesystem::create_directories(dir / "elsewhere");
  EXPECT_FALSE(AccessPointSwitchAllowed(dir / "elsewhere", 6, true));
}

TEST(ProgramFileOpenable, DirectoryWithTheNameDoesNotCount) {
  FakePaths paths;
  std::filesystem::create_directories(paths.ProgramDir() / "TsSwap.exe");
  EXPECT_FALSE(ProgramFileOpenable(paths.ProgramDir(), "TsSwap.exe"));
}

}  // namespace
}  // namespace kavo9
