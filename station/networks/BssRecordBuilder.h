#pragma once
// Builds NDIS_WLAN_BSSID_EX records and whole BSS lists as a driver returns them. Overrides let
// tests write lengths and counts that do not hold together.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "station/networks/ElementBuilder.h"

namespace kavo9::build {

using MacAddress = std::array<uint8_t, 6>;

class BssRecordBuilder {
 public:
  BssRecordBuilder& Bssid(const MacAddress& mac);
  // The SSID of the fixed part; the SSID element is added separately (WithSsidElement).
  BssRecordBuilder& Ssid(std::string_view ssid);
  BssRecordBuilder& Privacy(bool on);
  BssRecordBuilder& Rssi(int32_t dbm);
  BssRecordBuilder& NetworkType(uint32_t type);  // 0 FH, 1 DS, 2 OFDM 5 GHz, 3 OFDM 2.4 GHz
  BssRecordBuilder& FrequencyKhz(uint32_t khz);
  BssRecordBuilder& Infrastructure(uint32_t mode);          // 0 ad hoc, 1 infrastructure
  BssRecordBuilder& Rates(std::span<const uint8_t> rates);  // up to 16 bytes in the fixed part
  BssRecordBuilder& BeaconInterval(uint16_t interval);
  BssRecordBuilder& Timestamp(uint64_t tsf);  // the beacon's TSF
  BssRecordBuilder& Capability(uint16_t capability);
  BssRecordBuilder& AddElement(std::span<const uint8_t> element);
  // Adds the SSID element with the fixed part's SSID.
  BssRecordBuilder& WithSsidElement();
  // Raw bytes appended to the element area, e.g. a truncated element.
  BssRecordBuilder& AddRawIeBytes(std::span<const uint8_t> bytes) { return AddElement(bytes); }

  // Overrides for malformed records.
  BssRecordBuilder& LengthOverride(uint32_t length);
  BssRecordBuilder& IeLengthOverride(uint32_t ieLength);
  BssRecordBuilder& SsidLengthOverride(uint32_t ssidLength);

  // The record: fixed part, then 12 fixed element bytes and the elements. Its Length is
  // 116 + IELength rounded up to a multiple of 4, as drivers pad records.
  Bytes Build() const;

 private:
  MacAddress bssid_{};
  std::string ssid_;
  bool privacy_ = false;
  int32_t rssi_ = -60;
  uint32_t networkType_ = 3;
  uint32_t frequencyKhz_ = 2437000;
  uint32_t infrastructure_ = 1;
  std::array<uint8_t, 16> rates_{0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12,
                                 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
  uint16_t beaconInterval_ = 100;
  uint64_t timestamp_ = 0;
  uint16_t capability_ = 0x0001;
  Bytes elements_;
  std::optional<uint32_t> length_, ieLength_, ssidLength_;
};

class BssListBuilder {
 public:
  BssListBuilder& Add(std::span<const uint8_t> record);
  BssListBuilder& CountOverride(uint32_t count);
  // The list: the count and the records back to back. With `bufferSize` the result is padded
  // with zeros (or cut) to that size, like the driver's 65,536-byte query buffer.
  Bytes Build(size_t bufferSize = 0) const;

 private:
  Bytes records_;
  uint32_t count_ = 0;
  std::optional<uint32_t> countOverride_;
};

}  // namespace kavo9::build
