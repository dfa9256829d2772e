#include <gtest/gtest.h>

#include <fstream>

#include "common/platform/fake/FakePlatform.h"
#include "common/shell/CommandLine.h"
#include "common/shell/SettingsFile.h"

namespace kavo9 {
namespace {

TEST(SettingsFile, SitsBesideTheExecutableWithTheExtensionIni) {
  EXPECT_EQ(SettingsFile("/opt/kavo9/bin/Stavio").path(), "/opt/kavo9/bin/Stavio.ini");
  EXPECT_EQ(SettingsFile("/opt/kavo9/bin/Stavio.exe").path(), "/opt/kavo9/bin/Stavio.ini");
  EXPECT_EQ(SettingsFile("/opt/kavo9.d/bin/Hostira").path(), "/opt/kavo9.d/bin/Hostira.ini");
}

TEST(SettingsFile, SwitchesAreOnOnlyForExactlyOne) {
  FakePaths paths;
  std::ofstream(paths.programDir / "Stavio.ini")
      << "; installer settings\n[ADVANCE]\nopenfile = 1 \nTxRate=yes\nBgProtection=true\n"
         "HT Setting=\"1\"\nEAPFastEnhancement=11\n[Page]\n11n Setting=1\n";
  SettingsFile file(paths.ExecutablePath());
  struct Case {
    SettingKey key;
    bool on;
  };
  for (const Case& c :
       {Case{settings::kOpenFile, true}, Case{settings::kTxRate, false},
        Case{settings::kBgProtection, false}, Case{settings::kHtSetting, true},
        Case{settings::kEapFastEnhancement, false}, Case{settings::kShow11nPage, true},
        Case{settings::kAllowStandardUserSetAdvance, true},  // missing: "1"
        Case{settings::kAllowStandardUserSetProfile, false},
        Case{settings::kWarningMessageForGenUser, true}}) {
    EXPECT_EQ(file.IsSettingOn(c.key), c.on) << c.key.section << "/" << c.key.key;
  }
}

TEST(SettingsFile, MissingFileGivesTheDefaultsAndLongValuesAreCut) {
  FakePaths paths;
  SettingsFile file(paths.ExecutablePath());
  EXPECT_EQ(file.ReadSettingsString("QKB1", "DeviceID_1", "none"), "none");
  std::ofstream(paths.programDir / "Stavio.ini")
      << "[QKB1]\nDeviceID_1=" << std::string(400, 'A') << "\n";
  EXPECT_EQ(file.ReadSettingsString("qkb1", "deviceid_1", "").size(), 255u);
}

TEST(CommandLine, OnlyTheExactSwitchKeepsTheMainWindowClosed) {
  struct Case {
    std::vector<std::string> arguments;
    bool opens;
  };
  for (const Case& c :
       {Case{{}, true}, Case{{"-S"}, false}, Case{{"-s"}, false}, Case{{"/S"}, true},
        Case{{"-S "}, true}, Case{{"-S", "x"}, true}, Case{{"--machine", "/tmp/m", "-S"}, false},
        Case{{"--machine=/tmp/m"}, true}}) {
    std::string machine;
    std::string line = CommandLineFromArguments(c.arguments, &machine);
    EXPECT_EQ(OpensMainWindowAtStart(line), c.opens) << "[" << line << "]";
  }
  std::string machine;
  CommandLineFromArguments({"--machine", "/tmp/m", "-S"}, &machine);
  EXPECT_EQ(machine, "/tmp/m");
}

}  // namespace
}  // namespace kavo9
