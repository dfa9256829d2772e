#pragma once
// Layout of the driver's BSS list (NDIS_802_11_BSSID_LIST_EX) and of one NDIS_WLAN_BSSID_EX
// record, plus the byte readers every decoder here uses. Shared by the decoder and the builder;
// depends on nothing else.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kavo9 {

// Every BSS list (fresh and merged) is one fixed buffer of this size.
constexpr size_t kBssListBufferSize = 65536;
// Time stamps kept beside the merged list, one per record.
constexpr size_t kMaxBssStamps = 1024;

// The list starts with a 32-bit entry count; records follow back to back.
constexpr size_t kBssListHeaderSize = 4;

// Offsets of the fields of one record, from the record's start (little-endian).
namespace bss {
constexpr size_t kLength = 0;
constexpr size_t kMacAddress = 4;
constexpr size_t kSsidLength = 12;
constexpr size_t kSsid = 16;
constexpr size_t kPrivacy = 48;
constexpr size_t kRssi = 52;
constexpr size_t kNetworkTypeInUse = 56;
constexpr size_t kConfigLength = 60;
constexpr size_t kBeaconPeriod = 64;
constexpr size_t kAtimWindow = 68;
constexpr size_t kDsConfig = 72;
constexpr size_t kInfrastructureMode = 92;
constexpr size_t kSupportedRates = 96;
constexpr size_t kIeLength = 112;
constexpr size_t kIes = 116;
// Inside the element area: 8-byte timestamp, beacon interval, capability, then the elements.
constexpr size_t kIeTimestamp = 0;
constexpr size_t kIeBeaconInterval = 8;
constexpr size_t kIeCapability = 10;
constexpr size_t kIeFixedSize = 12;

constexpr size_t kMacSize = 6;
constexpr size_t kSsidMax = 32;
constexpr size_t kRatesSize = 16;
// The smallest record the driver produces (the fixed part as the structure declares it).
constexpr size_t kMinRecordLength = 120;
}  // namespace bss

// Element ids and vendor prefixes the decoder and builder know.
namespace ie {
constexpr uint8_t kSsid = 0;
constexpr uint8_t kSupportedRates = 1;
constexpr uint8_t kDsParameterSet = 3;
constexpr uint8_t kHtCapabilities = 45;
constexpr uint8_t kRsn = 48;
constexpr uint8_t kMobilityDomain = 52;
constexpr uint8_t kHtInformation = 61;
constexpr uint8_t kSecondaryChannelOffset = 62;
constexpr uint8_t kExtendedCapabilities = 127;
constexpr uint8_t kVendorSpecific = 221;

using Oui = std::array<uint8_t, 3>;
constexpr Oui kOuiIeee = {0x00, 0x0F, 0xAC};          // RSN suites
constexpr Oui kOuiWifiAlliance = {0x00, 0x50, 0xF2};  // WPA, WPS vendor elements and suites
constexpr Oui kOuiCisco = {0x00, 0x40, 0x96};         // CCX suites
constexpr Oui kOuiHtVendor = {0x00, 0x90, 0x4C};      // pre-standard HT elements

constexpr uint8_t kVendorTypeWpa = 1;
constexpr uint8_t kVendorTypeWpa2Draft = 2;
constexpr uint8_t kVendorTypeWps = 4;
constexpr uint8_t kVendorTypeHtCapability = 0x33;
constexpr uint8_t kVendorTypeHtInformation = 0x34;
}  // namespace ie

// Bounded readers: a read that does not fit in the span yields 0 instead of touching memory
// outside it. Callers that must tell "absent" from "zero" check the size first.
inline uint8_t ReadU8(std::span<const uint8_t> b, size_t off) {
  return off < b.size() ? b[off] : 0;
}
inline uint16_t ReadLe16(std::span<const uint8_t> b, size_t off) {
  if (off > b.size() || b.size() - off < 2) return 0;
  return uint16_t(b[off] | (b[off + 1] << 8));
}
inline uint32_t ReadLe32(std::span<const uint8_t> b, size_t off) {
  if (off > b.size() || b.size() - off < 4) return 0;
  return uint32_t(b[off]) | uint32_t(b[off + 1]) << 8 | uint32_t(b[off + 2]) << 16 |
         uint32_t(b[off + 3]) << 24;
}
inline uint16_t ReadBe16(std::span<const uint8_t> b, size_t off) {
  if (off > b.size() || b.size() - off < 2) return 0;
  return uint16_t((b[off] << 8) | b[off + 1]);
}
inline void WriteLe32(std::span<uint8_t> b, size_t off, uint32_t v) {
  if (off > b.size() || b.size() - off < 4) return;
  b[off] = uint8_t(v);
  b[off + 1] = uint8_t(v >> 8);
  b[off + 2] = uint8_t(v >> 16);
  b[off + 3] = uint8_t(v >> 24);
}

}  // namespace kavo9
