#pragma once
// How the station authenticates with EAP: the outer and inner methods, identities, the client
// certificate, the checks on the server's certificate and the EAP-FAST options, as the editors
// hold them and as a profile stores them (every value a text, numbers in decimal, certificate
// hashes as lower-case hex digits with their byte count beside them).

#include <cstdint>
#include <string>
#include <vector>

#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::dot1x {

// Outer methods (AuthenProtocol).
enum EapMethod : int {
  kPeap = 0,
  kTls = 1,
  kTtls = 2,
  kEapFast = 3,
  kMd5Challenge = 4,
  kLeap = 5,  // only in a connect record
};

// Inner methods of PEAP and EAP-FAST, as EAP types.
inline constexpr int kEapMsChapV2 = 26;
inline constexpr int kEapTlsInner = 13;
inline constexpr int kEapGenericTokenCard = 6;

// Inner methods of TTLS.
enum TtlsInner : int {
  kTtlsChap = 1,
  kTtlsMsChap = 2,
  kTtlsMsChapV2 = 3,
  kTtlsPap = 4,
  kTtlsMd5 = 5
};

// The page's texts take at most this many characters (the PAC path more); hashes at most this
// many bytes.
inline constexpr std::size_t kMaxDot1xText = 127;
inline constexpr std::size_t kMaxCertHash = 152;

struct Dot1xSettings {
  int Use8021X = 0;
  int AuthenProtocol = kPeap;
  int InnerEapType = kEapMsChapV2;
  int ProvisioningTunnel = kEapMsChapV2;
  int TtlsInnerMethod = kTtlsMsChapV2;
  int SessionResumption = 0;
  int UseClientCert = 0;
  int UseSmartCard = 0;  // never stored
  int UseServerCert = 0;
  int UsePAC = 0;
  int ProvisionMode = 1;
  std::string PACFilePath;
  int IntermediateCert = 0;
  int NameRule = 0;  // 0 exact server name, 1 domain must end in it
  std::string ID;
  std::string Password;
  std::string TunnelID;
  std::string TunnelPassword;
  std::string ServerName;
  std::string DomainName;
  int PasswordMode = 1;                 // Generic Token Card: 0 soft token, 1 static password
  std::vector<uint8_t> ServerCertHash;  // empty: any trusted CA
  std::vector<uint8_t> ClientCertHash;

  bool operator==(const Dot1xSettings&) const = default;
};

// The settings of a profile; a missing value keeps its default.
Dot1xSettings ReadDot1xSettings(const profiles::ProfileValues& values);
// Writes every stored value of the settings.
void WriteDot1xSettings(const Dot1xSettings& settings, profiles::ProfileValues* values);

// A hash as its stored text: two lower-case hex digits a byte.
std::string CertHashText(const std::vector<uint8_t>& hash);
// The stored hash of `count` bytes. The count is bounded by the hash buffer and by the text; a
// text that is not hexadecimal gives no hash at all, never a half-read one.
std::vector<uint8_t> CertHashFromText(long count, std::string_view text);

}  // namespace kavo9::dot1x
