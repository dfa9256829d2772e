#pragma once
// The password panel an 802.1X exchange opens while it waits (a password change the server asks
// for, a one-time password, or new credentials after a retry failed): what it shows for the
// record's method, and what OK keeps — the last connect record's tunnel identity and password
// (for LEAP and EAP-FAST its identity and password too), and the new password stored under the
// adapter key and the current profile's key. The waiting exchange is told how it ended.

#include <string>
#include <string_view>

#include "station/dot1x/supplicant/SupplicantBinding.h"

namespace kavo9::dot1x {

struct PasswordPanelView {
  std::string title;
  std::string description;
  std::string identityLabel;
  std::string passwordLabel;
  std::string identity;  // the identity field's text when shown
  bool identityReadOnly = false;
  bool focusPassword = false;  // else the identity field has the focus
};

// What the panel shows for a change request, or for the method of `methodChoice` otherwise.
PasswordPanelView PasswordPanelViewFor(bool change, int methodChoice,
                                       std::string_view tunnelIdentity);

class PasswordPanel {
 public:
  explicit PasswordPanel(SupplicantBinding& binding) : binding_(binding) {}

  // Opened for a change request or not; the view to show.
  PasswordPanelView Open(bool change);
  void Ok(std::string_view identity, std::string_view password);
  void Cancel();

  bool PasswordChangeActive() const { return changeActive_; }
  bool Change() const { return change_; }
  const PasswordPanelView& View() const { return view_; }

 private:
  SupplicantBinding& binding_;
  PasswordPanelView view_;
  bool change_ = false;
  bool changeActive_ = false;  // PasswordChangeActive
};

}  // namespace kavo9::dot1x
