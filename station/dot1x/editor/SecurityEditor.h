#pragma once
// The security editor of a site-survey connection: the authentication and encryption tab and an
// 802.1X page for the chosen network, and OK that checks them and connects with what they hold
// (keys, a pass phrase, LEAP or 802.1X settings). The panel binds to it; what the editor shows,
// checks and hands on is decided here.

#include <functional>
#include <optional>
#include <string>

#include "station/dot1x/editor/Dot1xEditorTab.h"
#include "station/dot1x/settings/Dot1xPageModel.h"
#include "station/networks/connect/RecordBuilders.h"
#include "station/networks/profiles/editor/AuthSecurity.h"
#include "station/networks/survey/SurveySelection.h"
#include "station/shell/LangKeys.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9::dot1x {

enum class SecurityEditorTab { kAuthEncry, kDot1x };

struct SecurityEditorHost {
  std::function<void()> showPanel;
  std::function<void()> returnToPages;
  // The program's message box with a language text, or with a text of the page's own.
  std::function<void(LangKey)> showMessage;
  std::function<void(const std::string&)> showText;
  std::function<void(const SurveySelection&, const connect::SecurityChoices&)> connect;
  std::function<bool()> supplicantAvailable;
  std::function<int()> windowsVersionCode;
};

// What OK asks the panel to do when it stays open: the tab to show and the control that gets the
// focus (0 for none).
struct SecurityEditorRefusal {
  SecurityEditorTab tab = SecurityEditorTab::kAuthEncry;
  int focus = 0;
};

// The bytes of a typed WEP key: an ASCII key as its characters, a hexadecimal key as the bytes
// its digits encode (nothing for an odd count or a non-digit), an empty key as none.
std::string WepKeyBytes(const std::string& typed, int form);

class SecurityEditor : public SecurityEditorPort {
 public:
  // `certs` may be null; `enhancedFast` is the settings file's EAP-FAST mode.
  SecurityEditor(const CertStore* certs, bool enhancedFast);

  void SetHost(SecurityEditorHost host) { host_ = std::move(host); }

  // SecurityEditorPort: the editor prepared for a secured survey network, and shown.
  void Show(const SurveySelection& selection) override;
  // Checks, then connects and returns to the pages; a refusal (its message shown) keeps it open.
  std::optional<SecurityEditorRefusal> Ok();
  void Cancel();

  void SelectTab(SecurityEditorTab tab);
  SecurityEditorTab CurrentTab() const { return tab_; }
  // The 802.1X tab button follows the authentication tab.
  bool Dot1xTabEnabled() const { return auth_.View().dot1xTabEnabled; }

  profileeditor::AuthSecurity& Auth() { return auth_; }
  Dot1xPageModel& Page() { return page_; }
  Dot1xEditorTab& Dot1xPart() { return tab8021X_; }
  // The network asked about, as its SSID reads.
  std::string Ssid() const;
  bool Pending() const { return pending_; }

 private:
  connect::SecurityChoices Choices(bool dot1xApplies, bool supplicant) const;

  SecurityEditorHost host_;
  Dot1xPageModel page_;
  Dot1xEditorTab tab8021X_;
  profileeditor::AuthSecurity auth_;
  SurveySelection selection_;
  SecurityEditorTab tab_ = SecurityEditorTab::kAuthEncry;
  bool pending_ = false;
};

}  // namespace kavo9::dot1x
