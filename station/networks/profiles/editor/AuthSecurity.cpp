#include "station/networks/profiles/editor/AuthSecurity.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "station/networks/profiles/editor/ProfileEditorIds.h"

namespace kavo9::profileeditor {
namespace {

bool IsHex(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool IsPrintableAscii(char c) {
  return c >= 0x20 && c <= 0x7E;
}

bool AllOf(const std::string& text, bool (*test)(char)) {
  return std::all_of(text.begin(), text.end(), test);
}

bool IsPskChoice(int choice) {
  return choice == kAuthWpaPsk || choice == kAuthWpa2Psk || choice == kAuthWpaNone;
}

bool IsEapChoice(int choice) {
  return choice == kAuthWpa || choice == kAuthWpa2;
}

std::string Trimmed(const std::string& text) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  auto begin = std::find_if_not(text.begin(), text.end(), space);
  auto end = std::find_if_not(text.rbegin(), text.rend(), space).base();
  return begin < end ? std::string(begin, end) : std::string();
}

// The stored "AuthenType" of a choice.
long StoredAuthentication(int choice, bool infrastructure, bool leap, int leapCipher) {
  if (!infrastructure && choice == kAuthWpaNone) return 5;
  if (!infrastructure && choice == kAuthWpa) return 0;
  if (infrastructure && choice == kAuthWpaNone) return 4;
  if (leap) return leapCipher == kLeapTkip ? 3 : leapCipher == kLeapAes ? 6 : 0;
  static constexpr std::array<long, kAuthChoiceCount> kStored = {0, 1, 0, 3, 4, 6, 7, 5};
  return kStored[size_t(std::clamp(choice, 0, kAuthChoiceCount - 1))];
}

long StoredEncryption(int choice, bool leap, int leapCipher) {
  if (leap) return leapCipher == kLeapTkip ? 4 : leapCipher == kLeapAes ? 6 : 0;
  static constexpr std::array<long, kEncryptionChoiceCount> kStored = {1, 0, 4, 6};
  return kStored[size_t(std::clamp(choice, 0, kEncryptionChoiceCount - 1))];
}

std::optional<int> AuthChoiceOfStored(long stored) {
  switch (stored) {
    case 0:
      return kAuthOpen;
    case 1:
      return kAuthShared;
    case 3:
      return kAuthWpa;
    case 4:
      return kAuthWpaPsk;
    case 5:
      return kAuthWpaNone;
    case 6:
      return kAuthWpa2;
    case 7:
      return kAuthWpa2Psk;
    default:
      return std::nullopt;
  }
}

std::optional<int> EncryptionChoiceOfStored(long stored) {
  switch (stored) {
    case 0:
      return kEncWep;
    case 1:
      return kEncNone;
    case 4:
      return kEncTkip;
    case 6:
      return kEncAes;
    default:
      return std::nullopt;
  }
}

const char* const kKeyTypeNames[4] = {"WEPKey1Type", "WEPKey2Type", "WEPKey3Type", "WEPKey4Type"};
const char* const kKeyNames[4] = {"WEPKey1", "WEPKey2", "WEPKey3", "WEPKey4"};

}  // namespace

std::string_view AuthChoiceText(int choice) {
  static constexpr std::array<std::string_view, kAuthChoiceCount> kTexts = {
      "Open", "Shared", "LEAP", "WPA", "WPA-PSK", "WPA2", "WPA2-PSK", "WPA-None"};
  return choice >= 0 && choice < kAuthChoiceCount ? kTexts[size_t(choice)] : "";
}

std::string_view EncryptionChoiceText(int choice) {
  static constexpr std::array<std::string_view, kEncryptionChoiceCount> kTexts = {"None", "WEP",
                                                                                  "TKIP", "AES"};
  return choice >= 0 && choice < kEncryptionChoiceCount ? kTexts[size_t(choice)] : "";
}

std::string_view KeyFormText(int form) {
  return form == kKeyAscii ? "ASCII" : "Hexadecimal";
}

size_t KeyLimit(int form) {
  return form == kKeyAscii ? kMaxAsciiKey : kMaxHexKey;
}

bool KeyCharAllowed(int form, char c) {
  return form == kKeyAscii ? IsPrintableAscii(c) : IsHex(c);
}

std::string StoredKeyText(const std::string& typed, int form) {
  if (form != kKeyAscii) return typed;
  std::string out;
  char digits[3];
  for (char c : typed) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
    out += digits;
  }
  return out;
}

std::string ShownKeyText(const std::string& stored, int form) {
  if (form != kKeyAscii || stored.size() % 2 != 0 || stored.size() > 2 * kMaxAsciiKey ||
      !AllOf(stored, IsHex)) {
    return stored;
  }
  std::string out;
  for (size_t i = 0; i < stored.size(); i += 2) {
    const char c = char(std::stoi(stored.substr(i, 2), nullptr, 16));
    if (!IsPrintableAscii(c)) return stored;
    out += c;
  }
  return out;
}

// ---- Choices -------------------------------------------------------------------------------

void AuthSecurity::Reset(bool infrastructure) {
  v_ = AuthSecurityValues();
  infrastructure_ = infrastructure;
  ChooseAuthentication(kAuthOpen);
  ChooseEncryption(kEncNone);
}

void AuthSecurity::ChooseAuthentication(int choice) {
  if (choice < 0 || choice >= kAuthChoiceCount) return;
  v_.authentication = choice;
  v_.use8021X = false;
  if (choice == kAuthOpen) {
    if (v_.encryption == kEncTkip || v_.encryption == kEncAes) v_.encryption = kEncNone;
    EncryptionRule();
  } else if (choice == kAuthShared) {
    v_.encryption = kEncWep;
    EncryptionRule();
  } else if (IsEapChoice(choice) || IsPskChoice(choice)) {
    if (v_.encryption == kEncNone || v_.encryption == kEncWep) v_.encryption = kEncTkip;
    v_.use8021X = IsEapChoice(choice);
    if (IsEapChoice(choice) && dot1x_.MethodIsMd5()) dot1x_.ResetMd5ToPeap();
  }
  Hide8021XForAdhoc();
  WepKeysRule();
}

void AuthSecurity::ChooseEncryption(int choice) {
  if (choice < 0 || choice >= kEncryptionChoiceCount) return;
  v_.encryption = choice;
  if (choice == kEncNone || choice == kEncWep) EncryptionRule();
  WepKeysRule();
}

void AuthSecurity::EncryptionRule() {
  if (v_.encryption == kEncNone) v_.use8021X = false;
  Hide8021XForAdhoc();
}

void AuthSecurity::Hide8021XForAdhoc() {
  if (!infrastructure_ && !IsEapChoice(v_.authentication)) v_.use8021X = false;
}

void AuthSecurity::WepKeysRule() {
  const bool md5 = v_.use8021X && dot1x_.MethodIsMd5();
  view_.leapShown = LeapMode();
  view_.box8021XShown =
      infrastructure_ && (v_.authentication == kAuthOpen || v_.authentication == kAuthShared);
  view_.box8021XEnabled = view_.box8021XShown;
  view_.preSharedKeyEnabled = IsPskChoice(v_.authentication);
  const bool wpaFamily =
      IsEapChoice(v_.authentication) || IsPskChoice(v_.authentication) || LeapMode();
  view_.wepKeysEnabled =
      !wpaFamily &&
      (v_.use8021X ? md5 : (v_.authentication == kAuthShared || v_.encryption == kEncWep));
  view_.dot1xTabEnabled = infrastructure_ && (v_.use8021X || IsEapChoice(v_.authentication));
}

void AuthSecurity::SetUse8021X(bool on) {
  v_.use8021X = on && view_.box8021XShown;
  WepKeysRule();
  dot1x_.ApplyMethodChoice();
}

void AuthSecurity::SetKeyForm(int key, int form) {
  if (key < 0 || key > 3) return;
  form = form == kKeyAscii ? kKeyAscii : kKeyHex;
  v_.keyForm[size_t(key)] = form;
  SetKeyText(key, v_.keys[size_t(key)]);
}

void AuthSecurity::SetDefaultKey(int key) {
  if (key >= 0 && key <= 3) v_.defaultKey = key;
}

void AuthSecurity::SetKeyText(int key, std::string text) {
  if (key < 0 || key > 3) return;
  const int form = v_.keyForm[size_t(key)];
  std::erase_if(text, [form](char c) { return !KeyCharAllowed(form, c); });
  if (text.size() > KeyLimit(form)) text.resize(KeyLimit(form));
  v_.keys[size_t(key)] = std::move(text);
}

void AuthSecurity::SetPreSharedKey(std::string text) {
  if (text.size() > kMaxPreSharedKey) text.resize(kMaxPreSharedKey);
  v_.preSharedKey = std::move(text);
}

void AuthSecurity::SetLeap(std::string identity, std::string password, std::string domain) {
  v_.leapIdentity = std::move(identity);
  v_.leapPassword = std::move(password);
  v_.leapDomain = std::move(domain);
}

void AuthSecurity::SetLeapCipher(int cipher) {
  if (cipher >= kLeapWep && cipher <= kLeapAes) v_.leapCipher = cipher;
}

void AuthSecurity::SetNetworkType(bool infrastructure) {
  infrastructure_ = infrastructure;
  Hide8021XForAdhoc();
  WepKeysRule();
}

void AuthSecurity::OnShown(bool infrastructure) {
  infrastructure_ = infrastructure;
  if (!infrastructure) {
    v_.use8021X = false;
    const int a = v_.authentication;
    if (a != kAuthOpen && a != kAuthShared && a != kAuthWpaNone) ChooseAuthentication(kAuthOpen);
  }
  WepKeysRule();
}

// ---- Menus and checks ----------------------------------------------------------------------

bool AuthSecurity::AuthenticationOffered(int choice) const {
  switch (choice) {
    case kAuthOpen:
    case kAuthShared:
      return true;
    case kAuthWpa:
    case kAuthWpaPsk:
      return infrastructure_ && env_.supplicantAvailable;
    case kAuthWpa2:
    case kAuthWpa2Psk:
      return infrastructure_ && env_.supplicantAvailable && env_.windowsVersionCode >= 7;
    default:
      return false;
  }
}

bool AuthSecurity::EncryptionOffered(int choice) const {
  const int a = v_.authentication;
  if (a == kAuthShared) return choice == kEncWep;
  if (IsEapChoice(a) || IsPskChoice(a)) return choice == kEncTkip || choice == kEncAes;
  return choice == kEncNone || choice == kEncWep;
}

bool AuthSecurity::Dot1xApplies() const {
  const int a = v_.authentication;
  return ((a == kAuthOpen || a == kAuthShared) && v_.use8021X) ||
         (IsEapChoice(a) && infrastructure_);
}

std::optional<AuthCheckFailure> AuthSecurity::Check() const {
  const int a = v_.authentication;
  const bool md5 = v_.use8021X && dot1x_.MethodIsMd5();
  if (a == kAuthShared || (a == kAuthOpen && v_.encryption == kEncWep && (!v_.use8021X || md5))) {
    const size_t k = size_t(v_.defaultKey);
    const std::string& key = v_.keys[k];
    const int control = authencry::kKey[k];
    if (v_.keyForm[k] == kKeyAscii) {
      if ((key.size() != 5 && key.size() != 13) || !AllOf(key, IsPrintableAscii)) {
        return AuthCheckFailure{LangKey::IDS_MSGWEPASCKEYINVALID, control};
      }
    } else if ((key.size() != 10 && key.size() != 26) || !AllOf(key, IsHex)) {
      return AuthCheckFailure{LangKey::IDS_MSGWEPHEXKEYINVALID, control};
    }
  }
  if (IsPskChoice(a) && !profiles::IsValidPreSharedKey(v_.preSharedKey)) {
    return AuthCheckFailure{LangKey::IDS_MSGPSKKEYINVALID, authencry::kPreSharedKey};
  }
  return std::nullopt;
}

std::optional<AuthCheckFailure> AuthSecurity::CheckLeap() {
  if (!LeapMode() || !infrastructure_) return std::nullopt;
  v_.leapIdentity = Trimmed(v_.leapIdentity);
  v_.leapPassword = Trimmed(v_.leapPassword);
  v_.leapDomain = Trimmed(v_.leapDomain);
  if (v_.leapIdentity.empty()) {
    return AuthCheckFailure{LangKey::IDS_CHECKRULE8, authencry::kLeapIdentity};
  }
  if (v_.leapPassword.empty()) {
    return AuthCheckFailure{LangKey::IDS_CHECKRULE8, authencry::kLeapPassword};
  }
  return std::nullopt;
}

// ---- Stored form ---------------------------------------------------------------------------

void AuthSecurity::Load(const profiles::ProfileValues& stored, bool infrastructure) {
  infrastructure_ = infrastructure;
  int auth = v_.authentication;
  if (stored.Has("AuthenType")) {
    if (auto choice = AuthChoiceOfStored(stored.Number("AuthenType", 0))) auth = *choice;
  }
  const bool leap = stored.Number("LeapEnabled", 0) != 0;
  if (leap) auth = kAuthLeap;
  int enc = v_.encryption;
  if (stored.Has("Encryption")) {
    if (auto choice = EncryptionChoiceOfStored(stored.Number("Encryption", 1))) enc = *choice;
  }
  bool box = v_.use8021X;
  if (leap) {
    box = false;
    v_.leapCipher = enc == kEncTkip ? kLeapTkip : enc == kEncAes ? kLeapAes : kLeapWep;
    if (stored.Has("LeapEncryType")) SetLeapCipher(int(stored.Number("LeapEncryType", 0)));
  }
  if (stored.Has("LeapUserName")) v_.leapIdentity = stored.Text("LeapUserName");
  if (stored.Has("LeapDomainName")) v_.leapDomain = stored.Text("LeapDomainName");
  if (stored.Has("LeapPassword")) v_.leapPassword = stored.Text("LeapPassword");
  if (stored.Has("WEPKeyUse")) SetDefaultKey(int(stored.Number("WEPKeyUse", 1) - 1));
  for (size_t i = 0; i < 4; ++i) {
    if (stored.Has(kKeyTypeNames[i])) {
      v_.keyForm[i] = stored.Number(kKeyTypeNames[i], 0) == 1 ? kKeyAscii : kKeyHex;
    }
  }
  if (stored.Has("WPAPSK")) SetPreSharedKey(stored.Text("WPAPSK"));
  for (size_t i = 0; i < 4; ++i) {
    if (stored.Has(kKeyNames[i])) {
      v_.keys[i] = ShownKeyText(stored.Text(kKeyNames[i]), v_.keyForm[i]);
    }
  }
  if (!leap && stored.Has("Use8021X")) box = stored.Number("Use8021X", 0) != 0;

  // The loaded choices take effect as if they had been chosen, then the box is as it was stored.
  ChooseAuthentication(auth);
  ChooseEncryption(enc);
  v_.use8021X = box && (view_.box8021XShown || IsEapChoice(auth));
  Hide8021XForAdhoc();
  WepKeysRule();
  v_.showPassword = false;
}

void AuthSecurity::Save(bool infrastructure, profiles::ProfileValues* stored) const {
  const bool leap = LeapMode();
  stored->SetNumber("AuthenType",
                    StoredAuthentication(v_.authentication, infrastructure, leap, v_.leapCipher));
  stored->SetNumber("Encryption", StoredEncryption(v_.encryption, leap, v_.leapCipher));
  stored->SetNumber("LeapEnabled", leap ? 1 : 0);
  stored->Set("LeapUserName", leap ? v_.leapIdentity : std::string());
  stored->Set("LeapPassword", leap ? v_.leapPassword : std::string());
  stored->Set("LeapDomainName", leap ? v_.leapDomain : std::string());
  stored->SetNumber("LeapEncryType", leap ? v_.leapCipher : 0);
  stored->Set("WPAPSK", v_.preSharedKey);
  stored->SetNumber("WEPKeyUse", v_.defaultKey + 1);
  for (size_t i = 0; i < 4; ++i) stored->SetNumber(kKeyTypeNames[i], v_.keyForm[i]);
  for (size_t i = 0; i < 4; ++i)
    stored->Set(kKeyNames[i], StoredKeyText(v_.keys[i], v_.keyForm[i]));
  stored->SetNumber("Use8021X", !leap && v_.use8021X ? 1 : 0);
}

}  // namespace kavo9::profileeditor
