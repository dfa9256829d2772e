#include "station/networks/ChannelFrequency.h"

#include <cstddef>

namespace kavo9 {
namespace {

constexpr std::array<ChannelFrequency, 46> BuildTable() {
  std::array<ChannelFrequency, 46> table{};
  std::size_t n = 0;
  for (int32_t ch = 1; ch <= 13; ++ch) table[n++] = {ch, uint32_t(2407000 + 5000 * ch)};
  table[n++] = {14, 2484000};
  constexpr int32_t k5GHz[] = {34,  36,  38,  40,  42,  44,  46,  48,  52,  56,
                               60,  64,  100, 104, 108, 112, 116, 120, 124, 128,
                               132, 136, 140, 149, 153, 157, 161, 165};
  for (int32_t ch : k5GHz) table[n++] = {ch, uint32_t(5000000 + 5000 * ch)};
  for (int32_t ch : {184, 188, 192, 196}) table[n++] = {ch, uint32_t(4000000 + 5000 * ch)};
  return table;
}

}  // namespace

const std::array<ChannelFrequency, 46> ChannelFrequencyTable = BuildTable();

int32_t ChannelFromFrequency(uint32_t khz) {
  for (const auto& row : ChannelFrequencyTable) {
    if (row.FrequencyKhz == khz) return row.Channel;
  }
  return kNoChannel;
}

}  // namespace kavo9
