#include <gtest/gtest.h>

#include "station/networks/BssRecord.h"
#include "station/networks/BssRecordBuilder.h"

namespace kavo9 {
namespace {

using build::BssListBuilder;
using build::BssRecordBuilder;
using build::Bytes;

Bytes Record(uint8_t last) {
  return BssRecordBuilder().Bssid({2, 0, 0, 0, 0, last}).Build();
}

std::vector<int> WalkedBssids(const Bytes& list, BssListEnd* end = nullptr) {
  std::vector<int> ids;
  BssListView view(list);
  auto it = view.begin();
  for (; !(it == view.end()); ++it) ids.push_back(it->MacAddress()[5]);
  if (end) *end = view.Walk();
  return ids;
}

struct ListCase {
  std::string name;
  Bytes list;
  std::vector<int> visited;
  BssListEnd end;
};
// Test names and failure messages show the case by its name.
void PrintTo(const ListCase& c, std::ostream* out) {
  *out << c.name;
}

class BssListWalk : public ::testing::TestWithParam<ListCase> {};

TEST_P(BssListWalk, VisitsOnlySoundRecordsAndStopsSafely) {
  BssListEnd end;
  EXPECT_EQ(WalkedBssids(GetParam().list, &end), GetParam().visited);
  EXPECT_EQ(end, GetParam().end);
}

Bytes WithLength(Bytes record, uint32_t length) {
  WriteLe32(record, bss::kLength, length);
  return record;
}

Bytes ShortRecord(uint8_t last) {  // Length 100: cannot hold the fixed part
  Bytes r = Record(last);
  r.resize(100);
  WriteLe32(r, bss::kLength, 100);
  return r;
}

Bytes IeLengthPastRecord(uint8_t last) {
  return BssRecordBuilder().Bssid({2, 0, 0, 0, 0, last}).IeLengthOverride(200).Build();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BssListWalk,
    ::testing::Values(
        ListCase{"Empty", BssListBuilder().Build(), {}, BssListEnd::Complete},
        ListCase{"EmptyBuffer", Bytes{}, {}, BssListEnd::Complete},
        ListCase{"ThreeRecords",
                 BssListBuilder().Add(Record(1)).Add(Record(2)).Add(Record(3)).Build(),
                 {1, 2, 3},
                 BssListEnd::Complete},
        ListCase{"CountBelowRecordsStopsAtCount",
                 BssListBuilder().Add(Record(1)).Add(Record(2)).CountOverride(1).Build(),
                 {1},
                 BssListEnd::Complete},
        ListCase{"CountLargerThanBufferStopsAtItsEnd",
                 BssListBuilder().Add(Record(1)).Add(Record(2)).CountOverride(0xFFFFFFFF).Build(),
                 {1, 2},
                 BssListEnd::BufferEnd},
        ListCase{
            "ZeroLengthStopsTheWalk",
            BssListBuilder().Add(Record(1)).Add(WithLength(Record(2), 0)).Add(Record(3)).Build(),
            {1},
            BssListEnd::ZeroLength},
        ListCase{"ZeroPaddingAfterTheRecordsStops",
                 BssListBuilder().Add(Record(1)).CountOverride(5).Build(4096),
                 {1},
                 BssListEnd::ZeroLength},
        ListCase{"LengthPastBufferStops",
                 BssListBuilder().Add(Record(1)).Add(WithLength(Record(2), 5000)).Build(),
                 {1},
                 BssListEnd::RecordPastEnd},
        ListCase{"ShortRecordIsDropped",
                 BssListBuilder().Add(Record(1)).Add(ShortRecord(2)).Add(Record(3)).Build(),
                 {1, 3},
                 BssListEnd::Complete},
        ListCase{"IeLengthPastRecordIsDropped",
                 BssListBuilder().Add(IeLengthPastRecord(1)).Add(Record(2)).Build(),
                 {2},
                 BssListEnd::Complete},
        ListCase{"TruncatedHeader", Bytes{1, 0, 0, 0, 0x80, 0}, {}, BssListEnd::BufferEnd}),
    [](const auto& param) { return param.param.name; });

TEST(BssRecordView, ReadsFieldsAndClampsTheSsid) {
  const Bytes record = BssRecordBuilder()
                           .Bssid({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E})
                           .Ssid("Home")
                           .Rssi(-67)
                           .FrequencyKhz(5180000)
                           .NetworkType(2)
                           .Infrastructure(0)
                           .Privacy(true)
                           .BeaconInterval(102)
                           .Build();
  const BssRecordView view(record);
  ASSERT_TRUE(view.IsWellFormed());
  EXPECT_EQ(view.Length(), record.size());
  EXPECT_EQ(view.BssidKey(), 0x001A2B3C4D5Eull);
  EXPECT_EQ(std::string(view.Ssid().begin(), view.Ssid().end()), "Home");
  EXPECT_EQ(view.Rssi(), -67);
  EXPECT_EQ(view.DsConfig(), 5180000u);
  EXPECT_EQ(view.NetworkTypeInUse(), 2u);
  EXPECT_EQ(view.InfrastructureMode(), 0u);
  EXPECT_EQ(view.Privacy(), 1u);
  EXPECT_EQ(view.BeaconInterval(), 102);
  EXPECT_EQ(view.Ies().data(), record.data() + bss::kIes);  // a view, not a copy

  const Bytes oversized = BssRecordBuilder().Ssid("x").SsidLengthOverride(4000).Build();
  EXPECT_EQ(BssRecordView(oversized).Ssid().size(), 32u);
}

TEST(BssRecordView, FieldsOfATruncatedRecordReadAsZero) {
  const Bytes full = BssRecordBuilder().Rssi(-40).Build();
  const BssRecordView view(std::span<const uint8_t>(full).first(50));
  EXPECT_FALSE(view.IsWellFormed());
  EXPECT_EQ(view.Rssi(), 0);
  EXPECT_EQ(view.Ssid().size(), 0u);
  EXPECT_EQ(view.Ies().size(), 0u);
  EXPECT_EQ(view.BeaconInterval(), 0);
}

}  // namespace
}  // namespace kavo9
