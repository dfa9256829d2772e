#pragma once
// `CCX2Control`, the packed CCX and fast-roaming settings. The advanced page only carries the
// value through (its controls for it are never shown), but it validates and rewrites it.

#include <cstdint>
#include <string_view>

namespace kavo9::radio {

struct CcxSettings {
  bool enabled = false;
  bool cckm = false;  // LEAP turns on CCKM
  bool radioMeasurements = false;
  bool nonServingMeasurements = false;  // only with radio measurements
  bool qos = false;
  uint32_t nonServingLimitMs = 250;
  bool fastRoaming = false;
  int roamThresholdDbm = -70;

  bool operator==(const CcxSettings&) const = default;
};

uint32_t PackCcx2Control(const CcxSettings& settings);
// Out-of-range parts read as their defaults: a limit above 2000 ms as 250 ms, a threshold outside
// -90 to -40 dBm as -70 dBm.
CcxSettings UnpackCcx2Control(uint32_t word);

// The language key of the first rule the settings break, or empty when they are valid.
std::string_view ValidateCcxSettings(const CcxSettings& settings);

}  // namespace kavo9::radio
