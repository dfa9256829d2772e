#pragma once
// A station profile as it is stored: one registry key per profile below the adapter key, every
// value a text. The names below are every value a profile has, in the order the profile editor
// writes them; nothing else belongs to a profile (and nothing else is copied into the adapter key
// when a profile becomes active).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9::profiles {

inline constexpr std::array<std::string_view, 51> kProfileValueNames = {"SSID",
                                                                        "Channel",
                                                                        "NetworkType",
                                                                        "PreambleType",
                                                                        "ACPowerCam",
                                                                        "ProfilePSMode",
                                                                        "TXPower",
                                                                        "UseRts",
                                                                        "RtsThresh",
                                                                        "UseFrag",
                                                                        "FragThresh",
                                                                        "AuthenType",
                                                                        "Encryption",
                                                                        "LeapEnabled",
                                                                        "LeapUserName",
                                                                        "LeapPassword",
                                                                        "LeapDomainName",
                                                                        "LeapEncryType",
                                                                        "WPAPSK",
                                                                        "WEPKeyUse",
                                                                        "WEPKey1Type",
                                                                        "WEPKey2Type",
                                                                        "WEPKey3Type",
                                                                        "WEPKey4Type",
                                                                        "WEPKey1",
                                                                        "WEPKey2",
                                                                        "WEPKey3",
                                                                        "WEPKey4",
                                                                        "Use8021X",
                                                                        "AuthenProtocol",
                                                                        "TunnelProtocol",
                                                                        "ProvisioningTunnel",
                                                                        "ID",
                                                                        "Password",
                                                                        "DomainName",
                                                                        "TunnelID",
                                                                        "TunnelPassword",
                                                                        "SessionResumption",
                                                                        "PasswordMode",
                                                                        "UseClientCert",
                                                                        "UseServerCert",
                                                                        "UsePAC",
                                                                        "ProvisionMode",
                                                                        "PACFilePath",
                                                                        "ClientCertLen",
                                                                        "ClientCertData",
                                                                        "ServerCertLen",
                                                                        "ServerCertData",
                                                                        "ServerName",
                                                                        "NameRule",
                                                                        "IntermediateCert"};

// The index of a profile value name (without regard to case, as registry names compare), or
// nullopt for a name that is no profile value.
std::optional<size_t> ProfileValueIndex(std::string_view name);

// Texts are read with a buffer of this size: a longer stored value is not read at all and the
// reader keeps its default.
inline constexpr uint32_t kProfileReadBuffer = 128;
// A profile name is 1 to 32 characters and names one key: no "\".
inline constexpr size_t kMaxProfileName = 32;
bool IsValidProfileName(std::string_view name);

// The values of one profile; a value that is missing (or could not be read) is nullopt.
class ProfileValues {
 public:
  const std::optional<std::string>& Get(std::string_view name) const;
  void Set(std::string_view name, std::string text);
  void SetNumber(std::string_view name, long number);
  // The stored text's number with the rules of atoi (leading digits, 0 when there are none);
  // `fallback` when the value is missing.
  long Number(std::string_view name, long fallback) const;
  std::string Text(std::string_view name) const;
  bool Has(std::string_view name) const { return Get(name).has_value(); }
  const std::optional<std::string>& At(size_t index) const { return values_[index]; }
  void SetAt(size_t index, std::string text) { values_[index] = std::move(text); }

 private:
  std::array<std::optional<std::string>, kProfileValueNames.size()> values_;
};

// A WEP key as stored: hexadecimal digits, 10 for a 64-bit key, 26 for a 128-bit key.
enum class StoredKeyKind { kNone, kKey, kInvalid };
struct StoredWepKey {
  StoredKeyKind kind = StoredKeyKind::kNone;
  std::vector<uint8_t> bytes;  // 5 or 13 bytes for kKey
};
// Decodes a stored key: 0 or 1 characters mean no key; anything but 10 or 26 hexadecimal digits
// is refused (never read past its end, never truncated into a key).
StoredWepKey DecodeStoredWepKey(std::string_view text);
// The stored text of a key the user typed: hexadecimal digits as they are (lower case), or an
// ASCII key as two hexadecimal digits per byte. Empty for a key of another length or with
// characters that do not fit its kind.
std::string EncodeWepKeyText(std::string_view typed, bool ascii);

// A pre-shared key: 8 to 63 printable characters of pass phrase, or exactly 64 hexadecimal
// digits. Anything else (a 64-character text that is not hexadecimal, say) is refused.
bool IsValidPreSharedKey(std::string_view text);
// 64 hexadecimal digits as the 32 bytes they spell; nullopt otherwise.
std::optional<std::array<uint8_t, 32>> HexPreSharedKey(std::string_view text);

}  // namespace kavo9::profiles
