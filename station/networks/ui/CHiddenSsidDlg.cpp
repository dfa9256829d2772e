#include "station/networks/ui/CHiddenSsidDlg.h"

#include "common/ui/Accessibility.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "station/networks/ui/HiddenSsidIds.h"

namespace kavo9 {

CHiddenSsidDlg::CHiddenSsidDlg(SiteSurvey& survey, std::function<void()> returnToPages,
                               SurveyTextLookup text, QWidget* parent)
    : QWidget(parent), survey_(survey), returnToPages_(std::move(returnToPages)) {
  using namespace hiddenssid;
  setObjectName(QString::number(kDialog));
  auto* prompt = new QLabel(text(LangKey::IDS_HIDDEN_TEXT), this);
  prompt->setObjectName(QString::number(kPrompt));
  prompt->setWordWrap(true);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QString::number(kSsidEdit));
  edit_->setMaxLength(kMaxSsidLength);
  auto* ok = new QPushButton(text(LangKey::IDS_OK), this);
  ok->setObjectName(QString::number(kOk));
  ok->setDefault(true);
  auto* cancel = new QPushButton(text(LangKey::IDS_CANCEL), this);
  cancel->setObjectName(QString::number(kCancel));
  NameByLabel(prompt, edit_, QStringLiteral("The network's name, up to 32 characters"));
  connect(ok, &QPushButton::clicked, this, &CHiddenSsidDlg::OnOk);
  connect(edit_, &QLineEdit::returnPressed, this, &CHiddenSsidDlg::OnOk);
  connect(cancel, &QPushButton::clicked, this, [this] { returnToPages_(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(edit_);
  layout->addLayout(buttons);
  layout->addStretch();
}

void CHiddenSsidDlg::Prepare() {
  edit_->clear();
  edit_->setFocus();
}

void CHiddenSsidDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Prepare();
}

void CHiddenSsidDlg::OnOk() {
  const QByteArray ssid = edit_->text().toUtf8();
  if (!survey_.OnHiddenSsidOk(std::string_view(ssid.constData(), size_t(ssid.size())))) return;
  // A secured network went on to the security editor, which takes the panel's place.
  if (!survey_.Selection().Secured) returnToPages_();
}

}  // namespace kavo9
