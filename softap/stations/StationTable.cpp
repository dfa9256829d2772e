#include "softap/stations/StationTable.h"

#include <algorithm>
#include <cstdio>

#include "common/adapter/RequestCatalogue.h"
#include "radio/ht/HtRateTable.h"

namespace kavo9::softap {
namespace {

constexpr size_t kHtEntrySize = 10;
constexpr size_t kEntrySize = 8;
constexpr size_t kCountSize = 4;

// The rate word's fields.
constexpr uint16_t kIndexMask = 0x7F;
constexpr uint16_t kWidth40Bit = 1u << 7;
constexpr uint16_t kShortGuardBit = 1u << 8;
constexpr uint16_t kStbcMask = 3u << 9;
constexpr int kPhyShift = 14;
enum Phy { kPhyCck = 0, kPhyOfdm = 1 };

constexpr double kCckRates[] = {1.0, 2.0, 5.5, 11.0};
constexpr double kOfdmRates[] = {6, 9, 12, 18, 24, 36, 48, 54};

}  // namespace

std::vector<StationEntry> DecodeStationTable(std::span<const uint8_t> record, bool ht) {
  std::vector<StationEntry> entries;
  if (record.size() < kCountSize) return entries;
  const size_t size = ht ? kHtEntrySize : kEntrySize;
  const uint32_t reported = uint32_t(record[0]) | uint32_t(record[1]) << 8 |
                            uint32_t(record[2]) << 16 | uint32_t(record[3]) << 24;
  const size_t room = std::min((record.size() - kCountSize) / size, kMaxTableStations);
  const size_t count = std::min<size_t>(reported, room);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = record.data() + kCountSize + i * size;
    StationEntry entry;
    std::copy(e, e + 6, entry.mac.begin());
    entry.aid = e[6];
    entry.powerSave = e[7] != 0;
    if (ht) entry.rateWord = uint16_t(e[8] | e[9] << 8);
    entries.push_back(entry);
  }
  return entries;
}

std::optional<std::vector<StationEntry>> QueryStationTable(DriverPort& driver, bool ht) {
  std::vector<uint8_t> record(ht ? kMacTableHtSize : kMacTableSize, 0);
  uint32_t written = 0;
  if (!driver.QueryInformation(OID_VND_MAC_TABLE, record.data(), uint32_t(record.size()),
                               &written)) {
    return std::nullopt;
  }
  return DecodeStationTable(record, ht);
}

double RateOfWord(uint16_t word) {
  const int index = word & kIndexMask;
  switch (word >> kPhyShift) {
    case kPhyCck: {
      const int cck = index & ~8;  // 8-11 are the short-preamble forms of 0-3
      return cck >= 0 && cck < 4 && index < 12 ? kCckRates[cck] : 0;
    }
    case kPhyOfdm:
      return index < 8 ? kOfdmRates[index] : 0;
    default: {
      double rate = 0;
      radio::LookupHtRate((word & kWidth40Bit) != 0, (word & kShortGuardBit) != 0, index, &rate);
      return rate;
    }
  }
}

std::string RateStatusText(uint16_t word) {
  char rate[32];
  std::snprintf(rate, sizeof rate, "Rate = %.2f", RateOfWord(word));
  const int phy = word >> kPhyShift;
  if (phy == kPhyCck) return std::string("B: ") + rate;
  if (phy == kPhyOfdm) return rate;
  std::string text = "N: MCS = " + std::to_string(word & kIndexMask) + ", ";
  text += (word & kWidth40Bit) ? "BW = 40, " : "BW = 20, ";
  text += (word & kShortGuardBit) ? "GI = 400, " : "GI = 800, ";
  text += (word & kStbcMask) ? "STBC : used, " : "STBC : none, ";
  return text + rate;
}

std::string MacText(const std::array<uint8_t, 6>& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

}  // namespace kavo9::softap
