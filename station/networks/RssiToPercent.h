#pragma once
// The one conversion from a signal strength in dBm to the percentage every page, bar and icon
// shows. Header-only and dependency-free so that every program and library can include it.

#include <cstdint>

namespace kavo9 {

// 100 from -50 dBm up; 24 + 2.6 x (dBm + 80) from -80 to -51; 2.6 x (dBm + 90) from -90 to -81;
// 0 below -90. Results are truncated toward zero; integer arithmetic keeps that exact.
constexpr int RssiToPercent(int32_t dbm) {
  if (dbm >= -50) return 100;
  if (dbm >= -80) return (dbm + 80) * 26 / 10 + 24;
  if (dbm >= -90) return (dbm + 90) * 26 / 10;
  return 0;
}

}  // namespace kavo9
