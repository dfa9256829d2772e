#pragma once
// The security editor panel (panel 3 of the main window): the authentication and encryption tab
// and the 802.1X page for the network chosen on the site survey, with OK and Cancel.

#include <QWidget>
#include <array>

#include "station/dot1x/editor/SecurityEditor.h"
#include "station/networks/profiles/editor/ui/EditorWidgets.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace kavo9 {

class CPage8021XDlg;
class CPageAuthEncryDlg;

class CSecurityEditorDlg : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDialog = 181;
  static constexpr int kNetwork = 1146;
  static constexpr int kAuthTabButton = 1129;
  static constexpr int kDot1xTabButton = 1130;
  static constexpr int kOk = 1144;
  static constexpr int kCancel = 1145;

  CSecurityEditorDlg(dot1x::SecurityEditor& editor, const EditorTextLookup& text,
                     QWidget* parent = nullptr);

  QPushButton* TabButton(dot1x::SecurityEditorTab tab) const { return tabs_[size_t(tab)]; }
  CPageAuthEncryDlg* SecurityTab() const { return security_; }
  CPage8021XDlg* Dot1xPage() const { return dot1x_; }
  void OnOk();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowTab();
  void UpdateDot1xTab();

  dot1x::SecurityEditor& editor_;
  QLabel* network_ = nullptr;
  std::array<QPushButton*, 2> tabs_{};
  QStackedWidget* pages_ = nullptr;
  CPageAuthEncryDlg* security_ = nullptr;
  CPage8021XDlg* dot1x_ = nullptr;
};

}  // namespace kavo9
