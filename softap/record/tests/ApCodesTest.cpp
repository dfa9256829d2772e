// The access point's code tables: wireless modes, security codes, rates, channels and regions.

#include <gtest/gtest.h>

#include "softap/record/ApCodes.h"

namespace kavo9::softap {
namespace {

struct ModeCase {
  const char* name;
  long stored;
  bool bandA;
  bool ht;
  uint32_t mode;
};

TEST(WirelessModes, NormaliseToWhatTheAdapterCanRun) {
  const ModeCase cases[] = {
      {"bg stays", 0, false, false, 0},
      {"bg stays on n", 0, true, true, 0},
      {"a with band a", 2, true, false, 2},
      {"a without band a", 2, false, true, 0},
      {"an with band a and n", 8, true, true, 8},
      {"an without n", 8, true, false, 2},
      {"an without band a on n", 8, false, true, 9},
      {"an without band a", 8, false, false, 0},
      {"b only on n", 1, true, true, 9},
      {"abg on g", 3, true, false, 0},
      {"n only on n", 6, false, true, 9},
      {"negative", -4, false, false, 0},
      {"bgn on g", 9, false, false, 0},
  };
  for (const ModeCase& c : cases) {
    EXPECT_EQ(NormaliseWirelessMode(c.stored, c.bandA, c.ht), c.mode) << c.name;
  }
}

struct SecurityCase {
  const char* name;
  long storedAuth;
  long storedEncryption;
  uint32_t auth;
  uint32_t encryption;
};

TEST(SecurityCodes, AreReadAndCorrectedForTheAuthentication) {
  const SecurityCase cases[] = {
      {"open none", 0, 1, 0, 1},
      {"open aes becomes none", 0, 6, 0, 1},
      {"open wep", 0, 0, 0, 0},
      {"shared tkip becomes none", 1, 4, 1, 1},
      {"stored auto switch reads as open", 2, 6, 0, 1},
      {"auth out of range reads as open", 12, 0, 0, 0},
      {"negative auth reads as open", -1, 1, 0, 1},
      {"wpa2-psk none becomes tkip", 7, 1, 7, 4},
      {"wpa2-psk wep becomes tkip", 7, 0, 7, 4},
      {"wpa-psk aes stays", 4, 6, 4, 6},
      {"mixed psk both stays", 9, 8, 9, 8},
      {"wpa none keeps its cipher", 5, 0, 5, 0},
      {"encryption 3 reads as none", 0, 3, 0, 1},
      {"wpa2 encryption 7 reads as none then tkip", 6, 7, 6, 4},
  };
  for (const SecurityCase& c : cases) {
    const uint32_t auth = ReadAuthCode(c.storedAuth);
    EXPECT_EQ(auth, c.auth) << c.name;
    EXPECT_EQ(CorrectEncryption(ReadEncryptionCode(c.storedEncryption), auth), c.encryption)
        << c.name;
  }
  EXPECT_TRUE(IsDot1xAuth(kAuthWpa) && IsDot1xAuth(kAuthWpa2) && IsDot1xAuth(kAuthWpaWpa2));
  EXPECT_FALSE(IsDot1xAuth(kAuthWpaPsk) || IsDot1xAuth(kAuthWpaNone));
  EXPECT_FALSE(HasRekey(kAuthWpaNone) || HasRekey(kAuthShared));
}

struct RateCase {
  const char* name;
  uint32_t mode;
  long index;
  RateList rates;
};

TEST(Rates, FollowTheModeAndIndex) {
  const RateCase cases[] = {
      {"auto a", 2, 0, {108, 96, 72, 48, 36, 24, 18, 12}},
      {"auto an", 8, 0, {108, 96, 72, 48, 36, 24, 18, 12}},
      {"auto b", 1, 0, {22, 11, 4, 2, 0, 0, 0, 0}},
      {"auto bg", 0, 0, {108, 96, 72, 48, 22, 11, 4, 2}},
      {"auto bgn", 9, 0, {108, 96, 72, 48, 22, 11, 4, 2}},
      {"a 6 Mb/s", 2, 1, {12}},
      {"a 54 Mb/s", 8, 8, {108}},
      {"a index 10 is auto", 2, 10, {108, 96, 72, 48, 36, 24, 18, 12}},
      {"b 11 Mb/s", 1, 4, {22}},
      {"b index 5 is auto", 1, 5, {22, 11, 4, 2, 0, 0, 0, 0}},
      {"bg 1 Mb/s", 0, 1, {2}},
      {"bg 6 Mb/s", 0, 5, {12}},
      {"bg 54 Mb/s", 9, 12, {108}},
      {"bg index 13 is auto", 0, 13, {108, 96, 72, 48, 22, 11, 4, 2}},
      {"negative is auto", 0, -1, {108, 96, 72, 48, 22, 11, 4, 2}},
  };
  for (const RateCase& c : cases) EXPECT_EQ(DesiredRates(c.mode, c.index), c.rates) << c.name;
}

TEST(Channels, MapToTheirFrequencies) {
  const std::pair<long, std::optional<uint32_t>> cases[] = {
      {1, 2412000},       {13, 2472000},      {14, 2484000},      {34, 5170000},
      {36, 5180000},      {165, 5825000},     {184, 4920000},     {196, 4980000},
      {208, 5040000},     {212, 5060000},     {216, 5080000},     {0, std::nullopt},
      {15, std::nullopt}, {35, std::nullopt}, {50, std::nullopt}, {300, std::nullopt},
      {-1, std::nullopt},
  };
  for (const auto& [channel, frequency] : cases) {
    EXPECT_EQ(ChannelFrequencyKhz(channel), frequency) << "channel " << channel;
  }
  int inTable = 0;
  for (long c = -5; c < 400; ++c) inTable += ChannelFrequencyKhz(c).has_value();
  EXPECT_EQ(inTable, 49);
}

TEST(Regions, ListTheirChannels) {
  EXPECT_EQ(Channels24(0).size(), 11u);
  EXPECT_EQ(Channels24(5).size(), 14u);
  EXPECT_EQ(Channels24(4), std::vector<int>{14});
  EXPECT_EQ(Channels24(6).front(), 3);
  EXPECT_EQ(Channels24(99).size(), 11u);
  const std::tuple<uint32_t, int, size_t> counts[] = {
      {0, 7, 13},  {1, 7, 19}, {7, 7, 24},  {9, 4, 4},  {9, 7, 21},  {9, 2, 0},
      {10, 5, 12}, {10, 8, 9}, {11, 6, 18}, {11, 4, 0}, {42, 7, 13},
  };
  for (const auto& [region, chip, count] : counts) {
    EXPECT_EQ(Channels5(region, chip).size(), count) << "region " << region << " chip " << chip;
  }
}

TEST(TxPower, IndexToPercent) {
  const std::pair<long, uint32_t> cases[] = {{0, 100}, {1, 75},  {2, 50},  {3, 25},
                                             {4, 12},  {5, 100}, {-1, 100}};
  for (const auto& [index, percent] : cases) EXPECT_EQ(TxPowerPercent(index), percent) << index;
}

}  // namespace
}  // namespace kavo9::softap
