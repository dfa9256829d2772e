#include "station/wps/WpsApList.h"

#include <gtest/gtest.h>

#include "station/networks/BssRecordBuilder.h"

namespace kavo9::wps {
namespace {

using build::BssListBuilder;
using build::BssRecordBuilder;
using build::Bytes;

constexpr uint32_t kChannel6 = 2437000, kChannel36 = 5180000;

Bytes WpsAp(const char* ssid, uint8_t last, uint32_t khz, bool pushButton = false) {
  std::vector<build::WpsAttribute> attributes = {build::WpsU8(0x104A, 0x10),
                                                 build::WpsU8(0x1044, 2)};
  if (pushButton) attributes.push_back(build::WpsU16(0x1012, 0x0004));
  return BssRecordBuilder()
      .Ssid(ssid)
      .Bssid({0x00, 0x1F, 0x33, 0x4B, 0x00, last})
      .FrequencyKhz(khz)
      .WithSsidElement()
      .AddElement(build::WpsElement(attributes))
      .Build();
}

Bytes PlainAp(const char* ssid, uint8_t last) {
  return BssRecordBuilder().Ssid(ssid).Bssid({0, 0, 0, 0, 0, last}).WithSsidElement().Build();
}

TEST(WpsApList, KeepsOnlyRecordsWithTheWpsElementWithTheirTexts) {
  const Bytes list = BssListBuilder()
                         .Add(WpsAp("pin-ap", 4, kChannel6))
                         .Add(PlainAp("plain", 6))
                         .Add(WpsAp("pbc-ap", 0x11, kChannel36, true))
                         .Build(65536);
  const auto rows = BuildWpsApList(list, 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Ssid, "pin-ap");
  EXPECT_EQ(rows[0].BssidText, "00-1F-33-4B-00-04");
  EXPECT_EQ(rows[0].ChannelText, "6");
  EXPECT_EQ(rows[0].IdColumn(), "ID : ");  // no device password ID attribute
  EXPECT_FALSE(rows[0].Secured);
  EXPECT_EQ(rows[1].IdColumn(), "ID : 0x0004");
  EXPECT_EQ(rows[1].ChannelText, "36");
  const WpsTarget target = TargetOf(rows[1]);
  EXPECT_EQ(std::string(target.Ssid.begin(), target.Ssid.end()), "pbc-ap");
  EXPECT_EQ(target.Bssid[5], 0x11);
  EXPECT_EQ(target.Channel, 36);
}

TEST(WpsApList, BandPreferenceFilters) {
  const Bytes list = BssListBuilder()
                         .Add(WpsAp("two", 1, kChannel6, true))
                         .Add(WpsAp("five", 2, kChannel36, true))
                         .Add(WpsAp("unknown", 3, 1234))
                         .Build();
  auto names = [&](uint32_t band) {
    std::vector<std::string> out;
    for (const auto& row : BuildWpsApList(list, band)) out.push_back(row.Ssid);
    return out;
  };
  EXPECT_EQ(names(0), (std::vector<std::string>{"two", "unknown"}));
  EXPECT_EQ(names(1), (std::vector<std::string>{"five"}));
  EXPECT_EQ(names(2), (std::vector<std::string>{"two", "five", "unknown"}));
  // The 2.4 GHz-only list shows no password ID; an unknown channel has no text.
  EXPECT_EQ(BuildWpsApList(list, 0)[0].IdText, "");
  EXPECT_EQ(BuildWpsApList(list, 2)[2].ChannelText, "");
}

TEST(WpsApList, MalformedRecordsAreSkippedAndZeroLengthsEndTheWalk) {
  // A WPS element that claims more bytes than the record has.
  const Bytes overrun = BssRecordBuilder()
                            .Ssid("overrun")
                            .AddRawIeBytes(Bytes{221, 250, 0x00, 0x50, 0xF2, 4, 0x10, 0x4A})
                            .Build();
  const Bytes badIe = BssRecordBuilder().Ssid("bad").IeLengthOverride(4000).Build();
  const Bytes zero = BssRecordBuilder().Ssid("zero").LengthOverride(0).Build();
  const Bytes list = BssListBuilder()
                         .Add(overrun)
                         .Add(badIe)
                         .Add(WpsAp("good", 9, kChannel6))
                         .Add(zero)
                         .Add(WpsAp("after-zero", 10, kChannel6))
                         .Build();
  const auto rows = BuildWpsApList(list, 2);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].Ssid, "good");
  EXPECT_TRUE(BuildWpsApList({}, 2).empty());
  EXPECT_TRUE(BuildWpsApList(BssListBuilder().CountOverride(50).Build(), 2).empty());
}

}  // namespace
}  // namespace kavo9::wps
