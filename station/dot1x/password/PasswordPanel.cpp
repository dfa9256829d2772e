#include "station/dot1x/password/PasswordPanel.h"

namespace kavo9::dot1x {

PasswordPanelView PasswordPanelViewFor(bool change, int methodChoice,
                                       std::string_view tunnelIdentity) {
  PasswordPanelView v;
  if (change) {
    v.title = "Enter your new password";
    v.identityLabel = "Identity";
    v.passwordLabel = "Password";
    v.identity = std::string(tunnelIdentity);
    v.identityReadOnly = true;
    v.focusPassword = true;
  } else if (methodChoice == kPeap) {
    v.title = "Peap Setting - One Time Password";
    v.identityLabel = "Tunnel Identity";
    v.passwordLabel = "Tunnel Password";
  } else {
    v.title = "Enter your new username and password";
    v.identityLabel = "Identity";
    v.passwordLabel = "Password";
  }
  v.description = "Description : " + v.title;
  return v;
}

PasswordPanelView PasswordPanel::Open(bool change) {
  change_ = change;
  changeActive_ = change;
  const std::optional<connect::ConnectRecord> record = binding_.RecordCopy();
  const int method = record ? MethodChoiceOf(*record) : kPeap;
  view_ = PasswordPanelViewFor(change, method, record ? record->Dot1x.TunnelID : std::string());
  return view_;
}

void PasswordPanel::Ok(std::string_view identity, std::string_view password) {
  binding_.EditRecord([&](connect::ConnectRecord& r) {
    r.Dot1x.TunnelID = std::string(identity);
    r.Dot1x.TunnelPassword = std::string(password);
    const int method = MethodChoiceOf(r);
    if (method == kLeap || method == kEapFast) {
      r.Dot1x.ID = std::string(identity);
      r.Dot1x.Password = std::string(password);
    }
    if (method == kLeap) {
      r.LeapUserName = std::string(identity);
      r.LeapPassword = std::string(password);
    }
  });
  if (const auto& write = binding_.Environment().writeText) {
    write("TunnelPassword", password, true);
    write("Password", password, true);
  }
  changeActive_ = false;
  binding_.PasswordPanelDone(true);
}

void PasswordPanel::Cancel() {
  changeActive_ = false;
  binding_.PasswordPanelDone(false);
}

}  // namespace kavo9::dot1x
