#include "station/networks/profiles/page/ProfilePage.h"

#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/networks/profiles/page/tests/PageFakes.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9::profilepage {
namespace {

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class ProfilePageTest : public testing::Test {
 protected:
  ProfilePageTest() {
    adapter.identity.registryKey = kKey;
    store.CreateKey(kKey, StorePort::Area::kProfile);
    connection.store = &profiles;
  }
  void Profile(const std::string& name, std::map<std::string, std::string> values) {
    profiles::ProfileValues v;
    for (const auto& [key, text] : values) v.Set(key, text);
    profiles.WriteProfile(name, v);
  }
  void Connected(std::string_view ssid, uint32_t khz = 2437000) {
    driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaConnected);
    driver.Answer(OID_802_11_BSSID, std::array<uint8_t, 6>{2, 0, 0, 0, 0, 1});
    std::array<uint8_t, 36> record{};
    const uint32_t length = uint32_t(ssid.size());
    std::memcpy(record.data(), &length, 4);
    std::memcpy(record.data() + 4, ssid.data(), ssid.size());
    driver.Answer(OID_802_11_SSID, record);
    std::array<uint8_t, 32> config{};
    std::memcpy(config.data() + 12, &khz, 4);
    driver.Answer(OID_802_11_CONFIGURATION, config);
  }
  std::vector<int> States() const {
    std::vector<int> states;
    for (const auto& row : page.Rows()) states.push_back(row.State);
    return states;
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  Texts texts;
  Messages messages;
  profiles::ProfileStore profiles{{adapter, *fake.registry, store, texts, messages}};
  Station station;
  Connection connection;
  Host host;
  ProfilePage page{{profiles, texts, driver, station, connection, host}};
};

TEST_F(ProfilePageTest, DetailsShowTheSelectedProfileFoundByName) {
  Profile("Home", {{"SSID", "home-net"},
                   {"NetworkType", "1"},
                   {"Channel", "6"},
                   {"AuthenType", "7"},
                   {"Encryption", "6"},
                   {"Use8021X", "0"},
                   {"ProfilePSMode", "1"},
                   {"TXPower", "2"},
                   {"RtsThresh", "2347"},
                   {"FragThresh", "2346"}});
  Profile("Lab", {{"SSID", "lab"},
                  {"NetworkType", "0"},
                  {"Channel", "11"},
                  {"AuthenType", "0"},
                  {"LeapEnabled", "1"},
                  {"LeapEncryType", "2"}});
  page.OnCreate();
  ASSERT_EQ(page.Rows().size(), 2u);
  page.OnSelect(0);
  const std::array<std::string, kDetailCount> home = {
      "Home", "home-net", "Infrastructure", "WPA2-PSK", "AES", "NO",
      "Auto", "PSM",      "75 %",           "2347",     "2346"};
  EXPECT_EQ(page.Details(), home);
  page.OnSelect(1);
  EXPECT_EQ(page.Details()[kDetailAuthentication], "LEAP");
  EXPECT_EQ(page.Details()[kDetailEncryption], "WPA2-AES");
  EXPECT_EQ(page.Details()[kDetailChannel], "11");
  EXPECT_EQ(page.Details()[kDetailUse8021X], "");  // not stored: empty
  // Another profile that sorts first appears: the selection stays on Lab.
  Profile("Cafe", {{"SSID", "cafe"}});
  page.RefreshProfileList();
  EXPECT_EQ(page.Rows()[size_t(page.Selected())].Name, "Lab");
  EXPECT_EQ(page.Details()[kDetailName], "Lab");
}

TEST_F(ProfilePageTest, ASingleUnselectedProfileIsTheOneTheButtonsActOn) {
  Profile("Home", {{"SSID", "home-net"}});
  page.OnCreate();
  page.OnSelect(-1);
  EXPECT_EQ(page.Details()[kDetailName], "");
  EXPECT_EQ(page.Buttons(), ProfileButtons());
  page.OnEdit();
  page.OnApply();
  EXPECT_EQ(host.calls, std::vector<std::string>{"edit Home"});
  EXPECT_EQ(connection.calls, std::vector<std::string>{"activate Home"});
  Profile("Work", {{"SSID", "corp"}});
  page.RefreshProfileList();
  EXPECT_EQ(page.Buttons().edit, ProfileBlock::kNoSelection);
  page.OnDelete();
  EXPECT_EQ(host.calls.back(), "IDS_NOSELECTEDITEM");
  EXPECT_EQ(page.Rows().size(), 2u);
}

TEST_F(ProfilePageTest, ButtonsSayWhyTheyAreDisabled) {
  struct Case {
    const char* name;
    bool maySet, supplicant, service, radio;
    const char* auth;
    ProfileButtons expected;
  };
  using B = ProfileBlock;
  const Case cases[] = {
      {"Administrator", true, true, false, true, "4", {}},
      {"RestrictedWithSupplicant",
       false,
       true,
       false,
       true,
       "4",
       {B::kNotPermitted, B::kNotPermitted, B::kNotPermitted, B::kNone}},
      {"RestrictedPskWithoutSupplicant",
       false,
       false,
       false,
       true,
       "4",
       {B::kNotPermitted, B::kNotPermitted, B::kNotPermitted, B::kNeedsSupplicant}},
      {"RestrictedOpenWithoutSupplicant",
       false,
       false,
       false,
       true,
       "0",
       {B::kNotPermitted, B::kNotPermitted, B::kNotPermitted, B::kNone}},
      {"ServiceManages",
       true,
       true,
       true,
       true,
       "0",
       {B::kServiceManages, B::kNone, B::kNone, B::kServiceManages}},
      {"RadioOff", true, true, false, false, "0", {B::kRadioOff, B::kNone, B::kNone, B::kRadioOff}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    station = {};
    station.maySet = c.maySet;
    station.supplicant = c.supplicant;
    station.service = c.service;
    station.radio = c.radio;
    Profile("Home", {{"SSID", "home-net"}, {"AuthenType", c.auth}});
    page.OnCreate();
    page.OnSelect(0);
    EXPECT_EQ(page.Buttons(), c.expected);
  }
}

TEST_F(ProfilePageTest, TheActiveRowIsMarkedByWhatTheAdapterIsOn) {
  Profile("Home", {{"SSID", "home-net"}, {"NetworkType", "1"}});
  Profile("Lab", {{"SSID", "lab"}, {"NetworkType", "0"}, {"Channel", "6"}});
  page.OnCreate();
  page.OnTick();
  EXPECT_EQ(States(), (std::vector<int>{-1, -1}));  // nothing active

  page.OnSelect(0);
  page.OnApply();
  connection.infraMode = Ndis802_11Infrastructure;
  Connected("home-net");
  page.OnTick();
  EXPECT_EQ(States(), (std::vector<int>{0, -1}));
  Connected("elsewhere");
  page.OnTick();
  EXPECT_EQ(States(), (std::vector<int>{1, -1}));
  driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaDisconnected);
  page.OnTick();
  EXPECT_EQ(States(), (std::vector<int>{1, -1}));

  page.OnSelect(1);
  page.OnApply();
  connection.infraMode = Ndis802_11IBSS;
  Connected("lab", 2437000);  // channel 6
  page.OnTick();
  EXPECT_EQ(States(), (std::vector<int>{-1, 0}));
  Connected("lab", 2462000);  // channel 11: the adapter is not on the profile's channel
  page.OnTick();
  EXPECT_EQ(States(), (std::vector<int>{-1, 1}));
}

TEST_F(ProfilePageTest, DeletingTheActiveProfileAsksThenReleasesIt) {
  Profile("Home", {{"SSID", "home-net"}});
  Profile("Work", {{"SSID", "corp"}});
  page.OnCreate();
  page.OnSelect(0);
  page.OnApply();
  host.editorShowing = true;
  host.confirm = false;
  page.OnDelete();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"hide editor", "confirm IDS_DELCURRENTPROF"}));
  EXPECT_EQ(page.Rows().size(), 2u);

  host.calls.clear();
  host.editorShowing = false;
  host.confirm = true;
  page.OnDelete();
  EXPECT_EQ(host.calls, std::vector<std::string>{"confirm IDS_DELCURRENTPROF"});
  EXPECT_EQ(connection.calls.back(), "release and reconnect");
  EXPECT_EQ(profiles.CurrentProfileName(), "");
  EXPECT_EQ(profiles.ActiveName(), "");
  ASSERT_EQ(page.Rows().size(), 1u);
  EXPECT_EQ(page.Selected(), 0);  // the row at the same index, else the last
  EXPECT_EQ(page.Details()[kDetailName], "Work");

  // Another profile goes without a question; the only row leaves the buttons disabled.
  host.calls.clear();
  page.OnDelete();
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(page.Rows().empty());
  EXPECT_EQ(page.Buttons().edit, ProfileBlock::kNoProfiles);
  EXPECT_EQ(page.Details(), (std::array<std::string, kDetailCount>{}));
}

TEST_F(ProfilePageTest, DeletingTheActiveProfileDuringWpsDoesNotReconnect) {
  Profile("Home", {{"SSID", "home-net"}});
  page.OnCreate();
  page.OnApply();
  connection.wps = true;
  page.OnDelete();
  EXPECT_EQ(connection.calls.back(), "release");
}

TEST_F(ProfilePageTest, DeletingTheLastRowSelectsTheNewLastRow) {
  Profile("A", {{"SSID", "a"}});
  Profile("B", {{"SSID", "b"}});
  Profile("C", {{"SSID", "c"}});
  page.OnCreate();
  page.OnSelect(2);
  page.OnDelete();
  EXPECT_EQ(page.Selected(), 1);
  EXPECT_EQ(page.Details()[kDetailName], "B");
}

}  // namespace
}  // namespace kavo9::profilepage
