#pragma once
// The network credentials a WPS session hands over: the 124-byte record the driver uses in
// OID_VND_WPS_CREDENTIALS, the table of up to eight, and how their WSC authentication and
// encryption types map to what a connect and the profile editor use.
//
// Tables from the driver or the registry are untrusted: a count above 8, an SSID above 32 bytes
// and a key above 64 bytes are clamped to what the record holds, and slots at and above the
// count are kept zero.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kavo9::wps {

inline constexpr size_t kMaxCredentials = 8;
inline constexpr size_t kMaxSsidBytes = 32;
inline constexpr size_t kMaxKeyBytes = 64;
inline constexpr size_t kCredentialBytes = 124;
inline constexpr size_t kTableBytes = 4 + kMaxCredentials * kCredentialBytes;  // 996
inline constexpr uint32_t kKeyIndexTransmitBit = 0x80000000u;

// WSC authentication and encryption types.
enum AuthType : uint32_t {
  kAuthOpen = 1,
  kAuthWpaPsk = 2,
  kAuthShared = 4,
  kAuthWpa = 8,
  kAuthWpa2 = 16,
  kAuthWpa2Psk = 32,
  kAuthWpaWpa2Psk = 34,
};
enum EncryType : uint32_t {
  kEncryNone = 1,
  kEncryWep = 2,
  kEncryTkip = 4,
  kEncryAes = 8,
  kEncryTkipAes = 12,
};

struct WpsCredential {
  uint32_t SsidLength = 0;
  std::array<uint8_t, kMaxSsidBytes> Ssid{};
  uint32_t AuthType = 0;
  uint32_t EncryType = 0;
  uint32_t KeyIndex = 0;
  uint32_t KeyLength = 0;
  std::array<uint8_t, kMaxKeyBytes> Key{};
  std::array<uint8_t, 6> MacAddress{};

  std::string SsidText() const;
  std::string KeyText() const;
  void SetSsid(std::string_view ssid);  // clipped to 32 bytes
  void SetKey(std::string_view key);    // clipped to 64 bytes
  // The WEP key slot 0..3 (bit 31 and anything above the slot ignored).
  uint32_t KeySlot() const { return (KeyIndex & ~kKeyIndexTransmitBit) & 3u; }
  // Open authentication with no encryption counts as not secured.
  bool Secured() const { return AuthType != kAuthOpen || EncryType != kEncryNone; }
  bool operator==(const WpsCredential&) const = default;
};

struct WpsCredentialTable {
  uint32_t Count = 0;
  std::array<WpsCredential, kMaxCredentials> Slots{};

  bool Empty() const { return Count == 0; }
  void Clear() { *this = {}; }
  // Appends when there is room; false when the table is full.
  bool Add(const WpsCredential& credential);
  // Removes slot `row` and moves the slots after it down by one; false for a row not in use.
  bool Delete(uint32_t row);
  // Clamps the count and every slot's lengths and zeroes the slots at and above the count.
  void Normalize();
  bool operator==(const WpsCredentialTable&) const = default;
};

// The driver's 996-byte form. Parsing a shorter buffer reads the slots it holds; the result is
// normalized.
std::array<uint8_t, kTableBytes> EncodeTable(const WpsCredentialTable& table);
WpsCredentialTable DecodeTable(std::span<const uint8_t> bytes);

// How one WSC type is used.
struct AuthMapping {
  std::string_view Text;            // detail view; empty for an unknown type
  uint32_t NdisMode;                // NDIS_802_11_AUTHENTICATION_MODE used to connect
  std::optional<int> EditorChoice;  // the profile editor's list position; none: unchanged
};
struct EncryMapping {
  std::string_view Text;
  uint32_t NdisStatus;      // NDIS_802_11_ENCRYPTION_STATUS set when connecting
  uint32_t MatchA, MatchB;  // statuses that count as the same network in the connection test
  std::optional<int> EditorChoice;
};
AuthMapping MapAuth(uint32_t authType);
EncryMapping MapEncry(uint32_t encryType);

// "%02X-%02X-%02X-%02X-%02X-%02X".
std::string MacText(std::span<const uint8_t> mac);

// The credential the station offers as registrar: "ExRegNW" and the last three bytes of the
// adapter's address, WPA2-PSK with AES and a key of 64 upper-case hex digits of 32 bytes from
// the cryptographic generator. Nullopt when the generator fails (no weak key is ever offered).
std::optional<WpsCredential> BuildRegistrarCredential(std::span<const uint8_t, 6> adapterMac);

// A key of exactly 64 characters is a raw pre-shared key and must be hexadecimal.
bool IsHexText(std::string_view text);

}  // namespace kavo9::wps
