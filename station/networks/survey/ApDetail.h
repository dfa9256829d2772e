#pragma once
// What the access-point detail dialog shows for one record, tab by tab: General, WPS, CCX and
// 802.11n. Built once per showing from one decode of the record.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "station/networks/survey/SurveyColumns.h"

namespace kavo9 {

struct ApGeneralTab {
  std::string Ssid;
  std::string MacAddress;      // "00-1D-5A-30-70-01"
  std::string Authentication;  // the part of the security summary before ";"
  std::string Encryption;      // the part after it, "WEP" for a private network without suites
  std::string Channel;         // "6 <--> 2437 MHz", empty without a channel
  std::string NetworkType;     // "Infrastructure", "IBSS" or "Unknown"
  std::string BeaconInterval;
  int SignalPercent = 0;
  std::string SupportedRates;  // "1, 2, 5.5, 11, 6, 9, 12, 18"
};

// The detail bar's colour: red up to 34, yellow from 35 to 69, green from 70.
Rgb DetailSignalColour(int percent);

struct ApWpsTab {
  std::string Authentication, Encryption;
  std::array<std::string, 8> Fields;  // the WPS summary's attribute fields, in order
};

struct ApCcxTab {
  std::string Cckm, Cmic, Ckip;  // "TRUE" / "FALSE"
};

struct ApHtGroup {
  std::string_view Title;
  std::vector<std::pair<std::string_view, std::string>> Fields;  // name, value text
};

struct ApDetail {
  ApGeneralTab General;
  ApWpsTab Wps;
  ApCcxTab Ccx;
  std::vector<ApHtGroup> Ht;
};

ApDetail BuildApDetail(std::span<const uint8_t> record);

// The rates of the fixed part in order up to the first empty slot, in Mb/s.
std::string SupportedRatesText(std::span<const uint8_t> rates);
std::string MacText(std::span<const uint8_t> mac);

}  // namespace kavo9
