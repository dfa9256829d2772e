#include "station/networks/survey/SurveyRows.h"

#include <gtest/gtest.h>

#include "station/networks/survey/SurveyColumns.h"
#include "station/networks/survey/tests/SurveyTestSupport.h"

namespace kavo9 {
namespace {

using namespace testing;

const uint8_t kBRates[] = {0x82, 0x84, 0x8B, 0x96};
const uint8_t kMixedRates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
const uint8_t kGOnlyRates[] = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};

SiteSurveyRow OneRow(const Bytes& record) {
  const MergedBssList list = MergedOf({record});
  const auto rows = BuildRows(list.Buffer);
  EXPECT_EQ(rows.size(), 1u);
  return rows.empty() ? SiteSurveyRow{} : rows[0];
}

std::vector<int> BandImages(const SiteSurveyRow& row) {
  std::vector<int> images;
  for (int column : {kColA, kColB, kColG, kColN}) images.push_back(SurveyCellImage(row, column));
  return images;
}

TEST(SurveyRows, BandMarks) {
  build::HtInformation ht;
  const struct {
    const char* name;
    Bytes record;
    std::vector<int> images;  // a, b, g, n
  } cases[] = {
      {"5 GHz", Network(1, "a", 5180000).NetworkType(2).Build(), {2, -1, -1, -1}},
      {"g only",
       Network(2, "g", 2412000).NetworkType(3).Rates(kGOnlyRates).Build(),
       {-1, -1, 4, -1}},
      {"mixed b/g", Network(3, "bg").NetworkType(3).Rates(kMixedRates).Build(), {-1, 3, 4, -1}},
      {"b", Network(4, "b").NetworkType(1).Rates(kBRates).Build(), {-1, 3, -1, -1}},
      {"n",
       Network(5, "n")
           .NetworkType(3)
           .Rates(kMixedRates)
           .AddElement(build::HtInformationElement(ht))
           .Build(),
       {-1, 3, 4, 9}},
  };
  for (const auto& c : cases) EXPECT_EQ(BandImages(OneRow(c.record)), c.images) << c.name;
}

TEST(SurveyRows, SecurityAndTypeImages) {
  const Bytes wpsSecured = Network(1, "wps")
                               .AddElement(build::RsnElement(build::RsnSuites({4}, {2}, 4)))
                               .AddElement(build::WpsElement({}))
                               .Build();
  const SiteSurveyRow wps = OneRow(wpsSecured);
  EXPECT_EQ(SurveyCellImage(wps, kColSecurity), kImageWps) << "WPS wins over the key";
  EXPECT_EQ(wps.Secured, 1);

  const SiteSurveyRow wep = OneRow(Network(2, "wep").Privacy(true).Build());
  EXPECT_EQ(SurveyCellImage(wep, kColSecurity), kImageKey);
  const SiteSurveyRow open = OneRow(Network(3, "open").Infrastructure(0).Build());
  EXPECT_EQ(SurveyCellImage(open, kColSecurity), kNoImage);
  EXPECT_EQ(SurveyCellImage(open, kColNetworkType), kImageAdHoc);
  EXPECT_EQ(SurveyCellImage(wep, kColNetworkType), kImageInfrastructure);
  EXPECT_EQ(SurveyCellImage(open, kColConnected), kNoImage);
  SiteSurveyRow connected = open;
  connected.Connected = 1;
  EXPECT_EQ(SurveyCellImage(connected, kColConnected), kImageConnected);
}

TEST(SurveyRows, TextsAndSignal) {
  const SiteSurveyRow row = OneRow(Network(1, "Cafe", 2484000, -67).Build());
  EXPECT_EQ(SurveyCellText(row, kColSsid, false), "Cafe");
  EXPECT_EQ(SurveyCellText(row, kColChannel, false), "14");
  EXPECT_EQ(SurveyCellText(row, kColSignalText, true), "-67 dBm");
  EXPECT_EQ(SurveyCellText(row, kColSignalText, false), "57%");
  EXPECT_EQ(SurveySignalPercent(row), 57);  // 24 + 2.6 x 13, truncated

  // A reading beyond -100 dBm stays weak; it is not wrapped round to a strong one.
  const SiteSurveyRow edge = OneRow(Network(2, "edge", 2412000, -105).Build());
  EXPECT_EQ(SurveyCellText(edge, kColSignalText, true), "-105 dBm");
  EXPECT_EQ(SurveySignalPercent(edge), 0);
}

TEST(SurveyRows, BarColoursAndColumnWidths) {
  const std::pair<int, Rgb> colours[] = {
      {100, {20, 120, 200}}, {76, {20, 120, 200}}, {75, {100, 240, 70}}, {51, {100, 240, 70}},
      {50, {250, 230, 50}},  {26, {250, 230, 50}}, {25, {240, 40, 40}},  {0, {240, 40, 40}}};
  for (auto [percent, rgb] : colours) EXPECT_EQ(SignalBarColour(percent), rgb) << percent;

  EXPECT_EQ(SurveyColumnWidth(kColSsid, 640), 198);
  EXPECT_EQ(SurveyColumnWidth(kColSignalBar, 640), 262);
  EXPECT_EQ(SurveyColumnWidth(kColConnected, 640), 12);
  EXPECT_EQ(SurveyColumnWidth(kColSignalText, 640), 51);
  EXPECT_TRUE(kSurveyColumns[kColSsid].LeftAligned && kSurveyColumns[kColChannel].LeftAligned);
  EXPECT_FALSE(kSurveyColumns[kColSignalText].LeftAligned);
}

std::vector<std::string> Ssids(const MergedBssList& list) {
  std::vector<std::string> out;
  for (const BssRecordView& r : list.View()) out.emplace_back(r.Ssid().begin(), r.Ssid().end());
  return out;
}

TEST(SurveyRows, SortsAreStableAndMoveTheStamps) {
  MergedBssList list = MergedOf({
      Network(1, "Beta", 2462000, -70).Build(),   // channel 11
      Network(2, "alpha", 2437000, -50).Build(),  // 6
      Network(3, "beta", 2412000, -70).Build(),   // 1
      Network(4, "Alpha", 2437000, -80).Build(),  // 6
  });

  SortBssList(list, kSortBySsid);
  EXPECT_EQ(Ssids(list), (std::vector<std::string>{"alpha", "Alpha", "Beta", "beta"}));
  EXPECT_EQ(list.LastSeen, (std::vector<uint64_t>{2, 4, 1, 3}));

  SortBssList(list, kSortBySignal);
  EXPECT_EQ(Ssids(list), (std::vector<std::string>{"alpha", "Beta", "beta", "Alpha"}));

  SortBssList(list, kSortByChannel);
  EXPECT_EQ(Ssids(list), (std::vector<std::string>{"beta", "alpha", "Alpha", "Beta"}));
  EXPECT_EQ(list.LastSeen, (std::vector<uint64_t>{3, 2, 4, 1}));
  EXPECT_EQ(list.Count(), 4u);
}

TEST(SurveyRows, RecordsWhoseLengthDoesNotCoverTheirElementsGetNoRow) {
  const MergedBssList list = MergedOf({
      Network(1, "good").Build(),
      Network(2, "short").IeLengthOverride(400).Build(),
      Network(3, "also good").Build(),
  });
  const auto rows = BuildRows(list.Buffer);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].Ssid, "also good");
  EXPECT_TRUE(BuildRows(std::vector<uint8_t>(kBssListBufferSize, 0)).empty());
}

}  // namespace
}  // namespace kavo9
