#pragma once
// The radio plan the emulated driver works with: channel frequencies, and which channels an
// adapter scans for its chip family, country-region word and wireless mode.

#include <cstdint>
#include <string_view>
#include <vector>

namespace kavo9 {

// Centre frequency in kHz of a 2.4, 4.9 or 5 GHz channel; 0 for an unknown channel.
uint32_t ChannelFrequencyKhz(int channel);

// Chip family groups whose channel tables differ: the first generation, the b/g families, the
// 802.11n families.
enum class ChipGroup { kFirstGeneration, kLegacy, kHt };
ChipGroup ChipGroupOf(std::string_view familyName);
bool IsHtFamilyName(std::string_view familyName);

struct ScanPlan {
  bool band24 = true;  // the adapter's radio bands
  bool band5 = false;
  ChipGroup group = ChipGroup::kHt;
  uint32_t countryRegion = 0;  // bits 0-6 the 2.4 GHz region, bits 8-14 the 5 GHz region
  uint32_t wirelessMode = 0;
};

// The channels scanned under `plan`, 2.4 GHz ones first.
std::vector<int> ScannedChannels(const ScanPlan& plan);

}  // namespace kavo9
