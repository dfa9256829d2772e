#include "softap/config/ConfigPage.h"

#include <gtest/gtest.h>

#include <map>

#include "softap/apply/tests/ApplyFixture.h"
#include "softap/config/tests/ConfigFakes.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {
namespace {

class ConfigPageTest : public ApplyFixture {
 protected:
  ConfigPageTest() { state.chipKind = 7; }
  ConfigPageModel& Page() {
    if (!page_) {
      page_ =
          std::make_unique<ConfigPageModel>(state, *fake.registry, store, driver, settings, host);
      page_->Create();
    }
    return *page_;
  }
  std::string Record(const std::string& name) { return Get(name, SubkeyPath(kKey, "ApDefault")); }
  uint32_t RecordDword(const std::string& name) {
    uint32_t value = 0;
    ReadMachineDword(*fake.registry, SubkeyPath(kKey, "ApDefault"), name, &value);
    return value;
  }

  FakeSettings settings;
  FakeHost host;
  std::unique_ptr<ConfigPageModel> page_;
};

TEST_F(ConfigPageTest, ApplyChecksBeaconIdleAndSsidInThatOrder) {
  struct Case {
    long beacon;
    long idle;
    std::string ssid;
    int message;
  };
  const Case cases[] = {
      {19, 300, "Net", kStrBeaconRange},
      {1001, 300, "Net", kStrBeaconRange},
      {19, 59, "", kStrBeaconRange},
      {20, 59, "Net", kStrIdleRange},
      {1000, 3601, "", kStrIdleRange},
      {100, 3600, "", kStrKeyInSsid},
      {20, 60, "Net", 0},
  };
  for (const Case& c : cases) {
    host.messages.clear();
    host.startups = 0;
    Page().values().beaconPeriod = c.beacon;
    Page().values().idleTime = c.idle;
    Page().values().ssid = c.ssid;
    const bool applied = Page().Apply();
    EXPECT_EQ(applied, c.message == 0) << c.beacon << " " << c.idle;
    EXPECT_EQ(host.messages, c.message ? std::vector<int>{c.message} : std::vector<int>{});
    EXPECT_EQ(host.startups, applied ? 1 : 0);
  }
}

TEST_F(ConfigPageTest, LoadsTheAdapterKey) {
  Put("SSID", "Cafe");
  Put("WirelessMode", "8");
  Put("Channel", "48");
  Put("IdleTime", "30");
  Put("PreambleType", "2");
  Put("TransRate", "-3");
  Put("AuthenType", "1");
  Put("Encryption", "0");
  Put("WEPKeyUse", "3");
  Put("WEPKey3Type", "1");
  Put("WEPKey3", "6162636465");
  ScopedKey key(*fake.registry);
  ASSERT_EQ(fake.registry->CreateKey(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS, &key), 0);
  // 40 MHz, MCS 7, extension below.
  const uint32_t word =
      radio::PackHtSetting({.wirelessMode = 8, .mcs = 7, .width40 = 1, .extChannel = 3});
  ASSERT_EQ(fake.registry->SetValue(key.get(), "TransmitSetting", REG_DWORD,
                                    reinterpret_cast<const uint8_t*>(&word), 4),
            0);

  const ApConfigValues& v = Page().values();
  EXPECT_EQ(v.ssid, "Cafe");
  EXPECT_TRUE(v.band5);
  EXPECT_EQ(v.channel, "48");
  EXPECT_EQ(v.idleTime, kDefaultIdle);
  EXPECT_EQ(v.preamble, 0);
  EXPECT_EQ(v.txRate, 0);
  EXPECT_EQ(v.ht.mcs, 7u);
  EXPECT_EQ(v.extChannel, "44");
  EXPECT_EQ(v.security.auth, kAuthShared);
  EXPECT_EQ(v.security.transmitKey, 2);
  EXPECT_EQ(v.security.keys[2], "abcde");
  EXPECT_EQ(Last32(OID_VND_WIRELESS_MODE), 8u);
  EXPECT_FALSE(Last(OID_VND_HT_PHY_MODE).empty());
}

TEST_F(ConfigPageTest, WithoutAStoredNameTheSsidComesFromTheAddress) {
  EXPECT_EQ(Page().values().ssid, "SoftAP-3F");
  Page().UseMacAddress();
  EXPECT_EQ(Page().values().ssid, "AP000C4312343F");
}

TEST_F(ConfigPageTest, DefaultThenApplyStoresTheDefaultRecord) {
  Put("RtsThresh", "100");
  Put("FragThresh", "300");
  Page().RestoreDefaults();
  ASSERT_TRUE(Page().Apply());
  EXPECT_EQ(Record("RtsThresh"), "2347");
  EXPECT_EQ(Record("FragThresh"), "2346");
  EXPECT_EQ(Record("SSID"), "SoftAP-3F");
  EXPECT_EQ(Record("WirelessMode"), "9");
  EXPECT_EQ(Record("Channel"), "1");
  EXPECT_EQ(Record("IdleTime"), "300");
  EXPECT_EQ(Record("TXBurst"), "0");
  EXPECT_EQ(Record("AuthenType"), "0");
  EXPECT_EQ(Record("Encryption"), "1");
  EXPECT_EQ(Record("WEPKey1"), "<missing>");  // no WEP, no keys
  const radio::HtSetting ht = radio::UnpackHtSetting(RecordDword("TransmitSetting"));
  EXPECT_EQ(ht.wirelessMode, 9u);
  EXPECT_EQ(ht.mcs, uint32_t(radio::kMcsAuto));
  EXPECT_EQ(state.wirelessMode, 9u);
}

TEST_F(ConfigPageTest, BandsOfferedAndTheirModes) {
  Page().ChooseBand(true);
  ASSERT_TRUE(Page().Apply());
  EXPECT_EQ(Record("WirelessMode"), "8");
  EXPECT_EQ(Record("Channel"), "36");

  ApplyFixture::state.bandASupported = false;
  page_.reset();
  Page().ChooseBand(true);
  EXPECT_FALSE(Page().values().band5);
  EXPECT_FALSE(Page().Controls().band5Offered);
}

TEST_F(ConfigPageTest, WepKeysAndPassPhraseAreStoredOnlyWithTheirAuthentication) {
  ApSecurity wep;
  wep.auth = kAuthOpen;
  wep.encryption = kEncWep;
  wep.transmitKey = 1;
  wep.keyTypes = {0, 1, 0, 0};
  wep.keys = {"", "ABCDE", "", ""};
  Page().SetSecurity(wep);
  ASSERT_TRUE(Page().Apply());
  EXPECT_EQ(Record("WEPKeyUse"), "2");
  EXPECT_EQ(Record("WEPKey2"), "4142434445");
  EXPECT_EQ(Record("WEPKey2Type"), "1");
  EXPECT_EQ(Record("WPAPSK"), "<missing>");

  ApSecurity psk;
  psk.auth = kAuthWpaPskWpa2Psk;
  psk.encryption = kEncAes;
  psk.passPhrase = "correct horse";
  Page().SetSecurity(psk);
  ASSERT_TRUE(Page().Apply());
  EXPECT_EQ(Record("WPAPSK"), "correct horse");
  EXPECT_EQ(state.rememberedPsk, "correct horse");
}

TEST_F(ConfigPageTest, AFixedRegionIsShownFromTheDriverAndNotStored) {
  state.TakeRegionWord(0x80 | 0x05 | (0x02 << 8));
  Put("CountryRegion", "1");
  Put("CountryRegionABand", "3");
  EXPECT_EQ(Page().values().region24, 5);
  EXPECT_FALSE(Page().Controls().region24Enabled);
  EXPECT_TRUE(Page().Controls().region5Enabled);
  ASSERT_TRUE(Page().Apply());
  EXPECT_EQ(Record("CountryRegion"), "<missing>");
  EXPECT_EQ(Record("CountryRegionABand"), "3");
}

TEST_F(ConfigPageTest, ExtensionChannelsFollowTheChannel) {
  struct Case {
    bool band5;
    int region;
    const char* channel;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {false, 0, "6", {"2", "10"}}, {false, 0, "1", {"5"}},  {false, 0, "11", {"7"}},
      {true, 7, "36", {"40"}},      {true, 7, "48", {"44"}}, {true, 7, "149", {"153"}},
  };
  for (const Case& c : cases) {
    Page().ChooseBand(c.band5);
    if (c.band5)
      Page().ChooseRegion5(c.region);
    else
      Page().ChooseRegion24(c.region);
    Page().ChooseChannel(c.channel);
    EXPECT_EQ(Page().ExtChannelEntries(), c.entries) << c.channel;
    EXPECT_EQ(Page().values().extChannel, c.entries.front());
  }
}

TEST_F(ConfigPageTest, FortyMegahertzLeavesOutUnpairedChannelsAndNarrowRegions) {
  Page().ChooseBand(true);
  Page().ChooseRegion5(7);
  Page().SetAllow40(true);
  auto channels = Page().ChannelEntries();
  EXPECT_EQ(std::count(channels.begin(), channels.end(), "140"), 0);
  EXPECT_EQ(std::count(channels.begin(), channels.end(), "165"), 0);
  Page().SetAllow40(false);
  channels = Page().ChannelEntries();
  EXPECT_EQ(std::count(channels.begin(), channels.end(), "165"), 1);

  Page().ChooseBand(false);
  Page().SetAllow40(true);
  Page().ChooseRegion24(4);  // channel 14 alone
  EXPECT_FALSE(Page().Controls().allow40Enabled);
  EXPECT_FALSE(Page().Controls().allow40Checked);
  EXPECT_EQ(Page().values().ht.width40, 0u);
  Page().ChooseRegion24(1);
  EXPECT_TRUE(Page().Controls().allow40Checked);
  EXPECT_EQ(Page().values().ht.width40, 1u);
}

TEST_F(ConfigPageTest, TheHtGroupFollowsTheSettingsFile) {
  EXPECT_FALSE(Page().Controls().htGroupShown);
  EXPECT_FALSE(Page().Controls().txRateShown);
  settings.values["HT Setting"] = "1";
  settings.values["TxRate"] = "1";
  EXPECT_TRUE(Page().Controls().htGroupShown);
  EXPECT_TRUE(Page().Controls().txRateShown);
  ApplyFixture::state.htCapable = false;
  page_.reset();
  EXPECT_FALSE(Page().Controls().htGroupShown);
  EXPECT_FALSE(Page().Controls().allow40Shown);
  EXPECT_TRUE(Page().Controls().protectionShown);
}

TEST(ConfigEntriesTest, SsidLimitCountsBytes) {
  EXPECT_EQ(LimitSsid(std::string(33, 'a')), std::string(32, 'a'));
  // 11 three-byte characters are 33 bytes: the last one does not fit and is not cut in half.
  std::string wide;
  for (int i = 0; i < 11; ++i) wide += "\xE4\xB8\xAD";
  EXPECT_EQ(LimitSsid(wide).size(), 30u);
  EXPECT_EQ(LimitSsid("short"), "short");
}

TEST(ConfigEntriesTest, TransmitRateListsAndChannelTexts) {
  EXPECT_EQ(TxRateEntries(kModeB).size(), 5u);
  EXPECT_EQ(TxRateEntries(kModeA).size(), 9u);
  EXPECT_EQ(TxRateEntries(kModeBg).size(), 13u);
  EXPECT_TRUE(TxRateEntries(kModeN).empty());
  EXPECT_EQ(Region5Entries(0).size(), 9u);
  EXPECT_EQ(Region5Entries(7).size(), 12u);
  EXPECT_EQ(Region5Entries(3).back(), "10: CH 34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64");
  EXPECT_EQ(ChannelText(212, 200), "J12");
  EXPECT_EQ(ChannelFromText("J16", 200), 216);
  EXPECT_EQ(ChannelFromText("J9", 200), 0);
  EXPECT_EQ(ChannelFromText("11", 200), 11);
}

}  // namespace
}  // namespace kavo9::softap
