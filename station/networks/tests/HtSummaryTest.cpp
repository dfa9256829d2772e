#include <gtest/gtest.h>

#include "station/networks/tests/BssTestSupport.h"

namespace kavo9 {
namespace {

using namespace build;
using testing::Concat;
using testing::Decode;
using testing::RecordWithElements;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t end; (end = text.find(';', start)) != std::string::npos; start = end + 1)
    fields.push_back(text.substr(start, end - start));
  fields.push_back(text.substr(start));
  return fields;
}

HtCapabilities RichCapabilities() {
  HtCapabilities cap;
  // LDPC, 40 MHz, SM power save 3, short GI 20, Rx STBC 2, max A-MSDU, 40 MHz intolerant.
  cap.Info = 0x0001 | 0x0002 | 0x000C | 0x0020 | 0x0200 | 0x0800 | 0x4000;
  cap.AmpduParameters = 0x1B;  // factor 3, spacing 0x18 & 0x0C = 0x08
  cap.McsSet[12] = 1;          // Tx MCS set defined
  return cap;
}

HtInformation RichInformation() {
  HtInformation info;
  info.PrimaryChannel = 36;
  info.Subset1 = 0x01 | 0x04 | 0x08 | 0x60;                // offset 1, width 1, RIFS, granularity 3
  info.Subset2 = 0x0002 | 0x0004 | 0x0010;                 // operating mode 2, non-greenfield, OBSS
  info.Subset3 = 0x0040 | 0x0800;                          // bits 6 and 11
  for (int i = 0; i < 4; ++i) info.BasicMcsSet[i] = 0xFF;  // word 0 = -1
  info.BasicMcsSet[4] = 0x2A;                              // word 1 = 42
  return info;
}

TEST(HtSummary, DecodesEveryFieldFromStandardElements) {
  const Bytes elements = Concat(
      {HtCapabilitiesElement(RichCapabilities()), HtInformationElement(RichInformation()),
       MakeElement(ie::kSecondaryChannelOffset, Bytes{3, 0, 0}),
       MakeElement(ie::kExtendedCapabilities, Bytes{0x01, 0}),
       MakeElement(ie::kMobilityDomain, Bytes{0, 0, 0, 0, 0, 0, 0x00, 0x18, 0, 0, 0, 0, 0})});
  const auto fields = Split(HtSummaryText(Decode(RecordWithElements(elements)).Ht));
  ASSERT_EQ(fields.size(), 55u);
  // clang-format off
  const std::vector<std::string> expected = {
      "3", "TRUE", "TRUE", "TRUE",                                          // 0-3
      "TRUE", "TRUE", "1", "3", "FALSE", "TRUE", "FALSE", "FALSE",          // 4-11
      "2", "FALSE", "1", "FALSE", "FALSE", "FALSE", "FALSE", "TRUE",        // 12-19
      "FALSE", "3", "8", "TRUE",                                            // 20-23
      "FALSE", "0", "FALSE", "FALSE", "FALSE", "0", "0", "FALSE", "FALSE",  // 24-32
      "36", "1", "1", "TRUE", "FALSE", "3", "2", "TRUE", "FALSE", "TRUE",   // 33-42
      "FALSE", "TRUE", "FALSE", "FALSE", "FALSE", "FALSE", "TRUE",          // 43-49
      "-1", "42", "0", "0", "TRUE"};                                        // 50-54
  // clang-format on
  EXPECT_EQ(fields, expected);
}

TEST(HtSummary, AbsentElementsGiveZeroAndFalse) {
  const auto fields = Split(HtSummaryText(Decode(RecordWithElements({})).Ht));
  ASSERT_EQ(fields.size(), 55u);
  for (size_t i = 0; i < fields.size(); ++i) {
    const bool flag = HtInfo::kFields[i].Type == HtInfo::Kind::Flag;
    EXPECT_EQ(fields[i], flag ? "FALSE" : "0") << i;
  }
}

struct PresenceCase {
  std::string name;
  Bytes elements;
  bool capability;   // field 4
  bool information;  // field 54
  int ldpc;          // field 5: only the standard element of the exact length decodes bits
};
// Test names and failure messages show the case by its name.
void PrintTo(const PresenceCase& c, std::ostream* out) {
  *out << c.name;
}

class HtPresence : public ::testing::TestWithParam<PresenceCase> {};

TEST_P(HtPresence, NeedsTheExactLengths) {
  const auto& c = GetParam();
  const auto ht = Decode(RecordWithElements(c.elements)).Ht;
  EXPECT_EQ(ht.HtCapabilityPresent(), c.capability);
  EXPECT_EQ(ht.HtInformationPresent(), c.information);
  EXPECT_EQ(ht.Values[5], c.ldpc);
}

Bytes Resized(Bytes element, size_t bodyLength) {
  element.resize(2 + bodyLength);
  element[1] = uint8_t(bodyLength);
  return element;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtPresence,
    ::testing::Values(
        PresenceCase{"Standard",
                     Concat({HtCapabilitiesElement(RichCapabilities()),
                             HtInformationElement(RichInformation())}),
                     true, true, 1},
        PresenceCase{"VendorForms",
                     Concat({VendorHtCapabilitiesElement(RichCapabilities()),
                             VendorHtInformationElement(RichInformation())}),
                     true, true, 0},
        PresenceCase{"CapabilityOneByteShort",
                     Resized(HtCapabilitiesElement(RichCapabilities()), 25), false, false, 0},
        PresenceCase{"CapabilityOneByteLong",
                     Resized(HtCapabilitiesElement(RichCapabilities()), 27), false, false, 0},
        PresenceCase{"VendorCapabilityLongerThan30",
                     Resized(VendorHtCapabilitiesElement(RichCapabilities()), 31), false, false, 0},
        PresenceCase{"InformationLongerIsFine",
                     Resized(HtInformationElement(RichInformation()), 24), false, true, 0},
        PresenceCase{"InformationShort", Resized(HtInformationElement(RichInformation()), 21),
                     false, false, 0},
        PresenceCase{"VendorInformationShort",
                     Resized(VendorHtInformationElement(RichInformation()), 25), false, false, 0}),
    [](const auto& param) { return param.param.name; });

TEST(HtSummary, SecondaryChannelOffsetNeedsLengthThreeAndMobilityDomainThirteen) {
  const auto ht =
      Decode(RecordWithElements(Concat({MakeElement(ie::kSecondaryChannelOffset, Bytes{3}),
                                        MakeElement(ie::kMobilityDomain, Bytes(12, 0xFF))})))
          .Ht;
  EXPECT_EQ(ht.Values[0], 0);
  EXPECT_EQ(ht.Values[2], 0);
  EXPECT_EQ(ht.Values[3], 0);
}

}  // namespace
}  // namespace kavo9
