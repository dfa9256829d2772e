#pragma once
// The byte layouts of the records the access point sends to its driver: keys, the RADIUS server,
// the group rekey, wireless distribution, access control and the network name, and the fields of
// the configuration and access-point records it changes.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9::softap {

using Mac = std::array<uint8_t, 6>;
inline constexpr Mac kBroadcastMac = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// OID_802_11_ADD_KEY: length, index, key length, BSSID and padding, receive sequence counter,
// then the key from byte 32; 39 + key length bytes in all, which the length field repeats.
inline constexpr size_t kKeyMaterialOffset = 32;
std::vector<uint8_t> AddKeyRecord(uint32_t keyIndex, std::span<const uint8_t> key,
                                  const Mac& bssid);
// OID_802_11_REMOVE_KEY: length 16, index, the broadcast BSSID and two 0xFF bytes.
std::vector<uint8_t> RemoveKeyRecord(uint32_t keyIndex);

// OID_VND_RADIUS_CONFIG, 72 bytes: server address (its four bytes in network order), port, 64
// bytes of shared-key text.
inline constexpr size_t kRadiusRecordSize = 72;
std::array<uint8_t, kRadiusRecordSize> RadiusRecord(uint32_t address, uint32_t port,
                                                    std::string_view key);
// The stored server address: dotted decimal ("192.168.1.2") or the configuration page's
// hexadecimal text of the address ("C0A80102", "0xC0A80102"). nullopt for anything else.
std::optional<uint32_t> ParseRadiusAddress(std::string_view text);

// OID_VND_REKEY, 8 bytes: method, interval.
std::array<uint8_t, 8> RekeyRecord(uint32_t method, uint32_t interval);

// OID_VND_WDS, 60 bytes: peer count, three peer addresses, padding, key length (0 or 32), key.
inline constexpr size_t kWdsRecordSize = 60;
inline constexpr size_t kMaxWdsPeers = 3;
std::array<uint8_t, kWdsRecordSize> WdsRecord(std::span<const Mac> peers,
                                              std::optional<std::array<uint8_t, 32>> key);

// OID_VND_ACCESS_CONTROL, 264 bytes: policy, entry count, 32 entries of an address and two zero
// bytes. With policy 0 or no entries both numbers are 0.
inline constexpr size_t kAccessControlRecordSize = 264;
inline constexpr size_t kMaxAccessControlEntries = 32;
std::array<uint8_t, kAccessControlRecordSize> AccessControlRecord(uint32_t policy,
                                                                  std::span<const Mac> entries);

// OID_802_11_SSID, 36 bytes: length, then at most 32 bytes of the name.
std::array<uint8_t, 36> SsidRecord(std::string_view ssid);

// A MAC address from 12 hexadecimal digits (as the record's lists keep them).
std::optional<Mac> ParseMac12(std::string_view text);
// Decodes hexadecimal digits (an even count); nullopt when any character is not one.
std::optional<std::vector<uint8_t>> DecodeHex(std::string_view text);

// NDIS_802_11_CONFIGURATION: the beacon period and the DS configuration (frequency in kHz).
inline constexpr size_t kConfigurationSize = 32;
inline constexpr size_t kConfigBeaconOffset = 4;
inline constexpr size_t kConfigFrequencyOffset = 12;

// OID_VND_AP_CONFIG: eight 32-bit fields.
enum ApConfigField : size_t {
  kApTxBurst = 0,
  kApTurboRate,
  kApNoForwarding,
  kApHideSsid,
  kApBgProtection,
  kApShortSlot,
  kApIdleTime,
  kApDriverOwned,
};
inline constexpr size_t kApConfigSize = 32;

void PutLe32At(std::span<uint8_t> bytes, size_t offset, uint32_t value);
uint32_t GetLe32At(std::span<const uint8_t> bytes, size_t offset);

}  // namespace kavo9::softap
