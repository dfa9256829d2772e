#include "radio/vocabulary/WirelessMode.h"

namespace kavo9::radio {

bool IsHtMode(int mode) {
  return mode == 5 || mode == 6 || mode == 8 || mode == 9;
}

bool ModeUses5G(int mode) {
  return mode == 2 || mode == 3 || mode == 5 || mode == 8;
}

int NormaliseWirelessMode(int mode, AdapterBands bands) {
  const int fallback = bands.ht ? 9 : 0;
  switch (mode) {
    case 0:
      return 0;
    case 2:
    case 3:
      return bands.has5G ? mode : 0;
    case 5:
      // Without 802.11n the dual-band mode becomes the dual-band legacy mode, as 8 becomes 2.
      if (bands.has5G) return bands.ht ? 5 : 3;
      return fallback;
    case 8:
      if (bands.has5G) return bands.ht ? 8 : 2;
      return fallback;
    default:
      return fallback;
  }
}

int ModeFromBandKey(std::string_view key, bool ht) {
  if (key == kPhy24G) return ht ? 9 : 0;
  if (key == kPhy5G) return ht ? 8 : 2;
  if (key == kPhy24And5G) return ht ? 5 : 3;
  return -1;
}

std::string_view BandKeyFromMode(int mode, bool ht) {
  if (mode == (ht ? 8 : 2)) return kPhy5G;
  if (mode == (ht ? 5 : 3)) return kPhy24And5G;
  return kPhy24G;
}

int ShownBandMode(int mode, AdapterBands bands) {
  return NormaliseWirelessMode(ModeFromBandKey(BandKeyFromMode(mode, bands.ht), bands.ht), bands);
}

std::optional<int> AdhocOfdmCode(int mode) {
  switch (mode) {
    case 0:
      return 1;
    case 1:
      return 0;
    case 2:
      return 3;
    case 3:
      return 4;
    case 4:
      return 2;
    case 5:
      return 5;
    case 6:
      return 6;
    case 8:
      return 8;
    case 9:
      return 9;
    default:
      return std::nullopt;
  }
}

}  // namespace kavo9::radio
