#pragma once
// What the station utility knows about the adapter's radio for the whole process. The controller
// owns one; the region refresh, the advanced page and the connect sequence read and update it.

#include <cstdint>
#include <optional>

#include "radio/ht/HtSetting.h"
#include "radio/vocabulary/Channels.h"
#include "radio/vocabulary/StaConfig.h"
#include "radio/vocabulary/WirelessMode.h"

namespace kavo9::radio {

struct RadioState {
  int chipKind = -1;   // ChipKind of the adapter
  AdapterBands bands;  // the 5 GHz flag and IsHtFamily
  CountryRegionState region;
  int wirelessMode = 0;  // the current mode, normalised
  Bw40Permissions bw40;
  uint32_t htSettingWord = 0;          // sent by the connect sequence
  std::optional<StaConfig> staConfig;  // the station options last sent
};

}  // namespace kavo9::radio
