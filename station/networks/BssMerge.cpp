#include "station/networks/BssMerge.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "station/networks/ChannelFrequency.h"

namespace kavo9 {
namespace {

bool ChannelAllowed(const BssRecordView& record, std::span<const int32_t> allowed) {
  const int32_t channel = ChannelFromFrequency(record.DsConfig());
  return channel != kNoChannel &&
         std::find(allowed.begin(), allowed.end(), channel) != allowed.end();
}

// The most records a list buffer can hold: each is at least the fixed part long.
constexpr size_t kMaxRecordsPerList =
    (kBssListBufferSize - kBssListHeaderSize) / bss::kMinRecordLength;

// Appends whole records to a list buffer while they fit.
class ListWriter {
 public:
  explicit ListWriter(MergedBssList& list) : list_(list) { list_.LastSeen.clear(); }
  bool Append(const BssRecordView& record, uint64_t stamp) {
    const auto bytes = record.Bytes();
    if (list_.LastSeen.size() >= kMaxBssStamps || list_.Buffer.size() - offset_ < bytes.size())
      return false;
    std::memcpy(list_.Buffer.data() + offset_, bytes.data(), bytes.size());
    offset_ += bytes.size();
    list_.LastSeen.push_back(stamp);
    return true;
  }
  // Writes the count and clears what an earlier, longer list left behind the records.
  void Finish() {
    WriteLe32(list_.Buffer, 0, uint32_t(list_.LastSeen.size()));
    std::memset(list_.Buffer.data() + offset_, 0, list_.Buffer.size() - offset_);
  }

 private:
  MergedBssList& list_;
  size_t offset_ = kBssListHeaderSize;
};

}  // namespace

uint32_t FilterBssList(std::span<uint8_t> list, std::span<const int32_t> allowedChannels) {
  if (list.size() < kBssListHeaderSize) return 0;
  uint32_t kept = 0;
  size_t write = kBssListHeaderSize;
  BssListView view(list);
  for (auto it = view.begin(); !(it == view.end()); ++it) {
    if (!ChannelAllowed(*it, allowedChannels)) continue;
    const size_t length = it->Length();
    // Records only move towards the start; the iterator has already read this one's length and
    // steps past its original place, which the move never reaches beyond.
    if (write != it.Offset()) std::memmove(list.data() + write, list.data() + it.Offset(), length);
    write += length;
    ++kept;
  }
  WriteLe32(list, 0, kept);
  return kept;
}

void MergeBssList(std::span<uint8_t> fresh, std::span<const int32_t> allowedChannels, uint64_t now,
                  const MergedBssList& old, MergedBssList& out) {
  FilterBssList(fresh, allowedChannels);
  if (out.Buffer.size() != kBssListBufferSize) out.Buffer.assign(kBssListBufferSize, 0);
  out.LastSeen.reserve(kMaxBssStamps);
  ListWriter writer(out);

  std::array<uint64_t, kMaxRecordsPerList> freshBssids;
  size_t freshCount = 0;
  for (const BssRecordView& record : BssListView(fresh)) {
    if (freshCount == freshBssids.size() || !writer.Append(record, now)) break;
    freshBssids[freshCount++] = record.BssidKey();
  }
  std::sort(freshBssids.begin(), freshBssids.begin() + freshCount);
  const auto freshEnd = freshBssids.begin() + freshCount;

  size_t index = 0;
  for (const BssRecordView& record : old.View()) {
    if (index >= old.LastSeen.size()) break;  // a record without a stamp was never merged
    const uint64_t lastSeen = old.LastSeen[index++];
    // A stamp from the future (the clock went back) counts as expired, not as forever fresh.
    const bool recent = lastSeen <= now && now - lastSeen < kBssRememberFileTime;
    if (!recent || !ChannelAllowed(record, allowedChannels)) continue;
    if (std::binary_search(freshBssids.begin(), freshEnd, record.BssidKey())) continue;
    if (!writer.Append(record, lastSeen)) break;
  }
  writer.Finish();
}

}  // namespace kavo9
