#include "station/wps/page/WpsProfileDetail.h"

#include <gtest/gtest.h>

namespace kavo9::wpspage {
namespace {

wps::WpsCredential Wep(std::string_view key) {
  wps::WpsCredential c;
  c.SetSsid("lab");
  c.AuthType = wps::kAuthOpen;
  c.EncryType = wps::kEncryWep;
  c.KeyIndex = 2 | wps::kKeyIndexTransmitBit;
  c.SetKey(key);
  return c;
}

TEST(WpsProfileDetail, TextsOfWepKeysInBothForms) {
  const WpsDetailTexts ascii = DetailTexts(Wep("abcde"));
  EXPECT_EQ(ascii.keyLength, "10");
  EXPECT_EQ(ascii.keyHex, "6162636465");
  EXPECT_EQ(ascii.keyAscii, "abcde");
  EXPECT_EQ(ascii.keyIndex, "Key#3");
  EXPECT_TRUE(ascii.wep);
  const WpsDetailTexts hex = DetailTexts(Wep("6162636465"));
  EXPECT_EQ(hex.keyLength, "10");
  EXPECT_EQ(hex.keyAscii, "abcde");
  EXPECT_FALSE(DetailTexts(Wep("odd-length")).wep);

  wps::WpsCredential open;
  open.AuthType = wps::kAuthOpen;
  open.EncryType = wps::kEncryNone;
  const WpsDetailTexts none = DetailTexts(open);
  EXPECT_EQ(none.auth, "OPEN");
  EXPECT_EQ(none.keyLength, "");
  EXPECT_EQ(none.keyIndex, "");
}

TEST(WpsProfileDetail, RegistrarKeyRules) {
  const std::string rawKey(64, 'a');
  struct Case {
    int auth, encry, lengthIndex;
    const char* key;
    bool valid;
  } cases[] = {
      {RegistrarChoice::kOpen, 0, 0, "", true},
      {RegistrarChoice::kOpen, 1, 0, "abcde", true},
      {RegistrarChoice::kOpen, 1, 0, "abcd", false},
      {RegistrarChoice::kOpen, 1, 1, "0123456789", true},
      {RegistrarChoice::kOpen, 1, 1, "012345678g", false},
      {RegistrarChoice::kOpen, 1, 3, "0123456789abcdef0123456789", true},
      {RegistrarChoice::kWpa2Psk, 1, 0, "passphrase", true},
      {RegistrarChoice::kWpa2Psk, 1, 0, "short", false},
      {RegistrarChoice::kWpaPsk, 0, 0, rawKey.c_str(), true},
  };
  for (const Case& c : cases) {
    RegistrarChoice r;
    r.auth = c.auth;
    r.encry = c.encry;
    r.keyLengthIndex = c.lengthIndex;
    r.key = c.key;
    EXPECT_EQ(!ValidateRegistrar(r).has_value(), c.valid) << c.key;
  }
  RegistrarChoice notHex;
  notHex.key = std::string(63, 'a') + "z";
  EXPECT_EQ(ValidateRegistrar(notHex),
            "Invalid WPA Pre-Shared key. WPA-PSK use field should be 64 hex digits.");
}

TEST(WpsProfileDetail, RegistrarEditMakesTheCredential) {
  RegistrarChoice r;
  r.ssid = "Home";
  r.auth = RegistrarChoice::kOpen;
  r.encry = 1;
  r.keyLengthIndex = 2;
  r.keyIndex = 1;
  r.key = "thirteen char";
  const wps::WpsCredential c = ApplyRegistrar(r, {});
  EXPECT_EQ(c.AuthType, uint32_t(wps::kAuthOpen));
  EXPECT_EQ(c.EncryType, uint32_t(wps::kEncryWep));
  EXPECT_EQ(c.KeyLength, 13u);
  EXPECT_EQ(c.KeyIndex, 1u);
  EXPECT_EQ(ChoiceFrom(c).keyLengthIndex, 2);
  r.auth = RegistrarChoice::kWpaPsk;
  r.encry = 0;
  r.key = "correct horse";
  const wps::WpsCredential wpa = ApplyRegistrar(r, {});
  EXPECT_EQ(wpa.AuthType, uint32_t(wps::kAuthWpaPsk));
  EXPECT_EQ(wpa.EncryType, uint32_t(wps::kEncryTkip));
  EXPECT_EQ(wpa.KeyText(), "correct horse");
  EXPECT_TRUE(NeedsInsecureConfirm({.auth = RegistrarChoice::kOpen, .encry = 0}));
}

}  // namespace
}  // namespace kavo9::wpspage
