// The soft-AP controller on virtual time: start-up with and without an adapter or rights, the
// tick's icon, adapter loss and return, the sheet, power events and the hand-back to the station.

#include "softap/shell/CHideDlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/RecordingTrayIcon.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/AdapterKey.h"
#include "common/shell/InstanceMessages.h"
#include "common/shell/testing/DirectStore.h"
#include "softap/shell/HostiraIds.h"
#include "softap/shell/testing/RecordingApParts.h"

namespace kavo9::softap {
namespace {

uint32_t Last(const ScriptedDriver& driver, uint32_t oid) {
  const DriverRequest* set = driver.LastSet(oid);
  if (!set || set->value.size() < 4) return 0xFFFFFFFF;
  uint32_t v = 0;
  std::memcpy(&v, set->value.data(), 4);
  return v;
}

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class ApController : public ::testing::Test {
 protected:
  ApController() {
    adapter.found.registryKey = kKey;
    adapter.found.chipKind = 6;
    adapter.found.isHtFamily = true;
    adapter.found.bus = AdapterBus::kUsb;
    adapter.found.hardwareIdPrefix = "USB\\VID_1D5A&PID_3070";
    driver.AnswerDword(OID_VND_OP_MODE, 0);
    driver.AnswerDword(OID_802_11_RSSI, uint32_t(-30));
    driver.Answer(OID_802_11_CONFIGURATION, std::array<uint8_t, 32>{32});
    driver.Answer(OID_VND_AP_CONFIG, std::array<uint8_t, 32>{});
    Put(kKey, "SSID", "station-net");
    Put(Ap(), "SSID", "Lobby");
    Put(Ap(), "Channel", "11");
    fake.services.services[kWirelessConfigService].state = SERVICE_RUNNING;
    controller.SetOnEnd([this](int result) { endResult = result; });
  }
  static std::string Ap() { return SubkeyPath(kKey, kAccessPointValuesSubkey); }
  static std::string Saved() { return SubkeyPath(kKey, kStationValuesSubkey); }
  void Put(const std::string& path, const std::string& name, const std::string& text) {
    ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, path, name, text), 0);
  }
  std::string Get(const std::string& path, const std::string& name) {
    std::string text;
    return ReadMachineText(*fake.registry, path, name, &text) ? text : "<missing>";
  }

  FakePlatform fake;
  ScriptedDriver driver{[this] { return fake.loop.MonotonicMs(); }};
  FakeAdapter adapter{driver};
  DirectStore store{*fake.registry};
  SettingsFile settings{fake.paths.programDir / "Hostira"};
  HostiraStrings strings{0x0409};
  RecordingTrayIcon tray;
  RecordingSheet sheet;
  RecordingMessages messages;
  RecordingSharing sharing;
  RecordingEventLog eventLog;
  ApRuntimeState state;
  CHideDlg controller{{fake.platform(), driver, adapter, store, settings, strings, tray, sheet,
                       messages, sharing, eventLog, state}};
  int endResult = -1;
};

TEST_F(ApController, StartsTheAccessPointAndOpensTheSheet) {
  controller.Initialise();
  EXPECT_TRUE(controller.adapterPresent());
  EXPECT_EQ(Last(driver, OID_VND_OP_MODE), 1u);
  EXPECT_EQ(Get(kKey, "OpMode"), "1");
  EXPECT_EQ(Get(kKey, "SSID"), "Lobby");
  EXPECT_EQ(Get(kKey, "Channel"), "11");
  EXPECT_EQ(Get(Ap(), "AllowBW40Capability"), "1");
  EXPECT_EQ(driver.Count("S OID_802_11_SSID"), 1u);
  EXPECT_TRUE(sheet.open);
  EXPECT_EQ(sheet.icon, kIconDisconnected);
  EXPECT_EQ(sharing.enables, 1);
  EXPECT_EQ(fake.services.services[kWirelessConfigService].state, SERVICE_STOPPED);
  EXPECT_TRUE(controller.trayIconShown());
  EXPECT_EQ(tray.icon, kIconDisconnected);
  EXPECT_EQ(tray.tip, "Norvik Kavo9\nDisconnected");
  EXPECT_EQ(Get(kKey, "bCheckBuild"), "0");
}

TEST_F(ApController, WithDashSOpensNoSheet) {
  controller.SetOpenSheetAtStart(false);
  controller.Initialise();
  EXPECT_FALSE(sheet.open);
  EXPECT_EQ(Get(kKey, "OpMode"), "1");
  EXPECT_TRUE(tray.added);
}

TEST_F(ApController, AStandardUserIsToldAndNothingIsTouched) {
  fake.token.administrator = false;
  controller.Initialise();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], "Soft AP user's account must have 'Administrator' privilege.");
  EXPECT_EQ(endResult, kEndNotAdministrator);
  EXPECT_TRUE(driver.log.empty());
  EXPECT_FALSE(tray.added);
  EXPECT_EQ(Get(kKey, "OpMode"), "<missing>");
}

TEST_F(ApController, TheTickShowsTheSignalAndKeepsTheServiceStopped) {
  controller.Initialise();
  const std::pair<int32_t, uint32_t> cases[] = {
      {-30, kIconGood}, {-54, kIconGood}, {-55, kIconNormal}, {-70, kIconWeak}, {-90, kIconWeak}};
  for (const auto& [dbm, icon] : cases) {
    SCOPED_TRACE(dbm);
    driver.AnswerDword(OID_802_11_RSSI, uint32_t(dbm));
    fake.services.services[kWirelessConfigService].state = SERVICE_RUNNING;
    fake.loop.Advance(kApTickMs);
    EXPECT_EQ(tray.icon, icon);
    EXPECT_EQ(sheet.icon, icon);
    EXPECT_EQ(fake.services.services[kWirelessConfigService].state, SERVICE_STOPPED);
  }
  EXPECT_EQ(tray.tip, "Norvik Kavo9\nStatus : Weak");
  EXPECT_EQ(eventLog.fetches, 5);
  EXPECT_EQ(ApSignalPercent(-40), 100);
  EXPECT_EQ(ApSignalPercent(-60), 60);
  EXPECT_EQ(ApSignalPercent(-82), 10);
  EXPECT_EQ(ApSignalPercent(-85), 0);
}

TEST_F(ApController, AnUnpluggedAdapterClosesTheSheetAndItsReturnAppliesAgain) {
  controller.Initialise();
  ASSERT_TRUE(sheet.open);
  driver.present = false;
  fake.loop.Advance(kApTickMs);
  EXPECT_FALSE(sheet.open);
  EXPECT_EQ(tray.icon, kIconNotExist);
  EXPECT_EQ(tray.tip, "Norvik Kavo9\nNot Exist");
  EXPECT_FALSE(state.adapterIsUsb);
  // The tray does nothing without an adapter.
  controller.OnTrayCallback(WM_LBUTTONDBLCLK);
  EXPECT_FALSE(sheet.open);

  driver.present = true;
  driver.log.clear();
  fake.loop.Advance(kApTickMs);
  EXPECT_TRUE(controller.adapterPresent());
  EXPECT_EQ(tray.icon, kIconDisconnected);
  EXPECT_EQ(driver.Count("S OID_802_11_SSID"), 1u);
  EXPECT_FALSE(sheet.open);  // finding it again never reopens the sheet
  fake.loop.Advance(kApTickMs);
  EXPECT_EQ(tray.icon, kIconGood);
}

TEST_F(ApController, ANotificationAreaThatForgotTheIconGetsItBack) {
  controller.Initialise();
  tray.SetShellAvailable(false);
  tray.SetShellAvailable(true);
  fake.loop.Advance(kApTickMs);
  EXPECT_TRUE(tray.added);
  EXPECT_EQ(tray.icon, kIconGood);
}

TEST_F(ApController, TheMenuOffersItsThreeCommands) {
  controller.SetOpenSheetAtStart(false);
  controller.Initialise();
  controller.OnTrayCallback(WM_RBUTTONDOWN);
  ASSERT_EQ(tray.menu->size(), 3u);
  EXPECT_EQ((*tray.menu)[0], (TrayMenuItem{kCmdOpen, "Launch Config Utilities "}));
  EXPECT_EQ((*tray.menu)[1], (TrayMenuItem{kCmdSwitchToStation, "Switch to Station Mode"}));
  EXPECT_EQ((*tray.menu)[2], (TrayMenuItem{kCmdApExit, "Exit"}));
  tray.menuChosen(kCmdOpen);
  EXPECT_TRUE(sheet.open);
  controller.OnCommand(kCmdOpen);
  EXPECT_EQ(sheet.creates, 1);
  EXPECT_EQ(sheet.raises, 1);
  tray.menuChosen(kCmdApExit);
  EXPECT_EQ(endResult, kEndExit);
  EXPECT_FALSE(tray.added);
  EXPECT_FALSE(sheet.open);
  EXPECT_EQ(sharing.disables, 1);
  EXPECT_TRUE(fake.launcher.launches.empty());
}

TEST_F(ApController, SwitchingToStationModeRestoresTheStationValuesAndStartsTsSwap) {
  Put(Saved(), "SSID", "station-net");
  Put(Saved(), "Channel", "6");
  controller.Initialise();
  ASSERT_EQ(Get(kKey, "Channel"), "11");
  controller.OnCommand(kCmdSwitchToStation);
  EXPECT_EQ(Get(kKey, "OpMode"), "0");
  EXPECT_EQ(Last(driver, OID_VND_OP_MODE), 0u);
  EXPECT_EQ(Get(kKey, "Channel"), "6");
  EXPECT_EQ(Get(kKey, "SSID"), "station-net");
  EXPECT_EQ(endResult, kEndExit);
  ASSERT_EQ(fake.launcher.launches.size(), 1u);
  EXPECT_EQ(fake.launcher.launches[0].commandLine,
            "\"TsSwap.exe\" OFF Stavio Hostira \"Norvik Wireless\" \"Kavo9 Utility\"");
}

// A restore that fails half way leaves the adapter key as the access point had it (no mix of
// both), and the switch goes on.
TEST_F(ApController, ARestoreThatFailsHalfWayLeavesTheAdapterKeyWhole) {
  Put(Saved(), "SSID", "station-net");
  Put(Saved(), "Channel", "6");
  Put(Saved(), "HideSSID", "0");
  controller.Initialise();
  store.refusedNames = {"HideSSID"};
  controller.OnCommand(kCmdSwitchToStation);
  EXPECT_EQ(Get(kKey, "SSID"), "Lobby");
  EXPECT_EQ(Get(kKey, "Channel"), "11");
  EXPECT_EQ(Get(kKey, "OpMode"), "0");
  EXPECT_EQ(fake.launcher.launches.size(), 1u);
}

TEST_F(ApController, SwitchingWithoutSavedStationValuesStillStartsTsSwap) {
  controller.Initialise();
  controller.OnCommand(kCmdSwitchToStation);
  EXPECT_EQ(Get(kKey, "Channel"), "11");
  EXPECT_EQ(fake.launcher.launches.size(), 1u);
}

TEST_F(ApController, WithoutAnAdapterItKeepsLooking) {
  driver.present = false;
  controller.Initialise();
  EXPECT_FALSE(controller.adapterPresent());
  EXPECT_EQ(tray.icon, kIconDisconnected);
  EXPECT_FALSE(sheet.open);
  controller.OpenSheet();
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Card or driver not ready"});
  fake.loop.Advance(kApTickMs);
  EXPECT_EQ(tray.icon, kIconNotExist);
  driver.present = true;
  fake.loop.Advance(kApTickMs);
  EXPECT_TRUE(controller.adapterPresent());
  EXPECT_EQ(Get(kKey, "OpMode"), "1");
}

TEST_F(ApController, SuspendStopsTheTickAndResumeStartsIt) {
  controller.Initialise();
  controller.OnPowerBroadcast(PBT_APMSUSPEND);
  const size_t before = driver.Count("Q OID_802_11_RSSI");
  fake.loop.Advance(3 * kApTickMs);
  EXPECT_EQ(driver.Count("Q OID_802_11_RSSI"), before);
  controller.OnPowerBroadcast(PBT_APMRESUMESUSPEND);
  fake.loop.Advance(kApTickMs);
  EXPECT_EQ(driver.Count("Q OID_802_11_RSSI"), before + 1);
}

TEST_F(ApController, TheHtPageFollowsTheSettingsFileAndTGnWifiTestIsMirrored) {
  controller.Initialise();
  EXPECT_FALSE(sheet.htPage);
  {
    std::ofstream ini(settings.path());
    ini << "[Page]\n11n Setting=1\n[Advance]\nTGnWiFiTest=1\n";
  }
  fake.loop.Advance(kApTickMs);
  EXPECT_TRUE(sheet.htPage);
  EXPECT_EQ(Get(kKey, "TGnWifiTest"), "1");
  adapter.found.isHtFamily = false;
  driver.present = false;
  fake.loop.Advance(kApTickMs);
  driver.present = true;
  fake.loop.Advance(kApTickMs);
  controller.OpenSheet();
  EXPECT_FALSE(sheet.htPage);
}

TEST_F(ApController, TheTxBurstTakeOverAndTheRegionWordRunInTheSequence) {
  Put(kKey, "TXBurst", "1");
  Put(kKey, "RunOnceInitConfigTxBurst", "1");
  driver.AnswerDword(OID_VND_COUNTRY_REGION, 0x0080 | 0x0005);
  controller.Initialise();
  EXPECT_EQ(Get(Ap(), "TXBurst"), "1");
  EXPECT_FALSE(state.region24Editable);
  EXPECT_EQ(state.countryRegionWord, 0x0005u);
  EXPECT_EQ(Last(driver, OID_VND_COUNTRY_REGION) & 0x7F, 5u);
}

}  // namespace
}  // namespace kavo9::softap
