// The start-up's registry steps: the transmit-burst take-over, the record completed and copied,
// the channel check of the oldest chips and the driver's region word.

#include "softap/apply/ApStartup.h"

#include "softap/apply/tests/ApplyFixture.h"

namespace kavo9::softap {
namespace {

class Startup : public ApplyFixture {
 protected:
  std::string Ap() { return SubkeyPath(kKey, kAccessPointValuesSubkey); }
  ApStartup steps{*fake.registry, store, driver, state};
};

TEST_F(Startup, TakesTheStationsTxBurstOverOnce) {
  Put("TXBurst", "1");
  Put("RunOnceInitConfigTxBurst", "1");
  Put("SSID", "x", Ap());
  steps.TakeOverTxBurst();
  EXPECT_EQ(Get("TXBurst", Ap()), "1");
  EXPECT_EQ(Get("RunOnceInitConfigTxBurst", Ap()), "1");
  Put("TXBurst", "0", Ap());
  steps.TakeOverTxBurst();
  EXPECT_EQ(Get("TXBurst", Ap()), "0");
}

TEST_F(Startup, LeavesTheRecordAloneWithoutTheStationsMark) {
  Put("TXBurst", "1");
  Put("SSID", "x", Ap());
  steps.TakeOverTxBurst();
  EXPECT_EQ(Get("TXBurst", Ap()), "<missing>");
}

TEST_F(Startup, CompletesTheRecordAndCopiesIt) {
  Put("SSID", "Lobby", Ap());
  Put("CountryRegion", "5", Ap());
  Put("NetCfgInstanceId", "{GUID}");
  Put("NetCfgInstanceId", "{PLANTED}", Ap());
  EXPECT_TRUE(steps.EnsureAndCopy());
  EXPECT_EQ(Get("AllowBW40Capability", Ap()), "1");
  EXPECT_EQ(Get("CountryRegion", Ap()), "5");
  EXPECT_EQ(Get("CountryRegionABand", Ap()), "0");
  EXPECT_EQ(Get("SSID"), "Lobby");
  EXPECT_EQ(Get("CountryRegion"), "5");
  EXPECT_EQ(Get("NetCfgInstanceId"), "{GUID}");
}

TEST_F(Startup, WithoutARecordWritesItsThreeValuesAndCopiesNothingElse) {
  Put("SSID", "station");
  EXPECT_TRUE(steps.EnsureAndCopy());
  EXPECT_EQ(Get("SSID"), "station");
  EXPECT_EQ(Get("AllowBW40Capability"), "1");
}

struct ChannelCheckCase {
  const char* name;
  uint32_t regionWord;
  const char* mode;
  const char* channel;  // nullptr: none stored
  const char* expected;
};

TEST_F(Startup, OlderChipsGetAChannelTheirRegionsAllow) {
  const ChannelCheckCase cases[] = {
      {"allowed channel stays", 0x0000, "0", "6", "6"},
      {"channel 13 outside region 0", 0x0000, "0", "13", "1"},
      {"missing channel", 0x0001, "0", nullptr, "1"},
      {"region 2 starts at 10", 0x0002, "0", "3", "10"},
      {"5 GHz channel in a mode", 0x0100, "2", "36", "36"},
      {"2.4 GHz channel in a mode", 0x0100, "2", "6", "36"},
  };
  state.chipKind = 0;
  for (const ChannelCheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    {
      ScopedKey key(*fake.registry);
      fake.registry->OpenKey(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS, &key);
      if (key) fake.registry->DeleteValue(key.get(), "Channel");
    }
    if (c.channel) Put("Channel", c.channel);
    Put("WirelessMode", c.mode);
    driver.AnswerDword(OID_VND_COUNTRY_REGION, c.regionWord);
    steps.CheckChannelForOlderChips();
    EXPECT_EQ(Get("Channel"), c.expected);
    if (std::string(c.channel ? c.channel : "") != c.expected) {
      EXPECT_EQ(Get("Channel", Ap()), c.expected);
    }
  }
}

TEST_F(Startup, StoresOnlyTheRegionsTheDriverLeavesOpen) {
  state.chipKind = 1;
  state.bandASupported = false;
  Put("Channel", "1");
  driver.AnswerDword(OID_VND_COUNTRY_REGION, 0x0080 | 0x0105);
  steps.CheckChannelForOlderChips();
  EXPECT_FALSE(state.region24Editable);
  EXPECT_TRUE(state.region5Editable);
  EXPECT_EQ(state.countryRegionWord, 0x0105u);
  EXPECT_EQ(Get("CountryRegion"), "<missing>");
  EXPECT_EQ(Get("CountryRegionABand"), "1");
}

}  // namespace
}  // namespace kavo9::softap
