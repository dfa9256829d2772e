#pragma once
// The rates a wireless mode offers: the eight desired rates of OID_802_11_DESIRED_RATES for a
// transmit-rate choice, the 26-byte rate set of OID_VND_RATE_SET, and the entries of the
// transmit-rate combo. Rates are in units of 500 kbit/s; bit 7 marks a basic rate.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kavo9::radio {

using DesiredRates = std::array<uint8_t, 8>;

// The desired rates for a mode and transmit-rate index (`TransRate`). Index 0, a negative index
// and any index beyond the mode's entries mean automatic. The 802.11n modes ignore the index and
// depend on whether the MCS is automatic.
DesiredRates DesiredRatesFor(int wirelessMode, int transRate, bool mcsAuto);

// The number of transmit-rate entries of a mode (the automatic entry included).
int TxRateEntryCount(int wirelessMode);
// The language keys of the transmit-rate combo for a mode; the entry index is `TransRate`.
std::vector<std::string_view> TxRateEntryKeys(int wirelessMode);

inline constexpr size_t kRateSetSize = 26;
using RateSetRecord = std::array<uint8_t, kRateSetSize>;

// The rate set of a mode: count, 12 supported rates, count, 12 extended rates. The 802.11n modes
// send none.
std::optional<RateSetRecord> RateSetFor(int wirelessMode);

}  // namespace kavo9::radio
