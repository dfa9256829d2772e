#include "station/dot1x/password/ui/CPeapSettingDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"

namespace kavo9 {
namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string ToUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

QLabel* Numbered(QLabel* label, int number) {
  label->setObjectName(QString::number(number));
  return label;
}

}  // namespace

CPeapSettingDlg::CPeapSettingDlg(dot1x::PasswordPanel& panel, Text text,
                                 std::function<void()> closed, QWidget* parent)
    : QWidget(parent), panel_(panel), closed_(std::move(closed)) {
  setObjectName(QString::number(kDialog));
  title_ = Numbered(new QLabel(this), kTitle);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  title_->setWordWrap(true);
  description_ = Numbered(new QLabel(this), kDescription);
  description_->setWordWrap(true);
  identityLabel_ = Numbered(new QLabel(this), kIdentityLabel);
  passwordLabel_ = Numbered(new QLabel(this), kPasswordLabel);
  identity_ = new QLineEdit(this);
  identity_->setObjectName(QString::number(kIdentity));
  identity_->setMaxLength(127);
  password_ = new QLineEdit(this);
  password_->setObjectName(QString::number(kPassword));
  password_->setEchoMode(QLineEdit::Password);
  password_->setMaxLength(127);
  auto* ok = new QPushButton(text("IDS_OK"), this);
  ok->setObjectName(QString::number(kOk));
  ok->setDefault(true);
  auto* cancel = new QPushButton(text("IDS_CANCEL"), this);
  cancel->setObjectName(QString::number(kCancel));

  connect(ok, &QPushButton::clicked, this, [this] { Accept(); });
  connect(password_, &QLineEdit::returnPressed, this, [this] { Accept(); });
  connect(identity_, &QLineEdit::returnPressed, this, [this] { password_->setFocus(); });
  connect(cancel, &QPushButton::clicked, this, [this] { Reject(); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this] { Reject(); });

  auto* form = new QFormLayout;
  form->addRow(identityLabel_, identity_);
  form->addRow(passwordLabel_, password_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addWidget(description_);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->addStretch();
  Open(false);
}

void CPeapSettingDlg::Open(bool change) {
  const dot1x::PasswordPanelView& v = panel_.Open(change);
  title_->setText(FromUtf8(v.title));
  description_->setText(FromUtf8(v.description));
  identityLabel_->setText(FromUtf8(v.identityLabel));
  passwordLabel_->setText(FromUtf8(v.passwordLabel));
  NameByLabel(identityLabel_, identity_,
              v.identityReadOnly ? QStringLiteral("Read only") : QString());
  NameByLabel(passwordLabel_, password_);
  identity_->setText(FromUtf8(v.identity));
  identity_->setReadOnly(v.identityReadOnly);
  password_->clear();
  (v.focusPassword ? password_ : identity_)->setFocus();
}

void CPeapSettingDlg::Accept() {
  panel_.Ok(ToUtf8(identity_->text()), ToUtf8(password_->text()));
  password_->clear();
  if (closed_) closed_();
}

void CPeapSettingDlg::Reject() {
  panel_.Cancel();
  password_->clear();
  if (closed_) closed_();
}

}  // namespace kavo9
