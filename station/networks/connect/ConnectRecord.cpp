#include "station/networks/connect/ConnectRecord.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/DriverValues.h"

namespace kavo9::connect {
namespace {

uint32_t Le32(std::span<const uint8_t> bytes, size_t offset) {
  uint32_t v = 0;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}
void PutLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t v) {
  std::memcpy(bytes.data() + offset, &v, 4);
}

constexpr size_t kSsidMax = 32;

}  // namespace

NdisKey::NdisKey(uint32_t keyIndex, std::span<const uint8_t> material)
    : bytes_(kHeaderBytes + material.size(), 0) {
  PutLe32(bytes_, 0, uint32_t(material.size()) + kLengthOverhead);
  PutLe32(bytes_, 4, keyIndex);
  PutLe32(bytes_, 8, uint32_t(material.size()));
  // The broadcast BSSID and the two bytes after it.
  std::fill(bytes_.begin() + 12, bytes_.begin() + 20, uint8_t(0xFF));
  std::copy(material.begin(), material.end(), bytes_.begin() + kHeaderBytes);
  // The driver reads Length bytes: the buffer is as long as its Length says.
  bytes_.resize(material.size() + kLengthOverhead, 0);
}

uint32_t NdisKey::KeyIndex() const {
  return Le32(bytes_, 4);
}
uint32_t NdisKey::KeyLength() const {
  return Le32(bytes_, 8);
}
std::span<const uint8_t> NdisKey::Material() const {
  return std::span<const uint8_t>(bytes_).subspan(kHeaderBytes, KeyLength());
}

NdisKey MakeWpaNoneKey(const std::array<uint8_t, 32>& pmk) {
  return NdisKey(kKeyIndexTransmit, pmk);
}

std::string_view ConnectRecord::SsidText() const {
  const uint32_t length = std::min<uint32_t>(Le32(Ssid, 0), kSsidMax);
  return {reinterpret_cast<const char*>(Ssid.data() + 4), length};
}

void ConnectRecord::SetSsid(std::string_view ssid) {
  Ssid.fill(0);
  const size_t length = std::min(ssid.size(), kSsidMax);
  const uint32_t length32 = uint32_t(length);
  std::memcpy(Ssid.data(), &length32, 4);
  std::memcpy(Ssid.data() + 4, ssid.data(), length);
}

std::array<uint8_t, 6> ConnectRecord::BssidBytes() const {
  std::array<uint8_t, 6> out{};
  std::copy(Bssid.begin(), Bssid.begin() + 6, out.begin());
  return out;
}

void ConnectRecord::SetBssid(std::span<const uint8_t> bssid) {
  Bssid.fill(0);
  std::copy(bssid.begin(), bssid.begin() + std::min<size_t>(bssid.size(), 6), Bssid.begin());
}

bool ConnectRecord::NeedsSupplicant() const {
  if (LeapEnabled) return true;
  switch (AuthMode) {
    case Ndis802_11AuthModeWPA:
    case Ndis802_11AuthModeWPAPSK:
    case Ndis802_11AuthModeWPA2:
    case Ndis802_11AuthModeWPA2PSK:
      return true;
    case Ndis802_11AuthModeOpen:
    case Ndis802_11AuthModeShared:
      return Use8021X != 0;
    default:
      return false;
  }
}

ConnectRecord ConnectRecord::DeepCopy() const {
  return ConnectRecord(*this);  // every member is a value: the key buffers are copied
}

ConnectRecord ConnectRecord::CopyForLastRecord() const {
  ConnectRecord copy(*this);
  const bool wep =
      AuthMode == Ndis802_11AuthModeShared || Encryption == Ndis802_11Encryption1Enabled;
  if (!wep) {
    for (auto& key : copy.WepKeys) key.reset();
  }
  if (AuthMode != Ndis802_11AuthModeWPANone) copy.WpaNoneKey.reset();
  return copy;
}

int32_t TxPowerPercent(uint32_t index) {
  static constexpr std::array<int32_t, 7> kPercent = {-1, 100, 75, 50, 25, 10, 6};
  return index < kPercent.size() ? kPercent[index] : -1;
}

}  // namespace kavo9::connect
