#pragma once
// Country regions and channels: the region word of the driver, the channel table of each region
// and chip family, the list of channels allowed for a wireless mode, and the region combo texts.
// Everything that decides which channel may be used (scan filter, connect, profile editor, the
// simulated driver's scan) asks these functions.

#include <cstdint>
#include <string>
#include <vector>

namespace kavo9::radio {

// The region word of OID_VND_COUNTRY_REGION: bits 0-6 the 2.4 GHz region, bit 7 set when the
// driver fixes it, bits 8-14 the 5 GHz region, bit 15 set when the driver fixes it.
inline constexpr uint32_t kRegion24Fixed = 0x80;
inline constexpr uint32_t kRegion5Fixed = 0x8000;

struct CountryRegionState {
  uint32_t word = 0;  // the driver's word with both fixed bits cleared
  bool region24Editable = true;
  bool region5Editable = true;
};

CountryRegionState DecodeCountryRegion(uint32_t driverWord);
inline int Region24(uint32_t word) {
  return int(word & 0x7F);
}
inline int Region5(uint32_t word) {
  return int((word >> 8) & 0x7F);
}
inline uint32_t MakeRegionWord(int region24, int region5) {
  return (uint32_t(region5 & 0x7F) << 8) | uint32_t(region24 & 0x7F);
}

// The channels of a region for a chip family (ChipKind), in ascending order; empty when the family
// has none there.
std::vector<int> Channels24(int chipKind, int region);
std::vector<int> Channels5(int chipKind, int region);

// The most channels an allowed list holds.
inline constexpr size_t kMaxAllowedChannels = 64;

struct AllowedChannelQuery {
  uint32_t regionWord = 0;  // fixed bits cleared
  int chipKind = 0;
  bool infrastructure = true;
  int wirelessMode = 0;
  int adhocCode = 0;  // used only when not infrastructure
};

// The 2.4 GHz channels of the word's 2.4 GHz region followed by the 5 GHz channels of its 5 GHz
// region, each part present only when the wireless mode (or, in ad hoc, the ad hoc code) uses
// that band.
std::vector<int> BuildAllowedChannels(const AllowedChannelQuery& query);

// The entries of the "11 B/G" and "11 A" region combos; the entry index is the region code.
std::vector<std::string> Region24Texts(int chipKind);
std::vector<std::string> Region5Texts(int chipKind);

}  // namespace kavo9::radio
