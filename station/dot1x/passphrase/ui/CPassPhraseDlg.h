#pragma once
// The pass-phrase panel (panel 3 of the main window) for a WPA-PSK or WPA2-PSK network chosen on
// the site survey.

#include <QWidget>
#include <functional>
#include <string_view>

#include "station/dot1x/passphrase/PassPhrasePrompt.h"

class QLabel;
class QLineEdit;
class QCheckBox;

namespace kavo9 {

class CPassPhraseDlg : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDialog = 2250;
  static constexpr int kNetwork = 2251;
  static constexpr int kPassPhrase = 2252;
  static constexpr int kShow = 2253;
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  using Text = std::function<QString(std::string_view key)>;
  CPassPhraseDlg(dot1x::PassPhrasePrompt& prompt, Text text, QWidget* parent = nullptr);
  QLineEdit* Edit() const { return edit_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  dot1x::PassPhrasePrompt& prompt_;
  QLabel* network_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QCheckBox* show_ = nullptr;
};

}  // namespace kavo9
