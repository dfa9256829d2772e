#include "softap/config/ui/CConfigPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "softap/config/ConfigPageIds.h"
#include "softap/config/ui/CAuthSecuDlg.h"
#include "softap/shell/HostiraIds.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {

using namespace config;

namespace {

// How often the page looks at the settings file for the 802.11n group.
constexpr int kPageTimerMs = 1000;

template <class W>
W* Numbered(int id, QWidget* parent) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::number(id));
  return widget;
}

void Fill(QComboBox* combo, const std::vector<std::string>& entries, int selected) {
  combo->clear();
  for (const std::string& e : entries) combo->addItem(QString::fromStdString(e));
  combo->setCurrentIndex(selected < int(entries.size()) ? selected : -1);
}

void FillText(QComboBox* combo, const std::vector<std::string>& entries, const std::string& text) {
  const auto it = std::find(entries.begin(), entries.end(), text);
  Fill(combo, entries, it == entries.end() ? -1 : int(it - entries.begin()));
}

QLineEdit* NumberEdit(int id, QWidget* parent) {
  auto* edit = Numbered<QLineEdit>(id, parent);
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), edit));
  edit->setMaxLength(4);
  return edit;
}

}  // namespace

QString CConfigPage::T(int id) const {
  return QString::fromStdString(strings_.Text(id));
}

QLabel* CConfigPage::Label(int textId, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(T(textId), parent);
  NameByLabel(label, control);
  return label;
}

CConfigPage::CConfigPage(const HostiraStrings& strings, std::unique_ptr<ConfigPageModel> model,
                         MessageFn message, QWidget* parent)
    : QWidget(parent),
      strings_(strings),
      owned_(std::move(model)),
      model_(*owned_),
      message_(std::move(message)) {
  setObjectName(QString::number(kPageDialog));
  setAccessibleName(T(kStrConfigTitle));
  setAccessibleDescription(T(kStrConfigDescription));
  auto* content = new QWidget;
  auto* columns = new QHBoxLayout;
  columns->addWidget(BuildNetwork(), 1);
  columns->addWidget(BuildRadio(), 1);
  auto* inner = new QVBoxLayout(content);
  inner->addLayout(columns);
  inner->addWidget(BuildHt());
  inner->addStretch();
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(content);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);

  auto* buttons = new QHBoxLayout;
  auto* defaults = Numbered<QPushButton>(kDefaultButton, this);
  defaults->setText(T(kStrDefault));
  auto* apply = Numbered<QPushButton>(kApplyButton, this);
  apply->setText(T(kStrApply));
  NameControl(defaults, defaults->text());
  NameControl(apply, apply->text());
  buttons->addStretch();
  buttons->addWidget(defaults);
  buttons->addWidget(apply);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll, 1);
  layout->addLayout(buttons);
  connect(defaults, &QPushButton::clicked, this, [this] {
    model_.RestoreDefaults();
    Render();
  });
  connect(apply, &QPushButton::clicked, this, [this] {
    model_.Apply();
    Render();
  });
  Connect();
  ConnectHt();
  timer_ = new QTimer(this);
  timer_->setInterval(kPageTimerMs);
  connect(timer_, &QTimer::timeout, this, &CConfigPage::RenderVisibility);
  Render();
}

CConfigPage::~CConfigPage() = default;

void CConfigPage::RenderVisibility() {
  const ConfigControls c = model_.Controls();
  htGroup_->setVisible(c.htGroupShown);
  allow40_->setVisible(c.allow40Shown);
}

QWidget* CConfigPage::BuildNetwork() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  band_ = Numbered<QComboBox>(kBandCombo, box);
  ssid_ = Numbered<QLineEdit>(kSsidEdit, box);
  channel_ = Numbered<QComboBox>(kChannelCombo, box);
  auto* useMac = Numbered<QPushButton>(kUseMacButton, box);
  useMac->setText(T(kStrUseMac));
  auto* security = Numbered<QPushButton>(kSecurityButton, box);
  security->setText(T(kStrSecurityButton));
  NameControl(useMac, useMac->text());
  NameControl(security, security->text());
  grid->addWidget(Label(kStrWirelessModeLabel, band_, box), 0, 0);
  grid->addWidget(band_, 0, 1);
  grid->addWidget(Label(kStrSsidLabel, ssid_, box), 1, 0);
  grid->addWidget(ssid_, 1, 1);
  grid->addWidget(useMac, 2, 1);
  grid->addWidget(Label(kStrChannelLabel, channel_, box), 3, 0);
  grid->addWidget(channel_, 3, 1);
  grid->addWidget(security, 4, 1);
  connect(useMac, &QPushButton::clicked, this, [this] {
    model_.UseMacAddress();
    Render();
  });
  connect(security, &QPushButton::clicked, this, &CConfigPage::EditSecurity);

  regionGroup_ = Numbered<QGroupBox>(kRegionGroup, box);
  regionGroup_->setTitle(T(kStrRegionGroup));
  auto* regions = new QGridLayout(regionGroup_);
  region24_ = Numbered<QComboBox>(kRegion24Combo, regionGroup_);
  region5_ = Numbered<QComboBox>(kRegion5Combo, regionGroup_);
  region24Label_ = Label(kStrRegion24Label, region24_, regionGroup_);
  region5Label_ = Label(kStrRegion5Label, region5_, regionGroup_);
  NameControl(region24_, T(kStrRegionGroup) + QStringLiteral(", ") + T(kStrRegion24Label));
  NameControl(region5_, T(kStrRegionGroup) + QStringLiteral(", ") + T(kStrRegion5Label));
  for (QComboBox* combo : {region24_, region5_}) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }
  regions->addWidget(region24Label_, 0, 0);
  regions->addWidget(region24_, 0, 1);
  regions->addWidget(region5Label_, 1, 0);
  regions->addWidget(region5_, 1, 1);
  regions->setColumnStretch(1, 1);
  grid->addWidget(regionGroup_, 5, 0, 1, 2);
  grid->setRowStretch(6, 1);
  return box;
}

QWidget* CConfigPage::BuildRadio() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  beacon_ = NumberEdit(kBeaconEdit, box);
  txPower_ = Numbered<QComboBox>(kTxPowerCombo, box);
  idle_ = NumberEdit(kIdleEdit, box);
  txRate_ = Numbered<QComboBox>(kTxRateCombo, box);
  protection_ = Numbered<QComboBox>(kProtectionCombo, box);
  Fill(txPower_, TxPowerEntries(), 0);
  Fill(protection_, ProtectionEntries(), 0);
  int row = 0;
  auto addRow = [&](QLabel* label, QWidget* control) {
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row++, 1);
    return label;
  };
  addRow(Label(kStrBeaconLabel, beacon_, box), beacon_);
  addRow(Label(kStrTxPowerLabel, txPower_, box), txPower_);
  addRow(Label(kStrIdleLabel, idle_, box), idle_);
  txRateLabel_ = addRow(Label(kStrTxRateLabel, txRate_, box), txRate_);
  protectionLabel_ = addRow(Label(kStrProtectionLabel, protection_, box), protection_);
  auto check = [&](int id, int textId) {
    auto* c = Numbered<QCheckBox>(id, box);
    c->setText(T(textId));
    NameControl(c, c->text());
    grid->addWidget(c, row++, 0, 1, 2);
    return c;
  };
  noForwarding_ = check(kNoForwardingCheck, kStrNoForwarding);
  hideSsid_ = check(kHideSsidCheck, kStrHideSsid);
  txBurst_ = check(kTxBurstCheck, kStrTxBurst);
  allow40_ = check(kAllow40Check, kStrAllowBw40);
  grid->setRowStretch(row, 1);
  return box;
}

QGroupBox* CConfigPage::BuildHt() {
  htGroup_ = Numbered<QGroupBox>(kHtGroup, this);
  htGroup_->setTitle(T(kStrHtGroup));
  auto* grid = new QGridLayout(htGroup_);
  int row = 0;
  auto pair = [&](int label, int first, int firstText, int second, int secondText) {
    auto* group = new QButtonGroup(this);
    auto* caption = new QLabel(T(label), htGroup_);
    auto* a = Numbered<QRadioButton>(first, htGroup_);
    auto* b = Numbered<QRadioButton>(second, htGroup_);
    a->setText(T(firstText));
    b->setText(T(secondText));
    NameControl(a, T(label) + QStringLiteral(", ") + a->text());
    NameControl(b, T(label) + QStringLiteral(", ") + b->text());
    caption->setBuddy(a);
    group->addButton(a, 0);
    group->addButton(b, 1);
    grid->addWidget(caption, row, 0);
    grid->addWidget(a, row, 1);
    grid->addWidget(b, row++, 2);
    return group;
  };
  guard_ = pair(kStrGuardLabel, kGuardLong, kStrGuardLong, kGuardAuto, kStrGuardAuto);
  stbc_ = pair(kStrStbcLabel, kStbcNone, kStrStbcNone, kStbcAuto, kStrStbcAuto);
  htMode_ = pair(kStrHtModeLabel, kHtModeMixed, kStrHtModeMixed, kHtModeGreen, kStrHtModeGreen);
  mcs_ = Numbered<QComboBox>(kMcsCombo, htGroup_);
  Fill(mcs_, McsEntries(), 0);
  ext_ = Numbered<QComboBox>(kExtChannelCombo, htGroup_);
  grid->addWidget(Label(kStrMcsLabel, mcs_, htGroup_), row, 0);
  grid->addWidget(mcs_, row++, 1, 1, 2);
  grid->addWidget(Label(kStrExtChannelLabel, ext_, htGroup_), row, 0);
  grid->addWidget(ext_, row++, 1, 1, 2);
  return htGroup_;
}

void CConfigPage::Connect() {
  ApConfigValues& v = model_.values();
  connect(band_, &QComboBox::activated, this, [this](int index) {
    model_.ChooseBand(index == 1);
    Render();
  });
  connect(ssid_, &QLineEdit::textEdited, this, [this, &v](const QString& text) {
    // The name is limited in bytes: a character that would not fit is not taken.
    const std::string limited = LimitSsid(text.toStdString());
    if (limited != text.toStdString()) ssid_->setText(QString::fromStdString(limited));
    v.ssid = limited;
  });
  connect(channel_, &QComboBox::activated, this, [this](int) {
    model_.ChooseChannel(channel_->currentText().toStdString());
    Render();
  });
  connect(region24_, &QComboBox::activated, this, [this](int index) {
    model_.ChooseRegion24(index);
    Render();
  });
  connect(region5_, &QComboBox::activated, this, [this](int index) {
    model_.ChooseRegion5(index);
    Render();
  });
  connect(beacon_, &QLineEdit::textEdited, this,
          [&v](const QString& text) { v.beaconPeriod = text.toLong(); });
  connect(idle_, &QLineEdit::textEdited, this,
          [&v](const QString& text) { v.idleTime = text.toLong(); });
  connect(txPower_, &QComboBox::activated, this, [&v](int index) { v.txPower = index; });
  connect(txRate_, &QComboBox::activated, this, [&v](int index) { v.txRate = index; });
  connect(protection_, &QComboBox::activated, this, [&v](int index) { v.bgProtection = index; });
  connect(noForwarding_, &QCheckBox::clicked, this, [&v](bool on) { v.noForwarding = on; });
  connect(hideSsid_, &QCheckBox::clicked, this, [&v](bool on) { v.hideSsid = on; });
  connect(txBurst_, &QCheckBox::clicked, this, [&v](bool on) { v.txBurst = on; });
  connect(allow40_, &QCheckBox::clicked, this, [this](bool on) {
    model_.SetAllow40(on);
    Render();
  });
}

void CConfigPage::ConnectHt() {
  radio::HtSetting& ht = model_.values().ht;
  connect(guard_, &QButtonGroup::idClicked, this, [&ht](int id) { ht.shortGuard = uint32_t(id); });
  connect(stbc_, &QButtonGroup::idClicked, this, [&ht](int id) { ht.stbc = uint32_t(id); });
  connect(htMode_, &QButtonGroup::idClicked, this, [&ht](int id) { ht.greenfield = uint32_t(id); });
  connect(mcs_, &QComboBox::activated, this, [this, &ht](int index) {
    ht.mcs = uint32_t(radio::McsFromText(mcs_->itemText(index).toStdString(), kMcsAutoText));
  });
  connect(ext_, &QComboBox::activated, this,
          [this](int index) { model_.values().extChannel = ext_->itemText(index).toStdString(); });
}

void CConfigPage::Render() {
  if (rendering_) return;
  rendering_ = true;
  const ConfigControls c = model_.Controls();
  const ApConfigValues& v = model_.values();
  std::vector<std::string> bands = {strings_.Text(kStrBand24)};
  if (c.band5Offered) bands.push_back(strings_.Text(kStrBand5));
  Fill(band_, bands, v.band5 ? 1 : 0);
  if (ssid_->text().toStdString() != v.ssid) ssid_->setText(QString::fromStdString(v.ssid));
  FillText(channel_, model_.ChannelEntries(), v.channel);
  RenderRegions(c);
  if (!beacon_->hasFocus()) beacon_->setText(QString::number(v.beaconPeriod));
  if (!idle_->hasFocus()) idle_->setText(QString::number(v.idleTime));
  txPower_->setCurrentIndex(v.txPower);
  Fill(txRate_, model_.CurrentTxRateEntries(), v.txRate);
  protection_->setCurrentIndex(v.bgProtection);
  txRateLabel_->setVisible(c.txRateShown);
  txRate_->setVisible(c.txRateShown);
  protectionLabel_->setVisible(c.protectionShown);
  protection_->setVisible(c.protectionShown);
  protection_->setEnabled(c.protectionEnabled);
  noForwarding_->setChecked(v.noForwarding);
  hideSsid_->setChecked(v.hideSsid);
  txBurst_->setChecked(v.txBurst);
  allow40_->setVisible(c.allow40Shown);
  allow40_->setEnabled(c.allow40Enabled);
  allow40_->setChecked(c.allow40Checked);
  RenderHt(c);
  rendering_ = false;
}

void CConfigPage::RenderRegions(const ConfigControls& c) {
  const ApConfigValues& v = model_.values();
  Fill(region24_, Region24Entries(), v.region24);
  Fill(region5_, model_.Region5Texts(), v.region5);
  region24Label_->setVisible(c.region24Shown);
  region24_->setVisible(c.region24Shown);
  region5Label_->setVisible(c.region5Shown);
  region5_->setVisible(c.region5Shown);
  region24_->setEnabled(c.region24Enabled);
  region5_->setEnabled(c.region5Enabled);
  // The group is greyed when nothing in it can be chosen.
  const bool any = (c.region24Shown && c.region24Enabled) || (c.region5Shown && c.region5Enabled);
  regionGroup_->setEnabled(any);
}

void CConfigPage::RenderHt(const ConfigControls& c) {
  const ApConfigValues& v = model_.values();
  htGroup_->setVisible(c.htGroupShown);
  guard_->button(v.ht.shortGuard ? 1 : 0)->setChecked(true);
  stbc_->button(v.ht.stbc ? 1 : 0)->setChecked(true);
  htMode_->button(v.ht.greenfield ? 1 : 0)->setChecked(true);
  FillText(mcs_, McsEntries(), radio::McsText(int(v.ht.mcs), kMcsAutoText));
  if (mcs_->currentIndex() < 0) mcs_->setCurrentIndex(0);
  FillText(ext_, model_.ExtChannelEntries(), v.extChannel);
}

void CConfigPage::EditSecurity() {
  CAuthSecuDlg dialog(strings_, model_.values().security, message_, this);
  if (dialog.exec() == QDialog::Accepted) model_.SetSecurity(dialog.Security());
}

void CConfigPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Render();
  timer_->start();
}

void CConfigPage::hideEvent(QHideEvent* event) {
  timer_->stop();
  QWidget::hideEvent(event);
}

}  // namespace kavo9::softap
