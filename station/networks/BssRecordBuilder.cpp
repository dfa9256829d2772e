#include "station/networks/BssRecordBuilder.h"

#include <algorithm>
#include <cstring>

namespace kavo9::build {

BssRecordBuilder& BssRecordBuilder::Bssid(const MacAddress& mac) {
  bssid_ = mac;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::Ssid(std::string_view ssid) {
  ssid_ = std::string(ssid.substr(0, bss::kSsidMax));
  return *this;
}
BssRecordBuilder& BssRecordBuilder::Privacy(bool on) {
  privacy_ = on;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::Rssi(int32_t dbm) {
  rssi_ = dbm;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::NetworkType(uint32_t type) {
  networkType_ = type;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::FrequencyKhz(uint32_t khz) {
  frequencyKhz_ = khz;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::Infrastructure(uint32_t mode) {
  infrastructure_ = mode;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::Rates(std::span<const uint8_t> rates) {
  rates_.fill(0);
  std::copy_n(rates.begin(), std::min(rates.size(), rates_.size()), rates_.begin());
  return *this;
}
BssRecordBuilder& BssRecordBuilder::BeaconInterval(uint16_t interval) {
  beaconInterval_ = interval;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::Timestamp(uint64_t tsf) {
  timestamp_ = tsf;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::Capability(uint16_t capability) {
  capability_ = capability;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::AddElement(std::span<const uint8_t> element) {
  elements_.insert(elements_.end(), element.begin(), element.end());
  return *this;
}
BssRecordBuilder& BssRecordBuilder::WithSsidElement() {
  return AddElement(SsidElement(ssid_));
}
BssRecordBuilder& BssRecordBuilder::LengthOverride(uint32_t length) {
  length_ = length;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::IeLengthOverride(uint32_t ieLength) {
  ieLength_ = ieLength;
  return *this;
}
BssRecordBuilder& BssRecordBuilder::SsidLengthOverride(uint32_t ssidLength) {
  ssidLength_ = ssidLength;
  return *this;
}

Bytes BssRecordBuilder::Build() const {
  const size_t ieLength = bss::kIeFixedSize + elements_.size();
  const size_t padded = (bss::kIes + ieLength + 3) / 4 * 4;
  Bytes out(std::max(padded, bss::kMinRecordLength), 0);
  const std::span<uint8_t> r(out);
  WriteLe32(r, bss::kLength, length_.value_or(uint32_t(out.size())));
  std::copy(bssid_.begin(), bssid_.end(), out.begin() + bss::kMacAddress);
  WriteLe32(r, bss::kSsidLength, ssidLength_.value_or(uint32_t(ssid_.size())));
  std::memcpy(out.data() + bss::kSsid, ssid_.data(), ssid_.size());
  WriteLe32(r, bss::kPrivacy, privacy_ ? 1 : 0);
  WriteLe32(r, bss::kRssi, uint32_t(rssi_));
  WriteLe32(r, bss::kNetworkTypeInUse, networkType_);
  WriteLe32(r, bss::kConfigLength, 32);
  WriteLe32(r, bss::kBeaconPeriod, beaconInterval_);
  WriteLe32(r, bss::kDsConfig, frequencyKhz_);
  WriteLe32(r, bss::kInfrastructureMode, infrastructure_);
  std::copy(rates_.begin(), rates_.end(), out.begin() + bss::kSupportedRates);
  WriteLe32(r, bss::kIeLength, ieLength_.value_or(uint32_t(ieLength)));
  for (size_t i = 0; i < 8; ++i)
    out[bss::kIes + bss::kIeTimestamp + i] = uint8_t(timestamp_ >> 8 * i);
  out[bss::kIes + bss::kIeBeaconInterval] = uint8_t(beaconInterval_);
  out[bss::kIes + bss::kIeBeaconInterval + 1] = uint8_t(beaconInterval_ >> 8);
  out[bss::kIes + bss::kIeCapability] = uint8_t(capability_);
  out[bss::kIes + bss::kIeCapability + 1] = uint8_t(capability_ >> 8);
  std::copy(elements_.begin(), elements_.end(), out.begin() + bss::kIes + bss::kIeFixedSize);
  return out;
}

BssListBuilder& BssListBuilder::Add(std::span<const uint8_t> record) {
  records_.insert(records_.end(), record.begin(), record.end());
  ++count_;
  return *this;
}

BssListBuilder& BssListBuilder::CountOverride(uint32_t count) {
  countOverride_ = count;
  return *this;
}

Bytes BssListBuilder::Build(size_t bufferSize) const {
  Bytes out(kBssListHeaderSize + records_.size(), 0);
  WriteLe32(out, 0, countOverride_.value_or(count_));
  std::copy(records_.begin(), records_.end(), out.begin() + kBssListHeaderSize);
  if (bufferSize) out.resize(bufferSize, 0);
  return out;
}

}  // namespace kavo9::build
