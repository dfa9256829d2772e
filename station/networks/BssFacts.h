#pragma once
// Small facts about a record that the lists and the connect logic use.

#include <string_view>

#include "station/networks/BssElementSummary.h"
#include "station/networks/BssRecord.h"

namespace kavo9 {

// True for an 802.11g record (network type 3) that marks an OFDM rate as basic.
bool HasOfdmBasicRate(const BssRecordView& record);

// The security class of an authentication text (the part of a security summary before ";"):
// 1 WPA, 2 WPA-PSK, 3 WPA-NONE, 4 WPA2 or WPA+WPA2, 5 WPA2-PSK, WPA2-NONE or WPA-PSK+WPA2-PSK,
// 0 for anything else (open, WEP, other combinations).
int SecurityClass(std::string_view authentication);

// Secured: the privacy bit is set or the elements name any authentication or cipher.
bool IsSecured(const BssRecordView& record, const SecurityFlags& security);

}  // namespace kavo9
