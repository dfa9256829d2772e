#pragma once
// The NDIS_WLAN_BSSID_EX record the emulated driver reports for one network of its scan list:
// what the network's beacon says, written with the emulator's own record and element encoders.

#include <cstdint>
#include <vector>

#include "sim/emulator/Scenario.h"
#include "sim/emulator/wire/InfoElements.h"

namespace kavo9 {

using emu::ie::kWpsApSetupLocked;
using emu::ie::kWpsConfigMethods;
using emu::ie::kWpsDevicePasswordId;
using emu::ie::kWpsResponseType;
using emu::ie::kWpsRfBands;
using emu::ie::kWpsSelectedRegistrar;
using emu::ie::kWpsSelectedRegistrarConfigMethods;
using emu::ie::kWpsState;
using emu::ie::kWpsUuidE;
using emu::ie::kWpsVersion;

// Centre frequency in kHz of a 2.4, 4.9 or 5 GHz channel; 0 for an unknown channel.
uint32_t ChannelFrequencyKhz(int channel);

// The rate bytes (500 kb/s units, bit 7 basic) a network advertises.
std::vector<uint8_t> NetworkRates(const NetworkSpec& network);
// The whole record, its length a multiple of 4. `timestamp` is the beacon's TSF.
std::vector<uint8_t> BuildBssRecord(const NetworkSpec& network, int32_t rssi, uint64_t timestamp);

// A small deterministic spread (-2..+2 dB) per network and scan, so signals move a little
// between scans the way real ones do, yet every run of a test sees the same values.
int SignalJitter(const MacAddress& bssid, uint32_t scan);

}  // namespace kavo9
