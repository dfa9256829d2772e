#pragma once
// The port's configuration made from the last connect record: whether the library associates
// the port itself, what it associates with (SSID, key management and cipher in the library's
// codes), and the pre-shared key of a WPA-PSK or WPA2-PSK network: 64 characters are the key
// itself in hexadecimal, anything else a pass phrase salted with the SSID.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/platform/AcAuthApi.h"
#include "station/networks/connect/ConnectRecord.h"

namespace kavo9::dot1x {

struct PortConfig {
  bool usesAssociation = false;  // an 802.11 port: the library associates it
  uint32_t bssType = 1;          // 1 infrastructure, 2 ad hoc
  acAssociation association{};
  bool pskReady = false;
  // The pre-shared key: a pass phrase with its SSID, or 32 bytes.
  std::string passPhrase;
  std::string ssid;
  std::optional<std::array<uint8_t, 32>> binaryKey;
};

// The library's key-management and cipher codes of a record's authentication mode and
// encryption status.
uint32_t KeyManagementOf(uint32_t authMode);
uint32_t CipherOf(uint32_t encryption);

// `mediaBits` are the port's attribute bits (802.11 when any of bits 1-4 is set).
PortConfig BuildPortConfig(const connect::ConnectRecord& record, uint32_t mediaBits);

}  // namespace kavo9::dot1x
