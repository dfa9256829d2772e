#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "radio/RegionRefresh.h"
#include "radio/tests/RadioFakes.h"
#include "radio/vocabulary/CcxControlWord.h"
#include "radio/vocabulary/Channels.h"
#include "radio/vocabulary/Rates.h"
#include "radio/vocabulary/TcpTuning.h"
#include "radio/vocabulary/WirelessMode.h"

namespace kavo9::radio {
namespace {

using test::MemoryStore;

std::vector<int> Seq(int first, int last, int step = 1) {
  std::vector<int> v;
  for (int c = first; c <= last; c += step) v.push_back(c);
  return v;
}
std::vector<int> Cat(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(WirelessMode, Normalise) {
  const AdapterBands plain{false, false}, five{true, false}, ht{false, true}, both{true, true};
  struct {
    int stored;
    int plain, five, ht, both;
  } cases[] = {
      {0, 0, 0, 0, 0}, {1, 0, 0, 9, 9}, {2, 0, 2, 0, 2},  {3, 0, 3, 0, 3},
      {4, 0, 0, 9, 9}, {5, 0, 3, 9, 5}, {6, 0, 0, 9, 9},  {7, 0, 0, 9, 9},
      {8, 0, 2, 9, 8}, {9, 0, 0, 9, 9}, {-1, 0, 0, 9, 9}, {42, 0, 0, 9, 9},
  };
  for (auto c : cases) {
    EXPECT_EQ(NormaliseWirelessMode(c.stored, plain), c.plain) << c.stored;
    EXPECT_EQ(NormaliseWirelessMode(c.stored, five), c.five) << c.stored;
    EXPECT_EQ(NormaliseWirelessMode(c.stored, ht), c.ht) << c.stored;
    EXPECT_EQ(NormaliseWirelessMode(c.stored, both), c.both) << c.stored;
  }
}

TEST(WirelessMode, BandTextsAndAdhocCodes) {
  EXPECT_EQ(ModeFromBandKey(kPhy24G, true), 9);
  EXPECT_EQ(ModeFromBandKey(kPhy5G, true), 8);
  EXPECT_EQ(ModeFromBandKey(kPhy24And5G, true), 5);
  EXPECT_EQ(ModeFromBandKey(kPhy24G, false), 0);
  EXPECT_EQ(ModeFromBandKey(kPhy5G, false), 2);
  EXPECT_EQ(ModeFromBandKey(kPhy24And5G, false), 3);
  EXPECT_EQ(ModeFromBandKey("IDS_AUTO", false), -1);
  for (bool ht : {false, true}) {
    for (auto key : {kPhy24G, kPhy5G, kPhy24And5G}) {
      EXPECT_EQ(BandKeyFromMode(ModeFromBandKey(key, ht), ht), key);
    }
  }
  EXPECT_EQ(BandKeyFromMode(4, false), kPhy24G);
  EXPECT_EQ(BandKeyFromMode(2, true), kPhy24G);

  const int codes[] = {1, 0, 3, 4, 2, 5, 6, -1, 8, 9};
  for (int mode = 0; mode <= 9; ++mode) {
    EXPECT_EQ(AdhocOfdmCode(mode).value_or(-1), codes[mode]) << mode;
  }
}

TEST(Channels, RegionTables) {
  struct {
    const char* name;
    int chip, region;
    std::vector<int> channels;
  } cases24[] = {
      {"old 0", 0, 0, Seq(1, 11)}, {"old 2", 1, 2, Seq(1, 13)},        {"old 5", 0, 5, {14}},
      {"old 8", 0, 8, Seq(5, 13)}, {"new 8", 6, 8, Seq(1, 11)},        {"new 4", 9, 4, {14}},
      {"new 7", 4, 7, Seq(5, 13)}, {"old unknown", 0, 99, Seq(1, 11)}, {"family 2 none", 2, 0, {}},
      {"family 3 none", 3, 1, {}}, {"before discovery", -1, 0, {}},
  };
  for (const auto& c : cases24) EXPECT_EQ(Channels24(c.chip, c.region), c.channels) << c.name;

  const auto low = Seq(36, 64, 4), mid = Seq(100, 140, 4), high = Seq(149, 165, 4);
  struct {
    const char* name;
    int chip, region;
    std::vector<int> channels;
    size_t count;
  } cases5[] = {
      {"0", 6, 0, Cat(low, high), 13},
      {"1", 0, 1, Cat(low, mid), 19},
      {"7", 3, 7, Cat(Cat(low, mid), high), 24},
      {"9 on 4", 4, 9, {34, 38, 42, 46}, 4},
      {"9 on 6", 6, 9, Cat(Cat(Cat(low, Seq(100, 116, 4)), {132, 136, 140}), high), 21},
      {"9 on 0", 0, 9, {}, 0},
      {"10 on 5", 5, 10, {34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64}, 12},
      {"10 on 7", 7, 10, Cat(Seq(36, 48, 4), high), 9},
      {"11 on 8", 8, 11, Cat(Cat(low, Seq(100, 120, 4)), Seq(149, 161, 4)), 18},
      {"11 on 4", 4, 11, {}, 0},
      {"unknown as 0", 2, 77, Cat(low, high), 13},
  };
  for (const auto& c : cases5) {
    EXPECT_EQ(Channels5(c.chip, c.region), c.channels) << c.name;
    EXPECT_EQ(c.channels.size(), c.count) << c.name;
  }
}

TEST(Channels, AllowedList) {
  const auto word = [](int r24, int r5) { return MakeRegionWord(r24, r5); };
  struct {
    const char* name;
    AllowedChannelQuery query;
    std::vector<int> allowed;
  } cases[] = {
      {"mode 9, region 0 on code 6", {word(0, 0), 6, true, 9, 0}, Seq(1, 11)},
      {"mode 3 both", {word(6, 8), 0, true, 3, 0}, Cat(Seq(1, 14), {52, 56, 60, 64})},
      {"no 2.4 table on family 2", {word(1, 6), 2, true, 5, 0}, {36, 40, 44, 48}},
      {"unknown mode has none", {word(1, 6), 6, true, 10, 0}, {}},
      {"ad hoc code 3 only 5", {word(1, 6), 6, false, 9, 3}, {36, 40, 44, 48}},
      {"ad hoc code 4 both", {word(1, 6), 6, false, 9, 4}, Cat(Seq(1, 13), {36, 40, 44, 48})},
      {"ad hoc code 9 only 2.4", {word(1, 6), 6, false, 9, 9}, Seq(1, 13)},
      {"ad hoc 5 GHz mode with a 2.4 code", {word(1, 6), 6, false, 8, 9}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildAllowedChannels(c.query), c.allowed) << c.name;

  // Every mode, in infrastructure and in ad hoc with the mode's own ad hoc code (mode 7 has none:
  // 0). 2 and 8 are 5 GHz only, 3 and 5 dual-band, every other mode 2.4 GHz only; 6 (802.11n
  // only) names no 5 GHz band, so it runs at 2.4 GHz rather than on no channel at all.
  const std::vector<int> b24 = Seq(1, 13), b5 = {36, 40, 44, 48}, both = Cat(b24, b5);
  const std::vector<int> byMode[] = {b24, b24, b5, both, b24, both, b24, b24, b5, b24};
  for (int mode = 0; mode <= 9; ++mode) {
    EXPECT_EQ(BuildAllowedChannels({word(1, 6), 6, true, mode, 0}), byMode[mode]) << mode;
    const int code = AdhocOfdmCode(mode).value_or(0);
    EXPECT_EQ(BuildAllowedChannels({word(1, 6), 6, false, mode, code}), byMode[mode]) << mode;
  }
}

TEST(Channels, RegionWordAndComboTexts) {
  CountryRegionState s = DecodeCountryRegion(0x8581);
  EXPECT_EQ(s.word, 0x0501u);
  EXPECT_FALSE(s.region24Editable);
  EXPECT_FALSE(s.region5Editable);
  s = DecodeCountryRegion(0x0601);
  EXPECT_TRUE(s.region24Editable && s.region5Editable);
  EXPECT_EQ(Region24(s.word), 1);
  EXPECT_EQ(Region5(s.word), 6);

  EXPECT_EQ(Region24Texts(0).size(), 8u);
  EXPECT_EQ(Region24Texts(0)[5], "5: MKK, CH14");
  EXPECT_EQ(Region24Texts(7)[3], "3: CH10-13");
  EXPECT_TRUE(Region24Texts(2).empty());
  EXPECT_EQ(Region5Texts(1).size(), 9u);
  EXPECT_EQ(Region5Texts(6).size(), 12u);
  EXPECT_EQ(Region5Texts(6)[10], "10: CH 36, 40, 44, 48,149, 153, 157, 161, 165");
  EXPECT_TRUE(Region5Texts(4).empty());
}

TEST(Rates, DesiredRateLists) {
  using R = DesiredRates;
  struct {
    const char* name;
    int mode, index;
    bool mcsAuto;
    R rates;
  } cases[] = {
      {"b/g auto", 0, 0, true, {108, 96, 72, 48, 22, 11, 4, 2}},
      {"b only auto", 1, 0, true, {22, 11, 4, 2, 0, 0, 0, 0}},
      {"a only auto", 2, 0, true, {108, 96, 72, 48, 36, 24, 18, 12}},
      {"g only 1", 4, 1, true, {12}},
      {"a only 8", 2, 8, true, {108}},
      {"a only 9 is auto", 2, 9, true, {108, 96, 72, 48, 36, 24, 18, 12}},
      {"b/g 3 is 5.5", 0, 3, true, {11}},
      {"b/g 5 is 6", 3, 5, true, {12}},
      {"b/g 12 is 54", 0, 12, true, {108}},
      {"b/g 13 is auto", 0, 13, true, {108, 96, 72, 48, 22, 11, 4, 2}},
      {"b only 5 is auto", 1, 5, true, {22, 11, 4, 2}},
      {"negative is auto", 0, -3, true, {108, 96, 72, 48, 22, 11, 4, 2}},
      {"ht auto", 9, 4, true, {108, 96, 72, 48, 22, 11, 4, 2}},
      {"ht fixed mcs", 5, 0, false, {108}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DesiredRatesFor(c.mode, c.index, c.mcsAuto), c.rates) << c.name;
}

TEST(Rates, RateSetsAndEntries) {
  using S = RateSetRecord;
  EXPECT_EQ(RateSetFor(1), (S{4, 0x82, 0x84, 0x8B, 0x96}));
  const S ofdm{8, 0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
  EXPECT_EQ(RateSetFor(2), ofdm);
  EXPECT_EQ(RateSetFor(4), ofdm);
  S mixed{8, 0x82, 0x84, 0x8B, 0x96, 0x12, 0x24, 0x48, 0x6C};
  mixed[13] = 4;
  mixed[14] = 0x8C;
  mixed[15] = 0x98;
  mixed[16] = 0xB0;
  mixed[17] = 0x60;
  EXPECT_EQ(RateSetFor(0), mixed);
  EXPECT_EQ(RateSetFor(3), mixed);
  EXPECT_EQ(RateSetFor(7), mixed);
  for (int ht : {5, 6, 8, 9}) EXPECT_FALSE(RateSetFor(ht)) << ht;

  EXPECT_EQ(TxRateEntryKeys(1).size(), 5u);
  EXPECT_EQ(TxRateEntryKeys(1)[3], "IDS_55MBPS");
  EXPECT_EQ(TxRateEntryKeys(2).size(), 9u);
  EXPECT_EQ(TxRateEntryKeys(4)[1], "IDS_6MBPS");
  EXPECT_EQ(TxRateEntryKeys(6).size(), 1u);
  EXPECT_EQ(TxRateEntryKeys(9).size(), 13u);
  EXPECT_EQ(TxRateEntryKeys(0)[5], "IDS_6MBPS");
  EXPECT_EQ(TxRateEntryKeys(0)[12], "IDS_54MBPS");
}

TEST(CcxControl, PackUnpackAndRules) {
  EXPECT_EQ(PackCcx2Control({}), 250u << 16);
  CcxSettings on{.enabled = true,
                 .cckm = true,
                 .radioMeasurements = false,
                 .nonServingMeasurements = true,
                 .qos = true,
                 .nonServingLimitMs = 1000,
                 .fastRoaming = true,
                 .roamThresholdDbm = -75};
  uint32_t word = PackCcx2Control(on);
  EXPECT_EQ(word, (1000u << 16) | (75u << 8) | 0x20 | 0x10 | 0x2 | 0x1)
      << "non-serving measurements need radio measurements";
  on.nonServingMeasurements = false;
  EXPECT_EQ(UnpackCcx2Control(word), on);
  // Out-of-range parts read as defaults, so a loaded value always passes the checks.
  CcxSettings odd = UnpackCcx2Control((3000u << 16) | (20u << 8));
  EXPECT_EQ(odd.nonServingLimitMs, 250u);
  EXPECT_EQ(odd.roamThresholdDbm, -70);
  EXPECT_EQ(ValidateCcxSettings(odd), "");
  EXPECT_EQ(ValidateCcxSettings({.roamThresholdDbm = -91}), "IDS_INVALID_DBM");
  EXPECT_EQ(ValidateCcxSettings({.roamThresholdDbm = -39}), "IDS_INVALID_DBM");
  EXPECT_EQ(ValidateCcxSettings({.nonServingLimitMs = 2001}), "IDS_INVALID_MEASURE_TIME");
  EXPECT_EQ(ValidateCcxSettings({.nonServingLimitMs = 2000, .roamThresholdDbm = -90}), "");
}

TEST(TcpTuning, WritesAndDeletesFourValues) {
  MemoryStore store;
  EXPECT_FALSE(TcpTuningOn(store));
  ApplyTcpTuning(store, true);
  EXPECT_TRUE(TcpTuningOn(store));
  uint32_t v = 0;
  struct {
    const char* name;
    uint32_t value;
  } values[] = {
      {"TCPWindowSize", 65536}, {"SackOpts", 1}, {"TcpMaxDupAcks", 2}, {"Tcp1323Opts", 1}};
  for (auto e : values) {
    ASSERT_TRUE(ReadDword(store, RadioKey::kTcpipParameters, e.name, &v)) << e.name;
    EXPECT_EQ(v, e.value) << e.name;
  }
  ApplyTcpTuning(store, false);
  EXPECT_TRUE(store.keys[RadioKey::kTcpipParameters].empty());
  EXPECT_EQ(TcpipKeyAccess(KEY_READ, 10, true), KEY_READ | KEY_WOW64_64KEY);
  EXPECT_EQ(TcpipKeyAccess(KEY_READ, 9, true), uint32_t(KEY_READ));
  EXPECT_EQ(TcpipKeyAccess(KEY_READ, 12, false), uint32_t(KEY_READ));
}

class RegionRefreshTest : public ::testing::Test {
 protected:
  RadioState state{.chipKind = 6, .bands = {true, true}};
  ScriptedDriver driver;
  MemoryStore store;
};

TEST_F(RegionRefreshTest, ReplacesDisallowedChannelInBothKeys) {
  driver.AnswerDword(OID_VND_COUNTRY_REGION, 0x0080);  // region 0, 2.4 GHz fixed
  store.SetText(RadioKey::kAdapter, "WirelessMode", "4");
  store.SetText(RadioKey::kAdapter, "Channel", "14");
  RegionRefreshResult r = RefreshCountryRegion(state, driver, store);
  EXPECT_TRUE(r.keyOpened);
  EXPECT_EQ(state.wirelessMode, 9);
  EXPECT_FALSE(state.region.region24Editable);
  EXPECT_TRUE(state.region.region5Editable);
  EXPECT_EQ(state.region.word, 0u);
  EXPECT_EQ(r.allowed, Seq(1, 11));
  EXPECT_EQ(r.correctedChannel, 1);
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "Channel"), "1");
  EXPECT_EQ(store.Text(RadioKey::kAdapterDefault, "Channel"), "1");
}

TEST_F(RegionRefreshTest, CasesOfStoredChannel) {
  struct {
    const char* name;
    const char* channel;  // null: missing
    std::optional<int> corrected;
  } cases[] = {{"valid writes nothing", "6", std::nullopt},
               {"missing", nullptr, 1},
               {"garbage", "abc", 1},
               {"5 GHz channel in a 2.4 GHz mode", "36", 1}};
  for (const auto& c : cases) {
    store = MemoryStore();
    if (c.channel) store.SetText(RadioKey::kAdapter, "Channel", c.channel);
    store.SetText(RadioKey::kAdapter, "WirelessMode", "9");
    RegionRefreshResult r = RefreshCountryRegion(state, driver, store);
    EXPECT_EQ(r.correctedChannel, c.corrected) << c.name;
    EXPECT_EQ(store.writes.size(), c.corrected ? 2u : 0u) << c.name;
  }
}

TEST_F(RegionRefreshTest, UnopenableKeyAndFailedQuery) {
  store.unopenable[RadioKey::kAdapter] = true;
  state.wirelessMode = 5;
  RegionRefreshResult r = RefreshCountryRegion(state, driver, store);
  EXPECT_FALSE(r.keyOpened);
  EXPECT_EQ(state.wirelessMode, 5);
  EXPECT_TRUE(state.region.region24Editable) << "a failed query reads as a cleared word";
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(RegionRefreshTest, Bw40PermissionsFromEeprom) {
  std::vector<uint8_t> reply(12, 0);
  reply[8] = 0x00;
  reply[9] = 0x02;  // 0x0200: bit 8 clear, bit 9 set
  driver.answers[OID_VND_REGISTER_ACCESS] = reply;
  ReadBw40Permissions(state, driver);
  EXPECT_TRUE(state.bw40.allowed24G);
  EXPECT_FALSE(state.bw40.allowed5G);
  ASSERT_EQ(driver.log.size(), 2u);

  // A failed read grants nothing.
  RadioState fresh{.bands = {true, true}};
  driver.refuseQueries = true;
  ReadBw40Permissions(fresh, driver);
  EXPECT_FALSE(fresh.bw40.allowed24G);
  EXPECT_FALSE(fresh.bw40.allowed5G);
  // Adapters without 802.11n never ask.
  RadioState legacy;
  driver.log.clear();
  ReadBw40Permissions(legacy, driver);
  EXPECT_TRUE(driver.log.empty());
}

}  // namespace
}  // namespace kavo9::radio

namespace kavo9::radio {
namespace {

TEST(RadioPorts, SettingsFileAndNumbers) {
  const auto file = std::filesystem::temp_directory_path() / "kavo9_radio_ports_test.ini";
  {
    std::ofstream out(file);
    out << "[Advance]\nHT Setting=1\r\nTxRate = 0 \n";
  }
  SettingsFile settings(file.parent_path() / file.stem());
  EXPECT_EQ(settings.Read("Advance", "HT Setting", "0"), "1");
  EXPECT_EQ(settings.Read("advance", "TXRATE", "1"), "0");
  EXPECT_EQ(settings.Read("Advance", "BgProtection", "0"), "0");
  std::filesystem::remove(file);
  EXPECT_EQ(settings.Read("Advance", "HT Setting", "0"), "0") << "read afresh each time";

  test::MemoryStore store;
  const struct {
    const char* text;
    bool readable;
    long value;
  } numbers[] = {{"12", true, 12}, {" 7", true, 7},   {"-3", true, -3},
                 {"", false, 99},  {"x1", false, 99}, {"5abc", true, 5}};
  for (auto n : numbers) {
    store.SetText(RadioKey::kAdapter, "N", n.text);
    long value = 99;
    EXPECT_EQ(ReadNumber(store, RadioKey::kAdapter, "N", &value), n.readable) << n.text;
    EXPECT_EQ(value, n.value) << n.text;
  }
  store.SetDword(RadioKey::kAdapter, "D", 0xFFFFFFFF);
  long value = 0;
  EXPECT_TRUE(ReadNumber(store, RadioKey::kAdapter, "D", &value));
  EXPECT_EQ(value, -1);
  store.keys[RadioKey::kAdapter]["Short"] = {REG_DWORD, {1, 2}};
  EXPECT_FALSE(ReadNumber(store, RadioKey::kAdapter, "Short", &value));
  uint32_t dword = 0;
  EXPECT_FALSE(ReadDword(store, RadioKey::kAdapter, "Short", &dword));
}

}  // namespace
}  // namespace kavo9::radio
