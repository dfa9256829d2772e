#include "station/dot1x/reentry/ui/CInvalidIDPW.h"

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

QLineEdit* Field(QWidget* parent, int number) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::number(number));
  edit->setMaxLength(127);
  return edit;
}

}  // namespace

CInvalidIDPW::CInvalidIDPW(dot1x::Reentry& reentry, Text text,
                           std::function<void(const QString&)> message,
                           std::function<void()> closed, QWidget* parent)
    : QWidget(parent),
      reentry_(reentry),
      text_(std::move(text)),
      message_(std::move(message)),
      closed_(std::move(closed)) {
  setObjectName(QString::number(kDialog));
  messageLabel_ = new QLabel(this);
  messageLabel_->setObjectName(QString::number(kMessage));
  messageLabel_->setWordWrap(true);
  card_ = new QLabel(this);
  card_->setObjectName(QString::number(kCardName));
  profile_ = new QLabel(this);
  profile_->setObjectName(QString::number(kProfileName));
  identity_ = Field(this, kIdentity);
  password_ = Field(this, kPassword);
  password_->setEchoMode(QLineEdit::Password);
  domain_ = Field(this, kDomain);
  identityLabel_ = new QLabel(QStringLiteral("&Identity"), this);
  passwordLabel_ = new QLabel(QStringLiteral("&Password"), this);
  domainLabel_ = new QLabel(QStringLiteral("&Domain"), this);
  NameByLabel(identityLabel_, identity_);
  NameByLabel(passwordLabel_, password_);
  NameByLabel(domainLabel_, domain_);
  auto* ok = new QPushButton(text_("IDS_OK"), this);
  ok->setObjectName(QString::number(kOk));
  ok->setDefault(true);
  ok_ = ok;
  auto* cancel = new QPushButton(text_("IDS_CANCEL"), this);
  cancel->setObjectName(QString::number(kCancel));

  connect(ok, &QPushButton::clicked, this, [this] { Accept(); });
  for (QLineEdit* edit : {identity_, password_, domain_}) {
    connect(edit, &QLineEdit::returnPressed, this, [this] { Accept(); });
  }
  connect(cancel, &QPushButton::clicked, this, [this] { Reject(); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this] { Reject(); });

  auto* about = new QFormLayout;
  about->addRow(QStringLiteral("Card Name >>"), card_);
  about->addRow(QStringLiteral("Profile Name >>"), profile_);
  auto* form = new QFormLayout;
  form->addRow(identityLabel_, identity_);
  form->addRow(passwordLabel_, password_);
  form->addRow(domainLabel_, domain_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(messageLabel_);
  layout->addLayout(about);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->addStretch();
}

void CInvalidIDPW::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  const dot1x::ReentryView& v = reentry_.Show();
  messageLabel_->setText(v.messageKey.empty() ? QString() : text_(v.messageKey));
  card_->setText(FromUtf8(v.cardName));
  profile_->setText(FromUtf8(v.profileName));
  identity_->clear();
  password_->clear();
  domain_->clear();
  const std::pair<QLabel*, QLineEdit*> rows[] = {
      {identityLabel_, identity_}, {passwordLabel_, password_}, {domainLabel_, domain_}};
  const bool shown[] = {v.identityShown, v.passwordShown, v.domainShown};
  for (size_t i = 0; i < std::size(rows); ++i) {
    rows[i].first->setVisible(shown[i]);
    rows[i].second->setVisible(shown[i]);
  }
  // After a time-out there is nothing to type: OK (associate again) has the focus.
  if (v.identityShown) {
    identity_->setFocus();
  } else {
    ok_->setFocus();
  }
}

void CInvalidIDPW::Accept() {
  const std::optional<std::string> problem =
      reentry_.Ok(ToUtf8(identity_->text()), ToUtf8(password_->text()), ToUtf8(domain_->text()));
  if (problem) {
    if (message_) message_(FromUtf8(*problem));
    return;
  }
  if (closed_) closed_();
}

void CInvalidIDPW::Reject() {
  reentry_.Cancel();
  if (closed_) closed_();
}

}  // namespace kavo9
