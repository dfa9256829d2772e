#include <gmock/gmock.h>

#include "station/shell/controller/tests/ControllerFixture.h"

namespace kavo9 {
namespace {

using ::testing::ElementsAre;

TEST_F(ControllerTest, UnplugIsNoticedWithinOneTickAndReplugRestoresTheAdapter) {
  Start(true);
  ASSERT_TRUE(mainWindow.open);
  driver.present = false;
  Ticks(1);
  EXPECT_FALSE(controller->state().adapterAvailable);
  EXPECT_FALSE(mainWindow.open);
  EXPECT_FALSE(controller->timers().IsSet(kTimerMoreLess));
  EXPECT_EQ(tray.Last(), "no-adapter");
  EXPECT_TRUE(adapter.identity.registryKey.empty());
  EXPECT_FALSE(adapter.identity.usb());
  EXPECT_GE(supplicant.releases, 2);
  EXPECT_TRUE(controller->timers().IsSet(kTimerTick));

  // Still gone: looked for at every tick.
  int discoveries = adapter.discoveries;
  Ticks(2);
  EXPECT_GE(adapter.discoveries, discoveries + 2);

  driver.present = true;
  driver.log.clear();
  supplicant.port = true;
  int releases = supplicant.releases;
  fake.loop.Advance(1000);
  EXPECT_TRUE(controller->state().adapterAvailable);
  EXPECT_EQ(tray.states[tray.states.size() - 2], "not-connected");  // found again
  EXPECT_EQ(adapter.identity.registryKey, kAdapterKey);
  // The adapter-ready routine ran again, without opening the main window.
  EXPECT_EQ(driver.Count("Q OID_VND_OP_MODE"), 1u);
  EXPECT_EQ(driver.Count("S OID_VND_RADIO"), 1u);
  EXPECT_FALSE(mainWindow.open);
  // The ports left from before the loss are released once more, then the tick goes on.
  EXPECT_EQ(supplicant.releases, releases + 2);
  EXPECT_EQ(driver.Count("Q OID_GEN_MEDIA_CONNECT_STATUS"), 1u);
}

TEST_F(ControllerTest, ScanRequestEveryNinetyTicksOnlyWithTheRadioOn) {
  struct Case {
    const char* radio;
    int scans;
  };
  for (const Case& c : {Case{"0", 2}, Case{"1", 0}}) {
    SCOPED_TRACE(c.radio);
    SetAdapterValue("Radio", c.radio);
    actions.scans = 0;
    Start();
    const int atStart = actions.scans;
    Ticks(181);
    // Every timer's tick counts, so ReconnectTick passes several multiples of 90.
    const int multiples = static_cast<int>((controller->reconnectTick() - 1) / 90);
    ASSERT_GE(multiples, 2);
    EXPECT_EQ(actions.scans - atStart, c.scans == 0 ? 0 : multiples);
    EXPECT_EQ(controller->state().radioOn, std::string(c.radio) == "0");
    controller.reset();
  }
}

TEST_F(ControllerTest, NoScanRequestWhileTheMainWindowIsOpen) {
  Start(true);
  const int atStart = actions.scans;
  Ticks(91);
  EXPECT_EQ(actions.scans, atStart);
}

TEST_F(ControllerTest, ConnectedTickShowsTheSignal) {
  Connected();
  driver.Answer(OID_VND_RSSI1, int32_t{-48});
  Start();
  Ticks(1);
  EXPECT_EQ(tray.Last(), "connected -48 Home");
  EXPECT_EQ(controller->reconnectTick(), 0u);  // no connect record
}

TEST_F(ControllerTest, LinkStateTwoMeansNotConnected) {
  Connected();
  driver.Answer(OID_VND_LINK_STATE, uint32_t{2});
  Start();
  fake.loop.Advance(1000);
  EXPECT_EQ(tray.Last(), "not-connected");
  EXPECT_EQ(controller->reconnectTick(), 1u);
}

TEST_F(ControllerTest, TicksDoNothingWhileTheAdapterIsBeingSelected) {
  Start();
  controller->SetSelecting(true);
  driver.log.clear();
  Ticks(3);
  EXPECT_TRUE(driver.log.empty());
  controller->OnTrayCallback(0x0203);
  EXPECT_FALSE(mainWindow.open);
  controller->SetSelecting(false);
  Ticks(1);
  EXPECT_FALSE(driver.log.empty());
}

TEST_F(ControllerTest, ScanWaitTimerRunsTheQueueOnceWhenAScanIsPending) {
  struct PendingActions : RecordingActions {
    bool ScanPending() const override { return true; }
  } pending;
  Start();
  controller.reset();
  // A fresh controller with a queue that has a scan pending.
  settings = std::make_unique<SettingsFile>(fake.paths.ExecutablePath());
  controller = std::make_unique<CHideDlg>(ControllerParts{
      fake.platform(), driver, adapter, store, *settings, language, tray, mainWindow, pending,
      connect, supplicant, wps, softApDefaults, region, state});
  controller->Initialise();
  controller->OnPowerBroadcast(PBT_APMRESUMESUSPEND);  // starts timer 2 with 3 s
  fake.loop.Advance(3000);
  EXPECT_EQ(pending.runs, 1);
  EXPECT_FALSE(controller->timers().IsSet(kTimerScanWait));
  fake.loop.Advance(10000);
  EXPECT_EQ(pending.runs, 1);
  controller.reset();  // before `pending` goes
}

TEST_F(ControllerTest, SuspendStopsEveryTimerAndResumeRequeuesTheLastRecord) {
  Start(true);
  connect.hasRecord = true;
  controller->ArmKeyErrorMonitor();
  fake.session.RaisePower(PBT_APMSUSPEND);
  fake.loop.RunPosted();
  for (TimerId id = 0; id <= 9; ++id) EXPECT_FALSE(controller->timers().IsSet(id)) << id;
  driver.log.clear();
  fake.loop.Advance(60000);
  EXPECT_TRUE(driver.log.empty());  // nothing ticks while suspended

  int starts = supplicant.starts;
  fake.session.RaisePower(PBT_APMRESUMEAUTOMATIC);
  fake.loop.RunPosted();
  EXPECT_TRUE(controller->timers().IsSet(kTimerTick));
  EXPECT_TRUE(controller->timers().IsSet(kTimerScanWait));
  EXPECT_TRUE(controller->timers().IsSet(kTimerKeyError));
  EXPECT_EQ(supplicant.starts, starts + 1);  // no port: the binding starts again
  EXPECT_EQ(connect.requeues, 1);
  EXPECT_EQ(actions.runs, 1);  // main window open, password panel hidden
  // The same wake-up announced again (resume from suspend after the automatic resume).
  fake.session.RaisePower(PBT_APMRESUMESUSPEND);
  fake.loop.RunPosted();
  EXPECT_EQ(connect.requeues, 1);
  EXPECT_EQ(actions.runs, 1);
  fake.loop.Advance(kTickMs);
  EXPECT_EQ(driver.Count("Q OID_GEN_MEDIA_CONNECT_STATUS"), 1u);  // timer 5 stays stopped
}

TEST_F(ControllerTest, AfterResumeARequeuedRecordWaitsWhileTheWindowIsClosedOrAsksForAPassword) {
  Start();
  connect.hasRecord = true;
  controller->OnPowerBroadcast(PBT_APMRESUMESUSPEND);
  EXPECT_EQ(connect.requeues, 1);
  EXPECT_EQ(actions.runs, 0);  // no main window
  controller->OpenMainWindow();
  mainWindow.ShowPanel(8);
  controller->OnPowerBroadcast(PBT_APMSUSPEND);
  controller->OnPowerBroadcast(PBT_APMRESUMESUSPEND);
  EXPECT_EQ(connect.requeues, 2);
  EXPECT_EQ(actions.runs, 0);  // password panel shown
}

TEST_F(ControllerTest, LockReleasesThePortsAndUnlockAfterAConsoleDisconnectStaysInactive) {
  Start();
  auto raise = [&](uint32_t code) {
    fake.session.RaiseSession(code);
    fake.loop.RunPosted();
  };
  raise(WTS_SESSION_LOCK);
  EXPECT_FALSE(controller->state().sessionActive);
  EXPECT_EQ(supplicant.releases, 1);
  raise(WTS_SESSION_UNLOCK);
  EXPECT_TRUE(controller->state().sessionActive);

  raise(WTS_SESSION_LOCK);
  raise(WTS_CONSOLE_DISCONNECT);
  raise(WTS_SESSION_UNLOCK);
  EXPECT_FALSE(controller->state().sessionActive);
  EXPECT_FALSE(controller->state().consoleDisconnected);
  // While inactive the tick does not start the supplicant binding.
  supplicant.running = false;
  int starts = supplicant.starts;
  Ticks(2);
  EXPECT_EQ(supplicant.starts, starts);
  raise(WTS_CONSOLE_CONNECT);
  EXPECT_TRUE(controller->state().sessionActive);
  Ticks(1);
  EXPECT_EQ(supplicant.starts, starts + 1);

  // Switching back to a session connects the console before unlocking it: the user is back, so
  // the session is active again.
  raise(WTS_CONSOLE_DISCONNECT);
  raise(WTS_SESSION_LOCK);
  raise(WTS_CONSOLE_CONNECT);
  raise(WTS_SESSION_UNLOCK);
  EXPECT_TRUE(controller->state().sessionActive);
}

TEST_F(ControllerTest, WepKeyErrorReachedWithinTwentySecondsOnAFirstGenerationAdapter) {
  struct Case {
    const char* name;
    bool firstGeneration;
    uint32_t fragmentsPerSample;
    uint32_t receivedPerSample;
    bool keyError;
    bool armedAfter;
  };
  for (const Case& c : {Case{"wrong key, first generation", true, 25, 0, true, true},
                        Case{"wrong key, later family", false, 25, 0, false, true},
                        Case{"traffic flows", true, 25, 3, false, false},
                        Case{"too little sent", true, 5, 0, false, true}}) {
    SCOPED_TRACE(c.name);
    adapter.found.isFirstGenerationFamily = c.firstGeneration;
    Connected();
    Start();
    std::array<uint8_t, 176> statistics{};
    uint64_t fragments = 1000;
    uint32_t received = 40;
    auto answerCounters = [&] {
      std::memcpy(statistics.data() + 8, &fragments, 8);
      driver.Answer(OID_802_11_STATISTICS, statistics);
      driver.Answer(OID_GEN_RCV_OK, received);
    };
    answerCounters();
    controller->ArmKeyErrorMonitor();
    for (int second = 0; second < 20; ++second) {
      if (second % 5 == 0) {  // the adapter keeps sending
        fragments += c.fragmentsPerSample / 2;
        received += c.receivedPerSample / 2 + (c.receivedPerSample % 2);
        answerCounters();
      }
      fake.loop.Advance(1000);
    }
    EXPECT_EQ(controller->state().keyError, c.keyError);
    EXPECT_EQ(controller->keyErrorMonitorArmed(), c.armedAfter);
    if (c.keyError) {
      EXPECT_EQ(tray.Last(), "key-error Home");
    }
    controller.reset();
  }
}

TEST_F(ControllerTest, LaterFamiliesTakeTheKeyErrorFromTheDriversMessage) {
  Connected();
  Start();
  driver.Answer(OID_VND_MESSAGE_FLAGS, uint32_t{1});
  fake.events.Raise(kDriverMessageEventClass, {EventObject{"TsWLANMessageEvent"}});
  fake.loop.RunPosted();
  EXPECT_TRUE(controller->state().keyError);
  Ticks(1);
  EXPECT_EQ(tray.Last(), "key-error Home");
  driver.Answer(OID_VND_MESSAGE_FLAGS, uint32_t{0});
  fake.events.Raise(kDriverMessageEventClass, {EventObject{"TsWLANMessageEvent"}});
  fake.loop.RunPosted();
  EXPECT_FALSE(controller->state().keyError);
}

TEST_F(ControllerTest, AuthenticationStartRenewsTheAddressOnAWorker) {
  fake.ipHelper.interfaces = {{3, "\\DEVICE\\TCPIP_{OTHER}"},
                              {7, std::string("\\DEVICE\\TCPIP_") + kInstanceId}};
  Start();
  controller->StartAuthentication(true, false);  // status view asked with a false flag
  EXPECT_EQ(supplicant.portStarts, 0);
  controller->StartAuthentication(false, false);
  EXPECT_EQ(supplicant.portStarts, 0);  // no port yet
  supplicant.port = true;
  SetAdapterValue("ShowAuthStatus", "1");
  controller->StartAuthentication(true, true);
  EXPECT_EQ(supplicant.portStarts, 1);
  EXPECT_TRUE(mainWindow.IsPanelShown(5));
  controller.reset();  // waits for the worker
  const std::string name = std::string("\\DEVICE\\TCPIP_") + kInstanceId;
  EXPECT_THAT(fake.ipHelper.Calls(),
              ElementsAre("table", "release " + name, "table", "renew " + name));
}

TEST_F(ControllerTest, ExitRemovesTheIconStopsTheTimersAndEnds) {
  // An icon the shell refused at start comes back with a later state change; Exit removes it
  // all the same.
  for (bool shellAcceptsAdd : {true, false}) {
    SCOPED_TRACE(shellAcceptsAdd ? "icon added at start" : "icon refused at start");
    tray.shellAcceptsAdd = shellAcceptsAdd;
    Start(true);
    Ticks(1);
    bool ended = false;
    controller->SetOnEnd([&] { ended = true; });
    controller->OnCommand(kCmdExit);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(mainWindow.open);
    EXPECT_EQ(tray.Last(), "removed");
    EXPECT_EQ(fake.loop.ActiveTimerCount(), 0u);
    controller.reset();
  }
}

TEST_F(ControllerTest, SwitchToAccessPointKeepsTheStationValuesAndStartsTheSwitchingProgram) {
  SetAdapterValue("Radio", "1");  // off: the switch is refused with a message
  Start(true);
  controller->OnCommand(kCmdSwitchToAp);
  EXPECT_THAT(mainWindow.messages, ElementsAre("IDS_INVAILDRADIOOFF"));
  EXPECT_TRUE(fake.launcher.launches.empty());

  state.radioOn = true;
  SetAdapterValue("Channel", "6");
  SetAdapterValue("SSID", "SoftAP-77", std::string(kAdapterKey) + "\\ApDefault");
  SetAdapterValue("Channel", "11", std::string(kAdapterKey) + "\\ApDefault");
  SetAdapterValue("Channel", "1", std::string(kAdapterKey) + "\\Default");
  bool ended = false;
  controller->SetOnEnd([&] { ended = true; });
  driver.log.clear();
  controller->OnCommand(kCmdSwitchToAp);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(mainWindow.open);
  EXPECT_EQ(AdapterValue("Channel", std::string(kAdapterKey) + "\\Default"), "6");
  EXPECT_EQ(AdapterValue("SSID"), "SoftAP-77");
  EXPECT_EQ(AdapterValue("Channel"), "11");
  EXPECT_EQ(AdapterValue("OpMode"), "1");
  EXPECT_EQ(driver.lastSet[OID_VND_OP_MODE], (std::vector<uint8_t>{1, 0, 0, 0}));
  ASSERT_EQ(fake.launcher.launches.size(), 1u);
  EXPECT_EQ(fake.launcher.launches[0].commandLine,
            "\"TsSwap.exe\" ON Stavio Hostira \"Norvik Wireless\" \"Kavo9 Utility\" "
            "USB\\VID_1D5A&PID_3071");
  EXPECT_EQ(fake.launcher.launches[0].showCmd, SW_SHOWMINIMIZED);

  // Destruction does not copy the access-point values over the saved station values.
  controller.reset();
  EXPECT_EQ(AdapterValue("Channel", std::string(kAdapterKey) + "\\Default"), "6");
}

// Loading the access-point values fails half way: the adapter key keeps the station values
// whole (no mix of both), the saved copy is there, and the switch still goes on.
TEST_F(ControllerTest, ALoadThatFailsHalfWayLeavesTheStationValuesWhole) {
  Start(true);
  SetAdapterValue("Channel", "6");
  SetAdapterValue("SSID", "home");
  const std::string ap = std::string(kAdapterKey) + "\\ApDefault";
  SetAdapterValue("SSID", "SoftAP-77", ap);
  SetAdapterValue("Channel", "11", ap);
  SetAdapterValue("HideSSID", "1", ap);
  store.refusedNames = {"HideSSID"};
  controller->OnCommand(kCmdSwitchToAp);
  EXPECT_EQ(AdapterValue("SSID"), "home");
  EXPECT_EQ(AdapterValue("Channel"), "6");
  EXPECT_EQ(AdapterValue("Channel", std::string(kAdapterKey) + "\\Default"), "6");
  EXPECT_EQ(AdapterValue("OpMode"), "1");
  EXPECT_EQ(fake.launcher.launches.size(), 1u);
}

TEST_F(ControllerTest, TGnWiFiTestIsMirroredOnHtAdaptersAtEveryTick) {
  adapter.found.isHtFamily = true;
  WriteSettings("[Advance]\nTGnWiFiTest=1\n");
  Start();
  Ticks(1);
  EXPECT_EQ(AdapterValue("TGnWifiTest"), "1");
  WriteSettings("[Advance]\nTGnWiFiTest=yes\n");
  Ticks(1);
  EXPECT_EQ(AdapterValue("TGnWifiTest"), "0");
  // A change made outside the program is put right at the next tick.
  SetAdapterValue("TGnWifiTest", "1");
  Ticks(1);
  EXPECT_EQ(AdapterValue("TGnWifiTest"), "0");
}

}  // namespace
}  // namespace kavo9
