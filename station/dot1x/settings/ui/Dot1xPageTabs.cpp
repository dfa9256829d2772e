// The 802.1X page's four tabs: how each is built and how it shows the model.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "station/dot1x/settings/ui/CPage8021XDlg.h"
#include "station/dot1x/settings/ui/Dot1xPageIds.h"

namespace kavo9 {

using namespace dot1x;
using namespace dot1xpage;

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QLabel* Label(const QString& caption, QWidget* parent) {
  return new QLabel(caption, parent);
}

// Fills a certificate list with its rows and selects `chosen` (-1 for none). The rows are
// rebuilt only when they changed, so a choice made in the list is not undone under the user.
void FillList(QComboBox* list, const std::vector<std::vector<std::string>>& rows, int chosen) {
  auto* model = qobject_cast<QStandardItemModel*>(list->model());
  bool same = model->rowCount() == int(rows.size());
  for (int r = 0; same && r < model->rowCount(); ++r) {
    for (int c = 0; same && c < int(rows[size_t(r)].size()); ++c) {
      const QStandardItem* item = model->item(r, c);
      same = item && item->text() == Q(rows[size_t(r)][size_t(c)]);
    }
  }
  if (same) {
    list->setCurrentIndex(chosen);
    return;
  }
  model->removeRows(0, model->rowCount());
  for (const auto& row : rows) {
    QList<QStandardItem*> items;
    for (const std::string& text : row) items.append(new QStandardItem(Q(text)));
    model->appendRow(items);
  }
  list->setCurrentIndex(chosen);
}

}  // namespace

// ---- Identity and passwords -----------------------------------------------------------------

QWidget* CPage8021XDlg::BuildIdentity(const EditorTextLookup&) {
  auto* tab = Numbered(new QWidget(this), kIdentityDialog);
  auto* grid = new QGridLayout(tab);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setVerticalSpacing(3);
  userId_ = TextEdit(kUserId, Dot1xText::kUserId, tab);
  userPassword_ = TextEdit(kUserPassword, Dot1xText::kUserPassword, tab);
  tunnelId_ = TextEdit(kTunnelId, Dot1xText::kTunnelId, tab);
  tunnelPassword_ = TextEdit(kTunnelPassword, Dot1xText::kTunnelPassword, tab);
  domainName_ = TextEdit(kDomainName, Dot1xText::kDomainName, tab);
  auto* userIdLabel = Label(QStringLiteral("Identity >>"), tab);
  identityLabels_ = {Label(QStringLiteral("Password >>"), tab),
                     Label(QStringLiteral("Tunnel ID >>"), tab),
                     Label(QStringLiteral("Tunnel Password >>"), tab),
                     Label(QStringLiteral("Domain Name >>"), tab)};
  grid->addWidget(userIdLabel, 0, 0);
  grid->addWidget(userId_, 0, 1);
  grid->addWidget(identityLabels_[0], 0, 2);
  grid->addWidget(userPassword_, 0, 3);
  grid->addWidget(identityLabels_[1], 1, 0);
  grid->addWidget(tunnelId_, 1, 1);
  grid->addWidget(identityLabels_[2], 1, 2);
  grid->addWidget(tunnelPassword_, 1, 3);
  grid->addWidget(identityLabels_[3], 2, 0);
  grid->addWidget(domainName_, 2, 1);
  NameByLabel(userIdLabel, userId_, QStringLiteral("The identity sent outside the tunnel"));
  NameByLabel(identityLabels_[0], userPassword_, QStringLiteral("The password of MD5-Challenge"));
  NameByLabel(identityLabels_[1], tunnelId_, QStringLiteral("The identity inside the tunnel"));
  NameByLabel(identityLabels_[2], tunnelPassword_,
              QStringLiteral("The password inside the tunnel"));
  NameByLabel(identityLabels_[3], domainName_,
              QStringLiteral("The domain put before the identity"));

  showPassword_ = Check(
      kShowPassword, QStringLiteral("Show Password"), tab,
      [this](bool on) { model_.SetShowPassword(on); },
      QStringLiteral("Shows the passwords in clear"));

  passwordMode_ = new QWidget(tab);
  auto* modeRow = new QHBoxLayout(passwordMode_);
  modeRow->setContentsMargins(0, 0, 0, 0);
  auto* modeLabel = Label(QStringLiteral("Password Mode >>"), passwordMode_);
  softToken_ = Numbered(new QRadioButton(QStringLiteral("Soft Token"), passwordMode_), kSoftToken);
  staticPassword_ =
      Numbered(new QRadioButton(QStringLiteral("Static Password"), passwordMode_), kStaticPassword);
  NameControl(softToken_, softToken_->text(),
              QStringLiteral("The token card makes the password; none is stored"));
  NameControl(staticPassword_, staticPassword_->text(),
              QStringLiteral("The tunnel password is stored and sent"));
  auto* group = new QButtonGroup(passwordMode_);
  group->addButton(softToken_, 0);
  group->addButton(staticPassword_, 1);
  connect(group, &QButtonGroup::idClicked, this, [this](int mode) {
    if (showing_) return;
    model_.SetPasswordMode(mode);
    Changed();
  });
  modeRow->addWidget(modeLabel);
  modeRow->addWidget(softToken_);
  modeRow->addWidget(staticPassword_);
  modeRow->addStretch();
  auto* lastRow = new QHBoxLayout;
  lastRow->addWidget(showPassword_);
  lastRow->addStretch();
  lastRow->addWidget(passwordMode_);
  grid->addLayout(lastRow, 2, 2, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(3, 1);
  return tab;
}

void CPage8021XDlg::ShowIdentity() {
  const Dot1xPageValues& v = model_.Values();
  const Dot1xLayout layout = model_.View().layout;
  const std::pair<QLineEdit*, const std::string*> texts[] = {{userId_, &v.userId},
                                                             {userPassword_, &v.userPassword},
                                                             {tunnelId_, &v.tunnelId},
                                                             {tunnelPassword_, &v.tunnelPassword},
                                                             {domainName_, &v.domainName}};
  for (const auto& [edit, text] : texts) {
    if (edit->text() != Q(*text)) edit->setText(Q(*text));
  }
  const QLineEdit::EchoMode echo = v.showPassword ? QLineEdit::Normal : QLineEdit::Password;
  userPassword_->setEchoMode(echo);
  tunnelPassword_->setEchoMode(echo);
  const bool enabled[] = {layout.userPassword, layout.tunnelId, layout.tunnelPassword,
                          layout.domainName};
  QLineEdit* edits[] = {userPassword_, tunnelId_, tunnelPassword_, domainName_};
  for (size_t i = 0; i < 4; ++i) {
    edits[i]->setEnabled(enabled[i]);
    identityLabels_[i]->setEnabled(enabled[i]);
  }
  showPassword_->setChecked(v.showPassword);
  passwordMode_->setVisible(layout.passwordModeShown);
  softToken_->setChecked(v.choices.passwordMode == 0);
  staticPassword_->setChecked(v.choices.passwordMode != 0);
}

// ---- Certificates ---------------------------------------------------------------------------

QWidget* CPage8021XDlg::BuildClient(const EditorTextLookup& text) {
  auto* tab = Numbered(new QWidget(this), kClientDialog);
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(4, 2, 4, 2);
  useClient_ = Check(
      kUseClientCert, QStringLiteral("Use Client certification"), tab,
      [this](bool on) { model_.SetUseClientCert(on); },
      QStringLiteral("Authenticates with a certificate of yours"));
  layout->addWidget(useClient_, 0, Qt::AlignTop);
  // Hidden: the certificate always comes from this computer's store.
  auto* machine = Numbered(new QRadioButton(text(LangKey::IDS_CERT_DLG_USE_CERT_ON_MACHINE), tab),
                           kCertOnMachine);
  auto* smartCard = Numbered(
      new QRadioButton(text(LangKey::IDS_CERT_DLG_USE_CERT_ON_SMART_CARD), tab), kCertOnSmartCard);
  machine->setVisible(false);
  smartCard->setVisible(false);

  clientDetails_ = new QWidget(tab);
  auto* grid = new QGridLayout(clientDetails_);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* listLabel = Label(text(LangKey::IDS_CLIENTCER), clientDetails_);
  clientList_ = Numbered(new QComboBox(clientDetails_), kClientList);
  auto* model = new QStandardItemModel(0, 4, clientList_);
  clientList_->setModel(model);
  // The drop-down shows the four columns of each certificate.
  auto* view = new QTableView(clientList_);
  view->horizontalHeader()->setVisible(false);
  view->verticalHeader()->setVisible(false);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  view->setMinimumWidth(480);
  clientList_->setView(view);
  clientList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(clientList_, &QComboBox::activated, this, [this](int row) {
    model_.ChooseClientRow(row);
    Changed();
  });
  grid->addWidget(listLabel, 0, 0);
  grid->addWidget(clientList_, 0, 1, 1, 3);
  NameByLabel(listLabel, clientList_, QStringLiteral("Your certificates on this computer"));
  view->setAccessibleName(QStringLiteral("Certificates: issued to, issued by, expires, name"));
  const QString captions[4] = {text(LangKey::IDS_ISSUETO), text(LangKey::IDS_ISSUEBY),
                               text(LangKey::IDS_EXPIREON), text(LangKey::IDS_FRIENDLYNAME)};
  const int numbers[4] = {kIssuedTo, kIssuedBy, kExpiresOn, kFriendlyName};
  for (int i = 0; i < 4; ++i) {
    auto* label = Label(captions[i], clientDetails_);
    clientTexts_[size_t(i)] = Numbered(new QLineEdit(clientDetails_), numbers[i]);
    clientTexts_[size_t(i)]->setReadOnly(true);
    grid->addWidget(label, 1 + i / 2, 2 * (i % 2));
    grid->addWidget(clientTexts_[size_t(i)], 1 + i / 2, 2 * (i % 2) + 1);
    NameByLabel(label, clientTexts_[size_t(i)]);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(3, 1);
  grid->setVerticalSpacing(3);
  layout->addWidget(clientDetails_, 1);
  return tab;
}

QWidget* CPage8021XDlg::BuildServer(const EditorTextLookup& text) {
  auto* tab = Numbered(new QWidget(this), kServerDialog);
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(4, 2, 4, 2);
  useServer_ = Check(
      kUseServerCert, QStringLiteral("Use Server Certification"), tab,
      [this](bool on) { model_.SetUseServerCert(on); },
      QStringLiteral("Checks the server's certificate before trusting it"));
  layout->addWidget(useServer_, 0, Qt::AlignTop);
  serverDetails_ = new QWidget(tab);
  auto* grid = new QGridLayout(serverDetails_);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* listLabel = Label(text(LangKey::IDS_CASERVER), serverDetails_);
  serverList_ = Numbered(new QComboBox(serverDetails_), kServerList);
  serverList_->setModel(new QStandardItemModel(0, 1, serverList_));
  serverList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(serverList_, &QComboBox::activated, this, [this](int row) {
    model_.ChooseServerRow(row);
    Changed();
  });
  NameByLabel(listLabel, serverList_,
              QStringLiteral("The authority the server's certificate "
                             "must come from"));
  serverList_->view()->setAccessibleName(QStringLiteral("Trusted authorities"));
  intermediate_ = Check(kIntermediate, text(LangKey::IDS_ALLOWINTER), serverDetails_,
                        [this](bool on) { model_.SetIntermediateCert(on); });
  auto* nameLabel = Label(text(LangKey::IDS_SERVERNAMEBE), serverDetails_);
  serverName_ = TextEdit(kServerName, Dot1xText::kServerName, serverDetails_);
  NameByLabel(nameLabel, serverName_, QStringLiteral("The name the server's certificate names"));
  nameExact_ =
      Numbered(new QRadioButton(text(LangKey::IDS_SERVERMATCH), serverDetails_), kNameExact);
  nameDomain_ =
      Numbered(new QRadioButton(text(LangKey::IDS_DONAIMEND), serverDetails_), kNameDomain);
  NameControl(nameExact_, nameExact_->text());
  NameControl(nameDomain_, nameDomain_->text());
  auto* rule = new QButtonGroup(serverDetails_);
  rule->addButton(nameExact_, 0);
  rule->addButton(nameDomain_, 1);
  connect(rule, &QButtonGroup::idClicked, this, [this](int value) {
    if (showing_) return;
    model_.SetNameRule(value);
    Changed();
  });
  grid->addWidget(listLabel, 0, 0);
  grid->addWidget(serverList_, 0, 1);
  grid->addWidget(intermediate_, 0, 2);
  grid->addWidget(nameLabel, 1, 0);
  grid->addWidget(serverName_, 1, 1, 1, 2);
  auto* rules = new QHBoxLayout;
  rules->addWidget(nameExact_);
  rules->addWidget(nameDomain_);
  rules->addStretch();
  grid->addLayout(rules, 2, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
  grid->setVerticalSpacing(3);
  layout->addWidget(serverDetails_, 1);
  return tab;
}

void CPage8021XDlg::ShowCertificates() {
  const Dot1xPageValues& v = model_.Values();
  const Dot1xPageView view = model_.View();
  const CertChoice& client = model_.ClientCerts();
  useClient_->setChecked(v.useClientCert);
  useClient_->setEnabled(view.clientBoxEnabled);
  clientDetails_->setEnabled(view.clientListEnabled);
  FillList(clientList_, client.Rows(), client.ChosenRow().value_or(-1));
  const CertDesc* chosen = client.Chosen();
  const std::string none;
  const std::string* texts[4] = {
      chosen ? &chosen->IssuedTo : &none, chosen ? &chosen->IssuedBy : &none,
      chosen ? &chosen->ExpiresOn : &none, chosen ? &chosen->FriendlyName : &none};
  for (size_t i = 0; i < 4; ++i) clientTexts_[i]->setText(Q(*texts[i]));

  const CertChoice& server = model_.ServerCerts();
  useServer_->setChecked(v.useServerCert);
  serverDetails_->setEnabled(view.serverControlsEnabled);
  FillList(serverList_, server.Rows(), server.ChosenRow().value_or(-1));
  intermediate_->setChecked(v.intermediateCert);
  if (serverName_->text() != Q(v.serverName)) serverName_->setText(Q(v.serverName));
  nameExact_->setChecked(v.nameRule == 0);
  nameDomain_->setChecked(v.nameRule == 1);
}

// ---- EAP-FAST -------------------------------------------------------------------------------

QWidget* CPage8021XDlg::BuildFast(const EditorTextLookup& text) {
  auto* tab = Numbered(new QWidget(this), kFastDialog);
  auto* grid = new QGridLayout(tab);
  grid->setContentsMargins(4, 2, 4, 2);
  provisionMode_ = Check(
      kProvisionMode, text(LangKey::IDS_PROVISION_MODE), tab,
      [this](bool on) { model_.SetProvisionMode(on); },
      QStringLiteral("Lets the server hand out a credential without a "
                     "certificate check"));
  provisioningLabel_ =
      Numbered(new QLabel(text(LangKey::IDS_PROVISIONING_TUNNEL), tab), kProvisioningLabel);
  provisioning_ = new ChoiceButton(kProvisioning, tab);
  const char* texts[] = {"EAP-MSCHAP v2", "EAP-TLS / Smart Card", "Generic Token Card"};
  for (int t = kTunnelMsChapV2; t <= kTunnelTokenCard; ++t) {
    provisioning_->AddChoice(kProvisioningCommands[t], QString::fromLatin1(texts[t]), [this, t] {
      model_.ChooseProvisioning(t);
      Changed();
    });
  }
  NameByLabel(provisioningLabel_, provisioning_,
              QStringLiteral("The method while the credential is handed out"));
  usePac_ = Check(
      kUsePac, text(LangKey::IDS_PAC), tab, [this](bool on) { model_.SetUsePac(on); },
      QStringLiteral("Keeps the credential in a file between connections"));
  pacControls_ = new QWidget(tab);
  auto* row = new QHBoxLayout(pacControls_);
  row->setContentsMargins(0, 0, 0, 0);
  auto* pathLabel =
      Numbered(new QLabel(text(LangKey::IDS_PAC_FILE_PATH), pacControls_), kPacPathLabel);
  pacPath_ = TextEdit(kPacPath, Dot1xText::kPacPath, pacControls_);
  NameByLabel(pathLabel, pacPath_, QStringLiteral("The file that keeps the credential"));
  auto* importButton =
      Numbered(new QPushButton(text(LangKey::IDS_IMPORT_FILE), pacControls_), kImport);
  auto* removeButton =
      Numbered(new QPushButton(text(LangKey::IDS_REMOVE_FILE), pacControls_), kRemove);
  NameControl(importButton, importButton->text(), QStringLiteral("Chooses a PAC file"));
  NameControl(removeButton, removeButton->text(),
              QStringLiteral("Forgets the file; the file itself stays"));
  const QString filter = text(LangKey::IDS_PAC_TYPE);
  connect(importButton, &QPushButton::clicked, this, [this, filter] {
    const QString chosen =
        pickFile_ ? pickFile_(this, filter)
                  : QFileDialog::getOpenFileName(this, QString(), QStringLiteral("*.pac"), filter);
    if (chosen.isEmpty()) return;
    model_.SetText(Dot1xText::kPacPath, chosen.toStdString());
    Changed();
  });
  connect(removeButton, &QPushButton::clicked, this, [this] {
    model_.SetText(Dot1xText::kPacPath, {});
    Changed();
  });
  row->addWidget(pathLabel);
  row->addWidget(pacPath_, 1);
  row->addWidget(importButton);
  row->addWidget(removeButton);
  grid->addWidget(provisionMode_, 0, 0);
  grid->addWidget(provisioningLabel_, 0, 1);
  grid->addWidget(provisioning_, 0, 2);
  grid->addWidget(usePac_, 1, 0, 1, 3);
  grid->addWidget(pacControls_, 2, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(3, 1);
  grid->setVerticalSpacing(3);
  return tab;
}

void CPage8021XDlg::ShowFast() {
  const Dot1xPageValues& v = model_.Values();
  const Dot1xPageView view = model_.View();
  provisionMode_->setChecked(v.provisionMode);
  provisionMode_->setEnabled(view.layout.provisionModeEnabled);
  provisioningLabel_->setVisible(view.layout.provisioningShown);
  provisioning_->setVisible(view.layout.provisioningShown);
  const char* texts[] = {"EAP-MSCHAP v2", "EAP-TLS/SmartCard", "Generic Token Card"};
  provisioning_->setText(QString::fromLatin1(texts[v.choices.provisioning]));
  usePac_->setChecked(v.usePac);
  pacControls_->setEnabled(view.pacControlsEnabled);
  if (pacPath_->text() != Q(v.pacPath)) pacPath_->setText(Q(v.pacPath));
}

}  // namespace kavo9
