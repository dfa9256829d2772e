#include "station/wps/WpsConnect.h"

#include <array>
#include <cstring>
#include <vector>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"

namespace kavo9::wps {
namespace {

constexpr uint32_t kWepHexShort = 10, kWepHexLong = 26, kWepLongest = 13;

int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The key material a WEP credential joins with.
std::vector<uint8_t> WepMaterial(const WpsCredential& c) {
  const uint32_t length = std::min<uint32_t>(c.KeyLength, kMaxKeyBytes);
  std::vector<uint8_t> text(c.Key.begin(), c.Key.begin() + length);
  if (length == kWepHexShort || length == kWepHexLong) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
      const int hi = HexValue(text[i]), lo = HexValue(text[i + 1]);
      if (hi < 0 || lo < 0) return text;  // not hex after all: joined as the characters
      bytes.push_back(uint8_t(hi << 4 | lo));
    }
    return bytes;
  }
  if (length > kWepLongest) return std::vector<uint8_t>(kWepLongest, 0);
  return text;
}

}  // namespace

connect::ConnectRecord RecordFromCredential(const WpsCredential& c, uint32_t frequencyKhz,
                                            uint32_t psMode) {
  connect::ConnectRecord r;
  r.BssidBound = 0;
  r.SetSsid(c.SsidText());
  r.SetBssid(c.MacAddress);
  r.InfraMode = Ndis802_11Infrastructure;
  r.Preamble = connect::kAutoPreamble;
  r.RtsThreshold = connect::kDefaultRtsThreshold;
  r.FragThreshold = 0;
  r.TxPowerIndex = 0;
  r.PowerMode = psMode;
  r.ApplyRadioSettings = 0;
  r.DisassociateFirst = 1;
  r.FrequencyKhz = frequencyKhz;
  r.AuthMode = MapAuth(c.AuthType).NdisMode;
  r.Encryption = MapEncry(c.EncryType).NdisStatus;
  if (c.EncryType == kEncryWep && c.KeyLength > 0) {
    const uint32_t slot = c.KeySlot();
    r.WepKeys[slot].emplace(slot | kKeyIndexTransmitBit, WepMaterial(c));
  }
  if (c.AuthType == kAuthWpaPsk || c.AuthType == kAuthWpa2Psk) r.PassPhrase = c.KeyText();
  return r;
}

uint32_t TakeConnectSlot(WpsState& s) {
  const uint32_t count = std::max<uint32_t>(1, std::min<uint32_t>(s.Table.Count, kMaxCredentials));
  if (s.RotationIndex >= count) s.RotationIndex = 0;
  if (s.SelectedCredential >= count) s.SelectedCredential = 0;
  if (!s.Rotate) {
    s.RotationIndex = s.SelectedCredential;
    return s.SelectedCredential;
  }
  s.SelectedCredential = s.RotationIndex;
  s.RotationIndex = (s.RotationIndex + 1) % count;
  return s.SelectedCredential;
}

bool IsConnectedToWpsNetwork(DriverPort& driver, const WpsCredential& c) {
  uint32_t media = kMediaDisconnected;
  if (!driver.QueryInformation(OID_GEN_MEDIA_CONNECT_STATUS, &media, 4, nullptr) ||
      media != kMediaConnected) {
    return false;
  }
  std::array<uint8_t, 36> ssid{};
  driver.QueryInformation(OID_802_11_SSID, ssid.data(), uint32_t(ssid.size()), nullptr);
  uint32_t ssidLength = 0;
  std::memcpy(&ssidLength, ssid.data(), 4);
  const std::string current(reinterpret_cast<const char*>(ssid.data() + 4),
                            std::min<uint32_t>(ssidLength, 32));
  uint32_t auth = 0, encryption = 1;
  if (!driver.QueryInformation(OID_802_11_AUTHENTICATION_MODE, &auth, 4, nullptr)) auth = 0;
  if (!driver.QueryInformation(OID_802_11_ENCRYPTION_STATUS, &encryption, 4, nullptr)) {
    encryption = 1;
  }
  const EncryMapping e = MapEncry(c.EncryType);
  return (current.empty() || current == c.SsidText()) && auth == MapAuth(c.AuthType).NdisMode &&
         (encryption == e.MatchA || encryption == e.MatchB);
}

}  // namespace kavo9::wps
