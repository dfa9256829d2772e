#include "station/networks/profiles/editor/ui/CProfileEditorDlg.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"
#include "station/networks/profiles/editor/ui/CPageAuthEncryDlg.h"
#include "station/networks/profiles/editor/ui/CPageSystemConfigDlg.h"

namespace kavo9 {

using namespace profileeditor;

namespace {

constexpr int kPanelFontCell = 16;

}  // namespace

CProfileEditorDlg::CProfileEditorDlg(ProfileEditor& editor, ProfileEditorPanelHost& host,
                                     const EditorTextLookup& text, const QString& faceName,
                                     std::function<QWidget*(QWidget*)> dot1xPage, QWidget* parent)
    : QWidget(parent), editor_(editor), host_(host) {
  setObjectName(QString::number(kDialog));
  setFont(WindowFont(faceName, kPanelFontCell));
  auto* container = Numbered(new QWidget(this), kTabContainer);
  auto* tabRow = new QHBoxLayout;
  const std::array<std::pair<int, QString>, 3> tabs = {{
      {kSystemTabButton, text(LangKey::IDS_TAB_SYSCONFIG)},
      {kAuthTabButton, text(LangKey::IDS_AUTH_ENCRY)},
      {kDot1xTabButton, QStringLiteral("802.1X")},
  }};
  QButtonGroup* group = AddEditorTabButtons(this, tabRow, tabs, tabs_);
  tabRow->addStretch();
  connect(group, &QButtonGroup::idClicked, this,
          [this](int tab) { SelectTab(static_cast<EditorTab>(tab)); });

  pages_ = new QStackedWidget(container);
  system_ = new CPageSystemConfigDlg(editor_, text, pages_);
  security_ = new CPageAuthEncryDlg(editor_.Security(), text, pages_);
  security_->SetChangedCallback([this] { UpdateDot1xTab(); });
  system_->SetChangedCallback([this] { UpdateDot1xTab(); });
  QWidget* dot1x = dot1xPage ? dot1xPage(pages_) : nullptr;
  if (!dot1x) {
    dot1x = new QLabel(QStringLiteral("802.1X settings are not available."), pages_);
    dot1x->setObjectName(QStringLiteral("183"));
  }
  // Each tab scrolls rather than squeezing its controls when the frame is small.
  for (QWidget* page : {static_cast<QWidget*>(system_), static_cast<QWidget*>(security_), dot1x}) {
    auto* scroll = new QScrollArea(pages_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The tab's own controls take the focus, not the area around them.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(page);
    pages_->addWidget(scroll);
  }
  auto* containerLayout = new QVBoxLayout(container);
  containerLayout->setContentsMargins(0, 0, 0, 0);
  containerLayout->addWidget(pages_);

  auto* ok = Numbered(new QPushButton(text(LangKey::IDS_OK), this), kOk);
  auto* cancel = Numbered(new QPushButton(text(LangKey::IDS_CANCEL), this), kCancel);
  connect(ok, &QPushButton::clicked, this, [this] { OnOk(); });
  connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
  NameControl(ok, ok->text(), QStringLiteral("Checks and saves the profile"));
  NameControl(cancel, cancel->text(), QStringLiteral("Closes the editor without saving"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(2);
  layout->addLayout(tabRow);
  layout->addWidget(container, 1);
  layout->addLayout(buttons);
  ShowPrepared();
}

void CProfileEditorDlg::ShowPrepared() {
  SelectTab(EditorTab::kSystem);
  system_->Show();
  security_->Show();
  UpdateDot1xTab();
}

void CProfileEditorDlg::UpdateDot1xTab() {
  const bool enabled = editor_.Security().View().dot1xTabEnabled;
  tabs_[size_t(EditorTab::kDot1x)]->setEnabled(enabled);
  NameControl(tabs_[size_t(EditorTab::kDot1x)], tabs_[size_t(EditorTab::kDot1x)]->text(),
              enabled ? QStringLiteral("The 802.1X settings of the profile")
                      : QStringLiteral("Used with WPA, WPA2, or the 802.1X box on the "
                                       "Auth. / Encryption tab"));
}

void CProfileEditorDlg::SelectTab(EditorTab tab) {
  if (tab == EditorTab::kSecurity) {
    system_->Take();
    editor_.OnSecurityTabShown();
    security_->Show();
    UpdateDot1xTab();
  }
  tabs_[size_t(tab)]->setChecked(true);
  pages_->setCurrentIndex(int(tab));
}

EditorTab CProfileEditorDlg::CurrentTab() const {
  return static_cast<EditorTab>(pages_->currentIndex());
}

void CProfileEditorDlg::OnOk() {
  system_->Take();
  const OkResult result = editor_.Ok();
  if (result.saved) {
    host_.ProfileSaved();
    return;
  }
  if (result.message) {
    SelectTab(result.tab);
    security_->Show();
    host_.ShowEditorMessage(*result.message);
    if (result.focus != 0) {
      if (result.tab == EditorTab::kSecurity) {
        security_->FocusControl(result.focus);
      } else if (auto* control = system_->findChild<QWidget*>(QString::number(result.focus))) {
        control->setFocus(Qt::OtherFocusReason);
      }
    }
  } else if (!result.text.empty()) {
    if (result.tab == EditorTab::kDot1x) SelectTab(result.tab);
    host_.ShowEditorText(result.text);
  }
}

void CProfileEditorDlg::OnCancel() {
  host_.EditorCancelled();
}

void CProfileEditorDlg::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape do not close the panel: OK and Cancel are its buttons.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace kavo9
