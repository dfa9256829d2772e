#include "station/wps/page/WpsProfileDetail.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kavo9::wpspage {
namespace {

using namespace wps;

constexpr std::array<int, 4> kWepLengths = {5, 10, 13, 26};
constexpr int kPskLimit = 64, kPassPhraseMin = 8;

std::string HexOf(const std::string& ascii) {
  std::string hex;
  for (unsigned char c : ascii) {
    char two[4];
    std::snprintf(two, sizeof two, "%02x", c);
    hex += two;
  }
  return hex;
}

std::string AsciiOf(const std::string& hex) {
  std::string ascii;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    ascii += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return ascii;
}

}  // namespace

WpsDetailTexts DetailTexts(const WpsCredential& c) {
  WpsDetailTexts t;
  t.ssid = c.SsidText();
  t.bssid = MacText(c.MacAddress);
  t.auth = std::string(MapAuth(c.AuthType).Text);
  t.encry = std::string(MapEncry(c.EncryType).Text);
  if (c.AuthType == kAuthOpen && c.EncryType == kEncryNone) return t;
  const std::string key = c.KeyText();
  t.keyLength = std::to_string(c.KeyLength);
  t.keyIndex = "Key#" + std::to_string(c.KeySlot() + 1);
  t.keyHex = t.keyAscii = key;
  if (c.EncryType != kEncryWep) return t;
  t.wep = true;
  if (key.size() == 5 || key.size() == 13) {
    t.keyLength = std::to_string(key.size() * 2);
    t.keyHex = HexOf(key);
  } else if ((key.size() == 10 || key.size() == 26) && IsHexText(key)) {
    t.keyAscii = AsciiOf(key);
  } else {
    t.wep = false;  // no other form to offer
  }
  return t;
}

RegistrarChoice ChoiceFrom(const WpsCredential& c) {
  RegistrarChoice r;
  r.ssid = c.SsidText();
  r.auth = c.AuthType == kAuthOpen ? RegistrarChoice::kOpen
           : (c.AuthType == kAuthWpaPsk || c.AuthType == kAuthWpaWpa2Psk)
               ? RegistrarChoice::kWpaPsk
               : RegistrarChoice::kWpa2Psk;
  const bool first =
      c.EncryType == kEncryNone || c.EncryType == kEncryTkip || c.EncryType == kEncryTkipAes;
  r.encry = first ? 0 : 1;
  for (size_t i = 0; i < kWepLengths.size(); ++i) {
    if (c.KeyLength == uint32_t(kWepLengths[i])) r.keyLengthIndex = int(i);
  }
  r.keyIndex = int(c.KeySlot());
  r.key = c.KeyText();
  return r;
}

int KeyLimit(const RegistrarChoice& r) {
  if (r.auth != RegistrarChoice::kOpen) return kPskLimit;
  if (r.encry == 0) return 0;
  return kWepLengths[size_t(std::clamp(r.keyLengthIndex, 0, 3))];
}

bool KeyIsHexOnly(const RegistrarChoice& r) {
  const int limit = KeyLimit(r);
  return limit == 10 || limit == 26;
}

std::optional<std::string> ValidateRegistrar(const RegistrarChoice& r) {
  const int limit = KeyLimit(r);
  const size_t n = r.key.size();
  switch (limit) {
    case 0:
      return std::nullopt;
    case 5:
      if (n != 5) return "Invalid WEP Key length. WEP Key should be 5 ascii characters";
      return std::nullopt;
    case 13:
      if (n != 13) return "Invalid WEP Key length. WEP Key should be 13 ascii characters";
      return std::nullopt;
    case 10:
    case 26:
      if (n != size_t(limit) || !IsHexText(r.key)) {
        return "Invalid WEP Key length. WEP Key should be " + std::to_string(limit) + " hex digits";
      }
      return std::nullopt;
    default:
      // A pass phrase of 8 to 63 characters, or a raw key of exactly 64 hex digits.
      if (n < size_t(kPassPhraseMin) || n > size_t(kPskLimit) ||
          (n == size_t(kPskLimit) && !IsHexText(r.key))) {
        return "Invalid WPA Pre-Shared key. WPA-PSK use field should be 64 hex digits.";
      }
      return std::nullopt;
  }
}

bool NeedsInsecureConfirm(const RegistrarChoice& r) {
  return r.auth == RegistrarChoice::kOpen && r.encry == 0;
}

WpsCredential ApplyRegistrar(const RegistrarChoice& r, const WpsCredential& old) {
  WpsCredential c;
  c.MacAddress = old.MacAddress;
  c.SetSsid(r.ssid);
  if (r.auth == RegistrarChoice::kOpen) {
    c.AuthType = kAuthOpen;
    if (r.encry == 0) {
      c.EncryType = kEncryNone;
      return c;
    }
    c.EncryType = kEncryWep;
    c.KeyIndex = uint32_t(std::clamp(r.keyIndex, 0, 3));
    c.SetKey(r.key.substr(0, size_t(KeyLimit(r))));
    return c;
  }
  c.AuthType = r.auth == RegistrarChoice::kWpaPsk ? kAuthWpaPsk : kAuthWpa2Psk;
  c.EncryType = r.encry == 1 ? kEncryAes : kEncryTkip;
  c.KeyIndex = 0;
  c.SetKey(r.key);
  return c;
}

}  // namespace kavo9::wpspage
