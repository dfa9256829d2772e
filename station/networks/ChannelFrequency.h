#pragma once
// Channel numbers and their centre frequencies in kHz, as the driver reports them in DSConfig.

#include <array>
#include <cstdint>

namespace kavo9 {

struct ChannelFrequency {
  int32_t Channel;
  uint32_t FrequencyKhz;
};

// 2.4 GHz channels 1..14, the 5 GHz channels and the 4.9 GHz channels 184..196, in search order.
extern const std::array<ChannelFrequency, 46> ChannelFrequencyTable;

constexpr int32_t kNoChannel = -1;

// The channel whose centre frequency is exactly `khz`, or kNoChannel.
int32_t ChannelFromFrequency(uint32_t khz);

}  // namespace kavo9
