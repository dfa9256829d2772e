#include "station/networks/survey/SiteSurvey.h"

#include <gtest/gtest.h>

#include "station/networks/survey/tests/SurveyTestSupport.h"

namespace kavo9 {
namespace {

using namespace testing;

class SiteSurveyTest : public ::testing::Test {
 protected:
  SiteSurveyTest() {
    station.merged = MergedOf({
        Network(1, "Open", 2412000, -50).Build(),
        Network(2, "Wpa2", 2437000, -60)
            .AddElement(build::RsnElement(build::RsnSuites({4}, {2}, 4)))
            .Build(),
        Network(3, "", 2462000, -70).Build(),  // hidden
        Network(4, "Wep", 5180000, -80).NetworkType(2).Privacy(true).Build(),
    });
  }
  // Creation and the first tick: rows built (sorted by SSID) and a first scan requested.
  void Start() {
    survey.OnCreate();
    survey.OnTick();
  }
  int RowOf(std::string_view ssid) const {
    for (size_t i = 0; i < survey.Rows().size(); ++i)
      if (survey.Rows()[i].Ssid == ssid) return int(i);
    return -1;
  }
  int ConnectedRows() const {
    int n = 0;
    for (const auto& r : survey.Rows()) n += r.Connected;
    return n;
  }

  FakeStation station;
  FakeDriver driver;
  RecordingHandOver handOver;
  SiteSurvey survey{station, driver, handOver};
};

TEST_F(SiteSurveyTest, NotConnectedRescansAtOnceAndThenEveryThirtyTicks) {
  Start();
  EXPECT_EQ(station.scans, 1);
  EXPECT_TRUE(survey.RebuildPending());
  for (int tick = 1; tick < 30; ++tick) survey.OnTick();
  EXPECT_EQ(station.scans, 1);
  survey.OnTick();
  EXPECT_EQ(station.scans, 2);
  for (int tick = 0; tick < 30; ++tick) survey.OnTick();
  EXPECT_EQ(station.scans, 3);

  station.radioOn = false;  // no scans, no rows
  for (int tick = 0; tick < 40; ++tick) survey.OnTick();
  EXPECT_EQ(station.scans, 3);
  EXPECT_TRUE(survey.Rows().empty());
}

TEST_F(SiteSurveyTest, RowsWaitForTheRunningScan) {
  station.scanPending = true;
  survey.OnCreate();
  survey.OnTick();
  EXPECT_TRUE(survey.Rows().empty());
  EXPECT_EQ(survey.EnablePass(), (SurveyControls{false, false, false}));
  station.scanPending = false;
  survey.OnTick();
  ASSERT_EQ(survey.Rows().size(), 4u);
  EXPECT_EQ(survey.Rows()[0].Ssid, "") << "sorted by SSID";
  EXPECT_EQ(survey.Rows()[1].Ssid, "Open");

  // Connected to "Wpa2"; then a rescan runs while the radio goes off and the link drops. Until
  // the scan's list is read the tick leaves the rows, their mark and the rescan count alone.
  driver.SetConnected(true);
  station.bssid = {0x00, 0x1D, 0x5A, 0x00, 0x00, 2};
  driver.SetDsConfig(2437000);
  survey.OnTick();
  ASSERT_EQ(ConnectedRows(), 1);
  survey.OnRescan();
  station.scanPending = true;
  station.radioOn = false;
  driver.SetConnected(false);
  const int scans = station.scans, rescanTick = survey.RescanTick();
  survey.OnTick();
  EXPECT_EQ(survey.Rows().size(), 4u);
  EXPECT_EQ(ConnectedRows(), 1);
  EXPECT_EQ(station.scans, scans);
  EXPECT_EQ(survey.RescanTick(), rescanTick);
  EXPECT_EQ(survey.Controls(), (SurveyControls{false, false, false}));
  station.scanPending = false;
  survey.OnTick();
  EXPECT_TRUE(survey.Rows().empty()) << "the list is read: now the radio-off clearing";
}

TEST_F(SiteSurveyTest, RescanKeepsControlsOffUntilTheRowsAreRebuilt) {
  Start();
  survey.OnTick();
  ASSERT_TRUE(survey.Controls().Connect);
  survey.OnRescan();
  EXPECT_EQ(survey.Controls(), (SurveyControls{false, false, false}));
  station.scanPending = true;
  survey.OnTick();
  EXPECT_FALSE(survey.Controls().RescanAndSort);
  station.scanPending = false;
  survey.OnTick();
  EXPECT_EQ(survey.Controls(), (SurveyControls{true, true, true}));
}

TEST_F(SiteSurveyTest, ConnectedMarkFollowsBssidChannelAndProfileSsid) {
  Start();
  driver.SetConnected(true);
  station.bssid = {0x00, 0x1D, 0x5A, 0x00, 0x00, 2};
  driver.SetDsConfig(2437000);
  survey.OnTick();
  EXPECT_EQ(survey.Rows()[size_t(RowOf("Wpa2"))].Connected, 1);
  EXPECT_EQ(ConnectedRows(), 1);
  const int scans = station.scans;

  station.throughProfile = true;
  station.profileSsid = "Other";
  survey.OnTick();
  EXPECT_EQ(ConnectedRows(), 0);
  EXPECT_EQ(station.scans, scans + 1) << "the current network is missing: rescan";

  station.profileSsid = "";  // an empty profile SSID matches any row
  survey.OnTick();
  EXPECT_EQ(ConnectedRows(), 1);

  driver.SetDsConfig(2412000);  // same BSSID on another channel
  survey.OnTick();
  EXPECT_EQ(ConnectedRows(), 0);

  driver.SetDsConfig(2437000);
  station.radioOn = false;
  survey.OnTick();
  EXPECT_TRUE(survey.Rows().empty());
  // Radio on again: the snapshot still holds the network, so no scan is asked for on its account
  // while the rows wait for their rebuild.
  station.radioOn = true;
  const int scansBefore = station.scans;
  survey.OnTick();
  survey.OnTick();
  EXPECT_EQ(station.scans, scansBefore);
}

TEST_F(SiteSurveyTest, EnablePass) {
  Start();
  survey.OnTick();
  const struct {
    const char* name;
    int configTool;
    bool radioOn, supplicant, maySetProfiles;
    int clickedSecured;  // the clicked row's secured flag
    SurveyControls expected;
  } cases[] = {
      {"all well", 0, true, true, true, 1, {true, true, true}},
      {"standard user", 0, true, true, false, 0, {true, true, false}},
      {"service manages", 2, true, true, true, 0, {true, false, false}},
      {"radio off", 0, false, true, true, 0, {false, false, false}},
      {"no supplicant, open row", 0, true, false, true, 0, {true, true, true}},
      {"no supplicant, secured row", 0, true, false, true, 1, {true, false, false}},
  };
  for (const auto& c : cases) {
    station.configTool = c.configTool;
    station.radioOn = c.radioOn;
    station.supplicant = c.supplicant;
    station.maySetProfiles = c.maySetProfiles;
    survey.OnListClick(RowOf(c.clickedSecured ? "Wep" : "Open"));
    EXPECT_EQ(survey.Controls(), c.expected) << c.name;
  }
}

TEST_F(SiteSurveyTest, ConnectHandsOverByKindOfNetwork) {
  Start();
  survey.OnTick();
  survey.OnConnect(-1);
  EXPECT_EQ(handOver.calls,
            (std::vector<std::string>{"close peap", "not through profile", "IDS_NOSELECTEDITEM"}));
  handOver.calls.clear();

  survey.OnConnect(RowOf("Open"));
  EXPECT_EQ(handOver.calls.back(), "complete");
  EXPECT_EQ(handOver.last.Authentication, "Unknown");
  EXPECT_EQ(handOver.last.Cipher, "None");
  EXPECT_FALSE(handOver.last.Secured);

  survey.OnConnect(RowOf("Wpa2"));
  EXPECT_EQ(handOver.calls.back(), "security editor");
  EXPECT_EQ(handOver.last.Authentication, "WPA2-PSK");
  EXPECT_EQ(handOver.last.SecurityClass, 5);
  EXPECT_EQ(survey.SelectedSecured(), 5);

  survey.OnConnect(RowOf("Wep"));
  EXPECT_EQ(handOver.calls.back(), "security editor") << "secured by its privacy bit";
  EXPECT_EQ(handOver.last.SecurityClass, 0);

  // Without the supplicant a WPA2 network cannot be joined.
  station.supplicant = false;
  handOver.calls.clear();
  survey.OnConnect(RowOf("Wpa2"));
  EXPECT_EQ(handOver.calls, (std::vector<std::string>{"close peap", "not through profile"}));

  // While the Windows service manages the adapter nothing happens.
  station.supplicant = true;
  station.configTool = 2;
  handOver.calls.clear();
  survey.OnConnect(RowOf("Open"));
  EXPECT_EQ(handOver.calls.size(), 2u);
}

TEST_F(SiteSurveyTest, HiddenNetworkAsksForItsName) {
  Start();
  survey.OnTick();
  survey.OnConnect(RowOf(""));
  EXPECT_EQ(handOver.calls.back(), "hidden");
  EXPECT_TRUE(survey.Selection().HiddenSsidPath);

  EXPECT_FALSE(survey.OnHiddenSsidOk("   "));
  EXPECT_EQ(handOver.calls.back(), "IDS_HIDDEN_TEXT");

  const std::string a31(31, 'a');
  const struct {
    std::string typed, kept;
  } names[] = {
      {"  Backroom \t", "Backroom"},
      {std::string(40, 'x'), std::string(32, 'x')},
      {a31 + "\xC3\xA9", a31},  // "é" would be cut in half at byte 32: left out whole
      {a31 + "\xC3\xA9" + "b", a31},
      {std::string(30, 'a') + "\xC3\xA9", std::string(30, 'a') + "\xC3\xA9"},
  };
  for (const auto& n : names) {
    EXPECT_TRUE(survey.OnHiddenSsidOk(n.typed));
    EXPECT_EQ(handOver.calls.back(), "complete");
    EXPECT_EQ(handOver.last.HiddenSsid, n.kept) << n.typed;
    EXPECT_TRUE(handOver.last.HiddenSsidPath);
  }
}

TEST_F(SiteSurveyTest, AddToProfileAndDetails) {
  Start();
  survey.OnTick();
  survey.OnAddToProfile(-1);
  survey.OnDoubleClick(-1);
  EXPECT_EQ(handOver.calls, (std::vector<std::string>{"IDS_NOSELECTEDITEM", "IDS_NOSELECTEDITEM"}));

  survey.OnAddToProfile(RowOf("Wpa2"));
  EXPECT_EQ(handOver.calls.back(), "profile editor");
  EXPECT_EQ(handOver.last.SecurityClass, 5);
  EXPECT_EQ(BssRecordView(handOver.last.Record).Rssi(), -60);

  survey.OnDoubleClick(RowOf("Wep"));
  EXPECT_EQ(handOver.calls.back(), "detail -80");
}

TEST_F(SiteSurveyTest, SortClickRebuildsAtTheNextTick) {
  Start();
  survey.OnTick();
  survey.OnSortClicked(kSortBySignal);
  EXPECT_TRUE(survey.RebuildPending());
  EXPECT_EQ(survey.Controls(), (SurveyControls{true, true, true})) << "unchanged until the tick";
  survey.OnTick();
  EXPECT_EQ(survey.Rows()[0].Ssid, "Open");
  EXPECT_EQ(survey.Rows()[3].Ssid, "Wep");
  // The merged list itself was sorted, so the next read starts from this order.
  EXPECT_EQ(BssRecordView(std::span<const uint8_t>(station.merged.Buffer).subspan(4)).Rssi(), -50);
}

}  // namespace
}  // namespace kavo9
