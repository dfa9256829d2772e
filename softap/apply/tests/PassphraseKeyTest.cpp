#include "softap/apply/PassphraseKey.h"

#include <gtest/gtest.h>

namespace kavo9::softap {
namespace {

std::string Hex(const Pmk& key) {
  std::string text;
  char digits[3];
  for (uint8_t b : key) {
    std::snprintf(digits, sizeof digits, "%02x", b);
    text += digits;
  }
  return text;
}

// The published test vectors of the pass-phrase hash.
TEST(PassphraseKey, MatchesTheStandardsVectors) {
  EXPECT_EQ(Hex(*PassphraseHash("password", "IEEE")),
            "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e");
  EXPECT_EQ(Hex(*PassphraseHash("ThisIsAPassword", "ThisIsASSID")),
            "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af");
}

TEST(PassphraseKey, TakesSixtyFourHexDigitsAsTheKeyAndRefusesTheRest) {
  const std::string hex(64, 'a');
  EXPECT_EQ(Hex(*PreSharedKey(hex, "any")), hex);
  EXPECT_FALSE(PreSharedKey(std::string(63, 'a') + "g", "any"));
  EXPECT_FALSE(PreSharedKey(std::string(70, 'a'), "any"));
  EXPECT_FALSE(PreSharedKey("", "any"));
  // A network name over 32 bytes is hashed by its first 32.
  EXPECT_EQ(*PassphraseHash("password", std::string(32, 's') + "tail"),
            *PassphraseHash("password", std::string(32, 's')));
}

}  // namespace
}  // namespace kavo9::softap
