#pragma once
// The single-sign-on page (dialog 2300): the feature switch, the credential choice, the profiles
// that can sign on with their details, and APPLY, rendered from SsoPage. Every numbered control's
// object name is its number.

#include <QWidget>
#include <array>
#include <functional>
#include <string_view>

#include "station/dot1x/sso/SsoPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kavo9 {

class CPageSSODlg : public QWidget {
  Q_OBJECT
 public:
  using TextFn = std::function<QString(std::string_view key)>;
  CPageSSODlg(sso::SsoPage& page, TextFn text, QWidget* parent = nullptr);

  void Render();
  // What the page last said about its own work (empty before anything was done).
  QString StatusText() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildCredentials();
  QWidget* BuildProfiles();
  void ConnectControls();

  sso::SsoPage& page_;
  TextFn text_;
  bool rendering_ = false;
  QCheckBox* feature_ = nullptr;
  std::array<QRadioButton*, 3> credentials_{};
  QLabel* selectLabel_ = nullptr;
  QComboBox* list_ = nullptr;
  QWidget* details_ = nullptr;
  QLabel* name_ = nullptr;
  QLabel* ssid_ = nullptr;
  QLabel* authentication_ = nullptr;
  QPushButton* apply_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace kavo9
