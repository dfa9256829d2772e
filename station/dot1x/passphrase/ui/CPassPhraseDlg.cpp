#include "station/dot1x/passphrase/ui/CPassPhraseDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"

namespace kavo9 {

CPassPhraseDlg::CPassPhraseDlg(dot1x::PassPhrasePrompt& prompt, Text text, QWidget* parent)
    : QWidget(parent), prompt_(prompt) {
  setObjectName(QString::number(kDialog));
  network_ = new QLabel(this);
  network_->setObjectName(QString::number(kNetwork));
  network_->setWordWrap(true);
  auto* label = new QLabel(QStringLiteral("Pass phrase:"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QString::number(kPassPhrase));
  edit_->setEchoMode(QLineEdit::Password);
  edit_->setMaxLength(64);
  NameByLabel(label, edit_, QStringLiteral("8 to 63 characters, or 64 hexadecimal digits"));
  show_ = new QCheckBox(QStringLiteral("Show the pass phrase"), this);
  show_->setObjectName(QString::number(kShow));
  auto* ok = new QPushButton(text("IDS_OK"), this);
  ok->setObjectName(QString::number(kOk));
  ok->setDefault(true);
  auto* cancel = new QPushButton(text("IDS_CANCEL"), this);
  cancel->setObjectName(QString::number(kCancel));

  auto accept = [this] {
    const QByteArray bytes = edit_->text().toUtf8();
    if (prompt_.Ok(std::string_view(bytes.constData(), size_t(bytes.size())))) edit_->clear();
  };
  connect(ok, &QPushButton::clicked, this, accept);
  connect(edit_, &QLineEdit::returnPressed, this, accept);
  connect(cancel, &QPushButton::clicked, this, [this] {
    edit_->clear();
    prompt_.Cancel();
  });
  connect(show_, &QCheckBox::toggled, this,
          [this](bool on) { edit_->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(network_);
  layout->addWidget(label);
  layout->addWidget(edit_);
  layout->addWidget(show_);
  layout->addLayout(buttons);
  layout->addStretch();
}

void CPassPhraseDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  network_->setText(
      QStringLiteral("Security key of \"%1\"").arg(QString::fromUtf8(prompt_.Ssid().c_str())));
  edit_->clear();
  show_->setChecked(false);
  edit_->setFocus();
}

}  // namespace kavo9
