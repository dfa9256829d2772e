// The WPS page's runs on virtual time against the adapter emulator: the emulator plays the
// driver and the access points, the real connect steps join what the credentials name.

#include "station/wps/page/WpsPage.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/DeviceIo.h"
#include "sim/emulator/AdapterEmulator.h"
#include "sim/emulator/ScenarioReader.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/connect/testing/ConnectRig.h"
#include "station/shell/controller/testing/RecordingParts.h"
#include "station/wps/WpsPin.h"
#include "station/wps/WpsStatusTable.h"

namespace kavo9::wpspage {
namespace {

class EmulatorDriver : public DriverPort {
 public:
  AdapterEmulator* emulator = nullptr;
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t* count) override {
    return Control(oid, buffer, length, count);
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int) override {
    std::vector<uint8_t> copy(length);
    if (length) std::memcpy(copy.data(), buffer, length);
    sets.push_back(oid);
    return Control(oid | kSetBit, copy.data(), length, nullptr);
  }
  bool IsAdapterPresent() override { return true; }
  std::vector<uint32_t> sets;

 private:
  bool Control(uint32_t code, void* buffer, uint32_t length, uint32_t* count) {
    uint8_t in[4];
    std::memcpy(in, &code, 4);
    uint32_t returned = 0;
    const int32_t status =
        emulator->Handle(IOCTL_NDIS_QUERY_GLOBAL_STATS, in,
                         std::span<uint8_t>(static_cast<uint8_t*>(buffer), length), &returned);
    if (count) *count = returned;
    return status == 0;
  }
};

constexpr const char* kWorld = R"({
  "adapters": [{
    "name": "usb0", "family": "QKD170",
    "hardwareIds": ["USB\\VID_1D5A&PID_3070"], "deviceDescription": "USB card",
    "instanceId": "{6F1C3B52-0C1E-4B8A-9A59-2A0D3C70A001}", "mac": "00-1D-5A-30-70-01",
    "bands": ["2.4"], "parameters": {"WirelessMode": 0}
  }],
  "networks": [
    {"ssid": "Hoffmann", "bssid": "00-11-22-00-00-01", "channel": 3, "signal": -50,
     "security": "wep", "key": "1A2B3C4D5E", "wps": {"pin": "46890535"}},
    {"ssid": "Bakery", "bssid": "00-11-22-00-00-02", "channel": 6, "signal": -55,
     "wps": {}},
    {"ssid": "Fresh", "bssid": "00-11-22-00-00-03", "channel": 11, "signal": -60,
     "wps": {"state": "unconfigured", "pin": "11112228"}},
    {"ssid": "NoWps", "bssid": "00-11-22-00-00-04", "channel": 1, "signal": -40}
  ]
})";

struct Host : WpsPageHost {
  std::vector<std::string> messages;
  int scans = 0;
  std::vector<uint32_t> details;
  std::vector<std::string> imported;
  int changes = 0;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void RequestScan() override { ++scans; }
  int WirelessMode() const override { return 0; }
  bool MaySetProfiles() const override { return true; }
  void ShowApDetail(std::span<const uint8_t>) override {}
  void ShowCredentialDetail(uint32_t slot) override { details.push_back(slot); }
  void ImportCredential(const wps::WpsCredential& c) override { imported.push_back(c.SsidText()); }
  void Changed() override { ++changes; }
};

struct Timers : wps::WpsTimerPort {
  std::map<uint32_t, uint32_t> running;
  void Start(uint32_t id, uint32_t ms) override { running[id] = ms; }
  void Stop(uint32_t id) override { running.erase(id); }
};

class WpsPageTest : public testing::Test {
 protected:
  WpsPageTest() {
    driver.emulator = emulator.get();
    adapter.identity.registryKey = connect::kRigAdapterKey;
    world.SetWpsButton(scenario.networks[1].bssid, true);
    emulator->SetReconfigure([this](const MacAddress& bssid, const NetworkSpec& settings) {
      return world.Reconfigure(bssid, settings);
    });
    emulator->Load({});
    part.Bind({.queue = &rig.queuePort,
               .supplicant = &rig.supplicant,
               .timers = &timers,
               .freshList = [this] { return std::span<const uint8_t>(fresh); },
               .refreshList = {},
               .activateStationProfile = [this] { ++activations; },
               .psMode = [] { return 0u; }});
    Loop().Advance(AdapterEmulator::kScanMs24);
    ReadList();
  }
  VirtualEventLoop& Loop() { return rig.fake.loop; }
  void ReadList() {
    fresh.assign(65536, 0);
    uint32_t n = 0;
    driver.QueryInformation(OID_802_11_BSSID_LIST, fresh.data(), uint32_t(fresh.size()), &n);
  }
  std::unique_ptr<WpsPage> Open() {
    auto page = std::make_unique<WpsPage>(Loop(), part, host);
    Loop().Advance(kApListMs);
    return page;
  }
  int Row(const WpsPage& page, const std::string& ssid) {
    for (size_t i = 0; i < page.Aps().size(); ++i) {
      if (page.Aps()[i].Ssid == ssid) return int(i);
    }
    return -1;
  }
  std::string Joined() const {
    const NetworkSpec* n = emulator->associatedNetwork();
    return n ? n->ssid : "";
  }
  // Runs the poll until it stops or `ms` passed.
  void RunFor(const WpsPage& page, uint64_t ms) {
    for (uint64_t t = 0; t < ms && page.Polling(); t += 100) Loop().Advance(100);
  }

  static Scenario Parse() {
    Scenario parsed;
    std::string error;
    EXPECT_TRUE(ParseScenario(kWorld, &parsed, &error)) << error;
    return parsed;
  }

  Scenario scenario = Parse();
  World world{scenario.networks};
  ScriptedDriver unused;
  FakeAdapter adapter{unused};
  EmulatorDriver driver;
  connect::ConnectRig rig{driver, adapter};
  std::unique_ptr<AdapterEmulator> emulator = std::make_unique<AdapterEmulator>(
      scenario.adapters.at(0), world, [this] { return rig.fake.loop.MonotonicMs(); });
  wps::WpsPart part{driver, {adapter, *rig.fake.registry, rig.store}};
  Host host;
  Timers timers;
  std::vector<uint8_t> fresh;
  int activations = 0;
};

TEST_F(WpsPageTest, ListsOnlyWpsAccessPointsAndStartsWithAFreshValidPin) {
  auto page = Open();
  EXPECT_EQ(page->Aps().size(), 3u);
  EXPECT_EQ(Row(*page, "NoWps"), -1);
  EXPECT_EQ(page->SelectedAp(), 0);
  EXPECT_EQ(wps::CheckPinText(page->PinText()), wps::PinCheck::kValid);
  EXPECT_EQ(page->State().PinCode, uint32_t(std::stoul(page->PinText())));
  EXPECT_TRUE(page->Buttons().pin);
  EXPECT_FALSE(page->Buttons().rotate);
  EXPECT_EQ(timers.running.count(wps::kTimerButton), 0u);  // the page polls the button itself
  page.reset();
  EXPECT_EQ(timers.running[wps::kTimerButton], wps::kButtonMs);
}

TEST_F(WpsPageTest, EnrolleePinRunStoresTheCredentialAndJoinsTheWepNetwork) {
  auto page = Open();
  // The person types the station's PIN into the access point's settings.
  world.SetWpsPin(scenario.networks[0].bssid, page->PinText());
  page->SelectAp(Row(*page, "Hoffmann"));
  page->StartPin();
  EXPECT_EQ(page->StatusLine(), "Start PIN connection - Hoffmann");
  EXPECT_EQ(page->Progress(), 5);
  Loop().Advance(1000);
  EXPECT_EQ(page->StatusLine().rfind("PIN - ", 0), 0u);
  EXPECT_GT(page->Progress(), 5);
  RunFor(*page, 10'000);
  EXPECT_EQ(page->StatusLine(), "PIN - Get WPS profile successfully.");
  EXPECT_EQ(page->Progress(), 100);
  ASSERT_EQ(page->Credentials().Count, 1u);
  EXPECT_EQ(page->Credentials().Slots[0].SsidText(), "Hoffmann");
  EXPECT_EQ(page->Credentials().Slots[0].KeyText(), "1A2B3C4D5E");
  EXPECT_EQ(page->State().Channel, 3u);
  EXPECT_EQ(page->RowStates(), std::vector<int>{1});
  Loop().Advance(3000);
  EXPECT_EQ(Joined(), "Hoffmann");
  EXPECT_FALSE(emulator->messageFlags() & AdapterEmulator::kMessageKeyError);
  Loop().Advance(2000);
  EXPECT_EQ(page->RowStates(), std::vector<int>{0});  // the watch sees the network joined
  EXPECT_FALSE(page->State().Rotate);

  // The record survives the program.
  wps::WpsState reloaded;
  part.Record().LoadWpsRecord(reloaded);
  EXPECT_TRUE(reloaded.WscInUse);
  EXPECT_EQ(reloaded.Table, page->Credentials());
}

TEST_F(WpsPageTest, WrongPinShowsItsTextAndStoresNothing) {
  auto page = Open();
  world.SetWpsPin(scenario.networks[0].bssid, "12345670");
  page->SelectAp(Row(*page, "Hoffmann"));
  page->StartPin();
  Loop().Advance(10'000);
  EXPECT_EQ(page->StatusLine(), "PIN - Error PIN Code (R-Hash mismatch)");
  EXPECT_TRUE(page->Credentials().Empty());
  EXPECT_EQ(Joined(), "");
}

TEST_F(WpsPageTest, PinBoxIsCheckedBeforeAnythingStarts) {
  auto page = Open();
  page->ChangeConfigMode(1);  // registrar: the box takes the access point's PIN
  const size_t sets = driver.sets.size();
  for (const auto& [text, message] :
       std::vector<std::pair<std::string, std::string>>{{"1234567", "Invaild Pin Code"},
                                                        {"1234567x", "Invaild Pin Code"},
                                                        {"12345671", "Pin Code error"}}) {
    page->SetPinText(text);
    page->StartPin();
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back(), message) << text;
  }
  EXPECT_EQ(driver.sets.size(), sets);
  EXPECT_FALSE(page->Polling());
}

TEST_F(WpsPageTest, PushButtonRunJoinsThePressedOpenNetwork) {
  auto page = Open();
  page->StartPbc();
  EXPECT_EQ(page->StatusLine(), "Start PBC connection");
  EXPECT_FALSE(page->Buttons().pbc);
  RunFor(*page, 10'000);
  EXPECT_EQ(page->StatusLine(), "PBC - Get WPS profile successfully.");
  ASSERT_EQ(page->Credentials().Count, 1u);
  EXPECT_EQ(page->Credentials().Slots[0].SsidText(), "Bakery");
  EXPECT_TRUE(page->Buttons().pbc);
  Loop().Advance(3000);
  EXPECT_EQ(Joined(), "Bakery");
}

TEST_F(WpsPageTest, RegistrarRunReconfiguresTheUnconfiguredAccessPoint) {
  auto page = Open();
  page->ChangeConfigMode(1);
  ASSERT_EQ(page->Credentials().Count, 1u);
  const wps::WpsCredential offered = page->Credentials().Slots[0];
  EXPECT_EQ(offered.SsidText(), "ExRegNW307001");
  EXPECT_TRUE(page->Buttons().pinEditable);
  EXPECT_FALSE(page->Buttons().removeShown);
  page->SetPinText("11112228");
  page->SelectAp(Row(*page, "Fresh"));
  page->StartPin();
  RunFor(*page, 10'000);
  EXPECT_EQ(page->StatusLine(), "PIN - Get WPS profile successfully.");
  const NetworkSpec* ap = world.Find(scenario.networks[2].bssid);
  EXPECT_EQ(ap->ssid, offered.SsidText());
  EXPECT_EQ(ap->security, Security::kWpa2Psk);
  EXPECT_EQ(ap->key, offered.KeyText());
  EXPECT_EQ(ap->wps.state, 2);
}

TEST_F(WpsPageTest, HardwareButtonWithThePageOpenClearsTheTableEvenAsRegistrar) {
  auto page = Open();
  page->ChangeConfigMode(1);
  ASSERT_FALSE(page->Credentials().Empty());
  emulator->PressWpsButton();
  Loop().Advance(1000);
  EXPECT_TRUE(page->Polling());
  EXPECT_TRUE(page->Credentials().Empty());
  RunFor(*page, 10'000);
  EXPECT_EQ(page->Credentials().Slots[0].SsidText(), "Bakery");
}

TEST_F(WpsPageTest, DeletingTheCredentialInUseStopsWpsAndOthersDoNot) {
  wps::WpsState& s = part.State();
  for (const char* ssid : {"a", "b", "c"}) {
    wps::WpsCredential c;
    c.SetSsid(ssid);
    c.AuthType = wps::kAuthOpen;
    c.EncryType = wps::kEncryNone;
    s.Table.Add(c);
  }
  auto page = Open();
  page->SelectProfile(2);
  page->Connect();
  EXPECT_TRUE(s.WscInUse);
  EXPECT_EQ(s.SelectedCredential, 2u);
  page->SelectProfile(1);
  page->Delete();
  EXPECT_EQ(page->Credentials().Count, 2u);
  EXPECT_EQ(page->Credentials().Slots[1].SsidText(), "c");
  EXPECT_EQ(activations, 0);
  // The refill makes slot 0 the selected credential; deleting it stops WPS use.
  page->SelectProfile(0);
  page->Delete();
  EXPECT_FALSE(s.WscInUse);
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(page->StatusLine(), "WPS status is disconnected");
  page->SelectProfile(0);
  page->Delete();
  EXPECT_TRUE(page->Credentials().Empty());
  EXPECT_EQ(s.Channel, 1u);
}

TEST_F(WpsPageTest, AnEmptyBandAfterARescanFallsBackToAllBandsOnce) {
  auto page = Open();
  page->ChangeBand(int(wps::kBand5Only));  // the demo's access points are all at 2.4 GHz
  EXPECT_EQ(host.scans, 1);
  EXPECT_EQ(driver.sets.back(), uint32_t(OID_VND_WPS_BAND));
  Loop().Advance(kApListMs);
  EXPECT_EQ(page->Aps().size(), 3u);  // shown from every band this once
  EXPECT_EQ(page->State().Band, uint32_t(wps::kBand5Only));
  page->Rescan();
  page->OnScanListRead();
  EXPECT_EQ(page->Aps().size(), 3u);
  Loop().Advance(kApListMs);
  EXPECT_TRUE(page->Aps().empty());  // no rescan asked for: the preference holds
}

TEST_F(WpsPageTest, InformationWithoutASelectionSaysSoAndPinNeedsARow) {
  auto page = Open();
  page->SelectAp(-1);
  EXPECT_FALSE(page->Buttons().information);
  EXPECT_FALSE(page->Buttons().pin);
  page->Information();
  EXPECT_EQ(host.messages, std::vector<std::string>{"IDS_NOSELECTEDITEM"});
  // A PIN run without a row stops quietly after the disassociation.
  page->StartPin();
  EXPECT_FALSE(page->Polling());
  EXPECT_EQ(driver.sets.back(), uint32_t(OID_VND_WPS_BAND));
}

TEST_F(WpsPageTest, ConfigModeChangeToTheSameIndexDoesNothing) {
  auto page = Open();
  const size_t sets = driver.sets.size();
  page->ChangeConfigMode(0);
  EXPECT_EQ(driver.sets.size(), sets);
  EXPECT_EQ(page->StatusLine(), "");
}

TEST_F(WpsPageTest, WithThePageClosedTheControllerRunsTheButtonSessionAndConnects) {
  timers.running[wps::kTimerButton] = wps::kButtonMs;
  part.OnTimer(wps::kTimerButton);
  EXPECT_EQ(timers.running.count(wps::kTimerStatus), 0u);  // not pressed: nothing starts
  emulator->PressWpsButton();
  part.OnTimer(wps::kTimerButton);
  EXPECT_EQ(timers.running[wps::kTimerStatus], wps::kStatusMs);
  EXPECT_EQ(timers.running[wps::kTimerList], wps::kListRefreshMs);
  EXPECT_TRUE(part.State().WscInUse);
  EXPECT_TRUE(part.ExchangeRunning());
  for (int i = 0; i < 50 && timers.running.count(wps::kTimerStatus); ++i) {
    Loop().Advance(wps::kStatusMs);
    part.OnTimer(wps::kTimerStatus);
  }
  EXPECT_EQ(timers.running.count(wps::kTimerStatus), 0u);
  EXPECT_EQ(timers.running.count(wps::kTimerList), 0u);
  EXPECT_EQ(timers.running[wps::kTimerWatch], wps::kWatchMs);
  ASSERT_EQ(part.State().Table.Count, 1u);
  EXPECT_EQ(part.State().Table.Slots[0].SsidText(), "Bakery");
  EXPECT_TRUE(part.State().RunCompleted);
  Loop().Advance(3000);
  EXPECT_EQ(Joined(), "Bakery");
  part.OnTimer(wps::kTimerWatch);
  EXPECT_EQ(timers.running.count(wps::kTimerWatch), 0u);  // connected: the watch rests
}

TEST_F(WpsPageTest, AStoredWpsConnectionTakesOverAtStartAndStopWpsHandsItBack) {
  wps::WpsState& s = part.State();
  wps::WpsCredential bakery;
  bakery.SetSsid("Bakery");
  bakery.AuthType = wps::kAuthOpen;
  bakery.EncryType = wps::kEncryNone;
  s.Table.Add(bakery);
  s.WscInUse = true;
  part.Record().SaveWpsRecord(s);
  part.Record().SaveWscInUse(s);
  s = {};
  EXPECT_TRUE(part.TakeOverConnection());
  EXPECT_TRUE(s.Rotate);
  EXPECT_EQ(timers.running[wps::kTimerWatch], wps::kWatchMs);
  Loop().Advance(3000);
  EXPECT_EQ(Joined(), "Bakery");
  part.StopWps();
  EXPECT_FALSE(s.WscInUse);
  EXPECT_EQ(activations, 1);
  wps::WpsState reloaded;
  part.Record().LoadWpsRecord(reloaded);
  EXPECT_FALSE(reloaded.WscInUse);
  EXPECT_FALSE(part.TakeOverConnection());
}

// The driver's status word answered by script, for codes the emulated access points never send.
TEST(WpsPageScripted, NonceErrorsRestartThePinRunAFewTimesThenEnd) {
  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  adapter.identity.registryKey = "System\\Test\\0001";
  wps::WpsPart part{driver, {adapter, *fake.registry, store}};
  std::vector<uint8_t> list = {1, 0, 0, 0};
  const std::vector<uint8_t> record = [] {
    build::BssRecordBuilder b;
    b.Ssid("ap")
        .Bssid({0, 1, 2, 3, 4, 5})
        .WithSsidElement()
        .AddElement(
            build::WpsElement(std::vector<build::WpsAttribute>{build::WpsU8(0x104A, 0x10)}));
    return b.Build();
  }();
  list.insert(list.end(), record.begin(), record.end());
  part.Bind({.freshList = [&] { return std::span<const uint8_t>(list); }});
  Host host;
  WpsPage page(fake.loop, part, host);
  fake.loop.Advance(kApListMs);
  ASSERT_EQ(page.Aps().size(), 1u);
  page.ChangeConfigMode(1);
  page.SetPinText("12345670");
  driver.AnswerDword(OID_VND_WPS_STATUS, wps::kStatusPinBit | wps::kStatusWrongNonce);
  page.StartPin();
  for (int i = 0; i < 20; ++i) fake.loop.Advance(kPollMs);
  EXPECT_EQ(driver.Count("S OID_VND_WPS_START"), size_t(1 + kMaxSessionRestarts));
  EXPECT_FALSE(page.Polling());
  EXPECT_EQ(page.StatusLine(), "PIN - Receive EAP with wrong NONCE");
}

}  // namespace
}  // namespace kavo9::wpspage
