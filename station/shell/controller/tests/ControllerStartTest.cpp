#include <gmock/gmock.h>

#include "station/shell/controller/tests/ControllerFixture.h"

namespace kavo9 {
namespace {

using ::testing::ElementsAre;

TEST_F(ControllerTest, StartRunsTheAdapterReadySequenceInOrderAndTicks) {
  driver.Answer(OID_GEN_DRIVER_VERSION, uint16_t{0x0502});
  driver.Answer(OID_VND_STA_CONFIG, std::array<uint32_t, 8>{});
  Start();
  EXPECT_EQ(controller->title(), "HideDlg");
  EXPECT_EQ(CHideDlg::Instance(), controller.get());
  EXPECT_TRUE(controller->state().adapterAvailable);
  // No installer key on Windows XP: this utility becomes the tool (WPS connect off, service
  // stopped and on demand), then the TX-burst choice, bands, operating mode, the region refresh
  // with the driver version, and radio.
  EXPECT_THAT(driver.Names(),
              ElementsAre("S OID_VND_WPS_CONNECT", "Q OID_VND_STA_CONFIG", "S OID_VND_STA_CONFIG",
                          "Q OID_802_11_NETWORK_TYPES_SUPPORTED", "Q OID_VND_OP_MODE",
                          "Q OID_GEN_DRIVER_VERSION", "S OID_VND_RADIO"));
  EXPECT_THAT(fake.services.calls, ElementsAre("stop WZCSVC", "config WZCSVC 3"));
  EXPECT_THAT(store.writes,
              ElementsAre("RunOnceInitConfigTool=1", "TXBurst=0", "RunOnceInitConfigTxBurst=0"));
  EXPECT_EQ(driver.lastSet[OID_VND_RADIO], (std::vector<uint8_t>{1, 0, 0, 0}));
  // The driver's version is kept for the pieces that compare it.
  EXPECT_EQ(adapter.DriverVersion(), 0x0502);
  EXPECT_EQ(supplicant.starts, 1);
  EXPECT_EQ(actions.scans, 1);
  EXPECT_EQ(connect.activations, 2);  // the installer choice's and the adapter-ready one
  EXPECT_THAT(tray.states, ElementsAre("add not-connected"));
  EXPECT_FALSE(mainWindow.open);  // "-S"
  EXPECT_TRUE(controller->timers().IsSet(kTimerTick));
  EXPECT_TRUE(controller->timers().IsSet(kTimerWpsButton));
  EXPECT_TRUE(fake.session.registered);
  EXPECT_TRUE(controller->driverEventsSubscribed());

  // Installer choices are applied once: a second adapter-ready routine leaves them alone.
  driver.log.clear();
  controller->OnAdapterReady(false);
  EXPECT_EQ(driver.Count("S OID_VND_WPS_CONNECT"), 0u);
  EXPECT_EQ(driver.Count("Q OID_VND_STA_CONFIG"), 0u);

  // The first tick is the WPS button poll's, one second after the adapter became ready; every
  // timer's tick polls the connection.
  driver.log.clear();
  fake.loop.Advance(1000);
  EXPECT_THAT(driver.Names(), ElementsAre("Q OID_GEN_MEDIA_CONNECT_STATUS", "Q OID_802_11_BSSID",
                                          "Q OID_802_11_SSID", "Q OID_VND_LINK_STATE",
                                          "Q OID_802_11_INFRASTRUCTURE_MODE"));
  EXPECT_EQ(tray.Last(), "not-connected");
}

TEST_F(ControllerTest, InstallerChoicesComeFromTheInstallerKey) {
  {
    ScopedKey key(*fake.registry);
    fake.registry->CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESMAR\\WLAN\\InstallShield",
                             KEY_ALL_ACCESS, &key);
    uint32_t zero = 0, burst = 1;
    fake.registry->SetValue(key.get(), "ConfigToolSelect", REG_DWORD,
                            reinterpret_cast<uint8_t*>(&zero), 4);
    fake.registry->SetValue(key.get(), "ConfigTxBurstSelect", REG_DWORD,
                            reinterpret_cast<uint8_t*>(&burst), 4);
    ScopedKey interfaces(*fake.registry);
    fake.registry->CreateKey(
        HKEY_LOCAL_MACHINE,
        std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + kInstanceId,
        KEY_ALL_ACCESS, &interfaces);
    uint32_t flags = 0x10;
    fake.registry->SetValue(interfaces.get(), "ControlFlags", REG_DWORD,
                            reinterpret_cast<uint8_t*>(&flags), 4);
  }
  fake.services.services["WZCSVC"].state = SERVICE_STOPPED;
  std::array<uint32_t, 8> config{0, 1, 2, 3, 4, 5, 6, 7};
  driver.Answer(OID_VND_STA_CONFIG, config);
  Start();
  // The service becomes the tool: it manages the adapter and runs, started automatically.
  EXPECT_THAT(fake.services.calls, ElementsAre("start WZCSVC", "config WZCSVC 2"));
  EXPECT_EQ(controller->state().configToolState, kConfigToolService);
  EXPECT_EQ(AdapterValue("RunOnceInitConfigTool"), "0");
  EXPECT_EQ(AdapterValue("TXBurst"), "1");
  std::array<uint32_t, 8> sent{};
  std::memcpy(sent.data(), driver.lastSet[OID_VND_STA_CONFIG].data(), sizeof sent);
  EXPECT_EQ(sent, (std::array<uint32_t, 8>{1, 1, 2, 3, 4, 5, 0, 7}));
  // With the service in charge the scan list is read straight from the driver.
  EXPECT_EQ(driver.Count("Q OID_802_11_BSSID_LIST"), 1u);
  EXPECT_EQ(actions.scans, 0);
}

TEST_F(ControllerTest, ATxBurstChoiceTheDriverNeverGotIsNotRecordedAsApplied) {
  driver.refused.insert(OID_VND_STA_CONFIG);
  Start();
  EXPECT_EQ(driver.Count("S OID_VND_STA_CONFIG"), 0u);
  EXPECT_EQ(AdapterValue("TXBurst"), "<missing>");
  EXPECT_EQ(AdapterValue("RunOnceInitConfigTxBurst"), "<missing>");
  // The next adapter-ready routine tries again, and records the choice once it was sent.
  driver.refused.clear();
  driver.Answer(OID_VND_STA_CONFIG, std::array<uint32_t, 8>{});
  controller->OnAdapterReady(false);
  EXPECT_EQ(driver.Count("S OID_VND_STA_CONFIG"), 1u);
  EXPECT_EQ(AdapterValue("RunOnceInitConfigTxBurst"), "0");
}

TEST_F(ControllerTest, AnAdapterLeftInAccessPointModeIsForcedBackToStation) {
  driver.Answer(OID_VND_OP_MODE, uint32_t{1});
  Start();
  EXPECT_EQ(AdapterValue("OpMode"), "0");
  EXPECT_EQ(driver.lastSet[OID_VND_OP_MODE], (std::vector<uint8_t>{0, 0, 0, 0}));
  ASSERT_EQ(fake.launcher.launches.size(), 1u);
  EXPECT_EQ(fake.launcher.launches[0].commandLine, "\"Pickora.exe\" ICS_DOWN");
  EXPECT_EQ(fake.launcher.launches[0].showCmd, SW_HIDE);
}

TEST_F(ControllerTest, StandardUserWarningFollowsTheSettingAndTheToken) {
  struct Case {
    const char* name;
    bool administrator;
    const char* settings;
    bool warned;
  };
  for (const Case& c :
       {Case{"standard, key missing", false, "", true},
        Case{"standard, key 0", false, "[Account]\nWarningMessageForGenUser=0\n", false},
        Case{"administrator, key 1", true, "[account]\nwarningmessageforgenuser = 1\n", false}}) {
    SCOPED_TRACE(c.name);
    controller.reset();
    mainWindow.messages.clear();
    fake.token.administrator = c.administrator;
    WriteSettings(c.settings);
    Start();
    EXPECT_EQ(controller->state().isAdministrator, c.administrator);
    EXPECT_EQ(mainWindow.messages.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(mainWindow.messages[0], "IDS_GUEST_WARN");
    }
  }
}

TEST_F(ControllerTest, OldSystemsCountEveryUserAsAdministrator) {
  adapter.versionCode = 6;
  fake.token.administrator = false;
  Start();
  EXPECT_TRUE(controller->state().isAdministrator);
  EXPECT_FALSE(fake.session.registered);  // no session notifications before Windows XP
}

TEST_F(ControllerTest, WithoutAnAdapterTheControllerStartsAndKeepsLooking) {
  driver.present = false;
  Start(true);
  EXPECT_FALSE(controller->state().adapterAvailable);
  EXPECT_THAT(tray.states, ElementsAre("add no-adapter"));
  EXPECT_FALSE(mainWindow.open);
  EXPECT_TRUE(driver.log.empty());
  Ticks(3);
  EXPECT_EQ(adapter.discoveries, 4);
  // Asking for the main window without an adapter explains why it cannot open.
  controller->OpenMainWindow();
  EXPECT_THAT(mainWindow.messages, ElementsAre("IDS_DRIVER_NOTOK"));
  EXPECT_FALSE(controller->state().selecting);
}

TEST_F(ControllerTest, StartWithoutTheSwitchOpensTheMainWindow) {
  Start(true);
  EXPECT_TRUE(mainWindow.open);
  EXPECT_TRUE(controller->timers().IsSet(kTimerMoreLess));
}

TEST_F(ControllerTest, DestructionSavesTheStationValuesAndTurnsWpsOff) {
  const std::string saved = std::string(kAdapterKey) + "\\Default";
  // An adapter key without its "Default" subkey gets one: the values are kept all the same.
  for (bool defaultKeyExists : {true, false}) {
    SCOPED_TRACE(defaultKeyExists ? "Default present" : "Default missing");
    fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, saved);
    if (defaultKeyExists) SetAdapterValue("Old", "x", saved);
    SetAdapterValue("SSID", "Home");
    SetAdapterValue("Channel", "6");
    Start();
    driver.log.clear();
    adapter.drains = 0;
    controller.reset();
    EXPECT_EQ(AdapterValue("SSID", saved), "Home");
    EXPECT_EQ(AdapterValue("Channel", saved), "6");
    EXPECT_THAT(driver.Names(),
                ElementsAre("S OID_VND_WPS_CONNECT", "S OID_VND_PROFILE_KIND_FLAG"));
    EXPECT_EQ(adapter.drains, 1);
    EXPECT_TRUE(store.released);
    EXPECT_FALSE(fake.session.registered);
    EXPECT_EQ(fake.events.SubscriberCount(), 0u);
    EXPECT_EQ(CHideDlg::Instance(), nullptr);
  }
}

TEST_F(ControllerTest, ConfigurationToolState) {
  struct Case {
    const char* name;
    int version;
    uint32_t serviceState;
    int flags;  // -1: no service key, -2: key without the value
    int expected;
  };
  const std::string path =
      std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + kInstanceId;
  SetAdapterValue("RunOnceInitConfigTool", "1");  // the installer's choice is not under test
  for (const Case& c : {Case{"Windows 2000", 7, SERVICE_RUNNING, 0x8000, 0},
                        Case{"service stopped", 8, SERVICE_STOPPED, 0x8000, 0},
                        Case{"service manages", 8, SERVICE_RUNNING, 0x8000, 2},
                        Case{"no service key", 8, SERVICE_RUNNING, -1, 2},
                        Case{"no flags value", 8, SERVICE_RUNNING, -2, 1},
                        Case{"bit clear", 8, SERVICE_RUNNING, 0x10, 1}}) {
    SCOPED_TRACE(c.name);
    fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft");
    if (c.flags != -1) {
      ScopedKey key(*fake.registry);
      fake.registry->CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
      uint32_t flags = static_cast<uint32_t>(c.flags);
      if (c.flags >= 0) {
        fake.registry->SetValue(key.get(), "ControlFlags", REG_DWORD,
                                reinterpret_cast<uint8_t*>(&flags), 4);
      }
    }
    fake.services.services["WZCSVC"].state = c.serviceState;
    adapter.versionCode = c.version;
    adapter.identity = adapter.found;
    Start();
    EXPECT_EQ(controller->ComputeConfigToolState(), c.expected);
    controller.reset();
  }
}

}  // namespace
}  // namespace kavo9
