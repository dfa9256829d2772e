#include "station/networks/survey/ApDetail.h"

#include <gtest/gtest.h>

#include "station/networks/BssElementSummary.h"
#include "station/networks/survey/tests/SurveyTestSupport.h"

namespace kavo9 {
namespace {

using namespace testing;

TEST(ApDetail, GeneralTab) {
  const uint8_t rates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
  const Bytes wep =
      Network(0xAB, "Office", 2437000, -67).Privacy(true).Rates(rates).BeaconInterval(102).Build();
  const ApGeneralTab g = BuildApDetail(wep).General;
  EXPECT_EQ(g.Ssid, "Office");
  EXPECT_EQ(g.MacAddress, "00-1D-5A-00-00-AB");
  EXPECT_EQ(g.Authentication, "Unknown");
  EXPECT_EQ(g.Encryption, "WEP");
  EXPECT_EQ(g.Channel, "6 <--> 2437 MHz");
  EXPECT_EQ(g.NetworkType, "Infrastructure");
  EXPECT_EQ(g.BeaconInterval, "102");
  EXPECT_EQ(g.SignalPercent, 57);
  EXPECT_EQ(g.SupportedRates, "1, 2, 5.5, 11, 6, 9, 12, 18");

  const ApGeneralTab open =
      BuildApDetail(Network(1, "x", 2485000).Infrastructure(0).Build()).General;
  EXPECT_EQ(open.Encryption, "None");
  EXPECT_EQ(open.Channel, "") << "no channel for a frequency outside the table";
  EXPECT_EQ(open.NetworkType, "IBSS");
  EXPECT_EQ(BuildApDetail(Network(1, "x").Infrastructure(7).Build()).General.NetworkType,
            "Unknown");
}

TEST(ApDetail, DetailBarColours) {
  const std::pair<int, Rgb> cases[] = {{0, {255, 0, 0}},     {34, {255, 0, 0}},
                                       {35, {250, 230, 50}}, {69, {250, 230, 50}},
                                       {70, {0, 255, 0}},    {100, {0, 255, 0}}};
  for (auto [percent, rgb] : cases) EXPECT_EQ(DetailSignalColour(percent), rgb) << percent;
}

TEST(ApDetail, WpsCcxAndHtTabs) {
  const Bytes record =
      Network(1, "n")
          .AddElement(build::RsnElement(build::RsnSuites({4}, {2}, 4)))
          .AddElement(build::WpsElement({{build::WpsU8(0x1044, 2), build::WpsU8(0x104A, 0x10)}}))
          .AddElement(build::HtInformationElement({.PrimaryChannel = 6}))
          .Build();
  const ApDetail detail = BuildApDetail(record);
  EXPECT_EQ(detail.Wps.Authentication, "WPA2-PSK");
  EXPECT_EQ(detail.Wps.Encryption, "AES");
  EXPECT_EQ(detail.Wps.Fields[WpsInfo::State], "Configured");
  EXPECT_EQ(detail.Wps.Fields[WpsInfo::Version], "1.0");
  EXPECT_EQ(detail.Wps.Fields[WpsInfo::DevicePasswordId], "") << "unknown is shown empty";
  EXPECT_EQ(detail.Wps.Fields[WpsInfo::ConfigMethods], "Unknown");
  EXPECT_EQ(detail.Ccx.Cckm, "FALSE");

  ASSERT_EQ(detail.Ht.size(), 9u);
  size_t fields = 0;
  for (const ApHtGroup& g : detail.Ht) fields += g.Fields.size();
  EXPECT_EQ(fields, HtInfo::kFieldCount) << "every field shown once";
  const ApHtGroup& info = detail.Ht.back();
  EXPECT_EQ(info.Title, "HT Information element");
  EXPECT_EQ(info.Fields.front(),
            (std::pair<std::string_view, std::string>{"Primary Channel", "6"}));
  EXPECT_EQ(info.Fields.back().second, "TRUE") << "HT information present";
}

TEST(ApDetail, RatesText) {
  const uint8_t odd[] = {0x0B, 0x16, 0, 0x0C};
  EXPECT_EQ(SupportedRatesText(odd), "5.5, 11");
  EXPECT_EQ(SupportedRatesText({}), "");
}

}  // namespace
}  // namespace kavo9
