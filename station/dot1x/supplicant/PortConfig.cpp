#include "station/dot1x/supplicant/PortConfig.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::dot1x {
namespace {

constexpr size_t kHexKeyDigits = 64;

bool IsTunnelMethod(int type) {
  return type == AC_EAP_GTC || type == AC_EAP_TLS || type == AC_EAP_MSCHAPV2;
}

std::string WithDomain(const std::string& identity, const std::string& domain) {
  return domain.empty() ? identity : domain + "\\" + identity;
}

}  // namespace

int EapTypeOf(int methodChoice) {
  switch (methodChoice) {
    case kPeap:
      return AC_EAP_PEAP;
    case kTls:
      return AC_EAP_TLS;
    case kTtls:
      return AC_EAP_TTLS;
    case kEapFast:
      return AC_EAP_FAST;
    case kMd5Challenge:
      return AC_EAP_MD5;
    case kLeap:
      return AC_EAP_LEAP;
    default:
      return AC_EAP_NONE;
  }
}

int TtlsInnerCodeOf(int ttlsChoice) {
  switch (ttlsChoice) {
    case kTtlsChap:
      return AC_TTLS_CHAP;
    case kTtlsMsChap:
      return AC_TTLS_MSCHAP;
    case kTtlsMsChapV2:
      return AC_TTLS_MSCHAPV2;
    case kTtlsPap:
      return AC_TTLS_PAP;
    case kTtlsMd5:
      return AC_TTLS_EAP_MD5;
    default:
      return 0;
  }
}

int MethodChoiceOf(const connect::ConnectRecord& r) {
  return r.LeapEnabled ? int(kLeap) : r.Dot1x.AuthenProtocol;
}

EapConfig BuildEapConfig(const connect::ConnectRecord& r) {
  EapConfig e;
  if (!r.Use8021X && !r.LeapEnabled) return e;
  const Dot1xSettings& s = r.Dot1x;
  e.outerType = EapTypeOf(MethodChoiceOf(r));
  if (e.outerType == AC_EAP_TTLS) {
    e.ttlsInnerType = TtlsInnerCodeOf(s.TtlsInnerMethod);
  } else if (e.outerType == AC_EAP_PEAP || e.outerType == AC_EAP_FAST) {
    e.innerType = s.InnerEapType;
  }
  if (e.outerType == AC_EAP_FAST) {
    e.secondInnerType = s.ProvisioningTunnel;
    e.pacTypeOption = s.UsePAC == 1 ? 1 : 0;
    e.provisionOption = s.ProvisionMode == 1 ? 2 : 1;
  }

  // What each method preloads.
  bool domain = false, tunnel = false, certificates = false, session = false;
  enum { kNone, kOuterPassword, kTunnelPassword } password = kNone;
  switch (e.outerType) {
    case AC_EAP_MD5:
      password = kOuterPassword;
      break;
    case AC_EAP_LEAP:
      domain = session = true;
      password = kTunnelPassword;
      break;
    case AC_EAP_TLS:
      certificates = true;
      break;
    case AC_EAP_TTLS:
      certificates = true;
      if (s.TtlsInnerMethod >= kTtlsChap && s.TtlsInnerMethod <= kTtlsMd5) {
        tunnel = session = true;
        password = kTunnelPassword;
      }
      break;
    case AC_EAP_PEAP:
      certificates = true;
      if (IsTunnelMethod(e.innerType)) {
        tunnel = session = true;
        password = kTunnelPassword;
      }
      break;
    case AC_EAP_FAST:
      domain = certificates = true;
      if (IsTunnelMethod(e.secondInnerType)) {
        tunnel = session = true;
        password = kTunnelPassword;
      } else if (IsTunnelMethod(e.innerType)) {
        tunnel = true;
        password = kTunnelPassword;
      }
      break;
    default:
      session = true;
      break;
  }
  e.identityText = s.ID;
  e.identity = domain ? WithDomain(s.ID, s.DomainName) : s.ID;
  if (tunnel) e.tunnelIdentity = s.TunnelID;
  if (password == kOuterPassword) e.password = s.Password;
  if (password == kTunnelPassword) e.password = s.TunnelPassword;
  if (certificates && s.UseClientCert) e.userCertHash = s.ClientCertHash;
  if (certificates && s.UseServerCert) {
    e.nameRule = s.NameRule;
    (e.nameRule == 1 ? e.serverNameForDomain : e.serverNameForCn) = s.ServerName;
    e.verifyChain = s.IntermediateCert;
    e.caCertHash = s.ServerCertHash;
  }
  if (session) e.sessionOption = s.SessionResumption == 0 ? 1 : 0;
  return e;
}

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
  if (!(mediaBits & AC_MEDIA_80211_MASK)) {
    c.eap = BuildEapConfig(r);
    return c;
  }
  c.usesAssociation = true;
  const std::string_view ssid = r.SsidText();
  std::memcpy(c.association.ssid, ssid.data(), std::min(ssid.size(), sizeof c.association.ssid));
  c.association.ssidLength = uint32_t(std::min(ssid.size(), sizeof c.association.ssid));
  c.association.keyManagement = KeyManagementOf(r.AuthMode);
  c.association.cipher = CipherOf(r.Encryption);
  c.association.bssType = c.bssType;
  const uint32_t km = c.association.keyManagement;
  if (km != AC_KM_WPA_PSK && km != AC_KM_WPA2_PSK) {
    c.eap = BuildEapConfig(r);
    if (r.LeapEnabled) {
      // LEAP's key management follows its cipher; without one it stays as the mode says.
      const uint32_t cipher = c.association.cipher;
      if (cipher == AC_CIPHER_WEP) c.association.keyManagement = AC_KM_OPEN;
      if (cipher == AC_CIPHER_TKIP) c.association.keyManagement = AC_KM_WPA;
      if (cipher == AC_CIPHER_AES) c.association.keyManagement = AC_KM_WPA2;
    }
    return c;
  }
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
