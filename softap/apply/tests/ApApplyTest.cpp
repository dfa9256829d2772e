// The configuration applied to the driver: the order of the requests and each record's contents,
// case by case.

#include "softap/apply/ApApply.h"

#include "common/adapter/DriverValues.h"

#include "softap/apply/PassphraseKey.h"
#include "softap/apply/tests/ApplyFixture.h"

namespace kavo9::softap {
namespace {

class Apply : public ApplyFixture {
 protected:
  void Run() {
    ApKeyReader key(*fake.registry, kKey);
    ApApply(driver, key, state, [this] { ++rechecks; }).Run();
  }
  std::vector<std::vector<uint8_t>> Keys() {
    std::vector<std::vector<uint8_t>> keys;
    for (const DriverRequest& r : driver.log) {
      if (r.set && (r.oid == OID_802_11_ADD_KEY || r.oid == OID_802_11_REMOVE_KEY)) {
        keys.push_back(r.value);
      }
    }
    return keys;
  }
  int rechecks = 0;
};

TEST_F(Apply, SendsTheRequestsInTheDriversOrder) {
  Put("SSID", "Lobby");
  Put("WirelessMode", "9");
  Put("AuthenType", "7");
  Put("Encryption", "6");
  Put("WPAPSK", "correct horse");
  Put("HideSSID", "1");
  {
    ScopedKey key(*fake.registry);
    ASSERT_EQ(fake.registry->OpenKey(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS, &key), 0);
    uint32_t word = 0x8000 | 33 << 4;
    fake.registry->SetValue(key.get(), "TransmitSetting", REG_DWORD,
                            reinterpret_cast<uint8_t*>(&word), 4);
  }
  Run();
  std::vector<std::string> sets;
  for (const DriverRequest& r : driver.log) {
    if (r.set) sets.push_back(r.Name());
  }
  const std::vector<std::string> expected = {
      "S OID_VND_COUNTRY_REGION",
      "S OID_VND_WIRELESS_MODE",
      "S OID_VND_TX_POWER",
      "S OID_802_11_DESIRED_RATES",
      "S OID_802_11_CONFIGURATION",
      "S OID_VND_HT_PHY_MODE",
      "S OID_VND_PREAMBLE",
      "S OID_802_11_RTS_THRESHOLD",
      "S OID_802_11_FRAGMENTATION_THRESHOLD",
      "S OID_VND_AP_CONFIG",
      "S OID_802_11_AUTHENTICATION_MODE",
      "S OID_802_11_ENCRYPTION_STATUS",
      "S OID_802_11_ADD_KEY",
      "S OID_VND_REKEY",
      "S OID_802_11_SSID",
      "S OID_VND_ACCESS_CONTROL",
      "S OID_VND_WDS",
  };
  EXPECT_EQ(sets, expected);
  EXPECT_EQ(rechecks, 1);
  EXPECT_EQ(state.rememberedPsk, "correct horse");
}

struct ChannelCase {
  const char* name;
  const char* channel;
  const char* autoSelect;
  uint32_t frequency;  // 0: the configuration is not changed
};

TEST_F(Apply, PutsTheChannelsFrequencyIntoTheConfiguration) {
  const ChannelCase cases[] = {
      {"channel 6", "6", "0", 2437000},   {"channel 14", "14", "0", 2484000},
      {"channel 36", "36", "0", 5180000}, {"J8", "208", "0", 5040000},
      {"channel 300", "300", "0", 0},     {"auto channel", "6", "1", 0},
  };
  for (const ChannelCase& c : cases) {
    SCOPED_TRACE(c.name);
    driver.lastSet.clear();
    Put("Channel", c.channel);
    Put("AutoChannelSelect", c.autoSelect);
    Run();
    if (c.frequency == 0) {
      EXPECT_TRUE(Last(OID_802_11_CONFIGURATION).empty());
    } else {
      EXPECT_EQ(Last32(OID_802_11_CONFIGURATION, kConfigFrequencyOffset), c.frequency);
    }
  }
  Put("BeaconPeriod", "250");
  Run();
  EXPECT_EQ(Last32(OID_802_11_CONFIGURATION, kConfigBeaconOffset), 250u);
}

TEST_F(Apply, SendsTheRatesOfTheModeExceptInNOnly) {
  Put("WirelessMode", "2");
  Put("TransRate", "10");
  Run();
  EXPECT_EQ(Last(OID_802_11_DESIRED_RATES),
            (std::vector<uint8_t>{108, 96, 72, 48, 36, 24, 18, 12}));
  EXPECT_EQ(Last32(OID_VND_WIRELESS_MODE), 2u);
  // Without the 5 GHz band the mode falls back to b/g, and the rates with it.
  state.bandASupported = false;
  Run();
  EXPECT_EQ(Last32(OID_VND_WIRELESS_MODE), 0u);
  EXPECT_EQ(Last(OID_802_11_DESIRED_RATES), (std::vector<uint8_t>{72, 0, 0, 0, 0, 0, 0, 0}));
  Put("WirelessMode", "6");
  driver.lastSet.clear();
  Run();
  EXPECT_EQ(Last32(OID_VND_WIRELESS_MODE), 9u);
}

struct SecurityCase {
  const char* name;
  const char* auth;
  const char* encryption;
  uint32_t appliedEncryption;
  bool radius;
  bool rekey;
  size_t pskKeys;
};

TEST_F(Apply, CorrectsTheCipherAndSendsTheRecordsOfTheAuthentication) {
  const SecurityCase cases[] = {
      {"aes with open is none", "0", "6", 1, false, false, 0},
      {"none with wpa2-psk is tkip", "7", "1", 4, false, true, 1},
      {"wpa with radius", "3", "4", 4, true, true, 0},
      {"wpa2 with radius", "6", "6", 6, true, true, 0},
      {"wpa/wpa2 with radius", "8", "8", 8, true, true, 0},
      {"wpa-none keeps wep", "5", "0", 0, false, false, 0},
  };
  Put("WPAPSK", "pass phrase");
  Put("RadiusIP", "C0A80102");
  Put("RadiusPort", "1812");
  Put("RadiusKey", "secret");
  for (const SecurityCase& c : cases) {
    SCOPED_TRACE(c.name);
    driver.log.clear();
    driver.lastSet.clear();
    Put("AuthenType", c.auth);
    Put("Encryption", c.encryption);
    Run();
    EXPECT_EQ(Last32(OID_802_11_ENCRYPTION_STATUS), c.appliedEncryption);
    EXPECT_EQ(!Last(OID_VND_RADIUS_CONFIG).empty(), c.radius);
    EXPECT_EQ(!Last(OID_VND_REKEY).empty(), c.rekey);
    EXPECT_EQ(driver.Count("S OID_802_11_ADD_KEY"), c.pskKeys);
    if (!c.radius) continue;
    const auto radius = Last(OID_VND_RADIUS_CONFIG);
    ASSERT_EQ(radius.size(), 72u);
    EXPECT_EQ(std::vector<uint8_t>(radius.begin(), radius.begin() + 4),
              (std::vector<uint8_t>{192, 168, 1, 2}));
    EXPECT_EQ(GetLe32At(radius, 4), 1812u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(radius.data()) + 8), "secret");
  }
}

struct PskCase {
  const char* name;
  std::string wpapsk;
  bool sent;
};

TEST_F(Apply, SendsTheKeyOfAPassPhraseOrOfSixtyFourHexDigits) {
  const std::string hex64 = "00112233445566778899aabbccddeeff00112233445566778899AABBCCDDEEFF";
  const PskCase cases[] = {
      {"64 hex digits as they are", hex64, true},
      {"63 characters hashed", std::string(63, 'p'), true},
      {"64 characters that are not hex refused", std::string(64, 'p'), false},
      {"65 characters refused", std::string(65, 'a'), false},
      {"empty refused", "", false},
  };
  Put("SSID", "Lobby");
  Put("AuthenType", "4");
  Put("Encryption", "4");
  for (const PskCase& c : cases) {
    SCOPED_TRACE(c.name);
    driver.log.clear();
    driver.lastSet.clear();
    Put("WPAPSK", c.wpapsk);
    Run();
    const auto record = Last(OID_802_11_ADD_KEY);
    ASSERT_EQ(!record.empty(), c.sent);
    if (!c.sent) continue;
    EXPECT_EQ(record.size(), 71u);
    EXPECT_EQ(GetLe32At(record, 0), 71u);
    EXPECT_EQ(GetLe32At(record, 4), kKeyIndexTransmit);
    EXPECT_EQ(GetLe32At(record, 8), 32u);
    const Pmk expected = *PreSharedKey(c.wpapsk, "Lobby");
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), record.begin() + 32));
    if (c.wpapsk == hex64) {
      EXPECT_EQ(record[32 + 10], 0xAA);
    }
  }
}

TEST_F(Apply, InstallsTheWepKeysThatAreThereAndRemovesTheOthers) {
  Put("AuthenType", "0");
  Put("Encryption", "0");
  Put("WEPKey1", "0102030405");
  Put("WEPKey2", "0102030405ff");  // 12 digits: absent
  Put("WEPKey3", "000102030405060708090a0b0c");
  Put("WEPKey4", "zz02030405");  // not hexadecimal: absent
  Put("WEPKeyUse", "3");
  Run();
  const auto keys = Keys();
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].size(), 44u);
  EXPECT_EQ(GetLe32At(keys[0], 4), 0u);
  EXPECT_EQ(keys[0][12], 0xFF);
  EXPECT_EQ(keys[1].size(), 16u);
  EXPECT_EQ(GetLe32At(keys[1], 4), 1u);
  EXPECT_EQ(keys[2].size(), 52u);
  EXPECT_EQ(GetLe32At(keys[2], 4), 0x80000002u);
  EXPECT_EQ(keys[2][32 + 12], 0x0c);
  EXPECT_EQ(GetLe32At(keys[3], 0), 16u);
  // With WPA no WEP key is touched; with shared keys they are.
  driver.log.clear();
  Put("AuthenType", "7");
  Run();
  EXPECT_EQ(Keys().size(), 0u);  // and no pass phrase stored: no key at all
  driver.log.clear();
  Put("AuthenType", "1");
  Put("Encryption", "1");
  Run();
  EXPECT_EQ(Keys().size(), 4u);
}

TEST_F(Apply, NamesAnAccessPointWithoutSsidAfterItsAddress) {
  Put("SSID", "");
  Run();
  auto record = Last(OID_802_11_SSID);
  ASSERT_EQ(record.size(), 36u);
  EXPECT_EQ(GetLe32At(record, 0), 9u);
  EXPECT_EQ(std::string(record.begin() + 4, record.begin() + 13), "SoftAP-3F");
  Put("SSID", std::string(40, 'n'));
  Run();
  EXPECT_EQ(Last32(OID_802_11_SSID), 32u);
}

TEST_F(Apply, SendsAccessControlAndWirelessDistribution) {
  Put("AccessControlPolicy", "1");
  PutList("AccessControlList", {"000C43123456", "nothex000000", "000C43ABCDEF"});
  Put("WdsEnable", "0");
  PutList("WdsList", {"001122334455", "001122334466", "001122334477", "001122334488"});
  Put("AuthenType", "4");
  Put("Encryption", "1");  // corrected to TKIP: the peers are sent without their count
  Put("WPAPSK", "distribution");
  Run();
  const auto acl = Last(OID_VND_ACCESS_CONTROL);
  ASSERT_EQ(acl.size(), 264u);
  EXPECT_EQ(GetLe32At(acl, 0), 1u);
  EXPECT_EQ(GetLe32At(acl, 4), 2u);
  EXPECT_EQ(acl[8 + 8 + 5], 0xEF);
  auto wds = Last(OID_VND_WDS);
  ASSERT_EQ(wds.size(), 60u);
  EXPECT_EQ(GetLe32At(wds, 0), 0u);
  EXPECT_EQ(wds[4 + 12 + 5], 0x77);
  EXPECT_EQ(GetLe32At(wds, 24), 32u);
  const Pmk quorel = *PassphraseHash("distribution", "Quorel");
  EXPECT_TRUE(std::equal(quorel.begin(), quorel.end(), wds.begin() + 28));
  // WPA-None with WEP keeps the count; policy 0 sends an empty list.
  Put("AuthenType", "5");
  Put("Encryption", "0");
  Put("AccessControlPolicy", "0");
  Run();
  wds = Last(OID_VND_WDS);
  EXPECT_EQ(GetLe32At(wds, 0), 3u);
  EXPECT_EQ(GetLe32At(wds, 24), 0u);
  EXPECT_EQ(Last32(OID_VND_ACCESS_CONTROL, 4), 0u);
}

TEST_F(Apply, UsesTheDriversRegionsWhenTheyAreFixed) {
  Put("CountryRegion", "5");
  Put("CountryRegionABand", "7");
  Run();
  EXPECT_EQ(Last32(OID_VND_COUNTRY_REGION), 0x0705u);
  state.TakeRegionWord(0x0080 | 0x0301);
  Run();
  EXPECT_FALSE(state.region24Editable);
  EXPECT_EQ(Last32(OID_VND_COUNTRY_REGION), 0x0701u);
  driver.lastSet.clear();
  state.TakeRegionWord(0x8080 | 0x0301);
  Run();
  EXPECT_TRUE(Last(OID_VND_COUNTRY_REGION).empty());
}

TEST_F(Apply, LeavesOutStepsWhoseQueryFailsAndSetsOnlyWhatDiffers) {
  driver.refused.insert(OID_802_11_CONFIGURATION);
  driver.refused.insert(OID_VND_AP_CONFIG);
  driver.AnswerDword(OID_802_11_RTS_THRESHOLD, 2347);
  Put("RtsThresh", "2347");
  Put("FragThresh", "1500");
  Put("HideSSID", "1");
  Run();
  EXPECT_EQ(driver.Count("S OID_802_11_CONFIGURATION"), 0u);
  EXPECT_EQ(driver.Count("S OID_VND_AP_CONFIG"), 0u);
  EXPECT_EQ(driver.Count("S OID_802_11_RTS_THRESHOLD"), 0u);
  EXPECT_EQ(Last32(OID_802_11_FRAGMENTATION_THRESHOLD), 1500u);
  EXPECT_EQ(driver.Count("S OID_802_11_SSID"), 1u);
  driver.refused.clear();
  Put("WirelessMode", "9");
  Put("BGProtection", "2");
  Put("IdleTime", "600");
  Run();
  EXPECT_EQ(Last32(OID_VND_AP_CONFIG, 4 * kApHideSsid), 1u);
  EXPECT_EQ(Last32(OID_VND_AP_CONFIG, 4 * kApBgProtection), 0u);
  EXPECT_EQ(Last32(OID_VND_AP_CONFIG, 4 * kApIdleTime), 600u);
}

}  // namespace
}  // namespace kavo9::softap
