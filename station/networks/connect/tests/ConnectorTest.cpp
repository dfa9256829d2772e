// The connection state: the last record and its copies, activation, the start-up rule and the
// reconnect check.

#include "station/networks/connect/Connector.h"

#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/shell/AdapterKey.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/connect/WpaNoneKey.h"
#include "station/networks/connect/testing/ConnectRig.h"

namespace kavo9::connect {
namespace {

ConnectRecord WepRecord(uint32_t auth, uint32_t encryption) {
  ConnectRecord r;
  r.AuthMode = auth;
  r.Encryption = encryption;
  const std::array<uint8_t, 5> key = {1, 2, 3, 4, 5};
  r.WepKeys[1] = MakeWepKey(1, true, key);
  r.WpaNoneKey = MakeWpaNoneKey(Pmk{});
  return r;
}

TEST(ConnectRecordCopies, TheLastRecordOwnsOnlyTheKeysItsSecurityUses) {
  struct Case {
    const char* name;
    uint32_t auth;
    uint32_t encryption;
    bool wep;
    bool wpaNone;
  };
  const Case cases[] = {
      {"open without WEP", 0, 1, false, false},
      {"open with WEP", 0, 0, true, false},
      {"shared", 1, 1, true, false},
      {"WPA-None", 5, 4, false, true},
      {"WPA2-PSK", 7, 6, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConnectRecord copy = WepRecord(c.auth, c.encryption).CopyForLastRecord();
    EXPECT_EQ(copy.WepKeys[1].has_value(), c.wep);
    EXPECT_EQ(copy.WpaNoneKey.has_value(), c.wpaNone);
  }
}

TEST(ConnectRecordCopies, ACopysKeysOutliveTheOriginal) {
  auto original = std::make_unique<ConnectRecord>(WepRecord(1, 0));
  const uint8_t* originalBytes = original->WepKeys[1]->Bytes().data();
  ConnectRecord copy = original->DeepCopy();
  original.reset();
  ASSERT_TRUE(copy.WepKeys[1]);
  EXPECT_NE(copy.WepKeys[1]->Bytes().data(), originalBytes);
  EXPECT_EQ(copy.WepKeys[1]->KeyIndex(), 0x80000001u);
  EXPECT_EQ(
      std::vector<uint8_t>(copy.WepKeys[1]->Material().begin(), copy.WepKeys[1]->Material().end()),
      (std::vector<uint8_t>{1, 2, 3, 4, 5}));
  static_assert(!std::is_copy_constructible_v<ConnectRecord>, "copies are made on purpose only");
}

class ConnectorTest : public testing::Test {
 public:
  ConnectorTest() {
    adapter.identity.registryKey = kRigAdapterKey;
    // Not connected until a test says so.
    driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaDisconnected);
  }
  SurveySelection Row(std::string_view ssid) {
    SurveySelection s;
    s.Record = build::BssRecordBuilder().Bssid(kBssid).Ssid(ssid).WithSsidElement().Build();
    return s;
  }
  void Connected(std::string_view ssid, uint32_t auth = 0, uint32_t encryption = 1) {
    std::array<uint8_t, 36> bytes{};
    bytes[0] = uint8_t(ssid.size());
    std::memcpy(bytes.data() + 4, ssid.data(), ssid.size());
    driver.Answer(OID_802_11_SSID, bytes);
    driver.Answer(OID_802_11_BSSID, kBssid);
    driver.AnswerDword(OID_802_11_AUTHENTICATION_MODE, auth);
    driver.AnswerDword(OID_802_11_ENCRYPTION_STATUS, encryption);
    driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaConnected);
    rig.state.currentBssid = kBssid;
    rig.state.lastSsid = std::string(ssid);
  }
  void Disconnected() {
    driver.answers.erase(OID_802_11_SSID);
    driver.answers.erase(OID_802_11_BSSID);
    driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaDisconnected);
    rig.state.currentBssid = {};
  }
  size_t Joins() const {
    return driver.Count("S OID_802_11_SSID") + driver.Count("S OID_802_11_BSSID");
  }
  void HomeProfile() {
    rig.Put(rig.ProfilePath("Home"), "SSID", "home-net");
    rig.Put(rig.ProfilePath("Home"), "NetworkType", "1");
    rig.Put(rig.ProfilePath("Home"), "AuthenType", "0");
    rig.Put(rig.ProfilePath("Home"), "Encryption", "1");
  }

  static constexpr std::array<uint8_t, 6> kBssid = {0, 0x0E, 0x2E, 0x41, 0x10, 6};
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  ConnectRig rig{driver, adapter};
  Connector& connector = rig.connector;
};

TEST_F(ConnectorTest, ASurveyConnectionQueuesRunsAndBecomesTheLastRecord) {
  rig.Put(kRigAdapterKey, "CurProfile", "Home");
  connector.MarkNotThroughProfile();
  connector.CompleteConnection(Row("Bakery Guest"));
  EXPECT_EQ(driver.Count("S OID_802_11_BSSID"), 1u);
  ASSERT_TRUE(connector.LastRecord());
  EXPECT_EQ(connector.LastRecord()->SsidText(), "Bakery Guest");
  EXPECT_EQ(connector.LastRecord()->BssidBound, 1u);
  EXPECT_FALSE(connector.ProfileMode());
  ASSERT_TRUE(rig.controller.published);
  EXPECT_EQ(rig.controller.published->infraMode, 1u);
  // The active copy is emptied: the survey's network is no profile.
  EXPECT_EQ(rig.profiles.CurrentProfileName(), "");
}

TEST_F(ConnectorTest, ActivationMakesTheProfileActiveAndJoinsIt) {
  HomeProfile();
  rig.Put(rig.ProfilePath("Office"), "SSID", "corp");
  std::vector<profiles::ProfileRow> rows = rig.profiles.ListProfiles(true);
  ASSERT_EQ(rows.size(), 2u);
  // Two rows and none selected: the user is told to pick one.
  EXPECT_FALSE(connector.ActivateProfile(rows, -1));
  EXPECT_EQ(rig.controller.messages, std::vector<LangKey>{LangKey::IDS_NOSELECTEDITEM});
  ASSERT_TRUE(connector.ActivateProfile(rows, 0));
  EXPECT_EQ(rig.profiles.CurrentProfileName(), "Home");
  EXPECT_TRUE(connector.ProfileMode());
  EXPECT_TRUE(connector.SsidMatchRequired());
  EXPECT_TRUE(connector.AutoReconnect());
  EXPECT_EQ(connector.ActiveProfileSsid(), "home-net");
  EXPECT_EQ(driver.Count("S OID_802_11_SSID"), 1u);
  const DriverRequest* ssid = driver.LastSet(OID_802_11_SSID);
  EXPECT_EQ(std::string(ssid->value.begin() + 4, ssid->value.begin() + 12), "home-net");
  // Activation sends no radio settings of its own.
  EXPECT_EQ(driver.Count("S OID_VND_WIRELESS_MODE"), 0u);
  std::string release;
  EXPECT_TRUE(ReadMachineText(*rig.fake.registry, kSingleSignOnKey, "SSOReleaseAegis", &release));
  EXPECT_EQ(release, "1");
}

TEST_F(ConnectorTest, ReleasingADeletedActiveProfileLeavesItsNetworkForGood) {
  HomeProfile();
  const auto rows = rig.profiles.ListProfiles(true);
  ASSERT_TRUE(connector.ActivateProfile(rows, 0));
  rig.profiles.ClearActiveCopy();
  driver.log.clear();
  connector.ReleaseActiveProfile(true);
  EXPECT_FALSE(connector.ProfileMode());
  EXPECT_FALSE(connector.SsidMatchRequired());
  // The emptied copy is joined: an empty SSID, which no network has; it is the record the
  // reconnect check repeats, not the deleted profile's.
  const DriverRequest* ssid = driver.LastSet(OID_802_11_SSID);
  ASSERT_NE(ssid, nullptr);
  EXPECT_EQ(ssid->value[0], 0);
  ASSERT_TRUE(connector.LastRecord());
  EXPECT_EQ(connector.LastRecord()->SsidText(), "");
  driver.log.clear();
  connector.ReleaseActiveProfile(false);
  EXPECT_TRUE(driver.log.empty());
}

TEST_F(ConnectorTest, ActivationDoesNothingWithoutRowsWithTheRadioOffOrUnderTheService) {
  HomeProfile();
  EXPECT_FALSE(connector.ActivateProfile({}, -1));
  const auto rows = rig.profiles.ListProfiles(true);
  rig.state.radioOn = false;
  EXPECT_FALSE(connector.ActivateProfile(rows, 0));
  rig.state.radioOn = true;
  rig.state.configToolState = kConfigToolService;
  EXPECT_FALSE(connector.ActivateProfile(rows, 0));
  EXPECT_TRUE(driver.log.empty());
  EXPECT_FALSE(connector.HasLastConnectRecord());
}

TEST_F(ConnectorTest, AtStartTheActiveProfileIsJoinedOnlyWhenNotConnected) {
  HomeProfile();
  rig.profiles.SetActiveProfile("Home");
  connector.SetStartupFlag();
  Connected("home-net");
  EXPECT_FALSE(connector.ConnectActiveProfile(1));
  EXPECT_FALSE(connector.StartupFlag());
  EXPECT_EQ(Joins(), 0u);

  Disconnected();
  connector.SetStartupFlag();
  EXPECT_TRUE(connector.ConnectActiveProfile(1));
  EXPECT_EQ(Joins(), 1u);
  EXPECT_EQ(driver.Count("S OID_VND_WIRELESS_MODE"), 1u);
}

// Single sign-on as the connector sees it: a scripted say in each profile connection.
struct ScriptedSignOn : SignOnConnectPort {
  std::optional<Step> step;
  int reads = 0;
  uint32_t settle = 0;
  uint32_t waited = 0;
  std::function<void()> then;
  uint32_t ReadLogonState() override {
    ++reads;
    return settle;
  }
  void After(uint32_t ms, std::function<void()> next) override {
    waited = ms;
    then = std::move(next);
  }
  std::optional<Step> ConnectOrWait(bool, bool) override { return step; }
};

TEST_F(ConnectorTest, SingleSignOnDecidesAProfileConnectionWhenItHasASay) {
  HomeProfile();
  rig.profiles.SetActiveProfile("Home");
  ScriptedSignOn signOn;
  connector.SetSignOn(&signOn);
  connector.SetStartupFlag();

  signOn.step = SignOnConnectPort::Step::kNothing;
  EXPECT_FALSE(connector.ConnectActiveProfile(0));
  EXPECT_EQ(Joins(), 0u);
  EXPECT_FALSE(connector.HasLastConnectRecord());
  EXPECT_FALSE(connector.StartupFlag());

  signOn.step = SignOnConnectPort::Step::kRememberOnly;
  EXPECT_FALSE(connector.ConnectActiveProfile(0));
  EXPECT_EQ(Joins(), 0u);
  EXPECT_TRUE(connector.HasLastConnectRecord());

  signOn.step = SignOnConnectPort::Step::kQueueAndRun;
  EXPECT_TRUE(connector.ConnectActiveProfile(0));
  EXPECT_EQ(Joins(), 1u);

  signOn.step.reset();  // no say: the usual rule
  EXPECT_TRUE(connector.ConnectActiveProfile(0));
  EXPECT_EQ(Joins(), 2u);
  EXPECT_EQ(signOn.reads, 4);

  // The logon component asks for a moment: the connection goes on after it, not at once.
  signOn.settle = 1000;
  EXPECT_FALSE(connector.ConnectActiveProfile(0));
  EXPECT_EQ(Joins(), 2u);
  EXPECT_EQ(signOn.waited, 1000u);
  ASSERT_TRUE(signOn.then);
  signOn.then();
  EXPECT_EQ(Joins(), 3u);
}

TEST_F(ConnectorTest, SignOnActivationKeepsWpsAndSkipsTheActivationHook) {
  HomeProfile();
  rig.Put(kRigAdapterKey, "WSC", "1");
  rig.wps.inUse = true;
  std::vector<std::string> checked;
  connector.SetActivationHook([&](std::string_view name) { checked.emplace_back(name); });
  connector.ActivateForSignOn("Home");
  EXPECT_EQ(rig.profiles.CurrentProfileName(), "Home");
  std::string wsc;
  EXPECT_TRUE(ReadMachineText(*rig.fake.registry, kRigAdapterKey, "WSC", &wsc));
  EXPECT_EQ(wsc, "1");
  EXPECT_TRUE(rig.wps.inUse);
  EXPECT_TRUE(connector.ProfileMode() && connector.SsidMatchRequired());
  EXPECT_TRUE(checked.empty());
  connector.ActivateForSignOn("Gone");  // no such profile: nothing
  EXPECT_EQ(rig.profiles.CurrentProfileName(), "Home");

  rig.wps.inUse = false;
  ASSERT_TRUE(connector.ActivateProfile(rig.profiles.ListProfiles(true), 0));
  EXPECT_EQ(checked, (std::vector<std::string>{"Home"}));
}

TEST_F(ConnectorTest, NoActiveProfileOrAMissingOneJoinsNothing) {
  EXPECT_FALSE(connector.ConnectActiveProfile(1));
  rig.Put(kRigAdapterKey, "CurProfile", "Gone");
  rig.Put(kRigAdapterKey, "SSID", "left-over");
  EXPECT_FALSE(connector.ConnectActiveProfile(1));
  EXPECT_EQ(Joins(), 0u);
  EXPECT_FALSE(connector.HasLastConnectRecord());
}

TEST_F(ConnectorTest, AStandardUserJoinsTheProfileTheyActivatedFromItsOwnKey) {
  HomeProfile();
  rig.state.isAdministrator = false;
  rig.Put(kRigAdapterKey, "SSID", "someone-else");
  connector.SetActiveProfileName("Home");
  EXPECT_TRUE(connector.ConnectActiveProfile(0));
  EXPECT_EQ(connector.LastRecord()->SsidText(), "home-net");
}

TEST_F(ConnectorTest, TheReconnectTickCountsAwayFromTheLastRecordsNetwork) {
  connector.CompleteConnection(Row("Bakery Guest"));
  uint32_t tick = 7;
  Connected("Bakery Guest");
  connector.UpdateReconnectTick(&tick);
  EXPECT_EQ(tick, 0u);
  rig.state.currentBssid = {9, 9, 9, 9, 9, 9};  // the same SSID elsewhere: not the bound BSSID
  connector.UpdateReconnectTick(&tick);
  EXPECT_EQ(tick, 1u);
}

TEST_F(ConnectorTest, TheReconnectCheckRequeuesOnlyEveryFifteenthTickAndOnlyOnADrift) {
  connector.CompleteConnection(Row("Bakery Guest"));
  const size_t joined = Joins();
  Disconnected();
  for (uint32_t tick : {0u, 1u, 14u, 16u}) {
    SCOPED_TRACE(tick);
    EXPECT_FALSE(connector.ReconnectCheck(1, tick));
  }
  EXPECT_TRUE(connector.ReconnectCheck(1, 15));
  rig.queue.RunActionQueue();
  EXPECT_EQ(Joins(), joined + 1);
  // The requeued copy carries no radio settings.
  EXPECT_EQ(driver.Count("S OID_VND_WIRELESS_MODE"), 0u);

  Connected("Bakery Guest");
  EXPECT_FALSE(connector.ReconnectCheck(1, 30));
  Connected("Bakery Guest", 0, Ndis802_11Encryption1KeyAbsent);  // read as "disabled"
  EXPECT_FALSE(connector.ReconnectCheck(1, 30));
  Connected("Other");
  EXPECT_TRUE(connector.ReconnectCheck(1, 30));
}

TEST_F(ConnectorTest, TheReconnectCheckWaitsWhileItMustNotDisturb) {
  connector.CompleteConnection(Row("Bakery Guest"));
  Disconnected();
  struct Case {
    const char* name;
    std::function<void(ConnectorTest&)> set;
    std::function<void(ConnectorTest&)> reset;
  };
  const std::vector<Case> cases = {
      {"ad hoc", [](ConnectorTest&) {}, [](ConnectorTest&) {}},
      {"radio off", [](ConnectorTest& t) { t.rig.state.radioOn = false; },
       [](ConnectorTest& t) { t.rig.state.radioOn = true; }},
      {"service", [](ConnectorTest& t) { t.rig.state.configToolState = kConfigToolService; },
       [](ConnectorTest& t) { t.rig.state.configToolState = kConfigToolNone; }},
      {"WPS", [](ConnectorTest& t) { t.rig.wps.exchange = true; },
       [](ConnectorTest& t) { t.rig.wps.exchange = false; }},
      {"hold", [](ConnectorTest& t) { t.connector.SetReconnectHold(true); },
       [](ConnectorTest& t) { t.connector.SetReconnectHold(false); }},
      {"no automatic reconnect", [](ConnectorTest& t) { t.connector.SetAutoReconnect(false); },
       [](ConnectorTest& t) { t.connector.SetAutoReconnect(true); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.set(*this);
    EXPECT_FALSE(connector.ReconnectCheck(std::string(c.name) == "ad hoc" ? 0 : 1, 15));
    c.reset(*this);
  }
  EXPECT_TRUE(connector.ReconnectCheck(1, 15));
}

TEST_F(ConnectorTest, InProfileModeTheProfileIsAppliedAgainWithItsRadioSettings) {
  HomeProfile();
  ASSERT_TRUE(connector.ActivateProfile(rig.profiles.ListProfiles(true), 0));
  Disconnected();
  driver.log.clear();
  EXPECT_TRUE(connector.ReconnectCheck(1, 15));
  rig.queue.RunActionQueue();
  EXPECT_EQ(driver.Count("S OID_VND_WIRELESS_MODE"), 1u);
  EXPECT_EQ(driver.Count("S OID_802_11_SSID"), 1u);
}

TEST_F(ConnectorTest, ForgettingTheLastRecordTellsTheEventFilter) {
  connector.CompleteConnection(Row("Bakery Guest"));
  ASSERT_TRUE(rig.controller.published);
  connector.FreeLastConnectRecord();
  EXPECT_FALSE(connector.HasLastConnectRecord());
  EXPECT_FALSE(rig.controller.published);
  EXPECT_FALSE(connector.RequeueLastRecord());
}

}  // namespace
}  // namespace kavo9::connect
