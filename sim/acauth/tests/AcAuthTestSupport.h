#pragma once
// What the library's tests hand the library and the driver to join a network: the association
// record and the driver's SSID record.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/platform/AcAuthApi.h"

namespace kavo9::acauthtest {

// An infrastructure association with `ssid` (at most 32 bytes).
inline acAssociation Association(const std::string& ssid, uint32_t keyManagement, uint32_t cipher) {
  acAssociation a{};
  const size_t length = std::min<size_t>(ssid.size(), sizeof a.ssid);
  std::memcpy(a.ssid, ssid.data(), length);
  a.ssidLength = uint32_t(length);
  a.keyManagement = keyManagement;
  a.cipher = cipher;
  a.bssType = 1;
  return a;
}

// The 36-byte record of OID_802_11_SSID: the length, then the SSID's bytes.
inline std::vector<uint8_t> SsidRecord(const std::string& ssid) {
  std::vector<uint8_t> record(36, 0);
  const uint32_t length = uint32_t(std::min<size_t>(ssid.size(), 32));
  std::memcpy(record.data(), &length, 4);
  std::memcpy(record.data() + 4, ssid.data(), length);
  return record;
}

}  // namespace kavo9::acauthtest
