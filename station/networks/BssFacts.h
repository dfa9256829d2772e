#pragma once
// Small facts about a record that the lists and the connect logic use.

#include <cstdint>
#include <span>
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

// The centre frequency of a table channel, or 0 when the channel is not in the table.
uint32_t FrequencyOfChannel(int32_t channel);

// The DSConfig of the first record of `list` with this BSSID on the band of `wpsChannel`
// (2.4 GHz up to 2,484,000 kHz, 5 GHz above); otherwise the frequency of `wpsChannel` itself,
// 2,412,000 kHz when that channel is not in the table.
uint32_t FrequencyOfBssid(const BssListView& list, std::span<const uint8_t> bssid,
                          int32_t wpsChannel);

}  // namespace kavo9
