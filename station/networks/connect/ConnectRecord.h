#pragma once
// The connect record: everything the driver must be told to join one network. A record is made by
// a producer (the site survey, the active profile, a copy of the last record), queued, carried out
// by the connect steps and freed with its queue entry. It owns its key buffers; copies are made
// only on purpose (DeepCopy / CopyForLastRecord), never by accident.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "station/dot1x/settings/Dot1xSettings.h"
#include "station/networks/queue/ActionQueueSeams.h"

namespace kavo9::connect {

// NDIS_802_11_KEY: Length, KeyIndex (bit 31 on the transmit key), KeyLength, the broadcast BSSID
// with two more 0xFF bytes, the key material from byte 32.
class NdisKey {
 public:
  static constexpr size_t kHeaderBytes = 32;
  static constexpr uint32_t kLengthOverhead = 39;  // Length = key length + 39

  NdisKey(uint32_t keyIndex, std::span<const uint8_t> material);
  std::span<const uint8_t> Bytes() const { return bytes_; }
  uint32_t Length() const { return uint32_t(bytes_.size()); }
  uint32_t KeyIndex() const;
  uint32_t KeyLength() const;
  std::span<const uint8_t> Material() const;

 private:
  std::vector<uint8_t> bytes_;
};

// The WPA-None key: Length 71, KeyIndex 0x80000000, KeyLength 32, the 32-byte PMK.
inline constexpr uint32_t kWpaNoneKeyLength = 71;
NdisKey MakeWpaNoneKey(const std::array<uint8_t, 32>& pmk);

inline constexpr uint32_t kDefaultRtsThreshold = 2347;
inline constexpr uint32_t kAutoPreamble = 2;

struct ConnectRecord : ActionPayload {
  ConnectRecord() = default;
  ConnectRecord(ConnectRecord&&) = default;
  ConnectRecord& operator=(ConnectRecord&&) = default;

  uint32_t BssidBound = 0;
  std::array<uint8_t, 36> Ssid{};  // NDIS_802_11_SSID
  std::array<uint8_t, 8> Bssid{};  // 6 bytes and 2 spare
  uint32_t InfraMode = 0;
  uint32_t Preamble = 0;
  uint32_t RtsThreshold = 0;
  uint32_t FragThreshold = 0;
  uint32_t AuthMode = 0;
  uint32_t Encryption = 0;
  uint32_t TxPowerIndex = 0;
  std::optional<NdisKey> WpaNoneKey;
  std::array<std::optional<NdisKey>, 4> WepKeys;
  uint32_t PowerMode = 0;
  uint32_t AcPowerCam = 0;
  uint32_t FrequencyKhz = 0;
  uint32_t DisassociateFirst = 0;
  uint32_t ApplyRadioSettings = 0;
  // The radio settings sent with ApplyRadioSettings 1.
  uint32_t WirelessMode = 0;
  std::array<uint8_t, 8> DesiredRates{};
  std::optional<std::array<uint8_t, 26>> RateSet;  // none in the 802.11n modes
  std::array<uint8_t, 32> StaConfig{};
  uint32_t CountryRegion = 0;
  uint32_t HtSettingWord = 0;
  uint32_t CcxBytes = 0;
  // The 802.1X part; the pre-shared pass phrase of WPA-PSK and WPA2-PSK.
  uint32_t Use8021X = 0;
  // Method, identities, passwords, certificate hashes and PAC choices (Use8021X above is the
  // record's own switch; the copy inside is not read).
  dot1x::Dot1xSettings Dot1x;
  std::string PassPhrase;  // at most 64 bytes
  // LEAP.
  uint8_t LeapEnabled = 0;
  uint8_t LeapCckm = 0;
  std::string LeapUserName;  // each at most 256 bytes
  std::string LeapPassword;
  std::string LeapDomain;
  uint32_t WpsFlag = 0;
  uint32_t FullApplyMark = 0;

  std::string_view SsidText() const;
  void SetSsid(std::string_view ssid);
  std::array<uint8_t, 6> BssidBytes() const;
  void SetBssid(std::span<const uint8_t> bssid);
  // Whether carrying the record out needs the 802.1X supplicant: WPA, WPA2, 802.1X with open or
  // shared authentication, LEAP, or a pre-shared key the supplicant negotiates.
  bool NeedsSupplicant() const;

  // A full copy, key buffers included.
  ConnectRecord DeepCopy() const;
  // The copy kept as the last connect record: WEP keys only for shared authentication or WEP
  // encryption, the WPA-None key only for WPA-None.
  ConnectRecord CopyForLastRecord() const;

 private:
  ConnectRecord(const ConnectRecord&) = default;
};

// The transmit-power percentage of a power index: 0 automatic (-1), 1..6 100/75/50/25/10/6.
int32_t TxPowerPercent(uint32_t index);

}  // namespace kavo9::connect
