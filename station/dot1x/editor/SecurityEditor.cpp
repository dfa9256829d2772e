#include "station/dot1x/editor/SecurityEditor.h"

#include "station/networks/BssRecord.h"
#include "station/networks/profiles/editor/ProfileEditor.h"

namespace kavo9::dot1x {
namespace {

using namespace profileeditor;
using Method = connect::SecurityChoices::Method;
using Cipher = connect::SecurityChoices::Cipher;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Method MethodOf(int authentication) {
  switch (authentication) {
    case kAuthShared:
      return Method::kShared;
    case kAuthLeap:
      return Method::kLeap;
    case kAuthWpa:
      return Method::kWpa;
    case kAuthWpaPsk:
      return Method::kWpaPsk;
    case kAuthWpa2:
      return Method::kWpa2;
    case kAuthWpa2Psk:
      return Method::kWpa2Psk;
    case kAuthWpaNone:
      return Method::kWpaNone;
    default:
      return Method::kOpen;
  }
}

Cipher CipherOf(int encryption) {
  return encryption == kEncTkip ? Cipher::kTkip
                                : (encryption == kEncAes ? Cipher::kAes : Cipher::kNone);
}

Cipher LeapCipherOf(int leapCipher) {
  return leapCipher == kLeapTkip ? Cipher::kTkip
                                 : (leapCipher == kLeapAes ? Cipher::kAes : Cipher::kNone);
}

bool UsesPreSharedKey(int a) {
  return a == kAuthWpa || a == kAuthWpaPsk || a == kAuthWpa2 || a == kAuthWpa2Psk ||
         a == kAuthWpaNone;
}

bool Infrastructure(const SurveySelection& selection) {
  return BssRecordView(selection.Record).InfrastructureMode() == 1;
}

}  // namespace

std::string WepKeyBytes(const std::string& typed, int form) {
  if (form == kKeyAscii) return typed;
  if (typed.size() % 2 != 0) return {};
  std::string bytes;
  for (std::size_t i = 0; i < typed.size(); i += 2) {
    const int high = HexValue(typed[i]), low = HexValue(typed[i + 1]);
    if (high < 0 || low < 0) return {};
    bytes += static_cast<char>(high << 4 | low);
  }
  return bytes;
}

SecurityEditor::SecurityEditor(const CertStore* certs, bool enhancedFast)
    : page_(certs, enhancedFast), tab8021X_(page_), auth_({}, tab8021X_) {
  tab8021X_.SetSecurity(&auth_);
}

void SecurityEditor::Show(const SurveySelection& selection) {
  selection_ = selection;
  pending_ = true;
  const bool infrastructure = Infrastructure(selection);
  const int windows = host_.windowsVersionCode ? host_.windowsVersionCode() : 0;
  auth_.SetEnvironment(
      {.supplicantAvailable = host_.supplicantAvailable && host_.supplicantAvailable(),
       .windowsVersionCode = windows});
  auth_.Reset(infrastructure);
  ChooseSurveySecurity(auth_, selection, windows);
  auth_.OnShown(infrastructure);
  tab8021X_.Reset8021XPage();
  tab_ = SecurityEditorTab::kAuthEncry;
  if (host_.showPanel) host_.showPanel();
}

void SecurityEditor::SelectTab(SecurityEditorTab tab) {
  if (tab == SecurityEditorTab::kDot1x && !Dot1xTabEnabled()) return;
  if (tab == SecurityEditorTab::kDot1x) tab8021X_.OnShown();
  tab_ = tab;
}

std::string SecurityEditor::Ssid() const {
  if (selection_.HiddenSsidPath) return selection_.HiddenSsid;
  const auto ssid = BssRecordView(selection_.Record).Ssid();
  return std::string(reinterpret_cast<const char*>(ssid.data()), ssid.size());
}

connect::SecurityChoices SecurityEditor::Choices(bool dot1xApplies, bool supplicant) const {
  const AuthSecurityValues& v = auth_.Values();
  connect::SecurityChoices c;
  c.method = MethodOf(v.authentication);
  c.cipher = CipherOf(v.encryption);
  c.use8021X = v.use8021X;
  c.defaultKey = v.defaultKey;
  if (auth_.LeapMode() && auth_.Infrastructure()) {
    c.leapUserName = v.leapIdentity;
    c.leapPassword = v.leapPassword;
    c.leapDomain = v.leapDomain;
    c.cipher = LeapCipherOf(v.leapCipher);
  }
  if (supplicant && dot1xApplies) page_.Take(&c.dot1x);
  const bool md5 = v.use8021X && page_.MethodIsMd5();
  const bool wep =
      v.authentication == kAuthShared || (v.authentication == kAuthOpen && v.encryption == kEncWep);
  c.wep = wep;
  // With 802.1X the keys come from the authentication, except for MD5-Challenge, which makes none.
  if ((!v.use8021X || md5) && wep) {
    for (std::size_t i = 0; i < c.wepKeys.size(); ++i) {
      c.wepKeys[i] = WepKeyBytes(v.keys[i], v.keyForm[i]);
    }
  }
  if (UsesPreSharedKey(v.authentication)) c.passPhrase = v.preSharedKey;
  return c;
}

std::optional<SecurityEditorRefusal> SecurityEditor::Ok() {
  if (!pending_) return std::nullopt;
  const bool dot1xApplies = auth_.Dot1xApplies();
  if (dot1xApplies) {
    if (auto problem = page_.Validate()) {
      if (problem->key) {
        if (host_.showMessage) host_.showMessage(*problem->key);
      } else if (host_.showText) {
        host_.showText(std::string(problem->text));
      }
      tab_ = SecurityEditorTab::kDot1x;
      return SecurityEditorRefusal{SecurityEditorTab::kDot1x, 0};
    }
  }
  auto failure = auth_.Check();
  if (!failure) failure = auth_.CheckLeap();
  if (failure) {
    if (host_.showMessage) host_.showMessage(failure->message);
    tab_ = SecurityEditorTab::kAuthEncry;
    return SecurityEditorRefusal{SecurityEditorTab::kAuthEncry, failure->control};
  }
  const bool supplicant = host_.supplicantAvailable && host_.supplicantAvailable();
  const connect::SecurityChoices choices = Choices(dot1xApplies, supplicant);
  pending_ = false;
  if (host_.returnToPages) host_.returnToPages();
  if (host_.connect) host_.connect(selection_, choices);
  return std::nullopt;
}

void SecurityEditor::Cancel() {
  pending_ = false;
  if (host_.returnToPages) host_.returnToPages();
}

}  // namespace kavo9::dot1x
