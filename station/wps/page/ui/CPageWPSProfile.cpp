#include "station/wps/page/ui/CPageWPSProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"

namespace kavo9 {
namespace {

using wpspage::RegistrarChoice;

enum : int {
  kDialog = 247,
  kSsid = 1131,
  kBssid = 1218,
  kAuth = 1366,
  kEncry = 1365,
  kKeyLength = 1367,
  kKeyIndex = 1364,
  kKey = 3269,
  kShowPassword = 3241,
  kAscii = 3242,
  kOk = 1144,
  kCancel = 1145,
};

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

CPageWPSProfile::CPageWPSProfile(wps::WpsPart& part, WpsProfileHooks hooks,
                                 const std::function<QString(LangKey)>& text, QWidget* parent)
    : QWidget(parent), part_(part), hooks_(std::move(hooks)) {
  setObjectName(QString::number(kDialog));
  Build(text);
}

void CPageWPSProfile::Build(const std::function<QString(LangKey)>& text) {
  auto* grid = new QGridLayout;
  const auto row = [&](LangKey key, QWidget* field, int at) {
    auto* label = new QLabel(text(key), this);
    grid->addWidget(label, at, 0);
    grid->addWidget(field, at, 1);
    NameByLabel(label, field);
  };
  ssid_ = Numbered(new QLineEdit(this), kSsid);
  ssid_->setMaxLength(int(wps::kMaxSsidBytes));
  bssid_ = Numbered(new QLabel(this), kBssid);
  auth_ = Numbered(new QComboBox(this), kAuth);
  encry_ = Numbered(new QComboBox(this), kEncry);
  keyLength_ = Numbered(new QComboBox(this), kKeyLength);
  keyIndex_ = Numbered(new QComboBox(this), kKeyIndex);
  key_ = Numbered(new QLineEdit(this), kKey);
  row(LangKey::IDS_SSID, ssid_, 0);
  row(LangKey::IDS_SITESUR_BSSID, bssid_, 1);
  row(LangKey::IDS_AUTH_TYPE, auth_, 2);
  row(LangKey::IDS_ENCRY_TYPE, encry_, 3);
  row(LangKey::IDS_KEY_LENGTH, keyLength_, 4);
  row(LangKey::IDS_KEY_INDEX, keyIndex_, 5);
  row(LangKey::IDS_KEY_MATERIAL, key_, 6);
  showPassword_ = Numbered(new QCheckBox(text(LangKey::IDS_SHOW_PASSWORD), this), kShowPassword);
  ascii_ = Numbered(new QCheckBox(text(LangKey::IDS_ASCII_FORMAT), this), kAscii);
  ok_ = Numbered(new QPushButton(text(LangKey::IDS_OK), this), kOk);
  auto* cancel = Numbered(new QPushButton(text(LangKey::IDS_CANCEL), this), kCancel);
  connect(showPassword_, &QCheckBox::toggled, this, [this] { ShowKey(); });
  connect(ascii_, &QCheckBox::toggled, this, [this] { ShowKey(); });
  connect(auth_, &QComboBox::activated, this, [this] { ApplyAuthChoice(); });
  connect(encry_, &QComboBox::activated, this, [this] { ApplyEncryChoice(); });
  connect(keyLength_, &QComboBox::activated, this, [this] { ApplyKeyLimit(); });
  connect(ok_, &QPushButton::clicked, this, [this] { OnOk(); });
  connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
  auto* checks = new QHBoxLayout;
  checks->addWidget(showPassword_);
  checks->addWidget(ascii_);
  checks->addStretch();
  checks->addWidget(ok_);
  checks->addWidget(cancel);
  for (QPushButton* b : {ok_, cancel}) KeepTextClearOfFrame(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(checks);
  layout->addStretch();
}

void CPageWPSProfile::ShowSlot(uint32_t slot) {
  const wps::WpsState& s = part_.State();
  registrar_ = s.Registrar();
  const wps::WpsCredential& c = s.Table.Slots[slot < wps::kMaxCredentials ? slot : 0];
  texts_ = wpspage::DetailTexts(c);
  ssid_->setText(Q(texts_.ssid));
  bssid_->setText(Q(texts_.bssid));
  ssid_->setReadOnly(!registrar_);
  key_->setReadOnly(!registrar_);
  for (QComboBox* combo : {auth_, encry_, keyLength_, keyIndex_}) combo->clear();
  limit_ = -1;
  showPassword_->setChecked(false);
  ascii_->setChecked(false);
  ascii_->setVisible(!registrar_);
  ascii_->setEnabled(texts_.wep);
  if (registrar_) {
    FillRegistrarCombos();
    const RegistrarChoice choice = wpspage::ChoiceFrom(c);
    auth_->setCurrentIndex(choice.auth);
    ApplyAuthChoice();
    encry_->setCurrentIndex(choice.encry);
    keyLength_->setCurrentIndex(choice.keyLengthIndex);
    keyIndex_->setCurrentIndex(choice.keyIndex);
    ApplyEncryChoice();
    key_->setText(Q(choice.key));
  } else {
    // Read-only: each choice shows its one text.
    auth_->addItem(Q(texts_.auth));
    encry_->addItem(Q(texts_.encry));
    keyLength_->addItem(Q(texts_.keyLength));
    keyIndex_->addItem(Q(texts_.keyIndex));
  }
  for (QComboBox* combo : {auth_, encry_}) combo->setEnabled(registrar_);
  if (!registrar_) {
    keyLength_->setEnabled(false);
    keyIndex_->setEnabled(false);
  }
  ShowKey();
}

void CPageWPSProfile::FillRegistrarCombos() {
  auth_->addItems({QStringLiteral("OPEN"), QStringLiteral("WPA-PSK"), QStringLiteral("WPA2-PSK")});
  keyLength_->addItems({"5", "10", "13", "26"});
  keyIndex_->addItems({"1", "2", "3", "4"});
}

void CPageWPSProfile::ApplyAuthChoice() {
  const int keep = encry_->currentIndex();
  encry_->clear();
  if (auth_->currentIndex() == RegistrarChoice::kOpen) {
    encry_->addItems({QStringLiteral("NONE"), QStringLiteral("WEP")});
  } else {
    encry_->addItems({QStringLiteral("TKIP"), QStringLiteral("AES")});
  }
  encry_->setCurrentIndex(keep < 0 ? 0 : keep);
  ApplyEncryChoice();
}

void CPageWPSProfile::ApplyEncryChoice() {
  const bool wep = auth_->currentIndex() == RegistrarChoice::kOpen && encry_->currentIndex() == 1;
  keyLength_->setEnabled(wep);
  keyIndex_->setEnabled(wep);
  if (!wep) {
    keyLength_->setCurrentIndex(0);
    keyIndex_->setCurrentIndex(0);
  }
  ApplyKeyLimit();
}

void CPageWPSProfile::ApplyKeyLimit() {
  const RegistrarChoice choice = Choice();
  const int limit = wpspage::KeyLimit(choice);
  if (limit_ >= 0 && limit != limit_) key_->clear();
  limit_ = limit;
  key_->setReadOnly(limit == 0);
  key_->setMaxLength(limit == 0 ? 0 : limit);
  key_->setValidator(nullptr);
  if (wpspage::KeyIsHexOnly(choice)) {
    key_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]*")), key_));
  }
}

void CPageWPSProfile::ShowKey() {
  if (!registrar_) {
    key_->setText(Q(ascii_->isChecked() ? texts_.keyAscii : texts_.keyHex));
  }
  key_->setEchoMode(showPassword_->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
}

RegistrarChoice CPageWPSProfile::Choice() const {
  RegistrarChoice r;
  r.ssid = ssid_->text().toStdString();
  r.auth = std::max(0, auth_->currentIndex());
  r.encry = std::max(0, encry_->currentIndex());
  r.keyLengthIndex = std::max(0, keyLength_->currentIndex());
  r.keyIndex = std::max(0, keyIndex_->currentIndex());
  r.key = key_->text().toStdString();
  return r;
}

void CPageWPSProfile::OnOk() {
  if (registrar_) {
    const RegistrarChoice choice = Choice();
    if (auto error = wpspage::ValidateRegistrar(choice)) {
      key_->setFocus();
      if (hooks_.message) hooks_.message(*error);
      return;
    }
    if (wpspage::NeedsInsecureConfirm(choice) && hooks_.confirm &&
        !hooks_.confirm(wpspage::kInsecureQuestion)) {
      return;
    }
    wps::WpsState& s = part_.State();
    if (s.Table.Empty()) s.Table.Count = 1;
    s.Table.Slots[0] = wpspage::ApplyRegistrar(choice, s.Table.Slots[0]);
    s.SelectedCredential = s.RotationIndex = 0;
    if (hooks_.edited) hooks_.edited();
  }
  if (hooks_.done) hooks_.done();
}

void CPageWPSProfile::OnCancel() {
  if (hooks_.done) hooks_.done();
}

}  // namespace kavo9
