#pragma once
// The re-entry panel (dialog 2242, panel 7 of the main window) after the server rejected the
// credentials or did not answer: the message, the adapter and the profile, and the identity,
// password and domain fields the method asks for.

#include <QWidget>
#include <functional>
#include <string_view>

#include "station/dot1x/reentry/Reentry.h"

class QLabel;
class QLineEdit;

namespace kavo9 {

class CInvalidIDPW : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDialog = 2242;
  static constexpr int kMessage = 2260;
  static constexpr int kCardName = 2261;
  static constexpr int kProfileName = 2262;
  static constexpr int kIdentity = 2263;
  static constexpr int kPassword = 2264;
  static constexpr int kDomain = 2265;
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  using Text = std::function<QString(std::string_view key)>;
  // `message` shows a rule's message in the program's message box; `closed` returns the main
  // window to its pages.
  CInvalidIDPW(dot1x::Reentry& reentry, Text text, std::function<void(const QString&)> message,
               std::function<void()> closed, QWidget* parent = nullptr);

  QLineEdit* Identity() const { return identity_; }
  QLineEdit* Password() const { return password_; }
  QLineEdit* Domain() const { return domain_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Accept();
  void Reject();

  dot1x::Reentry& reentry_;
  Text text_;
  std::function<void(const QString&)> message_;
  std::function<void()> closed_;
  QLabel* messageLabel_ = nullptr;
  QLabel* card_ = nullptr;
  QLabel* profile_ = nullptr;
  QLabel* identityLabel_ = nullptr;
  QLabel* passwordLabel_ = nullptr;
  QLabel* domainLabel_ = nullptr;
  QLineEdit* identity_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* domain_ = nullptr;
  QWidget* ok_ = nullptr;
};

}  // namespace kavo9
