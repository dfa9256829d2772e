#pragma once
// The stations associated with the access point as the driver lists them (OID_VND_MAC_TABLE) and
// the texts of the station table's rows: address, association id, power-save state and, on
// 802.11n adapters, the transmit rate in use.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/adapter/DriverPort.h"

namespace kavo9::softap {

// The two forms of the table: 32 entries of 10 bytes (with the rate word) on 802.11n adapters, of
// 8 bytes otherwise, after a 32-bit count.
inline constexpr size_t kMacTableHtSize = 324;
inline constexpr size_t kMacTableSize = 260;
inline constexpr size_t kMaxTableStations = 32;

struct StationEntry {
  std::array<uint8_t, 6> mac{};
  uint8_t aid = 0;
  bool powerSave = false;
  std::optional<uint16_t> rateWord;  // 802.11n adapters only
};

// Decodes a table of either form; a count above what the record holds is cut to it.
std::vector<StationEntry> DecodeStationTable(std::span<const uint8_t> record, bool ht);
// Queries the table; nullopt when the query fails (the page then keeps what it shows).
std::optional<std::vector<StationEntry>> QueryStationTable(DriverPort& driver, bool ht);

// "N: MCS = 7, BW = 40, GI = 400, STBC : none, Rate = 150.00" and the shorter CCK and OFDM forms.
std::string RateStatusText(uint16_t word);
// The rate word's Mbit/s (0 for an index without a rate).
double RateOfWord(uint16_t word);
std::string MacText(const std::array<uint8_t, 6>& mac);

}  // namespace kavo9::softap
