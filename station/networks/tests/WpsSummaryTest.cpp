#include <gtest/gtest.h>

#include "station/networks/tests/BssTestSupport.h"

namespace kavo9 {
namespace {

using namespace build;
using testing::Decode;
using testing::RecordWithElements;

const Bytes kUuid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                     0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

struct WpsCase {
  std::string name;
  Bytes elements;
  std::string summary;
};
// Test names and failure messages show the case by its name.
void PrintTo(const WpsCase& c, std::ostream* out) {
  *out << c.name;
}

class WpsSummary : public ::testing::TestWithParam<WpsCase> {};

TEST_P(WpsSummary, BuildsTheNineTexts) {
  EXPECT_EQ(WpsSummaryText(Decode(RecordWithElements(GetParam().elements)).Wps),
            GetParam().summary);
}

Bytes Wps(std::vector<WpsAttribute> attributes) {
  return WpsElement(attributes);
}

// A WPS element whose last attribute declares more bytes than the element holds.
Bytes WpsWithTruncatedUuid() {
  Bytes e = Wps({WpsU8(0x1044, 2), WpsRaw(0x1047, kUuid)});
  e.resize(e.size() - 11);  // 5 of the 16 UUID bytes stay
  e[1] = uint8_t(e.size() - 2);
  return e;
}

const std::string kAllUnknown = "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;";

INSTANTIATE_TEST_SUITE_P(
    Cases, WpsSummary,
    ::testing::Values(
        WpsCase{"NoElement", {}, kAllUnknown + "FALSE"},
        WpsCase{"BareElementOfLengthFour", Wps({}), kAllUnknown + "TRUE"},
        WpsCase{"ConfiguredAccessPoint",
                Wps({WpsU8(0x104A, 0x10), WpsU8(0x1044, 2), WpsU8(0x1057, 1), WpsU8(0x1041, 1),
                     WpsU16(0x1012, 4), WpsU16(0x1053, 0x0188), WpsRaw(0x1047, kUuid),
                     WpsU8(0x103C, 1)}),
                "0x0188;0x0004;TRUE;Configured;1.0;TRUE;00112233445566778899AABBCCDDEEFF;"
                "0x01 (2.4GHz);TRUE"},
        WpsCase{"LaterConfigMethodsWins", Wps({WpsU16(0x1053, 0x0080), WpsU16(0x1008, 0x2008)}),
                "0x2008;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;TRUE"},
        WpsCase{"AuthorizedMacsAppendToSelectedRegistrar",
                Wps({WpsU8(0x1041, 0), WpsRaw(0x101A, kUuid)}),
                "Unknown;Unknown;FALSE00112233445566778899AABBCCDDEEFF;Unknown;Unknown;Unknown;"
                "Unknown;Unknown;TRUE"},
        WpsCase{"UnknownStateAndBandLeaveUnknown",
                Wps({WpsU8(0x1044, 3), WpsU8(0x103C, 4), WpsU8(0x104A, 0x21), WpsU8(0x1057, 0)}),
                "Unknown;Unknown;Unknown;Unknown;2.1;FALSE;Unknown;Unknown;TRUE"},
        WpsCase{"FiveGigahertzAndDualBand", Wps({WpsU8(0x1044, 1), WpsU8(0x103C, 2)}),
                "Unknown;Unknown;Unknown;Unconfigured;Unknown;Unknown;Unknown;0x02 (5GHz);TRUE"},
        WpsCase{"UnknownAttributesArePassedOverByLength",
                Wps({WpsRaw(0x1011, Bytes{'n', 'a', 'm', 'e'}), WpsU8(0x103C, 3)}),
                "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;0x03;TRUE"},
        WpsCase{"ShortValueContributesTheBytesItHas",
                Wps({WpsRaw(0x1012, Bytes{0x01}), WpsRaw(0x1008, Bytes{})}),
                "Unknown;0x0100;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;TRUE"},
        WpsCase{"TruncatedAttributeReadsOnlyInsideTheElement", WpsWithTruncatedUuid(),
                "Unknown;Unknown;Unknown;Configured;Unknown;Unknown;0011223344;Unknown;TRUE"},
        WpsCase{"OtherVendorTypeIsNotWps",
                VendorElement(ie::kOuiWifiAlliance, 5, Bytes{0x10, 0x44, 0, 1, 2}),
                kAllUnknown + "FALSE"}),
    [](const auto& param) { return param.param.name; });

TEST(WpsSummaryFields, SplitFieldsMatchTheJoinedText) {
  const auto wps = Decode(RecordWithElements(Wps({WpsU16(0x1012, 0)}))).Wps;
  EXPECT_EQ(WpsFieldText(wps, 1), "0x0000");
  EXPECT_EQ(WpsFieldText(wps, 0), "Unknown");
  EXPECT_EQ(WpsFieldText(wps, 8), "TRUE");
  EXPECT_EQ(WpsFieldText(wps, 9), "");
}

}  // namespace
}  // namespace kavo9
