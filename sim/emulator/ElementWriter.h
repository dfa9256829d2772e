#pragma once
// Builds the NDIS_WLAN_BSSID_EX record a driver reports for one network in a scan list: the fixed
// fields, then the beacon's fixed fields and information elements (SSID, rates, DS parameter set,
// RSN and WPA with their suites, the WPS vendor element, HT capabilities and HT information and
// their 00-90-4C vendor forms).

#include <cstdint>
#include <vector>

#include "sim/emulator/Scenario.h"

namespace kavo9 {

// Offsets of the record's fields.
inline constexpr size_t kBssLengthOffset = 0;
inline constexpr size_t kBssMacOffset = 4;
inline constexpr size_t kBssSsidOffset = 12;
inline constexpr size_t kBssPrivacyOffset = 48;
inline constexpr size_t kBssRssiOffset = 52;
inline constexpr size_t kBssNetworkTypeOffset = 56;
inline constexpr size_t kBssConfigurationOffset = 60;
inline constexpr size_t kBssDsConfigOffset = 72;
inline constexpr size_t kBssInfrastructureOffset = 92;
inline constexpr size_t kBssRatesOffset = 96;
inline constexpr size_t kBssIeLengthOffset = 112;
inline constexpr size_t kBssIesOffset = 116;
inline constexpr size_t kBssFixedIeBytes = 12;  // timestamp, beacon interval, capability

// Network types of NetworkTypeInUse and OID_802_11_NETWORK_TYPES_SUPPORTED.
enum : uint32_t { kNdisFh = 0, kNdisDs = 1, kNdisOfdm5 = 2, kNdisOfdm24 = 3 };

// Element ids.
enum : uint8_t {
  kEidSsid = 0,
  kEidSupportedRates = 1,
  kEidDsParameterSet = 3,
  kEidIbssParameterSet = 6,
  kEidHtCapabilities = 45,
  kEidRsn = 48,
  kEidExtendedRates = 50,
  kEidHtInformation = 61,
  kEidVendor = 221,
};

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

// The rate bytes (500 kb/s units, bit 7 basic) a network advertises.
std::vector<uint8_t> NetworkRates(const NetworkSpec& network);
// The information elements of the network's beacon, without the fixed fields.
std::vector<uint8_t> BuildElements(const NetworkSpec& network);
// The whole record, its length a multiple of 4. `timestamp` is the beacon's TSF.
std::vector<uint8_t> BuildBssRecord(const NetworkSpec& network, int32_t rssi, uint64_t timestamp);

}  // namespace kavo9
