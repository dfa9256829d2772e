// The requests one connect sends, in order, for each kind of network: the table below is the
// contract between the producers of connect records and the driver.

#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <functional>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "station/networks/BssLayout.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/connect/RecordBuilders.h"
#include "station/networks/connect/WpaNoneKey.h"
#include "station/networks/connect/testing/ConnectRig.h"

namespace kavo9::connect {
namespace {

using Names = std::vector<std::string>;

const build::MacAddress kBssid = {0x00, 0x0E, 0x2E, 0x41, 0x10, 0x06};

// The prefix every record sends before its security.
Names Head(bool disassociate = true) {
  Names n;
  if (disassociate) n.push_back("S OID_802_11_DISASSOCIATE");
  for (const char* name :
       {"S OID_VND_WPS_MODE", "S OID_802_11_RELOAD_DEFAULTS", "S OID_802_11_INFRASTRUCTURE_MODE",
        "S OID_VND_PROFILE_KIND_FLAG", "S OID_VND_PREAMBLE", "S OID_802_11_RTS_THRESHOLD",
        "S OID_802_11_FRAGMENTATION_THRESHOLD", "S OID_802_11_AUTHENTICATION_MODE",
        "S OID_802_11_ENCRYPTION_STATUS", "S OID_VND_TX_POWER", "S OID_VND_PROFILE_OPTION_FLAG"}) {
    n.push_back(name);
  }
  return n;
}
Names operator+(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Names Repeat(const char* name, int times) {
  return Names(size_t(times), name);
}
// The radio settings of a record without its own (ApplyRadioSettings 0) on a b/g adapter.
const Names kCurrentRadio = {"S OID_VND_COUNTRY_REGION", "S OID_802_11_DESIRED_RATES",
                             "S OID_VND_RATE_SET", "S OID_VND_WPS_BAND"};
const Names kInfraPower = {"S OID_802_11_POWER_MODE"};
const Names kAdhocChannel = {"Q OID_802_11_CONFIGURATION", "S OID_802_11_CONFIGURATION"};
const Names kJoinBssid = {"Q OID_802_11_CONFIGURATION", "S OID_802_11_CONFIGURATION",
                          "S OID_802_11_BSSID"};
const Names kJoinSsid = {"S OID_802_11_SSID"};

class ConnectSequence : public testing::Test {
 public:
  ConnectSequence() { rig.radio.wirelessMode = 0; }

  SurveySelection Row(std::string_view ssid, uint32_t infra = 1, uint32_t khz = 2437000,
                      bool privacy = false) {
    SurveySelection s;
    s.Record = build::BssRecordBuilder()
                   .Bssid(kBssid)
                   .Ssid(ssid)
                   .Infrastructure(infra)
                   .FrequencyKhz(khz)
                   .Privacy(privacy)
                   .WithSsidElement()
                   .Build();
    s.Secured = privacy;
    return s;
  }
  void Run(ConnectRecord record) {
    driver.log.clear();
    rig.steps.RunConnectRecord(record);
  }
  const DriverRequest& Set(uint32_t oid, size_t nth = 0) {
    size_t seen = 0;
    for (const DriverRequest& r : driver.log) {
      if (r.set && r.oid == oid && seen++ == nth) return r;
    }
    static DriverRequest none;
    ADD_FAILURE() << "no set " << nth << " of " << std::hex << oid;
    return none;
  }
  uint32_t SetValue(uint32_t oid, size_t nth = 0) {
    const DriverRequest& r = Set(oid, nth);
    uint32_t v = 0;
    if (r.value.size() >= 4) std::memcpy(&v, r.value.data(), 4);
    return v;
  }
  ConnectRecord FromProfile(const std::vector<std::pair<std::string, std::string>>& values,
                            bool fullApply = false) {
    profiles::ProfileValues v;
    for (const auto& [name, text] : values) v.Set(name, text);
    ProfileEnvironment env;
    std::optional<int> ofdm;
    return BuildFromProfile(v, fullApply, env, driver, &ofdm);
  }

  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  ConnectRig rig{driver, adapter};
};

struct OrderCase {
  std::string name;
  std::function<ConnectRecord(ConnectSequence&)> record;
  Names expected;
};

TEST_F(ConnectSequence, EachKindOfNetworkSendsItsRequestsInTheFixedOrder) {
  const std::vector<OrderCase> cases = {
      {"open infrastructure from the survey",
       [](ConnectSequence& t) { return BuildFromSurvey(t.Row("Bakery Guest"), {}, {}); },
       Head() + Repeat("S OID_802_11_REMOVE_KEY", 4) + kInfraPower + kCurrentRadio + kJoinBssid},
      {"hidden network by its typed SSID",
       [](ConnectSequence& t) {
         SurveySelection s = t.Row("");
         s.HiddenSsidPath = true;
         s.HiddenSsid = "Garden Shed";
         return BuildFromSurvey(s, {}, {});
       },
       Head() + Repeat("S OID_802_11_REMOVE_KEY", 4) + kInfraPower + kCurrentRadio + kJoinSsid},
      {"open ad hoc from the survey",
       [](ConnectSequence& t) { return BuildFromSurvey(t.Row("Ben", 0, 2457000), {}, {}); },
       Head() + Repeat("S OID_802_11_REMOVE_KEY", 4) + kAdhocChannel + kCurrentRadio + kJoinSsid},
      {"WEP profile with key 2 only",
       [](ConnectSequence& t) {
         return t.FromProfile({{"SSID", "Hoffmann"},
                               {"AuthenType", "0"},
                               {"Encryption", "0"},
                               {"WEPKeyUse", "2"},
                               {"WEPKey2", "1a2b3c4d5e"}});
       },
       Head() +
           Names{"S OID_802_11_REMOVE_KEY", "S OID_802_11_ADD_KEY", "S OID_802_11_REMOVE_KEY",
                 "S OID_802_11_REMOVE_KEY"} +
           kInfraPower + kCurrentRadio + kJoinSsid},
      {"WPA-None ad hoc profile",
       [](ConnectSequence& t) {
         return t.FromProfile({{"SSID", "adhoc-wpa"},
                               {"NetworkType", "0"},
                               {"Channel", "6"},
                               {"AuthenType", "5"},
                               {"Encryption", "4"},
                               {"WPAPSK", "sunflower42"}});
       },
       Head() + Names{"S OID_802_11_ADD_KEY"} + kAdhocChannel + kCurrentRadio + kJoinSsid},
      {"WPA2-PSK waits for the supplicant: no keys of its own",
       [](ConnectSequence& t) {
         return t.FromProfile({{"SSID", "Apartment 4B"},
                               {"AuthenType", "7"},
                               {"Encryption", "6"},
                               {"WPAPSK", "correct horse battery staple"}});
       },
       Head() + kInfraPower + kCurrentRadio + kJoinSsid},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.name);
    Run(c.record(*this));
    EXPECT_EQ(driver.Names(), c.expected);
  }
}

TEST_F(ConnectSequence, AnOpenSurveyRowJoinsItsBssidWithOpenSettings) {
  Run(BuildFromSurvey(Row("Bakery Guest"), {}, {.psMode = 1}));
  EXPECT_EQ(SetValue(OID_VND_PROFILE_KIND_FLAG), 1u);
  EXPECT_EQ(SetValue(OID_VND_PREAMBLE), 2u);
  EXPECT_EQ(SetValue(OID_802_11_RTS_THRESHOLD), 2347u);
  EXPECT_EQ(SetValue(OID_802_11_FRAGMENTATION_THRESHOLD), 0u);
  EXPECT_EQ(SetValue(OID_802_11_AUTHENTICATION_MODE), 0u);
  EXPECT_EQ(SetValue(OID_802_11_ENCRYPTION_STATUS), 1u);
  EXPECT_EQ(int32_t(SetValue(OID_VND_TX_POWER)), -1);
  EXPECT_EQ(SetValue(OID_802_11_POWER_MODE), 1u);
  EXPECT_EQ(Set(OID_802_11_BSSID).value, std::vector<uint8_t>(kBssid.begin(), kBssid.end()));
  // The channel of the row goes to the configuration before the join.
  EXPECT_EQ(ReadLe32(Set(OID_802_11_CONFIGURATION).value, 12), 2437000u);
  const DriverRequest& remove = Set(OID_802_11_REMOVE_KEY, 3);
  EXPECT_EQ(remove.value, (std::vector<uint8_t>{16, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                                0xFF, 0xFF, 0, 0}));
  EXPECT_FALSE(rig.controller.armed);
  EXPECT_EQ(rig.wps.rotations, 1);
}

TEST_F(ConnectSequence, TheHiddenSsidIsTheOneTyped) {
  SurveySelection s = Row("");
  s.HiddenSsidPath = true;
  s.HiddenSsid = "Garden Shed";
  Run(BuildFromSurvey(s, {}, {}));
  const std::vector<uint8_t>& ssid = Set(OID_802_11_SSID).value;
  ASSERT_EQ(ssid.size(), 36u);
  EXPECT_EQ(ReadLe32(ssid, 0), 11u);
  EXPECT_EQ(std::string(ssid.begin() + 4, ssid.begin() + 15), "Garden Shed");
  EXPECT_EQ(SetValue(OID_VND_PROFILE_KIND_FLAG), 0u);
}

TEST_F(ConnectSequence, AWepKeyTwoProfileAddsKeyTwoAsTheTransmitKeyAndWatchesIt) {
  Run(FromProfile({{"SSID", "Hoffmann"},
                   {"AuthenType", "0"},
                   {"Encryption", "0"},
                   {"WEPKeyUse", "2"},
                   {"WEPKey2", "1a2b3c4d5e"}}));
  const std::vector<uint8_t>& key = Set(OID_802_11_ADD_KEY).value;
  ASSERT_EQ(key.size(), 44u);
  EXPECT_EQ(ReadLe32(key, 0), 44u);
  EXPECT_EQ(ReadLe32(key, 4), 0x80000001u);
  EXPECT_EQ(ReadLe32(key, 8), 5u);
  EXPECT_EQ(std::vector<uint8_t>(key.begin() + 32, key.begin() + 37),
            (std::vector<uint8_t>{0x1a, 0x2b, 0x3c, 0x4d, 0x5e}));
  EXPECT_EQ(ReadLe32(Set(OID_802_11_REMOVE_KEY, 0).value, 4), 0u);
  EXPECT_EQ(ReadLe32(Set(OID_802_11_REMOVE_KEY, 1).value, 4), 2u);
  EXPECT_EQ(ReadLe32(Set(OID_802_11_REMOVE_KEY, 2).value, 4), 3u);
  EXPECT_TRUE(rig.controller.armed);
}

TEST_F(ConnectSequence, BadStoredKeysGiveNoKeyInsteadOfAWrongOne) {
  Run(FromProfile({{"AuthenType", "1"},
                   {"Encryption", "0"},
                   {"WEPKeyUse", "1"},
                   {"WEPKey1", "1a2b3c4d5"},
                   {"WEPKey2", "zz2b3c4d5e"},
                   {"WEPKey3", std::string(200, 'a')}}));
  EXPECT_EQ(driver.Count("S OID_802_11_ADD_KEY"), 0u);
  EXPECT_EQ(driver.Count("S OID_802_11_REMOVE_KEY"), 4u);
  ConnectRecord none = FromProfile({{"SSID", "adhoc"},
                                    {"NetworkType", "0"},
                                    {"AuthenType", "5"},
                                    {"Encryption", "4"},
                                    {"WPAPSK", std::string(64, 'x')}});
  EXPECT_FALSE(none.WpaNoneKey);
}

TEST_F(ConnectSequence, TheWpaNoneKeyIsTheSsidSaltedPmkSentOnce) {
  Run(FromProfile({{"SSID", "adhoc-wpa"},
                   {"NetworkType", "0"},
                   {"Channel", "11"},
                   {"AuthenType", "5"},
                   {"Encryption", "4"},
                   {"WPAPSK", "sunflower42"}}));
  const DriverRequest& add = Set(OID_802_11_ADD_KEY);
  ASSERT_EQ(add.value.size(), 71u);
  EXPECT_EQ(add.attempts, 1);
  EXPECT_EQ(ReadLe32(add.value, 0), 71u);
  EXPECT_EQ(ReadLe32(add.value, 4), 0x80000000u);
  EXPECT_EQ(ReadLe32(add.value, 8), 32u);
  EXPECT_EQ(std::vector<uint8_t>(add.value.begin() + 12, add.value.begin() + 20),
            std::vector<uint8_t>(8, 0xFF));
  unsigned char pmk[32];
  PKCS5_PBKDF2_HMAC_SHA1("sunflower42", 11, reinterpret_cast<const unsigned char*>("adhoc-wpa"), 9,
                         4096, 32, pmk);
  EXPECT_EQ(std::vector<uint8_t>(add.value.begin() + 32, add.value.begin() + 64),
            std::vector<uint8_t>(pmk, pmk + 32));
  EXPECT_EQ(ReadLe32(Set(OID_802_11_CONFIGURATION).value, 12), 2462000u);
  EXPECT_EQ(SetValue(OID_VND_PROFILE_KIND_FLAG), 0u);
  // A 64-digit key is the PMK itself.
  const auto hex = PmkFromPreSharedKey(std::string(62, '0') + "a5", "ignored");
  ASSERT_TRUE(hex);
  EXPECT_EQ((*hex)[31], 0xa5);
}

TEST_F(ConnectSequence, TheKnownPbkdf2VectorHolds) {
  // IEEE 802.11i, annex H.4: "password" on "IEEE".
  const Pmk pmk = DerivePmk("password", "IEEE");
  EXPECT_EQ(pmk[0], 0xf4);
  EXPECT_EQ(pmk[1], 0x2c);
  EXPECT_EQ(pmk[31], 0x2e);
}

TEST_F(ConnectSequence, TransmitPowerIndicesMapToPercentages) {
  const std::vector<std::pair<uint32_t, int32_t>> cases = {
      {0, -1}, {1, 100}, {2, 75}, {3, 50}, {4, 25}, {5, 10}, {6, 6}, {7, -1}, {99, -1}};
  for (const auto& [index, percent] : cases) {
    SCOPED_TRACE("index " + std::to_string(index));
    Run(FromProfile({{"SSID", "x"}, {"TXPower", std::to_string(index)}}));
    EXPECT_EQ(int32_t(SetValue(OID_VND_TX_POWER)), percent);
  }
}

TEST_F(ConnectSequence, ThresholdsAreSentOnlyWhenTheirSwitchIsOn) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> values;
    uint32_t rts;
    uint32_t frag;
  };
  const std::vector<Case> cases = {
      {"both off",
       {{"UseRts", "0"}, {"RtsThresh", "500"}, {"UseFrag", "0"}, {"FragThresh", "900"}},
       2347,
       0},
      {"both missing", {}, 2347, 0},
      {"both on",
       {{"UseRts", "1"}, {"RtsThresh", "500"}, {"UseFrag", "1"}, {"FragThresh", "900"}},
       500,
       900},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Run(FromProfile(c.values));
    EXPECT_EQ(SetValue(OID_802_11_RTS_THRESHOLD), c.rts);
    EXPECT_EQ(SetValue(OID_802_11_FRAGMENTATION_THRESHOLD), c.frag);
  }
}

TEST_F(ConnectSequence, FullApplySendsTheProfilesRadioSettings) {
  // Station options as the driver reports them; word 6 must go back cleared.
  std::array<uint8_t, 32> reported{};
  reported[24] = 0x77;
  reported[20] = 0x11;
  driver.Answer(OID_VND_STA_CONFIG, reported);
  ProfileEnvironment env;
  env.bands.has5G = true;
  env.adapterNumber = [](const char* name) -> std::optional<long> {
    const std::string n(name);
    if (n == "WirelessMode") return 2;  // A only
    if (n == "TXBurst") return 1;
    if (n == "BGProtection") return 1;  // not for G only
    if (n == "CountryRegion") return 5;
    if (n == "CountryRegionABand") return 7;
    return std::nullopt;
  };
  profiles::ProfileValues v;
  v.Set("SSID", "Bakery Guest");
  std::optional<int> ofdm;
  ConnectRecord r = BuildFromProfile(v, true, env, driver, &ofdm);
  Run(std::move(r));
  const Names tail = {"S OID_VND_WIRELESS_MODE",  "S OID_VND_STA_CONFIG",
                      "S OID_VND_COUNTRY_REGION", "S OID_802_11_DESIRED_RATES",
                      "S OID_VND_RATE_SET",       "S OID_VND_WPS_BAND"};
  EXPECT_EQ(driver.Names(),
            Head() + Repeat("S OID_802_11_REMOVE_KEY", 4) + kInfraPower + tail + kJoinSsid);
  EXPECT_EQ(SetValue(OID_VND_WIRELESS_MODE), 2u);
  const std::vector<uint8_t>& config = Set(OID_VND_STA_CONFIG).value;
  EXPECT_EQ(ReadLe32(config, 0), 1u);   // TX burst
  EXPECT_EQ(ReadLe32(config, 8), 0u);   // no b/g protection outside modes 0 and 3
  EXPECT_EQ(ReadLe32(config, 12), 1u);  // short slot by default
  EXPECT_EQ(ReadLe32(config, 20), 0x11u);
  EXPECT_EQ(ReadLe32(config, 24), 0u);
  EXPECT_EQ(SetValue(OID_VND_COUNTRY_REGION), 5u + 256u * 7u);
  EXPECT_EQ(Set(OID_802_11_DESIRED_RATES).value,
            (std::vector<uint8_t>{108, 96, 72, 48, 36, 24, 18, 12}));
  EXPECT_EQ(rig.controller.regionRereads, 1);
  EXPECT_TRUE(ofdm.has_value());
}

TEST_F(ConnectSequence, AWpsJoinWaitsOnATimerNotASleep) {
  rig.wps.inUse = true;
  rig.wps.bssid = {2, 4, 6, 8, 10, 12};
  Run(FromProfile({{"SSID", "wps"}}));
  EXPECT_EQ(driver.Count("S OID_802_11_BSSID"), 0u);
  EXPECT_TRUE(rig.steps.JoinPending());
  rig.fake.loop.Advance(kWpsJoinPauseMs - 1);
  EXPECT_EQ(driver.Count("S OID_802_11_BSSID"), 0u);
  rig.fake.loop.Advance(1);
  EXPECT_EQ(Set(OID_802_11_BSSID).value, (std::vector<uint8_t>{2, 4, 6, 8, 10, 12}));
  EXPECT_FALSE(rig.steps.JoinPending());
  rig.fake.loop.Advance(1000);
  EXPECT_EQ(driver.Count("S OID_802_11_BSSID"), 1u);
}

TEST_F(ConnectSequence, ACancelledCredentialPromptDropsTheRecordBeforeTheJoin) {
  rig.supplicant.running = true;
  rig.supplicant.cancel = true;
  Run(FromProfile({{"SSID", "leap"}, {"LeapEnabled", "1"}, {"LeapUserName", "ann"}}));
  EXPECT_EQ(driver.Count("S OID_802_11_SSID"), 0u);
  EXPECT_EQ(driver.Count("S OID_VND_PROFILE_OPTION_FLAG"), 0u);
  rig.supplicant.cancel = false;
  Run(FromProfile({{"SSID", "leap"}, {"LeapEnabled", "1"}, {"LeapUserName", "ann"}}));
  EXPECT_EQ(SetValue(OID_VND_PROFILE_OPTION_FLAG), 1u);
  EXPECT_EQ(driver.Count("S OID_802_11_SSID"), 1u);
}

TEST_F(ConnectSequence, TheCcxWordGoesOutBeforeAndAfterEachJoinInTheJoinsForm) {
  ConnectRecord bound = BuildFromSurvey(Row("Bakery Guest"), {}, {});
  bound.CcxBytes = 0x4621;
  Run(std::move(bound));
  ConnectRecord bySsid = FromProfile({{"SSID", "Hoffmann"}});
  bySsid.CcxBytes = 0x3;
  Run(std::move(bySsid));
  EXPECT_EQ(rig.ccx.calls,
            (Names{"send 17953 bound", "refresh bound", "send 3 free", "refresh free"}));

  rig.ccx.calls.clear();
  rig.wps.inUse = true;  // joined by the WPS BSSID: the word as for a join by SSID
  Run(FromProfile({{"SSID", "wps"}}));
  rig.fake.loop.Advance(kWpsJoinPauseMs);
  rig.wps.inUse = false;
  rig.steps.RunConnectSsid(SsidPayload{});
  rig.steps.RunConnectBssid(BssidPayload{});
  EXPECT_EQ(rig.ccx.calls, (Names{"send 0 free", "refresh free", "refresh free", "refresh bound"}));
}

}  // namespace
}  // namespace kavo9::connect
