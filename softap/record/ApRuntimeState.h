#pragma once
// What the soft-AP utility knows about its adapter while it runs, one instance per process: the
// country regions as the driver reports them, the bands and features the adapter has, the
// wireless mode in force, and the pass phrase the wireless-distribution key comes from.

#include <cstdint>
#include <string>

namespace kavo9::softap {

// Bits of OID_VND_COUNTRY_REGION: the 2.4 GHz code in bits 0-6, the 5 GHz code in bits 8-14; bit 7
// and bit 15 say the driver fixes that region.
inline constexpr uint32_t kRegionCodeBits = 0x7F;
inline constexpr uint32_t kRegion24Fixed = 0x80;
inline constexpr uint32_t kRegion5Fixed = 0x8000;
inline constexpr uint32_t kRegion5Shift = 8;

struct ApRuntimeState {
  uint32_t countryRegionWord = 0x00000001;
  bool region24Editable = true;
  bool region5Editable = true;
  bool allowBw40InBgBand = true;
  uint32_t japanChannelBase = 200;
  uint32_t wirelessMode = 9;
  bool bandASupported = false;
  bool htCapable = false;
  bool adapterIsUsb = false;
  int chipKind = -1;  // the soft-AP utility's family index
  std::string adapterKeyPath;
  uint16_t driverVersion = 0;
  // The pass phrase last applied (or stored by the configuration page).
  std::string rememberedPsk;
  // The network name last sent to the driver (the default name when none was stored).
  std::string appliedSsid;

  // Takes the driver's region word: the fixed bits decide what the user may choose.
  void TakeRegionWord(uint32_t word) {
    region24Editable = (word & kRegion24Fixed) == 0;
    region5Editable = (word & kRegion5Fixed) == 0;
    countryRegionWord = word & ~(kRegion24Fixed | kRegion5Fixed);
  }
};

}  // namespace kavo9::softap
