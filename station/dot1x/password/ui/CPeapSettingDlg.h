#pragma once
// The password panel (dialog 165, panel 8 of the main window) an 802.1X exchange waits on: a
// title and description for the request, an identity and a password field, OK and Cancel.

#include <QWidget>
#include <functional>
#include <string_view>

#include "station/dot1x/password/PasswordPanel.h"

class QLabel;
class QLineEdit;

namespace kavo9 {

class CPeapSettingDlg : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDialog = 165;
  static constexpr int kTitle = 1660;
  static constexpr int kDescription = 1661;
  static constexpr int kIdentityLabel = 1662;
  static constexpr int kIdentity = 1663;
  static constexpr int kPasswordLabel = 1664;
  static constexpr int kPassword = 1665;
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  using Text = std::function<QString(std::string_view key)>;
  // `closed` returns the main window to its pages.
  CPeapSettingDlg(dot1x::PasswordPanel& panel, Text text, std::function<void()> closed,
                  QWidget* parent = nullptr);

  // Fills the panel for a request (change: a password change) before it is shown.
  void Open(bool change);
  QLineEdit* Identity() const { return identity_; }
  QLineEdit* Password() const { return password_; }

 private:
  void Accept();
  void Reject();

  dot1x::PasswordPanel& panel_;
  std::function<void()> closed_;
  QLabel* title_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* identityLabel_ = nullptr;
  QLabel* passwordLabel_ = nullptr;
  QLineEdit* identity_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace kavo9
