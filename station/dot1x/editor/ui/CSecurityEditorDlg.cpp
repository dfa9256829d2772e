#include "station/dot1x/editor/ui/CSecurityEditorDlg.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "station/dot1x/settings/ui/CPage8021XDlg.h"
#include "station/networks/profiles/editor/ProfileEditorIds.h"
#include "station/networks/profiles/editor/ui/CPageAuthEncryDlg.h"

namespace kavo9 {

using dot1x::SecurityEditorTab;

CSecurityEditorDlg::CSecurityEditorDlg(dot1x::SecurityEditor& editor, const EditorTextLookup& text,
                                       QWidget* parent)
    : QWidget(parent), editor_(editor) {
  setObjectName(QString::number(kDialog));
  network_ = Numbered(new QLabel(this), kNetwork);
  network_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  auto* tabRow = new QHBoxLayout;
  const std::array<std::pair<int, QString>, 2> captions = {{
      {kAuthTabButton, text(LangKey::IDS_AUTH_ENCRY)},
      {kDot1xTabButton, QStringLiteral("802.1X")},
  }};
  QButtonGroup* group = AddEditorTabButtons(this, tabRow, captions, tabs_);
  tabRow->addStretch();
  tabRow->addWidget(network_);
  connect(group, &QButtonGroup::idClicked, this, [this](int tab) {
    editor_.SelectTab(static_cast<SecurityEditorTab>(tab));
    ShowTab();
  });

  pages_ = new QStackedWidget(this);
  security_ = new CPageAuthEncryDlg(editor_.Auth(), text, pages_);
  security_->SetChangedCallback([this] { UpdateDot1xTab(); });
  dot1x_ = new CPage8021XDlg(editor_.Page(), text, pages_);
  dot1x_->SetBeforeShow([this] { editor_.Dot1xPart().OnShown(); });
  editor_.Dot1xPart().SetChangedCallback([this] { dot1x_->Show(); });
  for (QWidget* page : {static_cast<QWidget*>(security_), static_cast<QWidget*>(dot1x_)}) {
    auto* scroll = new QScrollArea(pages_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(page);
    pages_->addWidget(scroll);
  }

  auto* ok = Numbered(new QPushButton(text(LangKey::IDS_OK), this), kOk);
  auto* cancel = Numbered(new QPushButton(text(LangKey::IDS_CANCEL), this), kCancel);
  NameControl(ok, ok->text(), QStringLiteral("Checks the settings and connects"));
  NameControl(cancel, cancel->text(), QStringLiteral("Back without connecting"));
  connect(ok, &QPushButton::clicked, this, [this] { OnOk(); });
  connect(cancel, &QPushButton::clicked, this, [this] { editor_.Cancel(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(2);
  layout->addLayout(tabRow);
  layout->addWidget(pages_, 1);
  layout->addLayout(buttons);
}

void CSecurityEditorDlg::showEvent(QShowEvent* event) {
  // Each showing starts from the editor's preparation for the chosen network.
  network_->setText(QStringLiteral("SSID: ") + QString::fromStdString(editor_.Ssid()));
  NameControl(network_, network_->text());
  security_->Show();
  dot1x_->Show();
  ShowTab();
  QWidget::showEvent(event);
  // The pass phrase is what the user came to type, where there is one.
  if (editor_.CurrentTab() == SecurityEditorTab::kAuthEncry) {
    security_->FocusControl(editor_.Auth().View().preSharedKeyEnabled ? authencry::kPreSharedKey
                                                                      : authencry::kAuthentication);
  }
}

void CSecurityEditorDlg::UpdateDot1xTab() {
  const bool enabled = editor_.Dot1xTabEnabled();
  QPushButton* button = tabs_[size_t(SecurityEditorTab::kDot1x)];
  button->setEnabled(enabled);
  NameControl(button, button->text(),
              enabled ? QStringLiteral("The 802.1X settings of the connection")
                      : QStringLiteral("Used with WPA, WPA2, or the 802.1X box on the "
                                       "Auth. / Encryption tab"));
}

void CSecurityEditorDlg::ShowTab() {
  UpdateDot1xTab();
  const auto tab = size_t(editor_.CurrentTab());
  tabs_[tab]->setChecked(true);
  pages_->setCurrentIndex(int(tab));
  if (editor_.CurrentTab() == SecurityEditorTab::kDot1x) dot1x_->Show();
}

void CSecurityEditorDlg::OnOk() {
  const auto refusal = editor_.Ok();
  if (!refusal) return;
  ShowTab();
  if (refusal->tab == SecurityEditorTab::kAuthEncry) {
    security_->Show();
    if (refusal->focus != 0) security_->FocusControl(refusal->focus);
  }
}

void CSecurityEditorDlg::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape do not close the panel: OK and Cancel are its buttons.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace kavo9
