#include "station/networks/profiles/editor/ui/CPageAuthEncryDlg.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "common/ui/Accessibility.h"
#include "station/networks/profiles/editor/ProfileEditorIds.h"

namespace kavo9 {

using namespace profileeditor;
using namespace authencry;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

const QRegularExpression& KeyPattern(int form) {
  static const QRegularExpression hex(QStringLiteral("[0-9A-Fa-f]{0,26}"));
  static const QRegularExpression ascii(QStringLiteral("[\\x20-\\x7E]{0,13}"));
  return form == kKeyAscii ? ascii : hex;
}

}  // namespace

CPageAuthEncryDlg::CPageAuthEncryDlg(AuthSecurity& logic, const EditorTextLookup& text,
                                     QWidget* parent)
    : QWidget(parent), logic_(logic) {
  setObjectName(QString::number(authencry::kDialog));
  Build(text);
  Show();
}

void CPageAuthEncryDlg::Build(const EditorTextLookup& text) {
  auto label = [&](int number, const QString& caption) {
    return Numbered(new QLabel(caption, this), number);
  };
  auto* layout = new QVBoxLayout(this);
  auto* top = new QGridLayout;
  authentication_ = new ChoiceButton(kAuthentication, this);
  for (int choice = 0; choice < kAuthChoiceCount; ++choice) {
    QAction* action = authentication_->AddChoice(kMenuAuthentication[size_t(choice)],
                                                 Q(AuthChoiceText(choice)), [this, choice] {
                                                   logic_.ChooseAuthentication(choice);
                                                   Changed();
                                                 });
    // LEAP and WPA-None are the program's own choices, never the user's.
    const bool inMenu =
        std::find(AuthSecurity::kMenuChoices.begin(), AuthSecurity::kMenuChoices.end(), choice) !=
        AuthSecurity::kMenuChoices.end();
    action->setVisible(inMenu);
  }
  authenticationLabel_ = label(kAuthenticationLabel, text(LangKey::IDS_AUTHTYPE));
  encryption_ = new ChoiceButton(kEncryption, this);
  for (int choice = 0; choice < kEncryptionChoiceCount; ++choice) {
    encryption_->AddChoice(kMenuEncryption[size_t(choice)], Q(EncryptionChoiceText(choice)),
                           [this, choice] {
                             logic_.ChooseEncryption(choice);
                             Changed();
                           });
  }
  encryptionLabel_ = label(kEncryptionLabel, text(LangKey::IDS_ENCRYP_TYPE));
  connect(authentication_->ChoiceMenu(), &QMenu::aboutToShow, this, [this] { UpdateMenus(); });
  connect(encryption_->ChoiceMenu(), &QMenu::aboutToShow, this, [this] { UpdateMenus(); });
  use8021X_ = Numbered(new QCheckBox(this), kUse8021X);
  use8021XLabel_ = label(kUse8021XLabel, QStringLiteral("802.1X"));
  connect(use8021X_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    logic_.SetUse8021X(on);
    Changed();
  });
  top->addWidget(authenticationLabel_, 0, 0);
  top->addWidget(authentication_, 0, 1);
  top->addWidget(use8021X_, 0, 2);
  top->addWidget(use8021XLabel_, 0, 3);
  top->addWidget(encryptionLabel_, 0, 4);
  top->addWidget(encryption_, 0, 5);
  NameByLabel(authenticationLabel_, authentication_);
  NameByLabel(encryptionLabel_, encryption_);
  NameByLabel(use8021XLabel_, use8021X_, QStringLiteral("Authenticate with 802.1X"));

  preSharedKey_ = Numbered(new QLineEdit(this), kPreSharedKey);
  preSharedKey_->setMaxLength(int(kMaxPreSharedKey));
  connect(preSharedKey_, &QLineEdit::textEdited, this,
          [this](const QString& typed) { logic_.SetPreSharedKey(typed.toStdString()); });
  preSharedKeyLabel_ = label(kPreSharedKeyLabel, text(LangKey::IDS_WPAWPAPSK));
  top->addWidget(preSharedKeyLabel_, 1, 0);
  top->addWidget(preSharedKey_, 1, 1, 1, 5);
  NameByLabel(preSharedKeyLabel_, preSharedKey_,
              QStringLiteral("8 to 63 characters, or 64 hexadecimal digits"));
  top->setColumnStretch(1, 1);
  top->setColumnStretch(5, 1);
  top->setVerticalSpacing(4);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(top);
  BuildKeys(text, layout);
  BuildLeap(layout);

  showPassword_ = Numbered(new QCheckBox(this), kShowPassword);
  auto* showLabel = label(kShowPasswordLabel, text(LangKey::IDS_SHOW_PASSWORD));
  connect(showPassword_, &QCheckBox::toggled, this, [this](bool on) {
    if (showing_) return;
    logic_.SetShowPassword(on);
    Show();
  });
  auto* showRow = new QHBoxLayout;
  showRow->addWidget(showPassword_);
  showRow->addWidget(showLabel);
  showRow->addStretch();
  layout->addLayout(showRow);
  layout->addStretch();
  NameByLabel(showLabel, showPassword_,
              QStringLiteral("Shows the keys, the pre-shared key and the password in clear"));
}

void CPageAuthEncryDlg::BuildKeys(const EditorTextLookup& text, QLayout* into) {
  wepGroup_ = new QWidget(this);
  auto* grid = new QGridLayout(wepGroup_);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* caption =
      Numbered(new QLabel(text(LangKey::IDS_AUTH_WEPKEY), wepGroup_), kWepKeyGroupLabel);
  grid->addWidget(caption, 0, 0, 1, 8);
  grid->setVerticalSpacing(4);
  auto* group = new QButtonGroup(this);
  const LangKey names[4] = {LangKey::IDS_AUTH_KEY1, LangKey::IDS_AUTH_KEY2, LangKey::IDS_AUTH_KEY3,
                            LangKey::IDS_AUTH_KEY4};
  for (int i = 0; i < 4; ++i) {
    defaultKey_[size_t(i)] = Numbered(new QRadioButton(wepGroup_), kDefaultKey[size_t(i)]);
    auto* keyLabel = Numbered(new QLabel(text(names[i]), wepGroup_), kDefaultKeyLabel[size_t(i)]);
    group->addButton(defaultKey_[size_t(i)], i);
    keyForm_[size_t(i)] = new ChoiceButton(kKeyForm[size_t(i)], wepGroup_);
    for (int form : {kKeyHex, kKeyAscii}) {
      keyForm_[size_t(i)]->AddChoice(kMenuKeyForm[size_t(i)][size_t(form)], Q(KeyFormText(form)),
                                     [this, i, form] {
                                       logic_.SetKeyForm(i, form);
                                       Changed();
                                     });
    }
    keys_[size_t(i)] = Numbered(new QLineEdit(wepGroup_), kKey[size_t(i)]);
    validators_[size_t(i)] = new QRegularExpressionValidator(KeyPattern(kKeyHex), keys_[size_t(i)]);
    keys_[size_t(i)]->setValidator(validators_[size_t(i)]);
    connect(keys_[size_t(i)], &QLineEdit::textEdited, this,
            [this, i](const QString& typed) { logic_.SetKeyText(i, typed.toStdString()); });
    // Keys 1 and 2 on the left, 3 and 4 on the right.
    const int row = 1 + i % 2;
    const int column = i < 2 ? 0 : 4;
    grid->addWidget(defaultKey_[size_t(i)], row, column);
    grid->addWidget(keyLabel, row, column + 1);
    grid->addWidget(keyForm_[size_t(i)], row, column + 2);
    grid->addWidget(keys_[size_t(i)], row, column + 3);
    NameByLabel(keyLabel, defaultKey_[size_t(i)],
                QStringLiteral("Makes key %1 the default key").arg(i + 1));
    const QString name = WithoutMnemonic(text(names[i]));
    NameControl(keyForm_[size_t(i)], name + QStringLiteral(" form"),
                QStringLiteral("Hexadecimal: 10 or 26 digits; ASCII: 5 or 13 characters"));
    NameControl(keys_[size_t(i)], name);
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int key) { logic_.SetDefaultKey(key); });
  grid->setColumnStretch(3, 1);
  grid->setColumnStretch(7, 1);
  into->addWidget(wepGroup_);
}

void CPageAuthEncryDlg::BuildLeap(QLayout* into) {
  leapGroup_ = new QWidget(this);
  auto* grid = new QGridLayout(leapGroup_);
  grid->setContentsMargins(0, 0, 0, 0);
  auto edit = [&](QLineEdit*& field, int number, int labelNumber, const char* caption, int row,
                  int column) {
    field = Numbered(new QLineEdit(leapGroup_), number);
    field->setMaxLength(255);
    auto* label = Numbered(new QLabel(QString::fromLatin1(caption), leapGroup_), labelNumber);
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
    NameByLabel(label, field);
    connect(field, &QLineEdit::textEdited, this, [this] {
      logic_.SetLeap(leapIdentity_->text().toStdString(), leapPassword_->text().toStdString(),
                     leapDomain_->text().toStdString());
    });
  };
  edit(leapIdentity_, kLeapIdentity, kLeapIdentityLabel, "Identity >>", 0, 0);
  edit(leapPassword_, kLeapPassword, kLeapPasswordLabel, "Password >>", 0, 2);
  edit(leapDomain_, kLeapDomain, kLeapDomainLabel, "Domain Name >>", 1, 0);
  grid->setVerticalSpacing(4);
  auto* ciphers = new QHBoxLayout;
  grid->addLayout(ciphers, 1, 2, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  auto* group = new QButtonGroup(this);
  const char* names[3] = {"WEP", "WPA-TKIP", "WPA2-AES"};
  for (int i = 0; i < 3; ++i) {
    leapCipher_[size_t(i)] = Numbered(new QRadioButton(leapGroup_), kLeapCipher[size_t(i)]);
    auto* label = Numbered(new QLabel(QString::fromLatin1(names[i]), leapGroup_),
                           kLeapCipherLabel[size_t(i)]);
    group->addButton(leapCipher_[size_t(i)], i);
    ciphers->addWidget(leapCipher_[size_t(i)]);
    ciphers->addWidget(label);
    NameByLabel(label, leapCipher_[size_t(i)], QStringLiteral("The cipher used with LEAP"));
  }
  connect(group, &QButtonGroup::idClicked, this,
          [this](int cipher) { logic_.SetLeapCipher(cipher); });
  into->addWidget(leapGroup_);
}

void CPageAuthEncryDlg::Changed() {
  Show();
  if (changed_) changed_();
}

void CPageAuthEncryDlg::UpdateMenus() {
  for (int choice = 0; choice < kAuthChoiceCount; ++choice) {
    QAction* action = authentication_->Choice(kMenuAuthentication[size_t(choice)]);
    const bool offered = logic_.AuthenticationOffered(choice);
    action->setEnabled(offered);
    action->setToolTip(offered ? QString()
                               : QStringLiteral("Needs an infrastructure network and the "
                                                "802.1X supplicant (WPA2 also Windows XP)."));
  }
  for (int choice = 0; choice < kEncryptionChoiceCount; ++choice) {
    QAction* action = encryption_->Choice(kMenuEncryption[size_t(choice)]);
    const bool offered = logic_.EncryptionOffered(choice);
    action->setEnabled(offered);
    action->setToolTip(offered ? QString() : QStringLiteral("Not used with this authentication."));
  }
}

void CPageAuthEncryDlg::FocusControl(int number) {
  if (auto* control = findChild<QWidget*>(QString::number(number))) {
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
  }
}

void CPageAuthEncryDlg::Show() {
  showing_ = true;
  const AuthSecurityValues& v = logic_.Values();
  const AuthSecurityView& view = logic_.View();
  authentication_->setText(Q(AuthChoiceText(v.authentication)));
  encryption_->setText(Q(EncryptionChoiceText(v.encryption)));
  use8021X_->setChecked(v.use8021X);
  const bool boxShown = view.box8021XShown && !view.leapShown;
  use8021X_->setVisible(boxShown);
  use8021XLabel_->setVisible(boxShown);
  use8021X_->setEnabled(view.box8021XEnabled);
  for (QWidget* w : {static_cast<QWidget*>(encryption_), static_cast<QWidget*>(encryptionLabel_),
                     static_cast<QWidget*>(preSharedKey_),
                     static_cast<QWidget*>(preSharedKeyLabel_), wepGroup_}) {
    w->setVisible(!view.leapShown);
  }
  leapGroup_->setVisible(view.leapShown);
  preSharedKey_->setEnabled(view.preSharedKeyEnabled);
  preSharedKeyLabel_->setEnabled(view.preSharedKeyEnabled);
  wepGroup_->setEnabled(view.wepKeysEnabled);
  const auto echo = v.showPassword ? QLineEdit::Normal : QLineEdit::Password;
  for (QLineEdit* e : {preSharedKey_, leapPassword_}) e->setEchoMode(echo);
  if (preSharedKey_->text().toStdString() != v.preSharedKey) {
    preSharedKey_->setText(QString::fromStdString(v.preSharedKey));
  }
  for (size_t i = 0; i < 4; ++i) {
    defaultKey_[i]->setChecked(int(i) == v.defaultKey);
    keyForm_[i]->setText(Q(KeyFormText(v.keyForm[i])));
    keys_[i]->setEchoMode(echo);
    keys_[i]->setMaxLength(int(KeyLimit(v.keyForm[i])));
    if (validators_[i]->regularExpression() != KeyPattern(v.keyForm[i])) {
      validators_[i]->setRegularExpression(KeyPattern(v.keyForm[i]));
    }
    if (keys_[i]->text().toStdString() != v.keys[i]) {
      keys_[i]->setText(QString::fromStdString(v.keys[i]));
    }
  }
  if (leapIdentity_->text().toStdString() != v.leapIdentity) {
    leapIdentity_->setText(QString::fromStdString(v.leapIdentity));
  }
  if (leapPassword_->text().toStdString() != v.leapPassword) {
    leapPassword_->setText(QString::fromStdString(v.leapPassword));
  }
  if (leapDomain_->text().toStdString() != v.leapDomain) {
    leapDomain_->setText(QString::fromStdString(v.leapDomain));
  }
  leapCipher_[size_t(v.leapCipher)]->setChecked(true);
  showPassword_->setChecked(v.showPassword);
  showing_ = false;
}

}  // namespace kavo9
