#include "station/wps/WpsCredential.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "station/wps/WpsPin.h"

namespace kavo9::wps {
namespace {

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  if (at + 4 > b.size()) return 0;
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

void PutLe32(uint8_t* at, uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}

template <size_t N>
void CopyOut(std::span<const uint8_t> b, size_t at, std::array<uint8_t, N>& out) {
  if (at >= b.size()) return;
  std::memcpy(out.data(), b.data() + at, std::min(N, b.size() - at));
}

// Offsets inside one record.
enum : size_t {
  kOffSsidLength = 0,
  kOffSsid = 4,
  kOffAuth = 36,
  kOffEncry = 40,
  kOffKeyIndex = 44,
  kOffKeyLength = 48,
  kOffKey = 52,
  kOffMac = 116,
};

void Clamp(WpsCredential& c) {
  c.SsidLength = std::min<uint32_t>(c.SsidLength, kMaxSsidBytes);
  c.KeyLength = std::min<uint32_t>(c.KeyLength, kMaxKeyBytes);
}

}  // namespace

std::string WpsCredential::SsidText() const {
  return std::string(reinterpret_cast<const char*>(Ssid.data()),
                     std::min<size_t>(SsidLength, kMaxSsidBytes));
}

std::string WpsCredential::KeyText() const {
  return std::string(reinterpret_cast<const char*>(Key.data()),
                     std::min<size_t>(KeyLength, kMaxKeyBytes));
}

void WpsCredential::SetSsid(std::string_view ssid) {
  Ssid.fill(0);
  SsidLength = uint32_t(std::min(ssid.size(), kMaxSsidBytes));
  std::memcpy(Ssid.data(), ssid.data(), SsidLength);
}

void WpsCredential::SetKey(std::string_view key) {
  Key.fill(0);
  KeyLength = uint32_t(std::min(key.size(), kMaxKeyBytes));
  std::memcpy(Key.data(), key.data(), KeyLength);
}

bool WpsCredentialTable::Add(const WpsCredential& credential) {
  if (Count >= kMaxCredentials) return false;
  Slots[Count++] = credential;
  return true;
}

bool WpsCredentialTable::Delete(uint32_t row) {
  if (row >= Count || Count > kMaxCredentials) return false;
  std::move(Slots.begin() + row + 1, Slots.begin() + Count, Slots.begin() + row);
  --Count;
  Slots[Count] = {};
  return true;
}

void WpsCredentialTable::Normalize() {
  Count = std::min<uint32_t>(Count, kMaxCredentials);
  for (size_t i = 0; i < kMaxCredentials; ++i) {
    if (i >= Count) {
      Slots[i] = {};
      continue;
    }
    Clamp(Slots[i]);
  }
}

std::array<uint8_t, kTableBytes> EncodeTable(const WpsCredentialTable& table) {
  std::array<uint8_t, kTableBytes> out{};
  PutLe32(out.data(), std::min<uint32_t>(table.Count, kMaxCredentials));
  for (size_t i = 0; i < kMaxCredentials; ++i) {
    const WpsCredential& c = table.Slots[i];
    uint8_t* r = out.data() + 4 + i * kCredentialBytes;
    PutLe32(r + kOffSsidLength, std::min<uint32_t>(c.SsidLength, kMaxSsidBytes));
    std::memcpy(r + kOffSsid, c.Ssid.data(), c.Ssid.size());
    PutLe32(r + kOffAuth, c.AuthType);
    PutLe32(r + kOffEncry, c.EncryType);
    PutLe32(r + kOffKeyIndex, c.KeyIndex);
    PutLe32(r + kOffKeyLength, std::min<uint32_t>(c.KeyLength, kMaxKeyBytes));
    std::memcpy(r + kOffKey, c.Key.data(), c.Key.size());
    std::memcpy(r + kOffMac, c.MacAddress.data(), c.MacAddress.size());
  }
  return out;
}

WpsCredentialTable DecodeTable(std::span<const uint8_t> bytes) {
  WpsCredentialTable table;
  table.Count = Le32(bytes, 0);
  for (size_t i = 0; i < kMaxCredentials; ++i) {
    const size_t at = 4 + i * kCredentialBytes;
    if (at >= bytes.size()) break;
    const auto r = bytes.subspan(at, std::min(kCredentialBytes, bytes.size() - at));
    WpsCredential& c = table.Slots[i];
    c.SsidLength = Le32(r, kOffSsidLength);
    CopyOut(r, kOffSsid, c.Ssid);
    c.AuthType = Le32(r, kOffAuth);
    c.EncryType = Le32(r, kOffEncry);
    c.KeyIndex = Le32(r, kOffKeyIndex);
    c.KeyLength = Le32(r, kOffKeyLength);
    CopyOut(r, kOffKey, c.Key);
    CopyOut(r, kOffMac, c.MacAddress);
  }
  // A count beyond the slots the buffer held cannot be trusted either.
  const size_t held = bytes.size() < 4 ? 0 : (bytes.size() - 4) / kCredentialBytes;
  table.Count = std::min<uint32_t>(table.Count, uint32_t(held));
  table.Normalize();
  return table;
}

AuthMapping MapAuth(uint32_t authType) {
  switch (authType) {
    case kAuthOpen:
      return {"OPEN", 0, 0};
    case kAuthWpaPsk:
      return {"WPA-PSK", 4, 4};
    case kAuthShared:
      return {"SHARED", 1, 1};
    case kAuthWpa:
      return {"WPA", 3, 3};
    case kAuthWpa2:
      return {"WPA2", 6, 5};
    case kAuthWpa2Psk:
      return {"WPA2-PSK", 7, 6};
    case kAuthWpaWpa2Psk:
      return {"WPA-PSK;WPA2-PSK", 4, 4};
    default:
      return {"", 0, std::nullopt};
  }
}

EncryMapping MapEncry(uint32_t encryType) {
  switch (encryType) {
    case kEncryNone:
      return {"NONE", 1, 1, 2, 0};
    case kEncryWep:
      return {"WEP", 0, 0, 2, 1};
    case kEncryTkip:
      return {"TKIP", 4, 4, 5, 2};
    case kEncryAes:
      return {"AES", 6, 6, 7, 3};
    case kEncryTkipAes:
      return {"TKIP;AES", 4, 4, 5, 2};
    default:
      return {"", 1, 1, 2, std::nullopt};
  }
}

std::string MacText(std::span<const uint8_t> mac) {
  char text[24] = {};
  if (mac.size() >= 6) {
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
  }
  return text;
}

std::optional<WpsCredential> BuildRegistrarCredential(std::span<const uint8_t, 6> adapterMac) {
  uint8_t random[32];
  if (!RandomBytes(random, sizeof random)) return std::nullopt;
  WpsCredential c;
  char ssid[16];
  std::snprintf(ssid, sizeof ssid, "ExRegNW%02X%02X%02X", adapterMac[3], adapterMac[4],
                adapterMac[5]);
  c.SetSsid(ssid);
  c.AuthType = kAuthWpa2Psk;
  c.EncryType = kEncryAes;
  c.KeyIndex = 1;
  std::string key;
  for (uint8_t b : random) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", b);
    key += hex;
  }
  c.SetKey(key);
  return c;
}

bool IsHexText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
  });
}

}  // namespace kavo9::wps
