#include "station/networks/BssFacts.h"

#include <algorithm>

#include "station/networks/ChannelFrequency.h"

namespace kavo9 {

bool HasOfdmBasicRate(const BssRecordView& record) {
  if (record.NetworkTypeInUse() != 3) return false;
  for (uint8_t rate : record.SupportedRates()) {
    // 6, 12 and 24 Mb/s and everything from 0x98 up, each with the basic bit set.
    if (rate == 0x8C || rate == 0x92 || rate >= 0x98) return true;
  }
  return false;
}

int SecurityClass(std::string_view authentication) {
  if (authentication == "WPA") return 1;
  if (authentication == "WPA-PSK") return 2;
  if (authentication == "WPA-NONE") return 3;
  if (authentication == "WPA2" || authentication == "WPA+WPA2") return 4;
  if (authentication == "WPA2-PSK" || authentication == "WPA2-NONE" ||
      authentication == "WPA-PSK+WPA2-PSK")
    return 5;
  return 0;
}

bool IsSecured(const BssRecordView& record, const SecurityFlags& security) {
  return record.Privacy() != 0 || security.Any();
}

uint32_t FrequencyOfChannel(int32_t channel) {
  for (const auto& row : ChannelFrequencyTable) {
    if (row.Channel == channel) return row.FrequencyKhz;
  }
  return 0;
}

uint32_t FrequencyOfBssid(const BssListView& list, std::span<const uint8_t> bssid,
                          int32_t wpsChannel) {
  constexpr uint32_t kLast24GHz = 2484000, kDefault = 2412000;
  const uint32_t wpsFrequency = FrequencyOfChannel(wpsChannel);
  const uint32_t target = wpsFrequency ? wpsFrequency : kDefault;
  const bool target24 = target <= kLast24GHz;
  for (const BssRecordView& record : list) {
    const auto mac = record.MacAddress();
    if (!std::equal(mac.begin(), mac.end(), bssid.begin(), bssid.end())) continue;
    if ((record.DsConfig() <= kLast24GHz) == target24) return record.DsConfig();
  }
  return target;
}

}  // namespace kavo9
