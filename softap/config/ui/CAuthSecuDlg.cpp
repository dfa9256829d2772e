#include "softap/config/ui/CAuthSecuDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "softap/config/ConfigPageIds.h"
#include "softap/shell/HostiraIds.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {

using namespace config;

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

template <class W>
W* Numbered(int id, QWidget* parent) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::number(id));
  return widget;
}

// Keys and pass phrases count characters as bytes: only printable ASCII can be typed.
QRegularExpression PrintableAscii() {
  return QRegularExpression(QStringLiteral("[\\x20-\\x7E]*"));
}

}  // namespace

CAuthSecuDlg::CAuthSecuDlg(const HostiraStrings& strings, const ApSecurity& security,
                           MessageFn message, QWidget* parent)
    : QDialog(parent), strings_(strings), security_(security), message_(std::move(message)) {
  setObjectName(QString::number(kSecurityDialog));
  setWindowTitle(Q(strings.Text(kStrSecurityCaption)));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auth_ = Numbered<QComboBox>(kAuthCombo, this);
  for (const char* text : {"Open", "Shared", "WPA-PSK", "WPA2-PSK", "WPA-PSK/WPA2-PSK"}) {
    auth_->addItem(QString::fromLatin1(text));
  }
  encryption_ = Numbered<QComboBox>(kEncryptionCombo, this);
  auto addRow = [&](int row, int textId, QWidget* control) {
    auto* label = new QLabel(Q(strings.Text(textId)), this);
    NameByLabel(label, control);
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row, 1, 1, 2);
  };
  addRow(0, kStrAuthLabel, auth_);
  addRow(1, kStrEncryptionLabel, encryption_);
  BuildPassPhrase(grid);
  layout->addLayout(grid);
  layout->addWidget(BuildWepKeys());

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(Q(strings.Text(kStrOk)), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  QPushButton* cancel =
      buttons->addButton(Q(strings.Text(kStrCancel)), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("2"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CAuthSecuDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(auth_, &QComboBox::activated, this, &CAuthSecuDlg::ChooseAuth);
  connect(encryption_, &QComboBox::activated, this, [this](int entry) {
    Collect();
    security_.encryption = EncryptionForEntry(auth_->currentIndex(), entry);
    Render();
  });
  Render();
}

void CAuthSecuDlg::BuildPassPhrase(QGridLayout* grid) {
  passPhrase_ = Numbered<QLineEdit>(kPskEdit, this);
  passPhrase_->setMaxLength(kMaxPassPhrase);
  passPhrase_->setEchoMode(QLineEdit::Password);
  passPhrase_->setValidator(new QRegularExpressionValidator(PrintableAscii(), passPhrase_));
  auto* pskLabel = new QLabel(Q(strings_.Text(kStrPskLabel)), this);
  NameByLabel(pskLabel, passPhrase_);
  grid->addWidget(pskLabel, 2, 0);
  grid->addWidget(passPhrase_, 2, 1, 1, 2);
  showPassword_ = Numbered<QCheckBox>(kShowPasswordCheck, this);
  showPassword_->setText(Q(strings_.Text(kStrShowPassword)));
  NameControl(showPassword_, showPassword_->text());
  grid->addWidget(showPassword_, 3, 1, 1, 2);
  connect(showPassword_, &QCheckBox::toggled, this, [this](bool shown) {
    passPhrase_->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
  });
  rekey_ = Numbered<QLineEdit>(kRekeyEdit, this);
  rekey_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), rekey_));
  auto* rekeyLabel = new QLabel(Q(strings_.Text(kStrRekeyLabel)), this);
  NameByLabel(rekeyLabel, rekey_);
  rekeyUnit_ = Numbered<QPushButton>(kRekeyUnitButton, this);
  grid->addWidget(rekeyLabel, 4, 0);
  grid->addWidget(rekey_, 4, 1);
  grid->addWidget(rekeyUnit_, 4, 2);
  connect(rekeyUnit_, &QPushButton::clicked, this, [this] {
    Collect();
    security_.rekeyMethod = security_.rekeyMethod == 0 ? 1 : 0;
    Render();
  });
}

QGroupBox* CAuthSecuDlg::BuildWepKeys() {
  wepGroup_ = new QGroupBox(Q(strings_.Text(kStrWepKeysGroup)), this);
  auto* grid = new QGridLayout(wepGroup_);
  transmitKey_ = new QButtonGroup(this);
  const auto hexOnly = QRegularExpression(QStringLiteral("[0-9A-Fa-f]*"));
  for (int i = 0; i < kWepKeyCount; ++i) {
    const QString name = Q(strings_.Text(kStrKeyLabel)) + QString::number(i + 1);
    auto* radio = Numbered<QRadioButton>(kKeyRadio1 + i, wepGroup_);
    radio->setText(name);
    NameControl(radio, tr("Transmit key: %1").arg(name));
    transmitKey_->addButton(radio, i);
    auto* type = keyTypes_[size_t(i)] = Numbered<QComboBox>(kKeyTypeCombo1 + i, wepGroup_);
    type->addItem(Q(strings_.Text(kStrKeyHex)));
    type->addItem(Q(strings_.Text(kStrKeyAscii)));
    NameControl(type, tr("%1 type").arg(name));
    auto* hex = hexKeys_[size_t(i)] = Numbered<QLineEdit>(kKeyHexEdit1 + i, wepGroup_);
    hex->setMaxLength(kMaxHexKey);
    hex->setValidator(new QRegularExpressionValidator(hexOnly, hex));
    NameControl(hex, tr("%1, hexadecimal").arg(name));
    auto* ascii = asciiKeys_[size_t(i)] = Numbered<QLineEdit>(kKeyAsciiEdit1 + i, wepGroup_);
    ascii->setMaxLength(kMaxAsciiKey);
    ascii->setValidator(new QRegularExpressionValidator(PrintableAscii(), ascii));
    NameControl(ascii, tr("%1, ASCII").arg(name));
    auto* stack = keyStacks_[size_t(i)] = new QStackedWidget(wepGroup_);
    stack->addWidget(hex);
    stack->addWidget(ascii);
    stack->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(radio, i, 0);
    grid->addWidget(type, i, 1);
    grid->addWidget(stack, i, 2);
    connect(type, &QComboBox::activated, this, [this, i] { ShowKeyRow(i); });
  }
  auto* note = new QLabel(Q(strings_.Text(kStrWepNote)), wepGroup_);
  note->setWordWrap(true);
  grid->addWidget(note, kWepKeyCount, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  return wepGroup_;
}

void CAuthSecuDlg::ShowKeyRow(int row) {
  keyStacks_[size_t(row)]->setCurrentIndex(keyTypes_[size_t(row)]->currentIndex());
}

void CAuthSecuDlg::ChooseAuth(int entry) {
  Collect();
  security_.auth = AuthForEntry(entry);
  // The new entry's first cipher, except that shared keys are always WEP.
  security_.encryption = EncryptionForEntry(entry, entry == 1 ? 1 : 0);
  Render();
}

void CAuthSecuDlg::Render() {
  rendering_ = true;
  const int entry = EntryForAuth(security_.auth);
  auth_->setCurrentIndex(entry);
  encryption_->clear();
  for (const std::string& text : EncryptionEntries(entry)) encryption_->addItem(Q(text));
  encryption_->setCurrentIndex(EntryForEncryption(entry, security_.encryption));
  encryption_->setEnabled(entry != 1);
  const KeyFields fields = FieldsFor(security_.auth, security_.encryption);
  passPhrase_->setText(Q(security_.passPhrase));
  rekey_->setText(QString::number(security_.rekeyInterval));
  rekeyUnit_->setText(
      Q(strings_.Text(security_.rekeyMethod == 0 ? kStrRekeySeconds : kStrRekeyPackets)));
  NameControl(rekeyUnit_, tr("Rekey unit: %1").arg(rekeyUnit_->text()));
  for (QWidget* w : {static_cast<QWidget*>(passPhrase_), static_cast<QWidget*>(rekey_),
                     static_cast<QWidget*>(rekeyUnit_), static_cast<QWidget*>(showPassword_)}) {
    w->setEnabled(fields == KeyFields::kPassPhrase);
  }
  wepGroup_->setEnabled(fields == KeyFields::kWep);
  transmitKey_->button(security_.transmitKey)->setChecked(true);
  for (int i = 0; i < kWepKeyCount; ++i) {
    const int type = security_.keyTypes[size_t(i)];
    keyTypes_[size_t(i)]->setCurrentIndex(type);
    (type == kKeyTypeAscii ? asciiKeys_ : hexKeys_)[size_t(i)]->setText(
        Q(security_.keys[size_t(i)]));
    ShowKeyRow(i);
  }
  rendering_ = false;
}

void CAuthSecuDlg::Collect() {
  security_.passPhrase = passPhrase_->text().toStdString();
  security_.rekeyInterval = rekey_->text().toLong();
  security_.transmitKey = std::max(0, transmitKey_->checkedId());
  for (int i = 0; i < kWepKeyCount; ++i) {
    const int type = keyTypes_[size_t(i)]->currentIndex() == 1 ? kKeyTypeAscii : kKeyTypeHex;
    security_.keyTypes[size_t(i)] = type;
    security_.keys[size_t(i)] =
        (type == kKeyTypeAscii ? asciiKeys_ : hexKeys_)[size_t(i)]->text().toStdString();
  }
}

void CAuthSecuDlg::accept() {
  Collect();
  if (const int refused = CheckSecurity(security_); refused != 0) {
    if (message_) message_(refused);
    return;
  }
  QDialog::accept();
}

}  // namespace kavo9::softap
