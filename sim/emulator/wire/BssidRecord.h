#pragma once
// One NDIS_WLAN_BSSID_EX record as the driver writes it into its scan list: the fixed part
// (length, MAC address, SSID, privacy, RSSI, network type, configuration, infrastructure mode,
// rates), then the element area: the beacon's timestamp, interval and capability followed by
// its information elements. Records are padded to a multiple of four bytes.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kavo9::emu {

struct BssidRecordFields {
  std::array<uint8_t, 6> bssid{};
  std::string ssid;  // at most 32 bytes are kept
  bool privacy = false;
  int32_t rssi = 0;
  uint32_t networkType = 0;
  uint32_t beaconPeriod = 100;
  uint32_t frequencyKhz = 0;
  uint32_t infrastructureMode = 1;
  std::vector<uint8_t> rates;  // at most 16 bytes are kept
  uint64_t timestamp = 0;
  uint16_t capability = 0;
  std::vector<uint8_t> elements;  // the information elements, back to back
};

std::vector<uint8_t> EncodeBssidRecord(const BssidRecordFields& fields);

// The scan list: a 32-bit count, then the records back to back.
inline constexpr size_t kBssidListHeaderBytes = 4;

}  // namespace kavo9::emu
