#pragma once
// The authentication and security tab's logic: the authentication and encryption choices, the
// WEP keys with their forms, the pre-shared key, LEAP, the 802.1X box, which controls are shown
// and enabled after each choice, which menu entries are offered, and the tab's check. It loads a
// stored profile's security values and gives them back in stored form, so any editor can host it
// (the profile editor, and the security editor of a site-survey connection).

#include <array>
#include <optional>
#include <string>

#include "station/networks/profiles/ProfileValues.h"
#include "station/networks/profiles/editor/Dot1xTabPort.h"
#include "station/shell/LangKeys.h"

namespace kavo9::profileeditor {

enum AuthChoice : int {
  kAuthOpen = 0,
  kAuthShared = 1,
  kAuthLeap = 2,
  kAuthWpa = 3,
  kAuthWpaPsk = 4,
  kAuthWpa2 = 5,
  kAuthWpa2Psk = 6,
  kAuthWpaNone = 7,
};
inline constexpr int kAuthChoiceCount = 8;
enum EncryptionChoice : int { kEncNone = 0, kEncWep = 1, kEncTkip = 2, kEncAes = 3 };
inline constexpr int kEncryptionChoiceCount = 4;
enum KeyForm : int { kKeyHex = 0, kKeyAscii = 1 };
enum LeapCipher : int { kLeapWep = 0, kLeapTkip = 1, kLeapAes = 2 };

// The button texts of the choices.
std::string_view AuthChoiceText(int choice);
std::string_view EncryptionChoiceText(int choice);
std::string_view KeyFormText(int form);
// The most characters a key edit takes in each form.
inline constexpr size_t kMaxHexKey = 26;
inline constexpr size_t kMaxAsciiKey = 13;
inline constexpr size_t kMaxPreSharedKey = 64;
size_t KeyLimit(int form);
// Whether `c` may be typed into a key edit of `form`.
bool KeyCharAllowed(int form, char c);

// What the user entered on the tab.
struct AuthSecurityValues {
  int authentication = kAuthOpen;
  int encryption = kEncNone;
  bool use8021X = false;
  std::string preSharedKey;
  int defaultKey = 0;  // 0 to 3
  std::array<int, 4> keyForm{};
  std::array<std::string, 4> keys;
  std::string leapIdentity;
  std::string leapPassword;
  std::string leapDomain;
  int leapCipher = kLeapWep;
  bool showPassword = false;
  bool operator==(const AuthSecurityValues&) const = default;
};

// Which controls are shown and enabled.
struct AuthSecurityView {
  bool leapShown = false;  // LEAP's controls instead of encryption, 802.1X, keys
  bool box8021XShown = true;
  bool box8021XEnabled = true;
  bool preSharedKeyEnabled = false;
  bool wepKeysEnabled = false;
  bool dot1xTabEnabled = false;  // the editor's 802.1X tab button
  bool operator==(const AuthSecurityView&) const = default;
};

struct AuthSecurityEnvironment {
  bool supplicantAvailable = false;
  int windowsVersionCode = 0;
};

// A failed check: the rule's language text and the control that gets the focus.
struct AuthCheckFailure {
  LangKey message;
  int control;
};

class AuthSecurity {
 public:
  AuthSecurity(const AuthSecurityEnvironment& environment, Dot1xTabPort& dot1x)
      : env_(environment), dot1x_(dot1x) {}

  // What the menus depend on, read again at each preparation.
  void SetEnvironment(const AuthSecurityEnvironment& environment) { env_ = environment; }

  // Back to a new profile's values: open, no encryption, hexadecimal keys, key 1, all empty.
  void Reset(bool infrastructure);
  // The security values of a stored profile (a value that is missing keeps the current one);
  // `infrastructure` is the profile's network type. The choices are applied as if chosen.
  void Load(const profiles::ProfileValues& stored, bool infrastructure);
  // The security values in stored form, as the profile editor writes them. `infrastructure` is
  // the network type at saving time.
  void Save(bool infrastructure, profiles::ProfileValues* stored) const;

  // The user's choices.
  void ChooseAuthentication(int choice);
  void ChooseEncryption(int choice);
  void SetUse8021X(bool on);
  void SetKeyForm(int key, int form);
  void SetDefaultKey(int key);
  void SetKeyText(int key, std::string text);
  void SetPreSharedKey(std::string text);
  void SetLeap(std::string identity, std::string password, std::string domain);
  void SetLeapCipher(int cipher);
  void SetShowPassword(bool on) { v_.showPassword = on; }
  // The system tab's network type changed (ad hoc hides the 802.1X box).
  void SetNetworkType(bool infrastructure);
  // The tab is shown: the network type from the system tab, and the rules that depend on it.
  void OnShown(bool infrastructure);

  // The menu entries offered now.
  bool AuthenticationOffered(int choice) const;
  bool EncryptionOffered(int choice) const;
  // The entries of the authentication menu (the program's own choices LEAP and WPA-None are made
  // only by loading a profile or preparing a survey network).
  static constexpr std::array<int, 6> kMenuChoices = {kAuthOpen,   kAuthShared, kAuthWpa,
                                                      kAuthWpaPsk, kAuthWpa2,   kAuthWpa2Psk};

  // Whether 802.1X settings go with these choices (then the 802.1X tab is checked and taken).
  bool Dot1xApplies() const;
  // The tab's check; nullopt when the values pass.
  std::optional<AuthCheckFailure> Check() const;
  // LEAP on an infrastructure network: the identity, password and domain are trimmed; an empty
  // identity or password fails.
  std::optional<AuthCheckFailure> CheckLeap();

  const AuthSecurityValues& Values() const { return v_; }
  const AuthSecurityView& View() const { return view_; }
  bool LeapMode() const { return v_.authentication == kAuthLeap; }
  bool Infrastructure() const { return infrastructure_; }

 private:
  void EncryptionRule();
  void WepKeysRule();
  void Hide8021XForAdhoc();

  AuthSecurityEnvironment env_;
  Dot1xTabPort& dot1x_;
  AuthSecurityValues v_;
  AuthSecurityView view_;
  bool infrastructure_ = true;
};

// The stored form of a typed WEP key: hexadecimal digits as typed, an ASCII key as two lowercase
// hexadecimal digits per character (of exactly its own characters), an empty key as empty text.
std::string StoredKeyText(const std::string& typed, int form);
// The text shown for a stored key: an ASCII key stored as 10 or 26 hexadecimal digits is shown as
// the 5 or 13 characters they encode (when they are printable); anything else as stored.
std::string ShownKeyText(const std::string& stored, int form);

}  // namespace kavo9::profileeditor
