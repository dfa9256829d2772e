// What the windows ask of the station: who may change what, and where the radio button's steps
// go.
#include "station/shell/services/StationServices.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/networks/queue/testing/QuietQueueParts.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9 {
namespace {

constexpr const char* kKey = "System\\CurrentControlSet\\Control\\Class\\{X}\\0001";

struct Host : ScanCycleHost {
  void StartScanWaitTimer(uint32_t) override {}
  std::vector<int32_t> AllowedChannels() override { return {1, 6, 11}; }
  uint64_t UtcFileTime() override { return 0; }
  void OnListReadOutsideQueue() override {}
};

class StationServicesTest : public ::testing::Test {
 protected:
  StationServicesTest() { adapter.identity.registryKey = kKey; }
  void WriteSettings(const std::string& text) {
    std::ofstream(fake.paths.programDir / "Stavio.ini") << text;
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  SettingsFile settings{fake.paths.ExecutablePath()};
  StationLanguage language{fake.paths, fake.system};
  StationState state;
  Host host;
  QuietQueueParts quiet;
  ActionQueue queue{{driver, host, quiet, quiet, quiet}};
  RecordingConnect connect;
  RecordingSupplicant supplicant;
  StationServices services{{fake.platform(), driver, adapter, store, settings, language, state,
                            queue, connect, supplicant}};
};

TEST_F(StationServicesTest, WhoMayChangeProfilesAndAdvancedSettings) {
  struct Case {
    const char* name;
    bool administrator;
    const char* settings;
    bool profiles;
    bool advanced;
  } cases[] = {
      {"administrator, no settings", true, "", true, true},
      {"standard user, no settings", false, "", false, true},
      {"standard user, both allowed", false,
       "[Advance]\nAllowStandardUserSetProfile=1\nAllowStandardUserSetAdvance=1\n", true, true},
      {"standard user, both refused", false,
       "[Advance]\nAllowStandardUserSetProfile=0\nAllowStandardUserSetAdvance=0\n", false, false},
      {"standard user, \"yes\" is not \"1\"", false, "[Advance]\nAllowStandardUserSetProfile=yes\n",
       false, true},
  };
  for (const Case& c : cases) {
    state.isAdministrator = c.administrator;
    WriteSettings(c.settings);
    EXPECT_EQ(services.MaySetProfiles(), c.profiles) << c.name;
    EXPECT_EQ(services.MaySetAdvanced(), c.advanced) << c.name;
  }
}

TEST_F(StationServicesTest, RadioButtonStepsReachTheDriverTheStoreAndTheState) {
  services.SetRadioOnFlag(false);
  EXPECT_FALSE(state.radioOn);
  services.SendRadioRequest(false);
  ASSERT_NE(driver.LastSet(OID_VND_RADIO), nullptr);
  EXPECT_EQ(driver.LastSet(OID_VND_RADIO)->value, (std::vector<uint8_t>{0, 0, 0, 0}));
  services.WriteRadioValue("1");
  EXPECT_EQ(store.writes, (std::vector<std::string>{"Radio=1"}));
  services.SetAutoReconnect(true);
  EXPECT_TRUE(connect.autoReconnect);
  // Without an adapter key nothing is written.
  adapter.identity.registryKey.clear();
  services.WriteRadioValue("0");
  EXPECT_EQ(store.writes.size(), 1u);
}

TEST_F(StationServicesTest, SingleSignOnIsInstalledOnlyWhenItsKeySaysOne) {
  state.isAdministrator = true;
  EXPECT_FALSE(services.SsoInstalled());
  RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, kSsoKey, "SSOInstall", "0");
  EXPECT_FALSE(services.SsoInstalled());
  RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, kSsoKey, "SSOInstall", "1");
  EXPECT_TRUE(services.SsoInstalled());
  // Not for a user who may not set profiles, nor while the Windows service has the adapter.
  state.isAdministrator = false;
  EXPECT_FALSE(services.SsoInstalled());
  state.isAdministrator = true;
  state.configToolState = kConfigToolService;
  EXPECT_FALSE(services.SsoInstalled());
}

}  // namespace
}  // namespace kavo9
