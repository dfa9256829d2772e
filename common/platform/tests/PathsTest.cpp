#include <gtest/gtest.h>

#include "common/platform/ProcessLauncher.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {
namespace {

TEST(Paths, WindowsPathsMapOntoTheMachine) {
  FakePaths paths;
  struct Case {
    const char* windows;
    std::filesystem::path expected;
  } cases[] = {
      {"C:\\Linkora_test.txt", paths.machineDir / "drive_c" / "Linkora_test.txt"},
      {"c:/Program Files\\Kavo9\\x.ini",
       paths.machineDir / "drive_c" / "Program Files" / "Kavo9" / "x.ini"},
      {"D:\\a\\..\\b", paths.machineDir / "drive_d" / "b"},
      {"Languages\\Lang0409.ini", paths.programDir / "Languages" / "Lang0409.ini"},
      {"C:\\..\\etc\\passwd", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(paths.FromWindows(c.windows), c.expected) << c.windows;
}

TEST(ProcessLauncher, SplitsWindowsCommandLines) {
  EXPECT_EQ(
      SplitCommandLine("\"TsSwap.exe\" ON Stavio Hostira \"Norvik Wireless\" \"Kavo9 Utility\" X"),
      (std::vector<std::string>{"TsSwap.exe", "ON", "Stavio", "Hostira", "Norvik Wireless",
                                "Kavo9 Utility", "X"}));
  EXPECT_EQ(SplitCommandLine("  \"Pickora.exe\"  ICS_DOWN "),
            (std::vector<std::string>{"Pickora.exe", "ICS_DOWN"}));
  EXPECT_TRUE(SplitCommandLine("").empty());
}

}  // namespace
}  // namespace kavo9
