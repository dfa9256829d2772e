#include <gtest/gtest.h>

#include <map>

#include "common/platform/fake/VirtualEventLoop.h"
#include "radio/AdvancePage.h"
#include "radio/tests/RadioFakes.h"

namespace kavo9::radio {
namespace {

using namespace advance;
using test::MemoryStore;

class KeyTexts : public TextPort {
 public:
  std::string Text(std::string_view key) const override { return std::string(key); }
};

class IniSettings : public SettingsPort {
 public:
  std::map<std::string, std::string, std::less<>> values;  // by key, section "Advance"
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view def) const override {
    EXPECT_EQ(section, "Advance");
    auto it = values.find(key);
    return it == values.end() ? std::string(def) : it->second;
  }
};

class RecordingHost : public AdvancePageHost {
 public:
  std::vector<std::string> events;
  bool connected = false;
  bool showStatus = false;
  void ShowMessage(std::string_view key) override {
    events.push_back("message " + std::string(key));
  }
  void ShowModelessMessage(std::string_view key) override {
    events.push_back("modeless " + std::string(key));
  }
  void RefreshCcxControl() override { events.push_back("ccx"); }
  void SetSupplicantShowStatus(bool show) override { showStatus = show; }
  bool HasCurrentConnection() override { return connected; }
  void RequeueCurrentConnection() override { events.push_back("requeue"); }
  void PressSiteSurveyRescan() override { events.push_back("rescan"); }
  void RadioSettingsChanged() override { events.push_back("changed"); }
  size_t Count(const std::string& event) const {
    return size_t(std::count(events.begin(), events.end(), event));
  }
};

std::vector<uint8_t> Le32(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

class AdvancePageTest : public ::testing::Test {
 protected:
  AdvancePageTest() {
    state.chipKind = 6;
    state.bands = {true, true};
    state.bw40 = {true, true};
    std::vector<uint8_t> sta(32, 0);
    sta[12] = 0x77;  // word 3 belongs to the driver
    sta[24] = 5;     // word 6 is always sent as 0
    driver.answers[OID_VND_STA_CONFIG] = sta;
    driver.answers[OID_VND_HT_PHY_MODE] = {0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0x5A};
    driver.AnswerDword(OID_VND_COUNTRY_REGION, 0);
    store.SetText(RadioKey::kAdapter, "WirelessMode", "9");
    store.SetText(RadioKey::kAdapter, "Channel", "6");
  }

  AdvancePageModel& Page() {
    if (!page) {
      page = std::make_unique<AdvancePageModel>(state, driver, store, texts, settings, host, loop,
                                                env);
      page->Create();
      page->Show();
      driver.log.clear();
      store.writes.clear();
    }
    return *page;
  }

  RadioState state;
  ScriptedDriver driver;
  MemoryStore store;
  KeyTexts texts;
  IniSettings settings;
  RecordingHost host;
  VirtualEventLoop loop;
  AdvancePageEnvironment env;
  std::unique_ptr<AdvancePageModel> page;
};

TEST_F(AdvancePageTest, VisibilitySwitches) {
  struct Case {
    const char* name;
    bool htAdapter;
    const char* storedMode;
    const char* htSetting;
    const char* txRate;
    const char* bgProtection;
    bool group, txShown, txEnabled, bgShown;
  } cases[] = {
      {"ht adapter, defaults", true, "9", "0", "0", "0", false, false, true, false},
      {"ht group on", true, "9", "1", "0", "0", true, false, true, false},
      {"ht group and tx rate", true, "5", "1", "1", "1", true, true, false, true},
      {"tx rate switch, group off", true, "9", "0", "1", "0", false, true, true, false},
      {"legacy adapter shows rate and protection", false, "0", "1", "0", "0", false, true, true,
       true},
      {"legacy adapter, switches on", false, "3", "1", "1", "1", false, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    page.reset();
    state.bands.ht = c.htAdapter;
    store.SetText(RadioKey::kAdapter, "WirelessMode", c.storedMode);
    settings.values = {
        {"HT Setting", c.htSetting}, {"TxRate", c.txRate}, {"BgProtection", c.bgProtection}};
    AdvancePageModel& p = Page();
    EXPECT_EQ(p.Control(kHtGroup).visible, c.group);
    EXPECT_EQ(p.Control(kMcsCombo).visible, c.group);
    EXPECT_FALSE(p.Control(kExtAbove).visible);
    EXPECT_EQ(p.Control(kTxRateCombo).visible, c.txShown);
    EXPECT_EQ(p.Control(kTxRateCombo).enabled, c.txEnabled);
    EXPECT_EQ(p.Control(kBgProtectionButton).visible, c.bgShown);
    EXPECT_FALSE(p.Control(kQosCheck).visible);
  }
}

TEST_F(AdvancePageTest, SettingsFileEditTakesEffectWithinASecond) {
  AdvancePageModel& p = Page();
  EXPECT_FALSE(p.Control(kHtGroup).visible);
  settings.values["HT Setting"] = "1";
  loop.Advance(999);
  EXPECT_FALSE(p.Control(kHtGroup).visible);
  loop.Advance(1);
  EXPECT_TRUE(p.Control(kHtGroup).visible);
  p.Hide();
  settings.values["HT Setting"] = "0";
  loop.Advance(5000);
  EXPECT_TRUE(p.Control(kHtGroup).visible) << "no ticks while hidden";
}

TEST_F(AdvancePageTest, WidthFollowsPermissionAndRegion) {
  settings.values["HT Setting"] = "1";
  state.bw40.allowed24G = false;
  store.SetDword(RadioKey::kAdapter, "TransmitSetting", 0x00009879);  // 40 MHz stored
  AdvancePageModel& p = Page();
  EXPECT_FALSE(p.Control(kWidthAuto).enabled);
  EXPECT_TRUE(p.Control(kWidth20).enabled);
  EXPECT_EQ(p.values().ht.width40, 0u) << "a stored 40 MHz width loads as 20 MHz";
  EXPECT_EQ(p.values().ht.mcs, 7u);
  EXPECT_EQ(p.values().ht.shortGuard, 1u);

  state.bw40.allowed24G = true;
  struct {
    int index;
    uint32_t width;
  } regions[] = {{3, 0}, {0, 1}, {4, 0}, {1, 1}};  // CH10-13, CH1-11, CH14, CH1-13
  for (auto r : regions) {
    p.ChooseRegion24(r.index);
    EXPECT_EQ(p.values().ht.width40, r.width) << p.Region24Entries()[r.index];
  }
}

TEST_F(AdvancePageTest, ApplyChecksRefuseWithTheirMessage) {
  AdvancePageModel& p = Page();
  struct {
    const char* name;
    uint32_t gf, gi, stbc;
    int dbm;
    uint32_t limit;
    const char* message;  // null: applied
  } cases[] = {
      {"GF+GI+STBC", 1, 1, 1, -70, 250, "IDS_MSG_NOT_AVAIL_COMBO_GI_STBC_GF"},
      {"GF+GI", 1, 1, 0, -70, 250, nullptr},
      {"GI+STBC", 0, 1, 1, -70, 250, nullptr},
      {"GF+STBC", 1, 0, 1, -70, 250, nullptr},
      {"threshold too low", 0, 0, 0, -91, 250, "IDS_INVALID_DBM"},
      {"threshold too high", 0, 0, 0, -39, 250, "IDS_INVALID_DBM"},
      {"limit too long", 0, 0, 0, -70, 2001, "IDS_INVALID_MEASURE_TIME"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.events.clear();
    driver.log.clear();
    store.writes.clear();
    p.values().ht.greenfield = c.gf;
    p.values().ht.shortGuard = c.gi;
    p.values().ht.stbc = c.stbc;
    p.values().ccx.roamThresholdDbm = c.dbm;
    p.values().ccx.nonServingLimitMs = c.limit;
    EXPECT_EQ(p.Apply(), c.message == nullptr);
    if (c.message) {
      EXPECT_EQ(host.events, std::vector<std::string>{std::string("message ") + c.message});
      EXPECT_TRUE(driver.log.empty());
      EXPECT_TRUE(store.writes.empty());
    } else {
      EXPECT_FALSE(driver.log.empty());
    }
  }
}

TEST_F(AdvancePageTest, ApplyOnHtAdapterWritesAndSendsInOrder) {
  settings.values["HT Setting"] = "1";
  store.SetDword(RadioKey::kAdapter, "TransmitSetting", 0x00029879);  // extension code 1
  AdvancePageModel& p = Page();
  p.values().ht.width40 = 1;  // the region choice at creation may have narrowed it
  p.values().txBurst = true;
  p.values().bgProtection = kBgOff;
  ASSERT_TRUE(p.Apply());

  // The TCP/IP values come first (the box is clear: deleted), then the adapter values in order.
  ASSERT_GE(store.writes.size(), 4u);
  EXPECT_EQ(store.writes[0], "-Tcpip:TCPWindowSize");
  EXPECT_EQ(store.writes[3], "-Tcpip:Tcp1323Opts");
  std::vector<std::string> adapterWrites;
  for (const auto& w : store.writes) {
    if (w.find(':') == std::string::npos && w[0] != '-') adapterWrites.push_back(w);
  }
  EXPECT_EQ(adapterWrites,
            (std::vector<std::string>{"ShowAuthStatus", "WirelessMode", "TXBurst", "BGProtection",
                                      "CountryRegion", "CountryRegionABand", "AdhocOfdm",
                                      "TransRate", "CCX2Control", "TransmitSetting"}));
  uint32_t word = 0;
  ASSERT_TRUE(ReadDword(store, RadioKey::kAdapter, "TransmitSetting", &word));
  EXPECT_EQ(word, 0x00029879u) << "the extension bits are stored again unchanged";
  EXPECT_EQ(state.htSettingWord, word);

  std::vector<uint32_t> sets = driver.Sets();
  EXPECT_EQ(sets,
            (std::vector<uint32_t>{OID_VND_WIRELESS_MODE, OID_VND_HT_PHY_MODE, OID_VND_STA_CONFIG,
                                   OID_VND_COUNTRY_REGION, OID_802_11_DESIRED_RATES}));
  for (const auto& r : driver.log) {
    if (r.set) {
      EXPECT_EQ(r.attempts, 3);
    }
  }
  EXPECT_EQ(driver.LastSet(OID_VND_WIRELESS_MODE)->value, Le32(9));
  EXPECT_EQ(driver.LastSet(OID_VND_HT_PHY_MODE)->value,
            (std::vector<uint8_t>{9, 0, 0, 0, 2, 0, 2, 7, 1, 0, 1, 0x5A}))
      << "the driver keeps its own extension channel";
  std::vector<uint8_t> sta = driver.LastSet(OID_VND_STA_CONFIG)->value;
  EXPECT_EQ(sta[0], 1);      // TX burst
  EXPECT_EQ(sta[8], 2);      // b/g protection off
  EXPECT_EQ(sta[12], 0x77);  // the driver's word
  EXPECT_EQ(sta[16], 9);     // ad hoc OFDM code of mode 9
  EXPECT_EQ(sta[24], 0);
  ASSERT_TRUE(state.staConfig);
  EXPECT_EQ(driver.LastSet(OID_802_11_DESIRED_RATES)->value,
            (std::vector<uint8_t>{108, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(host.Count("ccx"), 2u);
  EXPECT_EQ(host.Count("changed"), 1u);

  // Automatic MCS: only the MCS field of the word changes, and the full rate list goes out.
  p.ChooseMcs(0);
  ASSERT_TRUE(p.Apply());
  ASSERT_TRUE(ReadDword(store, RadioKey::kAdapter, "TransmitSetting", &word));
  EXPECT_EQ(word, 0x00029879u ^ ((7u ^ 33u) << 4));
  EXPECT_EQ(driver.LastSet(OID_802_11_DESIRED_RATES)->value,
            (std::vector<uint8_t>{108, 96, 72, 48, 22, 11, 4, 2}));
}

TEST_F(AdvancePageTest, ApplyLegacyModeSendsRateListAndRateSet) {
  state.bands.ht = false;
  store.SetText(RadioKey::kAdapter, "WirelessMode", "2");
  store.SetText(RadioKey::kAdapter, "TransRate", "9");
  store.SetText(RadioKey::kAdapter, "BGProtection", "1");
  AdvancePageModel& p = Page();
  EXPECT_EQ(p.values().wirelessMode, 2);
  EXPECT_EQ(p.TxRateEntries().size(), 9u);
  EXPECT_EQ(p.TxRateIndex(), -1) << "index 9 has no entry in mode 2";
  ASSERT_TRUE(p.Apply());
  EXPECT_EQ(driver.LastSet(OID_802_11_DESIRED_RATES)->value,
            (std::vector<uint8_t>{108, 96, 72, 48, 36, 24, 18, 12}));
  EXPECT_EQ(driver.LastSet(OID_VND_RATE_SET)->value,
            (std::vector<uint8_t>{8, 0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C, 0, 0, 0, 0,
                                  0, 0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0}));
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "BGProtection"), "0");
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "TransRate"), "0");
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "AdhocOfdm"), "3");
  EXPECT_EQ(driver.LastSet(OID_VND_HT_PHY_MODE), nullptr);
  EXPECT_EQ(store.keys[RadioKey::kAdapter].count("TransmitSetting"), 0u);
}

TEST_F(AdvancePageTest, BandChangeScansAndModeChangeReconnects) {
  store.SetText(RadioKey::kAdapter, "WirelessMode", "9");  // IDS_PHY_24G
  host.connected = true;
  AdvancePageModel& p = Page();
  ASSERT_EQ(p.WirelessModeEntries(),
            (std::vector<std::string>{"IDS_PHY_24G", "IDS_PHY_5G", "IDS_PHY_24_5G"}));
  struct {
    int index;
    bool scan;
  } steps[] = {{2, false}, {1, true}, {0, true}, {0, false}, {2, false}, {0, true}};
  for (auto s : steps) {
    driver.log.clear();
    p.ChooseWirelessMode(s.index);
    ASSERT_TRUE(p.Apply());
    EXPECT_EQ(driver.LastSet(OID_802_11_BSSID_LIST_SCAN) != nullptr, s.scan) << s.index;
  }

  // A region change while connected: disassociate, requeue after 100 ms, rescan after 1 s.
  host.events.clear();
  driver.log.clear();
  p.ChooseRegion24(2);
  ASSERT_TRUE(p.Apply());
  EXPECT_NE(driver.LastSet(OID_802_11_DISASSOCIATE), nullptr);
  loop.Advance(99);
  EXPECT_EQ(host.Count("requeue"), 0u);
  loop.Advance(1);
  EXPECT_EQ(host.Count("requeue"), 1u);
  loop.Advance(900);
  EXPECT_EQ(host.Count("rescan"), 1u);
  loop.Advance(5000);
  EXPECT_EQ(host.Count("rescan"), 1u) << "one rescan only";

  // The same settings again: no disassociation, no rescan.
  driver.log.clear();
  ASSERT_TRUE(p.Apply());
  loop.Advance(2000);
  EXPECT_EQ(driver.LastSet(OID_802_11_DISASSOCIATE), nullptr);
  EXPECT_EQ(host.Count("rescan"), 1u);
}

TEST_F(AdvancePageTest, ModeChangeWarnsOnlyWithAdapterPresent) {
  AdvancePageModel& p = Page();
  EXPECT_EQ(host.Count("modeless IDS_CHANNELCONFLICT"), 0u) << "not while creating";
  p.ChooseWirelessMode(1);
  EXPECT_EQ(host.Count("modeless IDS_CHANNELCONFLICT"), 1u);
  EXPECT_FALSE(p.Control(kRegion24Combo).visible);
  EXPECT_TRUE(p.Control(kRegion5Combo).visible);
  driver.present = false;
  p.ChooseWirelessMode(2);
  EXPECT_EQ(host.Count("modeless IDS_CHANNELCONFLICT"), 1u);
  EXPECT_TRUE(p.Control(kRegion24Combo).visible);
  EXPECT_TRUE(p.Control(kRegion5Combo).visible);
}

TEST_F(AdvancePageTest, StoredModeShowsAsItsBandAndIsAppliedAsShown) {
  struct {
    const char* name;
    AdapterBands bands;  // 5 GHz, 802.11n
    const char* stored;
    const char* shown;
    int applied;
    bool region24Shown;
  } cases[] = {
      {"802.11n adapter, B/G mix", {true, true}, "0", "IDS_PHY_24G", 9, true},
      {"802.11n adapter, A only", {true, true}, "2", "IDS_PHY_24G", 9, true},
      {"802.11n adapter, A/B/G mix", {true, true}, "3", "IDS_PHY_24G", 9, true},
      {"802.11n adapter, A/N mix", {true, true}, "8", "IDS_PHY_5G", 8, false},
      {"legacy adapter, A only", {true, false}, "2", "IDS_PHY_5G", 2, false},
      {"legacy adapter, A/B/G/N mix", {true, false}, "5", "IDS_PHY_24_5G", 3, true},
      {"legacy 2.4 GHz adapter, G only", {false, false}, "4", "IDS_PHY_24G", 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    page.reset();
    state.bands = c.bands;
    store.SetText(RadioKey::kAdapter, "WirelessMode", c.stored);
    AdvancePageModel& p = Page();
    ASSERT_GE(p.WirelessModeIndex(), 0);
    EXPECT_EQ(p.WirelessModeEntries()[p.WirelessModeIndex()], c.shown);
    EXPECT_EQ(p.Control(kRegion24Combo).visible, c.region24Shown);
    ASSERT_TRUE(p.Apply());
    EXPECT_EQ(store.Text(RadioKey::kAdapter, "WirelessMode"), std::to_string(c.applied));
    EXPECT_EQ(driver.LastSet(OID_VND_WIRELESS_MODE)->value, Le32(c.applied));
    EXPECT_EQ(state.wirelessMode, c.applied);
  }
}

TEST_F(AdvancePageTest, ShowingAgainLaysTheControlsOutForTheStoredMode) {
  state.bands.ht = false;
  store.SetText(RadioKey::kAdapter, "WirelessMode", "0");
  store.SetText(RadioKey::kAdapter, "TransRate", "1");  // 1 Mbit/s in the b/g mix
  AdvancePageModel& p = Page();
  ASSERT_EQ(p.TxRateEntries().size(), 13u);
  p.ChooseWirelessMode(1);  // 5 GHz, left unapplied
  EXPECT_EQ(p.TxRateEntries().size(), 9u);
  EXPECT_FALSE(p.Control(kRegion24Combo).visible);

  p.Hide();
  p.Show();
  EXPECT_EQ(p.values().wirelessMode, 0);
  ASSERT_EQ(p.TxRateEntries().size(), 13u);
  EXPECT_EQ(p.TxRateEntries()[p.TxRateIndex()], "IDS_1MBPS");
  EXPECT_TRUE(p.Control(kRegion24Combo).visible);
  EXPECT_FALSE(p.Control(kRegion5Combo).visible);
}

TEST_F(AdvancePageTest, TcpTuningFollowsTheCheckBox) {
  store.SetDword(RadioKey::kTcpipParameters, "TCPWindowSize", 65536);
  AdvancePageModel& p = Page();
  EXPECT_TRUE(p.values().tcpWindow);
  p.values().tcpWindow = false;
  ASSERT_TRUE(p.Apply());
  EXPECT_TRUE(store.keys[RadioKey::kTcpipParameters].empty());
  p.values().tcpWindow = true;
  ASSERT_TRUE(p.Apply());
  EXPECT_EQ(store.keys[RadioKey::kTcpipParameters].size(), 4u);

  // Before Windows 2000 the box is disabled and nothing is touched.
  page.reset();
  env.windowsVersionCode = 6;
  store = MemoryStore();
  AdvancePageModel& old = Page();
  EXPECT_FALSE(old.Control(kTcpWindowCheck).enabled);
  old.values().tcpWindow = true;
  ASSERT_TRUE(old.Apply());
  EXPECT_TRUE(store.keys[RadioKey::kTcpipParameters].empty());
}

TEST_F(AdvancePageTest, FixedRegionsAreNeitherEditableNorWritten) {
  state.region = DecodeCountryRegion(0x8583);  // 2.4 GHz 3 and 5 GHz 5, both fixed
  driver.AnswerDword(OID_VND_COUNTRY_REGION, 0x8583);
  store.SetText(RadioKey::kAdapter, "CountryRegion", "1");
  AdvancePageModel& p = Page();
  EXPECT_EQ(p.values().region24, 3);
  EXPECT_EQ(p.values().region5, 5);
  EXPECT_FALSE(p.Control(kRegion24Combo).enabled);
  EXPECT_FALSE(p.Control(kRegion5Combo).enabled);
  EXPECT_FALSE(p.Control(kRegionGroup).enabled);
  ASSERT_TRUE(p.Apply());
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "CountryRegion"), "1");
  EXPECT_EQ(store.keys[RadioKey::kAdapter].count("CountryRegionABand"), 0u);
  EXPECT_EQ(driver.LastSet(OID_VND_COUNTRY_REGION), nullptr);
}

TEST_F(AdvancePageTest, StandardUserSeesTheDriversValues) {
  env.isAdministrator = false;
  env.allowStandardUserSetAdvance = false;
  driver.AnswerDword(OID_VND_WIRELESS_MODE, 5);
  driver.AnswerDword(OID_VND_COUNTRY_REGION, 0x0601);
  std::vector<uint8_t> sta(32, 0);
  sta[0] = 1;
  sta[8] = 1;
  driver.answers[OID_VND_STA_CONFIG] = sta;
  AdvancePageModel& p = Page();
  EXPECT_EQ(p.values().wirelessMode, 5);
  EXPECT_EQ(state.wirelessMode, 5);
  EXPECT_TRUE(p.values().txBurst);
  EXPECT_EQ(p.values().bgProtection, kBgOn);
  EXPECT_EQ(p.values().region24, 1);
  EXPECT_EQ(p.values().region5, 6);
  EXPECT_EQ(p.ControlText(kBgProtectionButton), "ON");
}

TEST_F(AdvancePageTest, UnwritableValuesAndKeys) {
  store.refusedNames = {"ShowAuthStatus"};
  AdvancePageModel& p = Page();
  p.values().showAuthStatus = true;
  ASSERT_TRUE(p.Apply());
  EXPECT_FALSE(p.values().showAuthStatus) << "a refused write clears the box";
  EXPECT_FALSE(host.showStatus);
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "WirelessMode"), "9") << "the others are written";

  // Without the adapter key nothing is written, and the driver still gets the settings.
  store.unopenable[RadioKey::kAdapter] = true;
  store.writes.clear();
  driver.log.clear();
  p.ChooseMcs(0);
  ASSERT_TRUE(p.Apply());
  EXPECT_TRUE(store.writes.empty());
  EXPECT_NE(driver.LastSet(OID_VND_WIRELESS_MODE), nullptr);
  EXPECT_EQ(UnpackHtSetting(state.htSettingWord).mcs, 33u)
      << "the connect sequence sends what the driver was just given";
}

}  // namespace
}  // namespace kavo9::radio
