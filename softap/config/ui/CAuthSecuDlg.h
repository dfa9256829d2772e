#pragma once
// The access point's security dialog (132, "Security Setting"): authentication, encryption, the
// pass phrase with its rekey interval, or the four WEP keys. OK checks the settings and gives them
// back; a refused check shows its message and leaves the dialog open.

#include <QDialog>
#include <array>
#include <functional>

#include "softap/config/ApSecurity.h"
#include "softap/shell/HostiraStrings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace kavo9::softap {

class CAuthSecuDlg : public QDialog {
  Q_OBJECT
 public:
  using MessageFn = std::function<void(int stringId)>;
  CAuthSecuDlg(const HostiraStrings& strings, const ApSecurity& security, MessageFn message,
               QWidget* parent = nullptr);

  const ApSecurity& Security() const { return security_; }
  void accept() override;

 private:
  void BuildPassPhrase(QGridLayout* grid);
  QGroupBox* BuildWepKeys();
  void Render();
  void Collect();
  void ChooseAuth(int entry);
  void ShowKeyRow(int row);

  const HostiraStrings& strings_;
  ApSecurity security_;
  MessageFn message_;
  QComboBox* auth_ = nullptr;
  QComboBox* encryption_ = nullptr;
  QLineEdit* passPhrase_ = nullptr;
  QLineEdit* rekey_ = nullptr;
  QPushButton* rekeyUnit_ = nullptr;
  QCheckBox* showPassword_ = nullptr;
  QGroupBox* wepGroup_ = nullptr;
  QButtonGroup* transmitKey_ = nullptr;
  std::array<QComboBox*, kWepKeyCount> keyTypes_{};
  std::array<QStackedWidget*, kWepKeyCount> keyStacks_{};
  std::array<QLineEdit*, kWepKeyCount> hexKeys_{};
  std::array<QLineEdit*, kWepKeyCount> asciiKeys_{};
  bool rendering_ = false;
};

}  // namespace kavo9::softap
