#pragma once
// The WPS access-point list: the records of the driver's latest BSS list that carry the WPS
// element, filtered by band, with the texts the list shows and a copy of each record (row n is
// the n-th copy). Records whose lengths do not hold together, and any WPS element that runs past
// its record, are passed over by the bounded BSS walk; nothing here reads outside the buffer.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kavo9::wps {

// The list's copies never hold more than this, the count included.
inline constexpr size_t kFilteredListBytes = 64 * 1024;
// The driver password ID of an access point that offers its push button.
inline constexpr const char* kPushButtonIdText = "0x0004";

struct WpsApRow {
  std::string Ssid;
  std::string BssidText;
  std::string ChannelText;  // empty when the frequency is unknown
  int32_t Channel = -1;
  std::string IdText;  // the device password ID, empty when unknown
  bool Secured = false;
  int32_t Rssi = 0;
  std::vector<uint8_t> Record;  // the record's own bytes
  std::string IdColumn() const { return "ID : " + IdText; }
};

// The rows of `bssList` (a 32-bit count and the records) for band preference `band` (0: 2.4 GHz
// only, 1: 5 GHz only, 2: all).
std::vector<WpsApRow> BuildWpsApList(std::span<const uint8_t> bssList, uint32_t band);

// What the Start request needs of a row: SSID bytes, BSSID, channel (0 when unknown).
struct WpsTarget {
  std::vector<uint8_t> Ssid;
  std::array<uint8_t, 6> Bssid{};
  uint8_t Channel = 0;
};
WpsTarget TargetOf(const WpsApRow& row);

}  // namespace kavo9::wps
