#include "station/wps/WpsPin.h"

#include <gtest/gtest.h>

#include <set>

namespace kavo9::wps {
namespace {

TEST(WpsPin, ChecksumOfKnownPins) {
  struct Case {
    uint32_t seven, check;
  } cases[] = {{1234567, 0}, {0, 0}, {9999999, 5}, {4689053, 5}, {1, 7}, {10000, 7}};
  for (const Case& c : cases) EXPECT_EQ(PinChecksum(c.seven), c.check) << c.seven;
}

TEST(WpsPin, MadePinsHaveEightDigitsAndTheirCheckDigitAndVary) {
  std::set<uint32_t> seen;
  for (int i = 0; i < 200; ++i) {
    const auto pin = MakePin();
    ASSERT_TRUE(pin);
    EXPECT_LT(*pin, 100'000'000u);
    EXPECT_EQ(PinChecksum(*pin / 10), *pin % 10);
    EXPECT_EQ(CheckPinText(PinText(*pin)), PinCheck::kValid);
    seen.insert(*pin);
  }
  // Pins made within the same second differ: nothing is seeded from the clock.
  EXPECT_GT(seen.size(), 190u);
}

TEST(WpsPin, SmallPinsKeepTheirLeadingZeros) {
  EXPECT_EQ(PinText(17), "00000017");
  EXPECT_EQ(PinText(12345670), "12345670");
}

TEST(WpsPin, TextChecks) {
  struct Case {
    const char* text;
    PinCheck result;
  } cases[] = {
      {"12345670", PinCheck::kValid},         {"00000017", PinCheck::kValid},
      {"12345671", PinCheck::kWrongChecksum}, {"12345679", PinCheck::kWrongChecksum},
      {"1234567", PinCheck::kWrongLength},    {"", PinCheck::kWrongLength},
      {"123456700", PinCheck::kWrongLength},  {"1234567a", PinCheck::kWrongLength},
      {" 1234567", PinCheck::kWrongLength},   {"-1234567", PinCheck::kWrongLength},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckPinText(c.text), c.result) << c.text;
  uint32_t pin = 0;
  ASSERT_EQ(CheckPinText("00000017", &pin), PinCheck::kValid);
  EXPECT_EQ(pin, 17u);
}

}  // namespace
}  // namespace kavo9::wps
