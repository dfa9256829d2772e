#pragma once
// A crowded sky for tests and benchmarks: a driver's BSS list with many networks over both
// bands, of every kind the list shows (open, WEP, WPA, WPA2, WPS, 802.11n, ad hoc, hidden).

#include <cstdint>
#include <vector>

namespace kavo9::build {

// The driver list (a 65,536-byte buffer) with `count` networks. `round` moves the signals a
// little, as successive scans do; the same arguments give the same list.
std::vector<uint8_t> CrowdedSkyList(int count, int round = 0);

}  // namespace kavo9::build
