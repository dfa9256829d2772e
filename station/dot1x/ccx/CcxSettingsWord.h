#pragma once
// The CCX settings word "CCX2Control" of the adapter key, and the form the driver gets it in
// before and after every join.
//
//   bit 0 CCX on, bit 1 LEAP turns on CCKM, bit 2 radio measurements, bit 3 non-serving channel
//   measurements (only with bit 2), bit 4 QoS, bit 5 fast roaming, bits 8-15 the fast-roaming
//   threshold (the magnitude of a dBm value), bits 16-31 the non-serving measurement limit (ms).

#include <cstdint>
#include <string_view>

#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"

namespace kavo9::ccx {

inline constexpr const char* kCcxSettingsValue = "CCX2Control";

enum : uint32_t {
  kCcxEnabledBit = 0x01,
  kCcxLeapCckmBit = 0x02,
  kCcxRadioMeasurementBit = 0x04,
  kCcxNonServingBit = 0x08,
  kCcxQosBit = 0x10,
  kCcxFastRoamingBit = 0x20,
  kCcxRoamThresholdMask = 0x0000FF00,
  kCcxNonServingLimitMask = 0xFFFF0000,
};

// A join bound to one BSSID roams nowhere: fast roaming goes off and the threshold becomes this.
inline constexpr uint32_t kBssidBoundRoamThreshold = 0xFA;

struct CcxWord {
  bool found = false;  // the value is there
  uint32_t word = 0;   // 0 when it is not
};

// "CCX2Control" of HKEY_LOCAL_MACHINE\`adapterKey`, read plainly: the first four bytes of the
// value whatever its type, little-endian (a shorter value gives the bytes it has). A missing key
// or value reads as 0.
CcxWord ReadCcxSettingsWord(Registry& registry, std::string_view adapterKey);

// The word as the driver gets it: unchanged, or for a BSSID-bound join without fast roaming and
// with the fixed threshold.
uint32_t CcxControlForJoin(uint32_t word, bool bssidBound);

// Sets OID_VND_CCX_CONTROL (three attempts). True when the first attempt went through.
bool SendCcxControl(DriverPort& driver, uint32_t word, bool bssidBound);

// Whether a LEAP join asks for CCKM under this word.
inline bool LeapTurnsOnCckm(uint32_t word) {
  return (word & kCcxLeapCckmBit) != 0;
}

}  // namespace kavo9::ccx
