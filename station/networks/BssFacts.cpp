#include "station/networks/BssFacts.h"

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

}  // namespace kavo9
