#include "station/dot1x/supplicant/PortConfig.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::dot1x {
namespace {

constexpr size_t kHexKeyDigits = 64;

}  // namespace

uint32_t KeyManagementOf(uint32_t authMode) {
  switch (authMode) {
    case Ndis802_11AuthModeShared:
      return AC_KM_SHARED;
    case Ndis802_11AuthModeWPA:
      return AC_KM_WPA;
    case Ndis802_11AuthModeWPAPSK:
    case Ndis802_11AuthModeWPANone:
      return AC_KM_WPA_PSK;
    case Ndis802_11AuthModeWPA2:
      return AC_KM_WPA2;
    case Ndis802_11AuthModeWPA2PSK:
      return AC_KM_WPA2_PSK;
    default:
      return AC_KM_OPEN;
  }
}

uint32_t CipherOf(uint32_t encryption) {
  switch (encryption) {
    case Ndis802_11Encryption1Enabled:
      return AC_CIPHER_WEP;
    case Ndis802_11Encryption2Enabled:
    case Ndis802_11Encryption2KeyAbsent:
      return AC_CIPHER_TKIP;
    case Ndis802_11Encryption3Enabled:
    case Ndis802_11Encryption3KeyAbsent:
      return AC_CIPHER_AES;
    default:
      return AC_CIPHER_NONE;
  }
}

PortConfig BuildPortConfig(const connect::ConnectRecord& r, uint32_t mediaBits) {
  PortConfig c;
  c.bssType = r.InfraMode == Ndis802_11Infrastructure ? 1 : 2;
  if (!(mediaBits & AC_MEDIA_80211_MASK)) return c;
  c.usesAssociation = true;
  const std::string_view ssid = r.SsidText();
  std::memcpy(c.association.ssid, ssid.data(), std::min(ssid.size(), sizeof c.association.ssid));
  c.association.ssidLength = uint32_t(std::min(ssid.size(), sizeof c.association.ssid));
  c.association.keyManagement = KeyManagementOf(r.AuthMode);
  c.association.cipher = CipherOf(r.Encryption);
  c.association.bssType = c.bssType;
  if (r.LeapEnabled) {
    // LEAP's key management follows its cipher.
    const uint32_t cipher = c.association.cipher;
    c.association.keyManagement = cipher == AC_CIPHER_TKIP  ? AC_KM_WPA
                                  : cipher == AC_CIPHER_AES ? AC_KM_WPA2
                                                            : AC_KM_OPEN;
  }
  const uint32_t km = c.association.keyManagement;
  if (km != AC_KM_WPA_PSK && km != AC_KM_WPA2_PSK) return c;
  if (r.PassPhrase.size() == kHexKeyDigits) {
    // 64 characters that are not all hexadecimal digits are no key at all: as bytes they would
    // install garbage, and as a pass phrase they are too long.
    c.binaryKey = profiles::HexPreSharedKey(r.PassPhrase);
    c.pskReady = c.binaryKey.has_value();
  } else if (!r.PassPhrase.empty()) {
    c.passPhrase = r.PassPhrase;
    c.ssid = std::string(ssid);
    c.pskReady = true;
  }
  return c;
}

}  // namespace kavo9::dot1x
