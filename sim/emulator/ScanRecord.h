#pragma once
// The NDIS_WLAN_BSSID_EX record the emulated driver reports for one network of its scan list:
// what the network's beacon says, written with the shared record and element builder.

#include <cstdint>
#include <vector>

#include "sim/emulator/Scenario.h"

namespace kavo9 {

// Network types of NetworkTypeInUse and OID_802_11_NETWORK_TYPES_SUPPORTED.
enum : uint32_t { kNdisFh = 0, kNdisDs = 1, kNdisOfdm5 = 2, kNdisOfdm24 = 3 };

// WPS attribute types.
enum : uint16_t {
  kWpsConfigMethods = 0x1008,
  kWpsDevicePasswordId = 0x1012,
  kWpsUuidE = 0x1047,
  kWpsRfBands = 0x103C,
  kWpsResponseType = 0x103B,
  kWpsSelectedRegistrar = 0x1041,
  kWpsState = 0x1044,
  kWpsVersion = 0x104A,
  kWpsSelectedRegistrarConfigMethods = 0x1053,
  kWpsApSetupLocked = 0x1057,
};

// Centre frequency in kHz of a 2.4, 4.9 or 5 GHz channel; 0 for an unknown channel.
uint32_t ChannelFrequencyKhz(int channel);

// The rate bytes (500 kb/s units, bit 7 basic) a network advertises.
std::vector<uint8_t> NetworkRates(const NetworkSpec& network);
// The whole record, its length a multiple of 4. `timestamp` is the beacon's TSF.
std::vector<uint8_t> BuildBssRecord(const NetworkSpec& network, int32_t rssi, uint64_t timestamp);

}  // namespace kavo9
