#include <gtest/gtest.h>

#include <memory>

#include "station/networks/BssMerge.h"
#include "station/networks/BssRecordBuilder.h"

namespace kavo9 {
namespace {

using build::BssListBuilder;
using build::BssRecordBuilder;
using build::Bytes;

constexpr uint64_t kSecond = 10'000'000;
constexpr uint64_t kT0 = 133'000'000'000'000'000ull;  // some day in 2022, as a file time
constexpr uint32_t kCh1 = 2412000, kCh6 = 2437000, kCh11 = 2462000;

Bytes Rec(uint8_t id, uint32_t khz = kCh1, int32_t rssi = -60, size_t padding = 0) {
  BssRecordBuilder b;
  b.Bssid({2, 0, 0, 0, uint8_t(id >> 8), id}).FrequencyKhz(khz).Rssi(rssi);
  if (padding) b.AddElement(Bytes(padding, 0xDD));
  return b.Build();
}

Bytes Rec16(uint16_t id, size_t padding) {
  return BssRecordBuilder()
      .Bssid({2, 0, 0, 0, uint8_t(id >> 8), uint8_t(id)})
      .AddElement(Bytes(padding, 0xDD))
      .Build();
}

Bytes Fresh(std::initializer_list<Bytes> records) {
  BssListBuilder list;
  for (const auto& r : records) list.Add(r);
  return list.Build(kBssListBufferSize);
}

struct Entry {
  int id;
  int rssi;
  uint64_t lastSeen;
  bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.id << ", " << e.rssi << ", " << e.lastSeen << "}";
}

class BssMerge : public ::testing::Test {
 protected:
  // Merges `fresh` into the current list at `now`, as a completed scan does.
  void Scan(Bytes fresh, uint64_t now, std::vector<int32_t> allowed = {1, 6, 11, 14, 36}) {
    lastFresh_ = std::move(fresh);
    MergeBssList(lastFresh_, allowed, now, *current_, *next_);
    std::swap(current_, next_);
  }

  std::vector<Entry> Entries() const {
    std::vector<Entry> out;
    size_t i = 0;
    for (const auto& r : current_->View())
      out.push_back({int(r.BssidKey() & 0xFFFF), r.Rssi(), current_->LastSeen.at(i++)});
    EXPECT_EQ(out.size(), current_->Count());
    EXPECT_EQ(current_->LastSeen.size(), current_->Count());
    EXPECT_EQ(current_->View().Walk(), BssListEnd::Complete);
    return out;
  }

  std::unique_ptr<MergedBssList> current_ = std::make_unique<MergedBssList>();
  std::unique_ptr<MergedBssList> next_ = std::make_unique<MergedBssList>();
  Bytes lastFresh_;
};

TEST_F(BssMerge, FreshFirstThenRecentlySeenWithTheirOldDataAndStamps) {
  Scan(Fresh({Rec(1, kCh1, -50), Rec(2, kCh6, -70)}), kT0);
  EXPECT_EQ(Entries(), (std::vector<Entry>{{1, -50, kT0}, {2, -70, kT0}}));

  Scan(Fresh({Rec(2, kCh6, -65), Rec(3, kCh11, -80)}), kT0 + 10 * kSecond);
  EXPECT_EQ(Entries(),
            (std::vector<Entry>{
                {2, -65, kT0 + 10 * kSecond}, {3, -80, kT0 + 10 * kSecond}, {1, -50, kT0}}));
}

TEST_F(BssMerge, ANetworkStaysListedForLessThan15Seconds) {
  Scan(Fresh({Rec(1), Rec(2)}), kT0);
  Scan(Fresh({Rec(2)}), kT0 + 15 * kSecond - 1);
  EXPECT_EQ(Entries().size(), 2u);
  Scan(Fresh({Rec(2)}), kT0 + 15 * kSecond);
  EXPECT_EQ(Entries(), (std::vector<Entry>{{2, -60, kT0 + 15 * kSecond}}));
}

TEST_F(BssMerge, StampFromTheFutureCountsAsExpired) {
  Scan(Fresh({Rec(1), Rec(2)}), kT0 + 60 * kSecond);
  Scan(Fresh({Rec(2)}), kT0);  // the clock went back a minute
  EXPECT_EQ(Entries(), (std::vector<Entry>{{2, -60, kT0}}));
}

TEST_F(BssMerge, DuplicatesInTheDriverListStayAndHideTheOldEntry) {
  Scan(Fresh({Rec(1, kCh1, -40)}), kT0);
  Scan(Fresh({Rec(1, kCh1, -50), Rec(1, kCh1, -55), Rec(2)}), kT0 + kSecond);
  EXPECT_EQ(Entries(),
            (std::vector<Entry>{
                {1, -50, kT0 + kSecond}, {1, -55, kT0 + kSecond}, {2, -60, kT0 + kSecond}}));
}

TEST_F(BssMerge, AChannelNoLongerAllowedDropsFreshAndRememberedNetworks) {
  Scan(Fresh({Rec(1, kCh1), Rec(6, kCh6)}), kT0);
  Scan(Fresh({Rec(1, kCh1), Rec(7, kCh6)}), kT0 + kSecond, {1, 11});
  EXPECT_EQ(Entries(), (std::vector<Entry>{{1, -60, kT0 + kSecond}}));
}

TEST_F(BssMerge, FrequenciesOutsideTheTableAreDroppedAndTheFreshListIsFilteredInPlace) {
  Scan(Fresh({Rec(1, 2485000), Rec(14, 2484000), Rec(2, 2413000), Rec(3, kCh11)}), kT0);
  EXPECT_EQ(Entries(), (std::vector<Entry>{{14, -60, kT0}, {3, -60, kT0}}));

  // The driver's buffer now holds the filtered list; a failed query reuses it as it stands.
  std::vector<int> fresh;
  for (const auto& r : BssListView(lastFresh_)) fresh.push_back(int(r.BssidKey() & 0xFF));
  EXPECT_EQ(fresh, (std::vector<int>{14, 3}));
  EXPECT_EQ(ReadLe32(lastFresh_, 0), 2u);
  MergeBssList(lastFresh_, std::vector<int32_t>{1, 6, 11, 14}, kT0 + kSecond, *current_, *next_);
  std::swap(current_, next_);
  EXPECT_EQ(Entries(), (std::vector<Entry>{{14, -60, kT0 + kSecond}, {3, -60, kT0 + kSecond}}));
}

TEST_F(BssMerge, MalformedDriverRecordsNeverReachTheMergedList) {
  Bytes zeroLength = Rec(9);
  WriteLe32(zeroLength, 0, 0);
  Scan(Fresh(
           {Rec(1), BssRecordBuilder().IeLengthOverride(9000).Build(), Rec(2), zeroLength, Rec(3)}),
       kT0);
  EXPECT_EQ(Entries(), (std::vector<Entry>{{1, -60, kT0}, {2, -60, kT0}}));
}

TEST_F(BssMerge, ThePerListBufferCapsTheRememberedRecords) {
  // 250 fresh and 250 remembered records of 200 bytes cannot share one 64 KiB buffer.
  BssListBuilder first, second;
  for (uint16_t i = 0; i < 250; ++i) first.Add(Rec16(i, 72));
  for (uint16_t i = 250; i < 500; ++i) second.Add(Rec16(i, 72));
  Scan(first.Build(kBssListBufferSize), kT0);
  ASSERT_EQ(Entries().size(), 250u);
  Scan(second.Build(kBssListBufferSize), kT0 + kSecond);

  const auto entries = Entries();
  EXPECT_EQ(entries.size(), (kBssListBufferSize - 4) / 200);
  for (size_t i = 0; i < 250; ++i) EXPECT_EQ(entries[i].id, int(250 + i));  // fresh come first
  EXPECT_EQ(entries.back().id, int(entries.size() - 251));
}

}  // namespace
}  // namespace kavo9
