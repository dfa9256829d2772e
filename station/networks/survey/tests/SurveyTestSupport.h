#pragma once
// Networks for the site survey tests, and a merged list made of them.

#include <string_view>
#include <vector>

#include "station/networks/BssMerge.h"
#include "station/networks/BssRecordBuilder.h"

namespace kavo9::testing {

using build::BssRecordBuilder;
using build::Bytes;

inline BssRecordBuilder Network(uint8_t id, std::string_view ssid, uint32_t khz = 2437000,
                                int32_t rssi = -60) {
  return BssRecordBuilder().Bssid({0x00, 0x1D, 0x5A, 0x00, 0x00, id}).Ssid(ssid).FrequencyKhz(
      khz).Rssi(rssi);
}

// A merged list of these records, stamped 1, 2, 3 ... in order.
inline MergedBssList MergedOf(const std::vector<Bytes>& records) {
  build::BssListBuilder builder;
  for (const Bytes& r : records) builder.Add(r);
  MergedBssList list;
  list.Buffer = builder.Build(kBssListBufferSize);
  for (size_t i = 0; i < records.size(); ++i) list.LastSeen.push_back(i + 1);
  return list;
}

}  // namespace kavo9::testing
