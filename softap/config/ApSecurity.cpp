#include "softap/config/ApSecurity.h"

#include <algorithm>
#include <cctype>

#include "softap/apply/ApDriverRecords.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {
namespace {

constexpr uint32_t kAuthOfEntry[kAuthEntryCount] = {kAuthOpen, kAuthShared, kAuthWpaPsk,
                                                    kAuthWpa2Psk, kAuthWpaPskWpa2Psk};

bool AllHex(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; });
}

bool WepKeyOk(int type, std::string_view key) {
  if (type == kKeyTypeAscii) return key.size() == 5 || key.size() == 13;
  return (key.size() == 10 || key.size() == 26) && AllHex(key);
}

}  // namespace

bool UsesWep(uint32_t auth, uint32_t encryption) {
  return ((auth == kAuthOpen || auth == kAuthAutoSwitch) && encryption == kEncWep) ||
         auth == kAuthShared;
}

uint32_t AuthForEntry(int entry) {
  return entry >= 0 && entry < kAuthEntryCount ? kAuthOfEntry[entry] : kAuthOpen;
}

int EntryForAuth(uint32_t auth) {
  for (int i = 0; i < kAuthEntryCount; ++i) {
    if (kAuthOfEntry[i] == auth) return i;
  }
  // Any other code picks the entry of its number when there is one.
  return auth < uint32_t(kAuthEntryCount) ? int(auth) : 0;
}

std::vector<std::string> EncryptionEntries(int authEntry) {
  if (authEntry < 2) return {"Non", "WEP"};
  return {"TKIP", "AES"};
}

uint32_t EncryptionForEntry(int authEntry, int entry) {
  if (authEntry == 1) return kEncWep;  // shared keys are WEP keys
  if (authEntry < 2) return entry == 1 ? kEncWep : kEncNone;
  return entry == 1 ? kEncAes : kEncTkip;
}

int EntryForEncryption(int authEntry, uint32_t encryption) {
  if (authEntry == 1) return 1;
  if (authEntry < 2) return encryption == kEncWep ? 1 : 0;
  return encryption == kEncAes ? 1 : 0;
}

KeyFields FieldsFor(uint32_t auth, uint32_t encryption) {
  if (IsPskAuth(auth)) return KeyFields::kPassPhrase;
  if (UsesWep(auth, encryption)) return KeyFields::kWep;
  return KeyFields::kNone;
}

int CheckSecurity(const ApSecurity& s) {
  switch (FieldsFor(s.auth, s.encryption)) {
    case KeyFields::kWep:
      for (int i = 0; i < kWepKeyCount; ++i) {
        const std::string& key = s.keys[size_t(i)];
        const bool mayBeEmpty = i != s.transmitKey;
        if (mayBeEmpty && key.empty()) continue;
        if (!WepKeyOk(s.keyTypes[size_t(i)], key)) return kStrWepKeyLength;
      }
      return 0;
    case KeyFields::kPassPhrase: {
      const size_t n = s.passPhrase.size();
      if (n < 8 || n > size_t(kMaxPassPhrase)) return kStrPskLength;
      // 64 characters are the key itself, in hexadecimal.
      if (n == size_t(kMaxPassPhrase) && !AllHex(s.passPhrase)) return kStrPskLength;
      return 0;
    }
    case KeyFields::kNone:
      return 0;
  }
  return 0;
}

std::string StoredKey(int type, std::string_view typed) {
  if (type != kKeyTypeAscii || (typed.size() != 5 && typed.size() != 13)) {
    return std::string(typed);
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : typed) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 0x0F];
  }
  return hex;
}

std::string TypedKey(int type, std::string_view stored) {
  if (type != kKeyTypeAscii || (stored.size() != 10 && stored.size() != 26)) {
    return std::string(stored);
  }
  auto bytes = DecodeHex(stored);
  if (!bytes) return std::string(stored);
  return std::string(bytes->begin(), bytes->end());
}

}  // namespace kavo9::softap
