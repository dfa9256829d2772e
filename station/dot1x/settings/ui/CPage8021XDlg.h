#pragma once
// The 802.1X page: the EAP method and its inner method, session resumption, and the four tabs
// (identity and passwords, client certificate, server certificate, EAP-FAST), bound to the page's
// logic. Both editors host one; the page reads and changes only the model it is given.

#include <QWidget>
#include <array>
#include <functional>

#include "station/dot1x/settings/Dot1xPageModel.h"
#include "station/networks/profiles/editor/ui/EditorWidgets.h"

class QAbstractButton;
class QVBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace kavo9 {

class CPage8021XDlg : public QWidget {
  Q_OBJECT
 public:
  // Asks the user for a PAC file to import; an empty text when none was chosen.
  using PickFile = std::function<QString(QWidget* parent, const QString& filter)>;

  CPage8021XDlg(dot1x::Dot1xPageModel& model, const EditorTextLookup& text,
                QWidget* parent = nullptr);

  // Runs each time the page is about to be shown (the host works out the MD5-Challenge entry).
  void SetBeforeShow(std::function<void()> beforeShow) { beforeShow_ = std::move(beforeShow); }
  // Replaces the file-open dialog of "Import" (tests).
  void SetPickFile(PickFile pick) { pickFile_ = std::move(pick); }

  // Shows the model's values and which controls are in use.
  void Show();
  QAbstractButton* TabButton(dot1x::Dot1xTab tab) const { return tabButtons_[size_t(tab)]; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildTop(const EditorTextLookup& text, QVBoxLayout* into);
  QWidget* BuildIdentity(const EditorTextLookup& text);
  QWidget* BuildClient(const EditorTextLookup& text);
  QWidget* BuildServer(const EditorTextLookup& text);
  QWidget* BuildFast(const EditorTextLookup& text);
  QLineEdit* TextEdit(int number, dot1x::Dot1xText field, QWidget* parent);
  QCheckBox* Check(int number, const QString& caption, QWidget* parent,
                   std::function<void(bool)> changed, const QString& description = {});
  void ShowIdentity();
  void ShowCertificates();
  void ShowFast();
  void ShowTabs();
  void Changed();  // after a change: the whole page shows the model again

  dot1x::Dot1xPageModel& model_;
  std::function<void()> beforeShow_;
  PickFile pickFile_;
  bool showing_ = false;

  ChoiceButton* method_ = nullptr;
  ChoiceButton* tunnel_ = nullptr;
  QLabel* tunnelLabel_ = nullptr;
  QCheckBox* sessionResumption_ = nullptr;
  std::array<QAbstractButton*, 4> tabButtons_{};
  QStackedWidget* tabs_ = nullptr;

  QLineEdit* userId_ = nullptr;
  QLineEdit* userPassword_ = nullptr;
  QLineEdit* tunnelId_ = nullptr;
  QLineEdit* tunnelPassword_ = nullptr;
  QLineEdit* domainName_ = nullptr;
  std::array<QLabel*, 4> identityLabels_{};  // password, tunnel ID, tunnel password, domain
  QCheckBox* showPassword_ = nullptr;
  QWidget* passwordMode_ = nullptr;
  QRadioButton* softToken_ = nullptr;
  QRadioButton* staticPassword_ = nullptr;

  QCheckBox* useClient_ = nullptr;
  QComboBox* clientList_ = nullptr;
  QWidget* clientDetails_ = nullptr;
  std::array<QLineEdit*, 4> clientTexts_{};

  QCheckBox* useServer_ = nullptr;
  QComboBox* serverList_ = nullptr;
  QWidget* serverDetails_ = nullptr;
  QCheckBox* intermediate_ = nullptr;
  QLineEdit* serverName_ = nullptr;
  QRadioButton* nameExact_ = nullptr;
  QRadioButton* nameDomain_ = nullptr;

  QCheckBox* provisionMode_ = nullptr;
  QLabel* provisioningLabel_ = nullptr;
  ChoiceButton* provisioning_ = nullptr;
  QCheckBox* usePac_ = nullptr;
  QWidget* pacControls_ = nullptr;
  QLineEdit* pacPath_ = nullptr;
};

}  // namespace kavo9
