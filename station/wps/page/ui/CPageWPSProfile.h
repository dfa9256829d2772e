#pragma once
// The credential detail (dialog 247), a panel of the main window: one credential's SSID, BSSID,
// authentication, encryption, key length, key index and key, with "Show Password" and "ASCII
// Format". As registrar the offered credential is edited here: SSID, the security choices and the
// key, checked by the key rules before OK keeps them.

#include <QWidget>
#include <functional>

#include "station/shell/LangKeys.h"
#include "station/wps/WpsPart.h"
#include "station/wps/page/WpsProfileDetail.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kavo9 {

struct WpsProfileHooks {
  std::function<void()> done;                       // back to the main window's pages
  std::function<void(const std::string&)> message;  // the message box with OK
  std::function<bool(const std::string&)> confirm;  // OK and Cancel; true for OK
  std::function<void()> edited;                     // the registrar's credential changed
};

class CPageWPSProfile : public QWidget {
  Q_OBJECT
 public:
  CPageWPSProfile(wps::WpsPart& part, WpsProfileHooks hooks,
                  const std::function<QString(LangKey)>& text, QWidget* parent = nullptr);

  // Shows slot `slot` of the table (slot 0 as registrar).
  void ShowSlot(uint32_t slot);
  void OnOk();
  void OnCancel();

 private:
  void Build(const std::function<QString(LangKey)>& text);
  void FillRegistrarCombos();
  void ApplyAuthChoice();
  void ApplyEncryChoice();
  void ApplyKeyLimit();
  void ShowKey();
  wpspage::RegistrarChoice Choice() const;

  wps::WpsPart& part_;
  WpsProfileHooks hooks_;
  bool registrar_ = false;
  wpspage::WpsDetailTexts texts_;
  int limit_ = -1;
  QLineEdit* ssid_ = nullptr;
  QLabel* bssid_ = nullptr;
  QComboBox *auth_ = nullptr, *encry_ = nullptr, *keyLength_ = nullptr, *keyIndex_ = nullptr;
  QLineEdit* key_ = nullptr;
  QCheckBox* showPassword_ = nullptr;
  QCheckBox* ascii_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace kavo9
