#include "softap/config/ApSecurity.h"

#include <gtest/gtest.h>

#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {
namespace {

ApSecurity Wep(int transmit, std::array<int, 4> types, std::array<std::string, 4> keys) {
  ApSecurity s;
  s.auth = kAuthOpen;
  s.encryption = kEncWep;
  s.transmitKey = transmit;
  s.keyTypes = types;
  s.keys = keys;
  return s;
}

ApSecurity Psk(std::string phrase) {
  ApSecurity s;
  s.auth = kAuthWpa2Psk;
  s.encryption = kEncAes;
  s.passPhrase = std::move(phrase);
  return s;
}

TEST(ApSecurityTest, KeyChecks) {
  struct Case {
    const char* name;
    ApSecurity security;
    int message;
  };
  const std::string phrase64(64, 'a');
  const Case cases[] = {
      {"open without keys", ApSecurity{}, 0},
      {"10 hex digits", Wep(0, {0, 0, 0, 0}, {"0123456789", "", "", ""}), 0},
      {"26 hex digits", Wep(0, {0, 0, 0, 0}, {std::string(26, 'F'), "", "", ""}), 0},
      {"5 ASCII", Wep(0, {1, 0, 0, 0}, {"abcde", "", "", ""}), 0},
      {"13 ASCII", Wep(0, {1, 0, 0, 0}, {"abcdefghijklm", "", "", ""}), 0},
      {"empty transmit key", Wep(1, {0, 0, 0, 0}, {"0123456789", "", "", ""}), kStrWepKeyLength},
      {"9 hex digits", Wep(0, {0, 0, 0, 0}, {"012345678", "", "", ""}), kStrWepKeyLength},
      {"hex with a G", Wep(0, {0, 0, 0, 0}, {"012345678G", "", "", ""}), kStrWepKeyLength},
      {"6 ASCII", Wep(0, {1, 0, 0, 0}, {"abcdef", "", "", ""}), kStrWepKeyLength},
      {"bad other key", Wep(0, {0, 0, 0, 0}, {"0123456789", "", "123", ""}), kStrWepKeyLength},
      {"shared checks keys",
       [] {
         ApSecurity s = Wep(0, {0, 0, 0, 0}, {"", "", "", ""});
         s.auth = kAuthShared;
         return s;
       }(),
       kStrWepKeyLength},
      {"7 characters", Psk("1234567"), kStrPskLength},
      {"8 characters", Psk("12345678"), 0},
      {"63 arbitrary", Psk(std::string(63, '#')), 0},
      {"64 hex", Psk(phrase64), 0},
      {"64 with a G", Psk(std::string(63, 'a') + "G"), kStrPskLength},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckSecurity(c.security), c.message) << c.name;
}

TEST(ApSecurityTest, AsciiKeysAreStoredAsHexAndShownAsTyped) {
  EXPECT_EQ(StoredKey(kKeyTypeAscii, "ABCDE"), "4142434445");
  EXPECT_EQ(StoredKey(kKeyTypeAscii, ""), "");
  EXPECT_EQ(StoredKey(kKeyTypeHex, "0A1B2C3D4E"), "0A1B2C3D4E");
  EXPECT_EQ(TypedKey(kKeyTypeAscii, "4142434445"), "ABCDE");
  EXPECT_EQ(TypedKey(kKeyTypeHex, "4142434445"), "4142434445");
  // Round trip of a 13-character key.
  EXPECT_EQ(TypedKey(kKeyTypeAscii, StoredKey(kKeyTypeAscii, "Hello, World!")), "Hello, World!");
}

TEST(ApSecurityTest, ComboEntriesMapToCodes) {
  EXPECT_EQ(AuthForEntry(2), kAuthWpaPsk);
  EXPECT_EQ(AuthForEntry(4), kAuthWpaPskWpa2Psk);
  EXPECT_EQ(EntryForAuth(kAuthWpa2Psk), 3);
  EXPECT_EQ(EntryForAuth(kAuthWpa), 3);  // no entry of its own: the entry with its number
  EXPECT_EQ(EntryForAuth(kAuthWpaWpa2), 0);
  EXPECT_EQ(EncryptionForEntry(0, 0), kEncNone);
  EXPECT_EQ(EncryptionForEntry(0, 1), kEncWep);
  EXPECT_EQ(EncryptionForEntry(1, 0), kEncWep);  // shared is always WEP
  EXPECT_EQ(EncryptionForEntry(3, 1), kEncAes);
  EXPECT_EQ(FieldsFor(kAuthOpen, kEncNone), KeyFields::kNone);
  EXPECT_EQ(FieldsFor(kAuthShared, kEncNone), KeyFields::kWep);
  EXPECT_EQ(FieldsFor(kAuthWpaPsk, kEncTkip), KeyFields::kPassPhrase);
}

}  // namespace
}  // namespace kavo9::softap
