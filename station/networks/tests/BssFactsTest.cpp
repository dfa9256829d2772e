#include <gtest/gtest.h>

#include <set>

#include "station/networks/BssFacts.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/RssiToPercent.h"

namespace kavo9 {
namespace {

TEST(ChannelFromFrequency, FindsExactCentreFrequenciesOnly) {
  const std::pair<uint32_t, int32_t> cases[] = {
      {2412000, 1},   {2437000, 6},  {2472000, 13}, {2484000, 14},  {2485000, -1},  {2477000, -1},
      {5170000, 34},  {5180000, 36}, {5320000, 64}, {5500000, 100}, {5700000, 140}, {5745000, 149},
      {5825000, 165}, {5250000, -1}, {5720000, -1}, {4920000, 184}, {4980000, 196}, {4945000, -1},
      {2412001, -1},  {0, -1},       {2412, -1}};
  for (const auto& [khz, channel] : cases) EXPECT_EQ(ChannelFromFrequency(khz), channel) << khz;
}

TEST(ChannelFromFrequency, TableHas46DistinctRows) {
  std::set<uint32_t> frequencies;
  std::set<int32_t> channels;
  for (const auto& row : ChannelFrequencyTable) {
    frequencies.insert(row.FrequencyKhz);
    channels.insert(row.Channel);
    EXPECT_EQ(ChannelFromFrequency(row.FrequencyKhz), row.Channel);
  }
  EXPECT_EQ(frequencies.size(), 46u);
  EXPECT_EQ(channels.size(), 46u);
}

TEST(RssiToPercent, FollowsTheThreeSegmentsTruncated) {
  const std::pair<int32_t, int> cases[] = {{0, 100},  {-30, 100},     {-50, 100},      {-51, 99},
                                           {-65, 63}, {-79, 26},      {-80, 24},       {-81, 23},
                                           {-85, 13}, {-89, 2},       {-90, 0},        {-91, 0},
                                           {-200, 0}, {INT32_MIN, 0}, {INT32_MAX, 100}};
  for (const auto& [dbm, percent] : cases) EXPECT_EQ(RssiToPercent(dbm), percent) << dbm;
}

TEST(HasOfdmBasicRate, NeedsGModeAndABasicOfdmRate) {
  struct Case {
    uint32_t networkType;
    std::vector<uint8_t> rates;
    bool expected;
  };
  const Case cases[] = {
      {3, {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18}, false},  // b rates basic, OFDM not
      {3, {0x82, 0x84, 0x8C}, true},                           // 6 Mb/s basic
      {3, {0x92}, true},                                       // 9 Mb/s basic
      {3, {0x98}, true},                                       // 12 Mb/s basic
      {3, {0xEC}, true},                                       // 54 Mb/s basic
      {3, {0x96}, false},                                      // 11 Mb/s basic
      {2, {0x8C, 0x98}, false},                                // 5 GHz: not a g network
      {1, {0x8C}, false},
      {3, {}, false}};
  for (const auto& c : cases) {
    const auto record = build::BssRecordBuilder().NetworkType(c.networkType).Rates(c.rates).Build();
    EXPECT_EQ(HasOfdmBasicRate(BssRecordView(record)), c.expected);
  }
}

TEST(FrequencyOfBssid, TakesTheRecordOnTheWpsChannelsBandElseTheChannelItself) {
  const build::MacAddress dual = {0, 1, 2, 3, 4, 5};
  const auto list = build::BssListBuilder()
                        .Add(build::BssRecordBuilder().Bssid(dual).FrequencyKhz(5180000).Build())
                        .Add(build::BssRecordBuilder().Bssid(dual).FrequencyKhz(2437000).Build())
                        .Build();
  const BssListView view(list);
  EXPECT_EQ(FrequencyOfBssid(view, dual, 1), 2437000u);
  EXPECT_EQ(FrequencyOfBssid(view, dual, 149), 5180000u);
  EXPECT_EQ(FrequencyOfBssid(view, std::array<uint8_t, 6>{9, 9, 9, 9, 9, 9}, 11), 2462000u);
  EXPECT_EQ(FrequencyOfBssid(view, std::array<uint8_t, 6>{9, 9, 9, 9, 9, 9}, 15), 2412000u);
  EXPECT_EQ(FrequencyOfBssid(view, dual, 15), 2437000u);  // unknown channel: 2.4 GHz default
}

}  // namespace
}  // namespace kavo9
