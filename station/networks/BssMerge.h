#pragma once
// The merged BSS list: the driver's latest list filtered to the allowed channels, followed by the
// networks seen in the last 15 seconds that dropped out of it.

#include <cstdint>
#include <span>
#include <vector>

#include "station/networks/BssLayout.h"
#include "station/networks/BssRecord.h"

namespace kavo9 {

// How long a network stays listed after it was last in a driver list, in file-time units.
constexpr uint64_t kBssRememberFileTime = 15ull * 10'000'000;

// `MergedBssList` with its `BssLastSeen` stamps: a list buffer of the driver's layout (the count
// in its first 32 bits, then whole well-formed records) and one stamp per record, in order.
struct MergedBssList {
  std::vector<uint8_t> Buffer = std::vector<uint8_t>(kBssListBufferSize, 0);
  std::vector<uint64_t> LastSeen;  // file times; LastSeen.size() is the record count

  uint32_t Count() const { return ReadLe32(Buffer, 0); }
  BssListView View() const { return BssListView(Buffer); }
};

// Keeps, in order, only the well-formed records whose channel is allowed; rewrites the count.
// Works in place on the driver's buffer. Returns the number of records kept.
uint32_t FilterBssList(std::span<uint8_t> list, std::span<const int32_t> allowedChannels);

// The list read's merge, without the driver query: filters `fresh` in place, then builds `out`
// from the filtered fresh records (stamped `now`, duplicates kept) followed by the records of
// `old` that are not in the fresh list by BSSID, were seen less than 15 seconds before `now` and
// whose channel is still allowed (they keep their stamps). The result is capped at the list
// buffer's size and at 1,024 records: what does not fit is left out, fresh records first.
// `out` must not be `old`; callers keep two lists and swap them.
void MergeBssList(std::span<uint8_t> fresh, std::span<const int32_t> allowedChannels, uint64_t now,
                  const MergedBssList& old, MergedBssList& out);

}  // namespace kavo9
