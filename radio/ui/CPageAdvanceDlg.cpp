#include "radio/ui/CPageAdvanceDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"

namespace kavo9 {

using namespace radio::advance;

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A caption as a name: "Wireless Mode >>" is read as "Wireless Mode".
QString Caption(const QLabel* label) {
  QString text = WithoutMnemonic(label->text()).trimmed();
  if (text.endsWith(QLatin1String(">>"))) text.chop(2);
  return text.trimmed();
}

// Ties a row's caption to its control.
void Tie(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  NameControl(control, Caption(label));
}

}  // namespace

template <class W>
W* CPageAdvanceDlg::Make(int id, QWidget* parent) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::number(id));
  controls_[id] = widget;
  if constexpr (std::is_base_of_v<QLabel, W> || std::is_base_of_v<QAbstractButton, W>) {
    widget->setText(Q(model_.ControlText(id)));
  } else if constexpr (std::is_base_of_v<QGroupBox, W>) {
    widget->setTitle(Q(model_.ControlText(id)));
  }
  return widget;
}

QButtonGroup* CPageAdvanceDlg::RadioPair(int first, int second, QWidget* parent) {
  auto* group = new QButtonGroup(this);
  group->addButton(Make<QRadioButton>(first, parent), 0);
  group->addButton(Make<QRadioButton>(second, parent), 1);
  return group;
}

CPageAdvanceDlg::CPageAdvanceDlg(radio::AdvancePageModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QString::number(kDialog));
  setWindowTitle(QStringLiteral("Advance"));

  auto* grid = new QGridLayout;
  int row = 0;
  auto addRow = [&](QLabel* label, QWidget* control) {
    Tie(label, control);
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row++, 1);
  };
  addRow(Make<QLabel>(kWirelessModeLabel, this), mode_ = Make<QComboBox>(kWirelessModeCombo, this));
  bgProtection_ = Make<QToolButton>(kBgProtectionButton, this);
  bgProtection_->setPopupMode(QToolButton::InstantPopup);
  bgMenu_ = new QMenu(bgProtection_);
  for (int value = 0; value < 3; ++value) {
    QAction* action = bgMenu_->addAction(
        QString::fromUtf8(kBgProtectionTexts[value].data(), int(kBgProtectionTexts[value].size())));
    connect(action, &QAction::triggered, this, [this, value] {
      model_.ChooseBgProtection(value);
      Render();
    });
  }
  bgProtection_->setMenu(bgMenu_);
  addRow(Make<QLabel>(kBgProtectionLabel, this), bgProtection_);
  addRow(Make<QLabel>(kTxRateLabel, this), txRate_ = Make<QComboBox>(kTxRateCombo, this));
  grid->addWidget(txBurst_ = Make<QCheckBox>(kTxBurstCheck, this), row++, 0, 1, 2);
  grid->addWidget(tcpWindow_ = Make<QCheckBox>(kTcpWindowCheck, this), row++, 0, 1, 2);
  grid->addWidget(showAuth_ = Make<QCheckBox>(kShowAuthStatusCheck, this), row++, 0, 1, 2);
  grid->addWidget(Make<QCheckBox>(kQosCheck, this), row++, 0, 1, 2);

  auto* regions = Make<QGroupBox>(kRegionGroup, this);
  auto* regionGrid = new QGridLayout(regions);
  auto* region24Label = Make<QLabel>(kRegion24Label, regions);
  auto* region5Label = Make<QLabel>(kRegion5Label, regions);
  regionGrid->addWidget(region24Label, 0, 0);
  regionGrid->addWidget(region24_ = Make<QComboBox>(kRegion24Combo, regions), 0, 1);
  regionGrid->addWidget(region5Label, 1, 0);
  regionGrid->addWidget(region5_ = Make<QComboBox>(kRegion5Combo, regions), 1, 1);
  Tie(region24Label, region24_);
  Tie(region5Label, region5_);
  NameControl(region24_, QStringLiteral("Country region, ") + Caption(region24Label));
  NameControl(region5_, QStringLiteral("Country region, ") + Caption(region5Label));
  // The region texts are long ("7: CH 36,40,...,165"): the combos keep a readable minimum and
  // grow into the room the page has beside them, so a text is cut only on a narrow page.
  for (QComboBox* combo : {region24_, region5_}) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(24);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }
  regionGrid->setColumnStretch(1, 1);

  auto* ht = Make<QGroupBox>(kHtGroup, this);
  auto* htGrid = new QGridLayout(ht);
  int htRow = 0;
  // A choice is read with its row's caption: "Channel width, Auto" rather than "Auto".
  auto nameChoice = [](QLabel* caption, QAbstractButton* choice) {
    NameControl(choice, Caption(caption) + QStringLiteral(", ") + WithoutMnemonic(choice->text()));
  };
  auto addPair = [&](int label, int first, int second, QButtonGroup** group) {
    auto* caption = Make<QLabel>(label, ht);
    htGrid->addWidget(caption, htRow, 0);
    *group = RadioPair(first, second, ht);
    caption->setBuddy((*group)->button(0));
    nameChoice(caption, (*group)->button(0));
    nameChoice(caption, (*group)->button(1));
    htGrid->addWidget((*group)->button(0), htRow, 1);
    htGrid->addWidget((*group)->button(1), htRow++, 2);
  };
  addPair(kHtModeLabel, kHtModeMixed, kHtModeGreenfield, &htMode_);
  addPair(kWidthLabel, kWidth20, kWidthAuto, &width_);
  addPair(kGuardLabel, kGuardLong, kGuardAuto, &guard_);
  addPair(kStbcLabel, kStbcNone, kStbcAuto, &stbc_);
  auto* mcsLabel = Make<QLabel>(kMcsLabel, ht);
  htGrid->addWidget(mcsLabel, htRow, 0);
  htGrid->addWidget(mcs_ = Make<QComboBox>(kMcsCombo, ht), htRow++, 1, 1, 2);
  Tie(mcsLabel, mcs_);
  auto* extLabel = Make<QLabel>(kExtLabel, ht);
  htGrid->addWidget(extLabel, htRow, 0);
  ext_ = new QButtonGroup(this);
  int extValue = 0;
  for (int id : {kExtNoneRadio, kExtAbove, kExtBelow}) {
    auto* radio = Make<QRadioButton>(id, ht);
    ext_->addButton(radio, extValue);
    if (extValue == 0) extLabel->setBuddy(radio);
    nameChoice(extLabel, radio);
    htGrid->addWidget(radio, htRow, 1 + extValue++);
  }

  auto* apply = Make<QPushButton>(kApplyButton, this);
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addLayout(grid);
  left->addWidget(regions);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(ht);
  right->addStretch();
  right->addWidget(apply, 0, Qt::AlignRight);
  columns->addLayout(left, 1);
  columns->addLayout(right);
  setLayout(columns);

  Connect();
  model_.SetChangedCallback([this] { Render(); });
  model_.Create();
  Render();
}

CPageAdvanceDlg::~CPageAdvanceDlg() {
  model_.SetChangedCallback({});
}

void CPageAdvanceDlg::Connect() {
  auto choice = [this](QComboBox* combo, auto choose) {
    connect(combo, &QComboBox::activated, this, [this, choose](int index) {
      (model_.*choose)(index);
      Render();
    });
  };
  choice(mode_, &radio::AdvancePageModel::ChooseWirelessMode);
  choice(txRate_, &radio::AdvancePageModel::ChooseTxRate);
  choice(region24_, &radio::AdvancePageModel::ChooseRegion24);
  choice(region5_, &radio::AdvancePageModel::ChooseRegion5);
  choice(mcs_, &radio::AdvancePageModel::ChooseMcs);

  auto check = [this](QCheckBox* box, bool radio::AdvanceValues::*field) {
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
      if (!rendering_) model_.values().*field = on;
    });
  };
  check(txBurst_, &radio::AdvanceValues::txBurst);
  check(tcpWindow_, &radio::AdvanceValues::tcpWindow);
  check(showAuth_, &radio::AdvanceValues::showAuthStatus);

  auto pair = [this](QButtonGroup* group, uint32_t radio::HtSetting::*field) {
    connect(group, &QButtonGroup::idClicked, this,
            [this, field](int id) { model_.values().ht.*field = uint32_t(id); });
  };
  pair(htMode_, &radio::HtSetting::greenfield);
  pair(width_, &radio::HtSetting::width40);
  pair(guard_, &radio::HtSetting::shortGuard);
  pair(stbc_, &radio::HtSetting::stbc);
  pair(ext_, &radio::HtSetting::extChannel);

  connect(static_cast<QPushButton*>(controls_[kApplyButton]), &QPushButton::clicked, this, [this] {
    model_.Apply();
    Render();
  });
}

void CPageAdvanceDlg::FillCombo(QComboBox* combo, const std::vector<std::string>& entries,
                                int selected) {
  QStringList items;
  for (const auto& entry : entries) items << Q(entry);
  QStringList current;
  for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
  if (current != items) {
    combo->clear();
    combo->addItems(items);
  }
  combo->setCurrentIndex(selected);
}

void CPageAdvanceDlg::Render() {
  rendering_ = true;
  const radio::AdvanceValues& v = model_.values();
  FillCombo(mode_, model_.WirelessModeEntries(), model_.WirelessModeIndex());
  FillCombo(txRate_, model_.TxRateEntries(), model_.TxRateIndex());
  FillCombo(region24_, model_.Region24Entries(),
            v.region24 < int(model_.Region24Entries().size()) ? v.region24 : -1);
  FillCombo(region5_, model_.Region5Entries(),
            v.region5 < int(model_.Region5Entries().size()) ? v.region5 : -1);
  // A region text cut on a narrow page is read whole in the tooltip.
  for (QComboBox* combo : {region24_, region5_}) combo->setToolTip(combo->currentText());
  FillCombo(mcs_, model_.McsEntries(), model_.McsIndex());
  bgProtection_->setText(Q(model_.ControlText(kBgProtectionButton)));
  txBurst_->setChecked(v.txBurst);
  tcpWindow_->setChecked(v.tcpWindow);
  showAuth_->setChecked(v.showAuthStatus);
  htMode_->button(int(v.ht.greenfield & 1))->setChecked(true);
  width_->button(int(v.ht.width40 & 1))->setChecked(true);
  guard_->button(int(v.ht.shortGuard & 1))->setChecked(true);
  stbc_->button(int(v.ht.stbc & 1))->setChecked(true);
  if (QAbstractButton* ext = ext_->button(int(v.ht.extChannel))) ext->setChecked(true);

  for (auto& [id, widget] : controls_) {
    radio::ControlState state = model_.Control(id);
    widget->setHidden(!state.visible);
    widget->setEnabled(state.enabled);
  }
  rendering_ = false;
}

void CPageAdvanceDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Only when the page itself is shown again, not when its window comes back from the taskbar.
  if (event->spontaneous()) return;
  model_.Show();
  Render();
}

void CPageAdvanceDlg::hideEvent(QHideEvent* event) {
  if (!event->spontaneous()) model_.Hide();
  QWidget::hideEvent(event);
}

}  // namespace kavo9
