#pragma once
// The profile editor panel: the system, security and 802.1X tabs with OK and Cancel. It binds
// the tabs to the editor's logic; what happens after OK or Cancel is its host's.

#include <QWidget>
#include <array>
#include <functional>

#include "station/networks/profiles/editor/ProfileEditor.h"
#include "station/networks/profiles/editor/ui/EditorWidgets.h"

class QPushButton;
class QStackedWidget;

namespace kavo9 {

class CPageAuthEncryDlg;
class CPageSystemConfigDlg;

class ProfileEditorPanelHost {
 public:
  virtual ~ProfileEditorPanelHost() = default;
  // The program's message box with a language text, or with a text of its own.
  virtual void ShowEditorMessage(LangKey key) = 0;
  virtual void ShowEditorText(const std::string& text) = 0;
  // The profile was written: back to the profile page, whose list is read again.
  virtual void ProfileSaved() = 0;
  // Cancel: back to the pages, nothing written.
  virtual void EditorCancelled() = 0;
};

class CProfileEditorDlg : public QWidget {
  Q_OBJECT
 public:
  // `dot1xPage` makes the 802.1X tab's page; without it the tab holds a notice.
  CProfileEditorDlg(profileeditor::ProfileEditor& editor, ProfileEditorPanelHost& host,
                    const EditorTextLookup& text, const QString& faceName,
                    std::function<QWidget*(QWidget*)> dot1xPage = {}, QWidget* parent = nullptr);

  // After a preparation: the system tab, every tab showing the prepared values.
  void ShowPrepared();
  void SelectTab(profileeditor::EditorTab tab);
  profileeditor::EditorTab CurrentTab() const;
  QPushButton* TabButton(profileeditor::EditorTab tab) const { return tabs_[size_t(tab)]; }
  CPageSystemConfigDlg* SystemTab() const { return system_; }
  CPageAuthEncryDlg* SecurityTab() const { return security_; }
  void OnOk();
  void OnCancel();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void UpdateDot1xTab();

  profileeditor::ProfileEditor& editor_;
  ProfileEditorPanelHost& host_;
  std::array<QPushButton*, 3> tabs_{};
  QStackedWidget* pages_ = nullptr;
  CPageSystemConfigDlg* system_ = nullptr;
  CPageAuthEncryDlg* security_ = nullptr;
};

}  // namespace kavo9
