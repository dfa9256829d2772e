#pragma once
// The credential detail (dialog 247): the texts of one credential, and the registrar's edit of
// the credential it offers — its choices, the key rules and the credential they make.

#include <optional>
#include <string>

#include "station/wps/WpsCredential.h"

namespace kavo9::wpspage {

struct WpsDetailTexts {
  std::string ssid, bssid, auth, encry, keyLength, keyIndex;
  std::string keyHex, keyAscii;  // the key's two forms (the same text when only one exists)
  bool wep = false;              // the ASCII form can be shown
};
WpsDetailTexts DetailTexts(const wps::WpsCredential& credential);

// The registrar's choices, as the detail's combos hold them.
struct RegistrarChoice {
  enum Auth { kOpen = 0, kWpaPsk = 1, kWpa2Psk = 2 };
  std::string ssid;
  int auth = kWpa2Psk;
  int encry = 1;           // open: 0 NONE, 1 WEP; WPA: 0 TKIP, 1 AES
  int keyLengthIndex = 0;  // WEP: 5, 10, 13, 26
  int keyIndex = 0;        // WEP: key 1 to 4
  std::string key;
};
RegistrarChoice ChoiceFrom(const wps::WpsCredential& credential);

// The key field's limit: 0 when it is locked (open, no encryption), 5/10/13/26 for WEP, 64 else.
int KeyLimit(const RegistrarChoice& choice);
// Hex digits only (WEP keys of 10 and 26 digits).
bool KeyIsHexOnly(const RegistrarChoice& choice);
// The text of the first rule the choice breaks, or nullopt.
std::optional<std::string> ValidateRegistrar(const RegistrarChoice& choice);
// Open authentication without encryption: the user confirms first.
bool NeedsInsecureConfirm(const RegistrarChoice& choice);
// The credential the choices make (the MAC address of `old` is kept).
wps::WpsCredential ApplyRegistrar(const RegistrarChoice& choice, const wps::WpsCredential& old);

inline constexpr const char* kInsecureQuestion = "Your configuration is not secure";

}  // namespace kavo9::wpspage
