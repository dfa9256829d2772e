#pragma once
// The network chosen on the site survey for Connect or Add To Profile, as the next step reads it.

#include <cstdint>
#include <string>
#include <vector>

namespace kavo9 {

struct SurveySelection {
  std::vector<uint8_t> Record;  // a copy of the whole NDIS_WLAN_BSSID_EX record
  std::string Authentication;   // the part of the security summary before ";"
  std::string Cipher;           // the part after it
  bool Secured = false;
  int SecurityClass = 0;
  bool HiddenSsidPath = false;  // the SSID was asked for
  std::string HiddenSsid;       // up to 32 bytes, trimmed
};

}  // namespace kavo9
