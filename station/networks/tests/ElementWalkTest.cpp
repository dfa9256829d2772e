#include <gtest/gtest.h>

#include "station/networks/ElementWalk.h"
#include "station/networks/tests/BssTestSupport.h"

namespace kavo9 {
namespace {

using namespace build;
using testing::Concat;
using testing::Decode;

const Bytes kRsn = RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp));
const Bytes kEmptyVendor = MakeElement(ie::kVendorSpecific, Bytes{});

Bytes RecordWithRawElements(const Bytes& elements) {
  return BssRecordBuilder().AddElement(elements).Build();
}

TEST(ElementWalk, EmptyFirstElementIsHandledAndTheWalkGoesOn) {
  const auto summary = Decode(RecordWithRawElements(Concat({SsidElement(""), kRsn})));
  EXPECT_EQ(SecuritySummaryText(summary.Security), "WPA2-PSK;AES");
}

TEST(ElementWalk, EmptyElementAfterTheFirstEndsTheWalk) {
  const auto summary =
      Decode(RecordWithRawElements(Concat({SsidElement("x"), kEmptyVendor, kRsn})));
  EXPECT_EQ(SecuritySummaryText(summary.Security), "Unknown;None");
}

TEST(ElementWalk, ElementOfThreeBytesAtTheEndIsNotReached) {
  // The walk needs four bytes left to go on: a one-byte element at the very end is not read.
  const Bytes extCaps = MakeElement(ie::kExtendedCapabilities, Bytes{0x01});
  const auto tail = Decode(RecordWithRawElements(Concat({SsidElement("x"), extCaps})));
  EXPECT_EQ(tail.Ht.Values[1], 0);
  const auto inside =
      Decode(RecordWithRawElements(Concat({SsidElement("x"), extCaps, SsidElement("y")})));
  EXPECT_EQ(inside.Ht.Values[1], 1);
}

TEST(ElementWalk, ElementRunningPastTheAreaIsNotDecoded) {
  Bytes truncated = kRsn;
  truncated.resize(truncated.size() - 4);  // declared length stays, bytes are missing
  const auto summary = Decode(RecordWithRawElements(Concat({SsidElement("x"), truncated})));
  EXPECT_EQ(SecuritySummaryText(summary.Security), "Unknown;None");
}

TEST(ElementWalk, ShortRecordsYieldTheEmptyDecode) {
  const Bytes tooFewElementBytes =
      BssRecordBuilder().BeaconInterval(200).AddElement(Bytes{0, 1, 'x'}).Build();  // IELength 15
  const Bytes rsnRecord = RecordWithRawElements(Concat({SsidElement("x"), kRsn}));
  Bytes length120 = rsnRecord;
  WriteLe32(length120, 0, 120);
  Bytes ieLengthPastRecord = rsnRecord;
  WriteLe32(ieLengthPastRecord, bss::kIeLength, uint32_t(rsnRecord.size()));

  for (const Bytes* record : {&tooFewElementBytes, static_cast<const Bytes*>(&length120),
                              static_cast<const Bytes*>(&ieLengthPastRecord)}) {
    const BssRecordView view(*record);
    EXPECT_EQ(DecodeElements(view, 0), "Unknown;None");
    EXPECT_EQ(DecodeElements(view, 1), "FALSE;FALSE;FALSE");
    EXPECT_EQ(DecodeElements(view, 2),
              "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;FALSE");
    EXPECT_EQ(DecodeElements(view, 3).find("TRUE"), std::string::npos);
  }
  // The beacon interval is read before anything else, when the record holds it.
  EXPECT_EQ(DecodeElements(BssRecordView(tooFewElementBytes), 4), "200");
  EXPECT_EQ(DecodeElements(BssRecordView(length120), 4), "0");
}

TEST(ElementWalk, PartNumbersOutsideTheFiveYieldEmptyText) {
  const Bytes record = RecordWithRawElements(kRsn);
  EXPECT_EQ(DecodeElements(BssRecordView(record), 4), "100");
  EXPECT_EQ(DecodeElements(BssRecordView(record), 5), "");
  EXPECT_EQ(DecodeElements(BssRecordView(record), -1), "");
}

TEST(ForEachElement, VisitsViewsAndReportsAMalformedTail) {
  const Bytes area = Concat({SsidElement("ab"), DsParameterElement(6), Bytes{221, 9, 1, 2}});
  std::vector<std::pair<int, size_t>> seen;
  const bool complete = ForEachElement(std::span<const uint8_t>(area), [&](const Element& e) {
    EXPECT_GE(e.Body.data(), area.data());  // views into the buffer, not copies
    seen.push_back({e.Id, e.Body.size()});
  });
  EXPECT_FALSE(complete);
  EXPECT_EQ(seen, (std::vector<std::pair<int, size_t>>{{0, 2}, {3, 1}}));
  const Bytes whole = Concat({SsidElement("ab"), DsParameterElement(6)});
  EXPECT_TRUE(ForEachElement(std::span<const uint8_t>(whole), [](const Element&) {}));
  const Bytes lonelyId = {0};
  EXPECT_FALSE(ForEachElement(std::span<const uint8_t>(lonelyId), [](const Element&) {}));
}

}  // namespace
}  // namespace kavo9
