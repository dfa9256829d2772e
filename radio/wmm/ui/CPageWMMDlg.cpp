#include "radio/wmm/ui/CPageWMMDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"

namespace kavo9 {

using radio::kAccessCategoryCount;

namespace {

constexpr int kDialog = 262;
constexpr int kWmmCheck = 1264, kApsdCheck = 1277, kDlsCheck = 1250;
constexpr int kAcChecks[kAccessCategoryCount] = {1229, 1227, 1231, 1233};
constexpr const char* kAcTexts[kAccessCategoryCount] = {"AC_BE", "AC_BK", "AC_VI", "AC_VO"};
constexpr int kMacEdits[6] = {1253, 1258, 1260, 1261, 1262, 1263};
constexpr int kTimeoutEdit = 1255, kLinkList = 1267, kSetupButton = 1256, kTearDownButton = 1268;
constexpr int kTimeoutDigits = 5;

template <class W>
W* Numbered(int id, QWidget* parent) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::number(id));
  return widget;
}

}  // namespace

CPageWMMDlg::CPageWMMDlg(radio::WmmPageModel& model, TextFn text, MessageFn showMessage,
                         QWidget* parent)
    : QWidget(parent), model_(model), text_(std::move(text)), showMessage_(std::move(showMessage)) {
  setObjectName(QString::number(kDialog));
  setWindowTitle(text_("IDS_TAB_WMM"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildSwitches(), 1);
  top->addWidget(BuildStatus());
  layout->addLayout(top);
  layout->addWidget(BuildDirectLinks(), 1);
  MnemonicLetters letters;
  AssignMnemonics(this, letters);
  Render();
}

CPageWMMDlg::~CPageWMMDlg() {
  model_.Hidden();
  model_.SetLinksChanged(nullptr);
}

QWidget* CPageWMMDlg::BuildSwitches() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  wmm_ = Numbered<QCheckBox>(kWmmCheck, box);
  wmm_->setText(text_("IDS_WMM_Enable"));
  grid->addWidget(wmm_, 0, 0, 1, 4);
  apsd_ = Numbered<QCheckBox>(kApsdCheck, box);
  apsd_->setText(text_("IDS_POWER_SAVE"));
  grid->addWidget(apsd_, 1, 0, 1, 4);
  for (int c = 0; c < kAccessCategoryCount; ++c) {
    ac_[size_t(c)] = Numbered<QCheckBox>(kAcChecks[c], box);
    ac_[size_t(c)]->setText(QString::fromLatin1(kAcTexts[c]));
    NameControl(ac_[size_t(c)], text_("IDS_POWER_SAVE") + QStringLiteral(", ") + kAcTexts[c]);
    grid->addWidget(ac_[size_t(c)], 2, c);
  }
  dls_ = Numbered<QCheckBox>(kDlsCheck, box);
  dls_->setText(text_("IDS_DLS_ENABLE"));
  grid->addWidget(dls_, 3, 0, 1, 4);

  connect(wmm_, &QCheckBox::clicked, this, [this] {
    TakeControls();
    model_.OnWmmChanged();
    Render();
  });
  connect(apsd_, &QCheckBox::clicked, this, [this] {
    TakeControls();
    model_.OnApsdChanged();
    Render();
  });
  for (QCheckBox* box2 : ac_) {
    connect(box2, &QCheckBox::clicked, this, [this] {
      TakeControls();
      model_.OnAccessCategoryChanged();
      Render();
    });
  }
  connect(dls_, &QCheckBox::clicked, this, [this] {
    TakeControls();
    model_.OnDlsChanged();
    Render();
  });
  return box;
}

QWidget* CPageWMMDlg::BuildStatus() {
  auto* box = new QGroupBox(text_("IDS_WMM_SETUP_STATUS"), this);
  auto* grid = new QFormLayout(box);
  wmmStatus_ = new QLabel(box);
  powerSaveStatus_ = new QLabel(box);
  dlsStatus_ = new QLabel(box);
  powerSaveLabel_ = new QLabel(text_("IDS_POWER_SAVE_STATUS"), box);
  auto* wmmLabel = new QLabel(QStringLiteral("WMM >>"), box);
  auto* dlsLabel = new QLabel(text_("IDS_DL"), box);
  grid->addRow(wmmLabel, wmmStatus_);
  grid->addRow(powerSaveLabel_, powerSaveStatus_);
  grid->addRow(dlsLabel, dlsStatus_);
  for (auto [label, value] : {std::pair{wmmLabel, wmmStatus_},
                              {powerSaveLabel_, powerSaveStatus_},
                              {dlsLabel, dlsStatus_}}) {
    value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    value->setFocusPolicy(Qt::TabFocus);
    QString name = WithoutMnemonic(label->text()).trimmed();
    if (name.endsWith(QLatin1String(">>"))) name.chop(2);
    NameControl(value, name.trimmed());
  }
  return box;
}

QWidget* CPageWMMDlg::BuildDirectLinks() {
  auto* box = new QGroupBox(text_("IDS_DLS"), this);
  auto* layout = new QVBoxLayout(box);
  auto* row = new QHBoxLayout;
  auto* macLabel = new QLabel(text_("IDS_MAC_ADDR"), box);
  row->addWidget(macLabel);
  const auto hex = new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,2}"), box);
  for (size_t i = 0; i < mac_.size(); ++i) {
    mac_[i] = Numbered<QLineEdit>(kMacEdits[i], box);
    mac_[i]->setMaxLength(2);
    mac_[i]->setValidator(hex);
    mac_[i]->setFixedWidth(mac_[i]->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 8);
    NameControl(mac_[i], QStringLiteral("MAC address, pair %1").arg(i + 1));
    row->addWidget(mac_[i]);
    if (i + 1 < mac_.size()) row->addWidget(new QLabel(QStringLiteral("-"), box));
    linkControls_.push_back(mac_[i]);
  }
  macLabel->setBuddy(mac_[0]);
  row->addStretch(1);
  layout->addLayout(row);

  auto* row2 = new QHBoxLayout;
  auto* timeoutLabel = new QLabel(text_("IDS_TIMEOUT_VALUE"), box);
  timeout_ = Numbered<QLineEdit>(kTimeoutEdit, box);
  timeout_->setMaxLength(kTimeoutDigits);
  timeout_->setFixedWidth(timeout_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
  NameByLabel(timeoutLabel, timeout_);
  row2->addWidget(timeoutLabel);
  row2->addWidget(timeout_);
  row2->addWidget(new QLabel(text_("IDS_SECOND"), box));
  row2->addStretch(1);
  setup_ = Numbered<QPushButton>(kSetupButton, box);
  setup_->setText(text_("IDS_Setting"));
  tearDown_ = Numbered<QPushButton>(kTearDownButton, box);
  tearDown_->setText(text_("IDS_TEAR_DOWN"));
  row2->addWidget(setup_);
  row2->addWidget(tearDown_);
  layout->addLayout(row2);

  links_ = Numbered<QTreeWidget>(kLinkList, box);
  links_->setRootIsDecorated(false);
  links_->setHeaderLabels({text_("IDS_MAC_ADDRESS"), text_("IDS_BLOCKACK_TIMEOUT")});
  links_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  links_->header()->setDefaultAlignment(Qt::AlignCenter);
  NameControl(links_, text_("IDS_DLS_STATUS"));
  layout->addWidget(links_, 1);
  linkControls_.insert(linkControls_.end(), {timeout_, setup_, tearDown_, links_});

  ConnectDirectLinks();
  return box;
}

void CPageWMMDlg::ConnectDirectLinks() {
  connect(setup_, &QPushButton::clicked, this, [this] {
    TakeControls();
    Refuse(model_.Setup());
  });
  connect(tearDown_, &QPushButton::clicked, this, [this] { Refuse(model_.TearDown()); });
  connect(links_, &QTreeWidget::currentItemChanged, this, [this] {
    if (!rendering_) model_.SelectRow(links_->currentIndex().row());
  });
  connect(links_, &QTreeWidget::itemActivated, this, [this] {
    model_.ActivateRow(links_->currentIndex().row());
    Render();
  });
}

void CPageWMMDlg::Refuse(std::optional<std::string_view> key) {
  if (key && showMessage_) showMessage_(*key);
}

void CPageWMMDlg::TakeControls() {
  radio::WmmValues& v = model_.values();
  v.wmm = wmm_->isChecked();
  v.apsd = apsd_->isChecked();
  for (size_t c = 0; c < ac_.size(); ++c) v.ac[c] = ac_[c]->isChecked();
  v.dls = dls_->isChecked();
  for (size_t i = 0; i < mac_.size(); ++i) v.mac[i] = mac_[i]->text().toStdString();
  v.timeout = timeout_->text().trimmed().toStdString();
}

void CPageWMMDlg::Render() {
  rendering_ = true;
  const radio::WmmValues& v = model_.values();
  const radio::WmmEnabling e = model_.Enabling();
  wmm_->setChecked(v.wmm);
  apsd_->setChecked(v.apsd);
  for (size_t c = 0; c < ac_.size(); ++c) {
    ac_[c]->setChecked(v.ac[c]);
    ac_[c]->setEnabled(e.accessCategories);
  }
  dls_->setChecked(v.dls);
  dls_->setEnabled(e.dlsCheck);
  for (size_t i = 0; i < mac_.size(); ++i) mac_[i]->setText(QString::fromStdString(v.mac[i]));
  timeout_->setText(QString::fromStdString(v.timeout));
  for (QWidget* w : linkControls_) w->setEnabled(e.directLinks);
  powerSaveLabel_->setEnabled(e.powerSaveLabel);
  wmmStatus_->setText(QString::fromStdString(model_.WmmStatus()));
  powerSaveStatus_->setText(QString::fromStdString(model_.PowerSaveStatus()));
  dlsStatus_->setText(QString::fromStdString(model_.DirectLinkStatus()));
  rendering_ = false;
  RenderLinks();
}

void CPageWMMDlg::RenderLinks() {
  rendering_ = true;
  const int current = links_->currentIndex().row();
  links_->clear();
  for (const radio::DirectLinkRow& row : model_.links()) {
    auto* item = new QTreeWidgetItem(QStringList{
        QString::fromStdString(radio::MacAddressText(row.peer)), QString::number(row.timeout)});
    item->setTextAlignment(0, Qt::AlignCenter);
    item->setTextAlignment(1, Qt::AlignCenter);
    links_->addTopLevelItem(item);
  }
  if (current >= 0 && current < links_->topLevelItemCount()) {
    links_->setCurrentItem(links_->topLevelItem(current));
  }
  rendering_ = false;
}

void CPageWMMDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  model_.Shown();
  model_.SetLinksChanged([this] { RenderLinks(); });
  Render();
}

void CPageWMMDlg::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  model_.Hidden();
}

}  // namespace kavo9
