#include "station/dot1x/sso/ui/CPageSSODlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "station/dot1x/sso/ui/SsoPageIds.h"

namespace kavo9 {
namespace {

using sso::SavedPassword;
namespace ids = sso::ids;

constexpr int kCredentialIds[3] = {ids::kCredentialWindowsLogon, ids::kCredentialProfile,
                                   ids::kCredentialPrompt};
constexpr const char* kCredentialTexts[3] = {"IDS_SSO_USE_ID_PASSWORD_IN_WINLOGON",
                                             "IDS_SSO_USE_ID_PASSWORD_IN_PROFILE",
                                             "IDS_SSO_PROMPT_ID_PASSWORD_DIALOG"};
// The group's caption when the language file has none.
constexpr const char* kProfileListCaption =
    "Profile List ( Only support LEAP or EAP-FAST authentication )";

template <class W>
W* Numbered(int id, QWidget* parent) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::number(id));
  return widget;
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

CPageSSODlg::CPageSSODlg(sso::SsoPage& page, TextFn text, QWidget* parent)
    : QWidget(parent), page_(page), text_(std::move(text)) {
  setObjectName(QString::number(ids::kDialog));
  setWindowTitle(text_("IDS_TAB_SSO"));
  feature_ = Numbered<QCheckBox>(ids::kEnableFeature, this);
  feature_->setText(text_("IDS_SSO_ENABLE_SSO_FEATURE"));
  apply_ = Numbered<QPushButton>(ids::kApply, this);
  apply_->setText(text_("IDS_APPLY"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("ssoStatus"));
  status_->setWordWrap(true);
  NameControl(status_, QStringLiteral("Single sign-on status"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(apply_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(feature_);
  layout->addWidget(BuildCredentials());
  layout->addWidget(BuildProfiles());
  layout->addStretch();
  layout->addLayout(buttons);
  MnemonicLetters letters;
  AssignMnemonics(this, letters);
  ConnectControls();
  page_.Show();
  Render();
}

QWidget* CPageSSODlg::BuildCredentials() {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(20, 0, 0, 0);
  for (size_t i = 0; i < credentials_.size(); ++i) {
    credentials_[i] = Numbered<QRadioButton>(kCredentialIds[i], box);
    credentials_[i]->setText(text_(kCredentialTexts[i]));
    column->addWidget(credentials_[i]);
  }
  return box;
}

QWidget* CPageSSODlg::BuildProfiles() {
  auto* group = Numbered<QGroupBox>(ids::kProfileListGroup, this);
  QString caption = text_("IDS_GROUP_SSO_PROFILE_LIST");
  group->setTitle(caption.isEmpty() ? QString::fromLatin1(kProfileListCaption) : caption);
  auto* column = new QVBoxLayout(group);
  auto* row = new QHBoxLayout;
  selectLabel_ = Numbered<QLabel>(ids::kSelectProfileLabel, group);
  selectLabel_->setText(text_("IDS_STATIC_SELECT_PROFILE"));
  list_ = Numbered<QComboBox>(ids::kProfileList, group);
  list_->setMinimumContentsLength(16);
  list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  NameByLabel(selectLabel_, list_, QStringLiteral("The profiles that use LEAP or EAP-FAST"));
  row->addWidget(selectLabel_);
  row->addWidget(list_, 1);
  column->addLayout(row);

  auto* info = Numbered<QGroupBox>(ids::kProfileInformationGroup, group);
  info->setTitle(text_("IDS_STATIC_PROFILE_INFORMATION"));
  auto* form = new QFormLayout(info);
  auto addRow = [&](int labelId, const char* key, int valueId) {
    auto* label = Numbered<QLabel>(labelId, info);
    label->setText(text_(key));
    auto* value = Numbered<QLabel>(valueId, info);
    value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    value->setFocusPolicy(Qt::StrongFocus);
    NameByLabel(label, value);
    form->addRow(label, value);
    return value;
  };
  name_ = addRow(ids::kProfileNameLabel, "IDS_STATIC_PROFILENAME", ids::kProfileName);
  ssid_ = addRow(ids::kSsidLabel, "IDS_SSID", ids::kSsid);
  authentication_ = addRow(ids::kAuthenticationLabel, "IDS_LINK_AUTHEN", ids::kAuthentication);
  details_ = info;
  column->addWidget(info);
  return group;
}

void CPageSSODlg::ConnectControls() {
  connect(feature_, &QCheckBox::toggled, this, [this](bool on) {
    if (rendering_) return;
    page_.SetFeature(on);
    status_->setText(on ? QStringLiteral("Choose the credentials and a profile, then apply.")
                        : QStringLiteral("Single sign-on is off."));
    Render();
  });
  for (size_t i = 0; i < credentials_.size(); ++i) {
    connect(credentials_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (rendering_ || !on) return;
      page_.ChooseCredential(SavedPassword(int(i)));
      status_->setText(QStringLiteral("The credential choice is saved."));
    });
  }
  connect(list_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (rendering_) return;
    page_.ChooseProfile(index);
    Render();
  });
  connect(apply_, &QPushButton::clicked, this, [this] {
    page_.Apply();
    const sso::SsoPageView& view = page_.View();
    QString text = QStringLiteral("Single sign-on uses the profile \"%1\"; connecting.")
                       .arg(FromUtf8(view.profileName));
    if (view.otherLogonLibrary) {
      text += QStringLiteral(" Another logon library is installed and was left in place.");
    }
    status_->setText(text);
  });
}

void CPageSSODlg::Render() {
  rendering_ = true;
  const sso::SsoPageView& view = page_.View();
  feature_->setChecked(view.featureOn);
  const auto choice = size_t(view.credential);
  for (size_t i = 0; i < credentials_.size(); ++i) {
    credentials_[i]->setChecked(i == choice);
    credentials_[i]->setEnabled(view.credentialsEnabled);
  }
  {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (const std::string& name : view.profiles) list_->addItem(FromUtf8(name));
    list_->setCurrentIndex(view.selected);
  }
  list_->setEnabled(view.listEnabled);
  selectLabel_->setEnabled(view.listEnabled);
  name_->setText(FromUtf8(view.profileName));
  ssid_->setText(FromUtf8(view.ssid));
  authentication_->setText(FromUtf8(view.authentication));
  details_->setEnabled(view.detailsEnabled);
  apply_->setEnabled(view.applyEnabled);
  rendering_ = false;
}

QString CPageSSODlg::StatusText() const {
  return status_->text();
}

void CPageSSODlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  page_.Show();
  Render();
}

}  // namespace kavo9
