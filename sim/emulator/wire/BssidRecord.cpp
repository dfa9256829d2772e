#include "sim/emulator/wire/BssidRecord.h"

#include <algorithm>

#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

// Offsets of the fixed part.
constexpr size_t kLength = 0;
constexpr size_t kMacAddress = 4;
constexpr size_t kSsidLength = 12;
constexpr size_t kSsid = 16;
constexpr size_t kSsidMax = 32;
constexpr size_t kPrivacy = 48;
constexpr size_t kRssi = 52;
constexpr size_t kNetworkTypeInUse = 56;
constexpr size_t kConfiguration = 60;  // NDIS_802_11_CONFIGURATION, 32 bytes
constexpr uint32_t kConfigurationBytes = 32;
constexpr size_t kBeaconPeriod = 64;
constexpr size_t kDsConfig = 72;
constexpr size_t kInfrastructureMode = 92;
constexpr size_t kSupportedRates = 96;
constexpr size_t kRatesMax = 16;
constexpr size_t kIeLength = 112;
constexpr size_t kIes = 116;
// The element area's fixed fields.
constexpr size_t kIeTimestamp = 0;
constexpr size_t kIeBeaconInterval = 8;
constexpr size_t kIeCapability = 10;
constexpr size_t kIeFixedBytes = 12;
// No record is shorter than the structure as declared.
constexpr size_t kMinRecordBytes = 120;

}  // namespace

std::vector<uint8_t> EncodeBssidRecord(const BssidRecordFields& f) {
  const size_t ieLength = kIeFixedBytes + f.elements.size();
  const size_t size = std::max((kIes + ieLength + 3) / 4 * 4, kMinRecordBytes);
  std::vector<uint8_t> out(size, 0);
  const std::span<uint8_t> r(out);
  PutLe32(r, kLength, uint32_t(size));
  std::copy(f.bssid.begin(), f.bssid.end(), out.begin() + kMacAddress);
  const size_t ssidLength = std::min(f.ssid.size(), kSsidMax);
  PutLe32(r, kSsidLength, uint32_t(ssidLength));
  std::copy_n(f.ssid.begin(), ssidLength, out.begin() + kSsid);
  PutLe32(r, kPrivacy, f.privacy ? 1 : 0);
  PutLe32(r, kRssi, uint32_t(f.rssi));
  PutLe32(r, kNetworkTypeInUse, f.networkType);
  PutLe32(r, kConfiguration, kConfigurationBytes);
  PutLe32(r, kBeaconPeriod, f.beaconPeriod);
  PutLe32(r, kDsConfig, f.frequencyKhz);
  PutLe32(r, kInfrastructureMode, f.infrastructureMode);
  std::copy_n(f.rates.begin(), std::min(f.rates.size(), kRatesMax), out.begin() + kSupportedRates);
  PutLe32(r, kIeLength, uint32_t(ieLength));
  PutLe32(r, kIes + kIeTimestamp, uint32_t(f.timestamp));
  PutLe32(r, kIes + kIeTimestamp + 4, uint32_t(f.timestamp >> 32));
  PutLe16(r, kIes + kIeBeaconInterval, uint16_t(f.beaconPeriod));
  PutLe16(r, kIes + kIeCapability, f.capability);
  std::copy(f.elements.begin(), f.elements.end(), out.begin() + kIes + kIeFixedBytes);
  return out;
}

}  // namespace kavo9::emu
