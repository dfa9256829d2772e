#include "station/dot1x/passphrase/PassPhrasePrompt.h"

#include "station/networks/BssRecord.h"
#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::dot1x {
namespace {

using Method = connect::SecurityChoices::Method;
using Cipher = connect::SecurityChoices::Cipher;

bool Has(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::optional<connect::SecurityChoices> PskChoicesFor(const SurveySelection& s) {
  connect::SecurityChoices c;
  if (Has(s.Authentication, "WPA2-PSK")) {
    c.method = Method::kWpa2Psk;
  } else if (Has(s.Authentication, "WPA-PSK")) {
    c.method = Method::kWpaPsk;
  } else if (Has(s.Authentication, "-NONE")) {
    c.method = Method::kWpaNone;
  } else {
    return std::nullopt;
  }
  if (Has(s.Cipher, "AES")) {
    c.cipher = Cipher::kAes;
  } else if (Has(s.Cipher, "TKIP")) {
    c.cipher = Cipher::kTkip;
  } else {
    return std::nullopt;
  }
  return c;
}

void PassPhrasePrompt::Show(const SurveySelection& selection) {
  choices_ = PskChoicesFor(selection);
  if (!choices_) return;
  selection_ = selection;
  if (host_.showPanel) host_.showPanel();
}

std::string PassPhrasePrompt::Ssid() const {
  if (selection_.HiddenSsidPath) return selection_.HiddenSsid;
  const BssRecordView row(selection_.Record);
  const auto ssid = row.Ssid();
  return std::string(reinterpret_cast<const char*>(ssid.data()), ssid.size());
}

bool PassPhrasePrompt::Ok(std::string_view passPhrase) {
  if (!choices_) return false;
  if (!profiles::IsValidPreSharedKey(passPhrase)) {
    if (host_.showMessage) host_.showMessage(LangKey::IDS_MSGPSKKEYINVALID);
    return false;
  }
  connect::SecurityChoices choices = *choices_;
  choices.passPhrase = std::string(passPhrase);
  choices_.reset();
  if (host_.returnToPages) host_.returnToPages();
  if (host_.connect) host_.connect(selection_, choices);
  return true;
}

void PassPhrasePrompt::Cancel() {
  choices_.reset();
  if (host_.returnToPages) host_.returnToPages();
}

}  // namespace kavo9::dot1x
