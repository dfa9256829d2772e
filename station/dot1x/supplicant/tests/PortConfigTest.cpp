#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "station/dot1x/supplicant/AuthStatusList.h"
#include "station/dot1x/supplicant/PortConfig.h"

namespace kavo9::dot1x {
namespace {

constexpr uint32_t kWifi = 0x0C;
const std::string kHex64 = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";

connect::ConnectRecord Record(uint32_t auth, uint32_t encryption, std::string pass = {},
                              uint8_t leap = 0) {
  connect::ConnectRecord r;
  r.InfraMode = Ndis802_11Infrastructure;
  r.SetSsid("Apartment 4B");
  r.AuthMode = auth;
  r.Encryption = encryption;
  r.PassPhrase = std::move(pass);
  r.LeapEnabled = leap;
  return r;
}

TEST(PortConfig, RecordModesBecomeLibraryCodes) {
  struct Case {
    const char* name;
    uint32_t auth, encryption;
    uint8_t leap;
    uint32_t keyManagement, cipher;
  };
  const Case cases[] = {
      {"open WEP", Ndis802_11AuthModeOpen, Ndis802_11Encryption1Enabled, 0, AC_KM_OPEN,
       AC_CIPHER_WEP},
      {"shared", Ndis802_11AuthModeShared, Ndis802_11Encryption1Enabled, 0, AC_KM_SHARED,
       AC_CIPHER_WEP},
      {"open clear", Ndis802_11AuthModeOpen, Ndis802_11EncryptionDisabled, 0, AC_KM_OPEN,
       AC_CIPHER_NONE},
      {"WPA TKIP", Ndis802_11AuthModeWPA, Ndis802_11Encryption2Enabled, 0, AC_KM_WPA,
       AC_CIPHER_TKIP},
      {"WPA-PSK", Ndis802_11AuthModeWPAPSK, Ndis802_11Encryption2Enabled, 0, AC_KM_WPA_PSK,
       AC_CIPHER_TKIP},
      {"WPA2", Ndis802_11AuthModeWPA2, Ndis802_11Encryption3Enabled, 0, AC_KM_WPA2, AC_CIPHER_AES},
      {"WPA2-PSK", Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled, 0, AC_KM_WPA2_PSK,
       AC_CIPHER_AES},
      {"LEAP WEP", Ndis802_11AuthModeOpen, Ndis802_11Encryption1Enabled, 1, AC_KM_OPEN,
       AC_CIPHER_WEP},
      {"LEAP TKIP", Ndis802_11AuthModeOpen, Ndis802_11Encryption2Enabled, 1, AC_KM_WPA,
       AC_CIPHER_TKIP},
      {"LEAP AES", Ndis802_11AuthModeOpen, Ndis802_11Encryption3Enabled, 1, AC_KM_WPA2,
       AC_CIPHER_AES},
  };
  for (const Case& c : cases) {
    const PortConfig config = BuildPortConfig(Record(c.auth, c.encryption, {}, c.leap), kWifi);
    EXPECT_TRUE(config.usesAssociation) << c.name;
    EXPECT_EQ(config.association.keyManagement, c.keyManagement) << c.name;
    EXPECT_EQ(config.association.cipher, c.cipher) << c.name;
    EXPECT_FALSE(config.pskReady) << c.name;
  }
}

TEST(PortConfig, PreSharedKeyIsAPassPhraseOrSixtyFourHexDigits) {
  const auto pass = BuildPortConfig(
      Record(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled, "sunflower42"), kWifi);
  EXPECT_TRUE(pass.pskReady);
  EXPECT_EQ(pass.passPhrase, "sunflower42");
  EXPECT_EQ(pass.ssid, "Apartment 4B");
  EXPECT_FALSE(pass.binaryKey.has_value());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(pass.association.ssid),
                        pass.association.ssidLength),
            "Apartment 4B");

  const auto binary = BuildPortConfig(
      Record(Ndis802_11AuthModeWPAPSK, Ndis802_11Encryption2Enabled, kHex64), kWifi);
  ASSERT_TRUE(binary.binaryKey.has_value());
  EXPECT_TRUE(binary.pskReady);
  EXPECT_EQ((*binary.binaryKey)[0], 0xf4);
  EXPECT_EQ((*binary.binaryKey)[31], 0x2e);

  // 64 characters that are not all hexadecimal digits are no key at all.
  const auto garbage = BuildPortConfig(
      Record(Ndis802_11AuthModeWPAPSK, Ndis802_11Encryption2Enabled, std::string(64, 'z')), kWifi);
  EXPECT_FALSE(garbage.pskReady);
  EXPECT_FALSE(
      BuildPortConfig(Record(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled), kWifi)
          .pskReady);
}

TEST(PortConfig, WiredPortIsNotAssociatedAndAdHocIsBssTypeTwo) {
  auto r = Record(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled, "sunflower42");
  const auto wired = BuildPortConfig(r, AC_MEDIA_8023);
  EXPECT_FALSE(wired.usesAssociation);
  EXPECT_FALSE(wired.pskReady);
  r.InfraMode = Ndis802_11IBSS;
  EXPECT_EQ(BuildPortConfig(r, kWifi).bssType, 2u);
}

TEST(AuthStatusList, WrapsAfterTwoHundredAndMarksTheEnd) {
  AuthStatusList list;
  for (int i = 0; i < AuthStatusList::kEntries; ++i) {
    EXPECT_EQ(list.Add("line " + std::to_string(i)), i);
  }
  EXPECT_EQ(list.Count(), 0);  // wrapped
  // A list that starts over clears the old lines first.
  EXPECT_EQ(list.Add("again"), 0);
  EXPECT_EQ(list.Entry(0), "again");
  EXPECT_EQ(list.Entry(1), "");
  EXPECT_EQ(list.Add(std::string(400, 'x')), 1);
  EXPECT_EQ(list.Entry(1).size(), AuthStatusList::kEntryChars);
  EXPECT_EQ(list.MarkDone(), 2);
  EXPECT_EQ(list.Entry(2), kAuthDoneMarker);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Entry(-1), "");
  EXPECT_EQ(list.Entry(AuthStatusList::kEntries), "");
}

}  // namespace
}  // namespace kavo9::dot1x
