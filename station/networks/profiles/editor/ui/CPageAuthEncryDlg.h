#pragma once
// The authentication and security tab: authentication and encryption, the WEP keys with their
// forms, the pre-shared key, LEAP and the 802.1X box, bound to the tab's logic. Any editor can
// host it: it reads and changes only the AuthSecurity it is given.

#include <QWidget>
#include <array>
#include <functional>

#include "station/networks/profiles/editor/AuthSecurity.h"
#include "station/networks/profiles/editor/ui/EditorWidgets.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QRegularExpressionValidator;

namespace kavo9 {

class CPageAuthEncryDlg : public QWidget {
  Q_OBJECT
 public:
  CPageAuthEncryDlg(profileeditor::AuthSecurity& logic, const EditorTextLookup& text,
                    QWidget* parent = nullptr);

  // Shows the logic's values and which controls are in use.
  void Show();
  // Called after every change the user makes (the host enables its 802.1X tab from the view).
  void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }
  // The control of `number` gets the focus (a failed check).
  void FocusControl(int number);

 private:
  void Build(const EditorTextLookup& text);
  void BuildKeys(const EditorTextLookup& text, QLayout* into);
  void BuildLeap(QLayout* into);
  void Changed();
  void UpdateMenus();

  profileeditor::AuthSecurity& logic_;
  std::function<void()> changed_;
  ChoiceButton* authentication_ = nullptr;
  QLabel* authenticationLabel_ = nullptr;
  ChoiceButton* encryption_ = nullptr;
  QLabel* encryptionLabel_ = nullptr;
  QCheckBox* use8021X_ = nullptr;
  QLabel* use8021XLabel_ = nullptr;
  QLineEdit* preSharedKey_ = nullptr;
  QLabel* preSharedKeyLabel_ = nullptr;
  QWidget* wepGroup_ = nullptr;
  std::array<QRadioButton*, 4> defaultKey_{};
  std::array<ChoiceButton*, 4> keyForm_{};
  std::array<QLineEdit*, 4> keys_{};
  std::array<QRegularExpressionValidator*, 4> validators_{};
  QWidget* leapGroup_ = nullptr;
  QLineEdit* leapIdentity_ = nullptr;
  QLineEdit* leapPassword_ = nullptr;
  QLineEdit* leapDomain_ = nullptr;
  std::array<QRadioButton*, 3> leapCipher_{};
  QCheckBox* showPassword_ = nullptr;
  bool showing_ = false;
};

}  // namespace kavo9
