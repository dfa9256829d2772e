#pragma once
// The port's configuration made from the last connect record: whether the library associates
// the port itself, what it associates with (SSID, key management and cipher in the library's
// codes), and the pre-shared key of a WPA-PSK or WPA2-PSK network: 64 characters are the key
// itself in hexadecimal, anything else a pass phrase salted with the SSID; and for 802.1X the
// EAP methods, the texts the identities and passwords are made of, the certificates by their
// stored hashes and the checks of the server.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/AcAuthApi.h"
#include "station/networks/connect/ConnectRecord.h"

namespace kavo9::dot1x {

// What an 802.1X port is configured with. Empty texts and hashes make no library object.
struct EapConfig {
  int outerType = AC_EAP_NONE;
  int innerType = AC_EAP_NONE;        // PEAP and EAP-FAST
  int secondInnerType = AC_EAP_NONE;  // EAP-FAST's enhanced inner method
  int ttlsInnerType = 0;              // the library's TTLS inner code
  int pacTypeOption = 0;              // 1: ask for PAC type 1
  int provisionOption = 1;            // 2: unauthenticated provisioning allowed
  std::string identity;               // the outer identity, with its domain where the method says
  std::string identityText;           // the outer identity as configured
  std::string tunnelIdentity;
  std::string password;
  std::vector<uint8_t> userCertHash;
  std::vector<uint8_t> caCertHash;
  int verifyChain = 0;
  int nameRule = 0;
  std::string serverNameForDomain;
  std::string serverNameForCn;
  int sessionOption = 0;
};

struct PortConfig {
  bool usesAssociation = false;  // an 802.11 port: the library associates it
  uint32_t bssType = 1;          // 1 infrastructure, 2 ad hoc
  acAssociation association{};
  bool pskReady = false;
  // The pre-shared key: a pass phrase with its SSID, or 32 bytes.
  std::string passPhrase;
  std::string ssid;
  std::optional<std::array<uint8_t, 32>> binaryKey;
  EapConfig eap;
};

// The library's key-management and cipher codes of a record's authentication mode and
// encryption status.
uint32_t KeyManagementOf(uint32_t authMode);
uint32_t CipherOf(uint32_t encryption);

// The EAP type of a record's method choice (0 PEAP ... 5 LEAP); AC_EAP_NONE for another.
int EapTypeOf(int methodChoice);
// The library's TTLS inner code of a record's TTLS choice (1 CHAP ... 5 EAP-MD5); 0 for another.
int TtlsInnerCodeOf(int ttlsChoice);
// The record's method choice: LEAP for a LEAP record, else its 802.1X method.
int MethodChoiceOf(const connect::ConnectRecord& record);
// The EAP part of a record that uses 802.1X or LEAP (nothing for another).
EapConfig BuildEapConfig(const connect::ConnectRecord& record);

// `mediaBits` are the port's attribute bits (802.11 when any of bits 1-4 is set).
PortConfig BuildPortConfig(const connect::ConnectRecord& record, uint32_t mediaBits);

}  // namespace kavo9::dot1x
