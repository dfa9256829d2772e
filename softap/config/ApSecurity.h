#pragma once
// The access point's security settings as the configuration page and its security dialog share
// them: the choices of the dialog's combos, which fields the choice enables, the checks of OK and
// the form the keys are stored in.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "softap/record/ApCodes.h"

namespace kavo9::softap {

inline constexpr int kWepKeyCount = 4;
inline constexpr int kKeyTypeHex = 0;
inline constexpr int kKeyTypeAscii = 1;
// Field limits of the dialog.
inline constexpr int kMaxPassPhrase = 64;
inline constexpr int kMaxHexKey = 26;
inline constexpr int kMaxAsciiKey = 13;

struct ApSecurity {
  uint32_t auth = kAuthOpen;
  uint32_t encryption = kEncNone;
  std::string passPhrase;
  long rekeyInterval = 0;
  uint32_t rekeyMethod = 0;  // 0 = every 10 seconds, 1 = every thousand packets
  long radiusPort = 0;
  uint32_t radiusAddress = 0;
  std::string radiusKey;
  int transmitKey = 0;  // 0-3
  std::array<int, kWepKeyCount> keyTypes{};
  // As typed: hexadecimal digits for a hexadecimal key, the characters for an ASCII one.
  std::array<std::string, kWepKeyCount> keys;

  bool operator==(const ApSecurity&) const = default;
};

// Whether the settings put WEP keys to use: open or automatic with WEP, or shared.
bool UsesWep(uint32_t auth, uint32_t encryption);

// The authentication combo: Open, Shared, WPA-PSK, WPA2-PSK, WPA-PSK/WPA2-PSK.
inline constexpr int kAuthEntryCount = 5;
uint32_t AuthForEntry(int entry);
int EntryForAuth(uint32_t auth);
// The encryption combo of an authentication entry: "Non"/"WEP" for the first two, "TKIP"/"AES"
// for the others.
std::vector<std::string> EncryptionEntries(int authEntry);
uint32_t EncryptionForEntry(int authEntry, int entry);
int EntryForEncryption(int authEntry, uint32_t encryption);

// Which fields a choice opens.
enum class KeyFields { kNone, kWep, kPassPhrase };
KeyFields FieldsFor(uint32_t auth, uint32_t encryption);

// OK's checks: 0 when they pass, else the string number of the message.
int CheckSecurity(const ApSecurity& security);

// A key as it is stored: an ASCII key of 5 or 13 characters as two lower-case hexadecimal digits
// per character, anything else as typed.
std::string StoredKey(int type, std::string_view typed);
// A stored key as the dialog shows it: an ASCII key stored as 10 or 26 hexadecimal digits shows
// its characters again; anything else as stored.
std::string TypedKey(int type, std::string_view stored);

}  // namespace kavo9::softap
