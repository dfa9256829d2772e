#include "common/ui/MessageBoxDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/MessageBoxIds.h"
#include "common/ui/Theme.h"

namespace kavo9 {

CMessageBoxDlg::CMessageBoxDlg(const QString& message, const QString& okText, QWidget* owner)
    : QDialog(owner) {
  setObjectName(QString::number(messagebox::kDialog));
  SetRole(this, "messageBox");
  setWindowTitle(QStringLiteral("Kavo9"));
  setWindowIcon(ResourceIcon(messagebox::kIcon));
  setModal(true);

  auto* icon = new QLabel(this);
  icon->setObjectName(QString::number(messagebox::kIcon));
  icon->setPixmap(ResourceIcon(messagebox::kIcon).pixmap(QSize(40, 40), devicePixelRatioF()));
  icon->setAlignment(Qt::AlignTop);

  auto* text = new QLabel(message, this);
  text->setObjectName(QString::number(messagebox::kMessage));
  text->setProperty("role", "message");
  text->setTextFormat(Qt::PlainText);  // a message is never markup, whatever it contains
  text->setWordWrap(true);
  text->setMinimumWidth(280);
  text->setMaximumWidth(440);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* ok = new QPushButton(okText, this);
  ok->setObjectName(QString::number(messagebox::kOk));
  ok->setProperty("role", "primary");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* body = new QHBoxLayout;
  body->setSpacing(16);
  body->addWidget(icon);
  body->addWidget(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(22, 20, 22, 16);
  layout->setSpacing(18);
  layout->addLayout(body);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int ShowMessageBox(const QString& message, const QString& okText, QWidget* owner) {
  CMessageBoxDlg box(message, okText, owner);
  return box.exec();
}

}  // namespace kavo9
