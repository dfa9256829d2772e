#include "radio/blockack/ui/CPage80211nSettingDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "radio/blockack/ui/BlockAckIds.h"
#include "radio/blockack/ui/CAddBlockAckDlg.h"

namespace kavo9 {

using namespace blockack;
using radio::BaSide;

namespace {

template <class W>
W* Numbered(int id, const QString& text, QWidget* parent) {
  auto* widget = new W(text, parent);
  widget->setObjectName(QString::number(id));
  return widget;
}

QButtonGroup* Radios(QWidget* owner, QBoxLayout* layout,
                     std::initializer_list<std::pair<int, QString>> radios) {
  auto* group = new QButtonGroup(owner);
  int value = 0;
  for (const auto& [id, text] : radios) {
    auto* radio = Numbered<QRadioButton>(id, text, owner);
    group->addButton(radio, value++);
    layout->addWidget(radio);
  }
  return group;
}

}  // namespace

CPage80211nSettingDlg::CPage80211nSettingDlg(radio::BlockAckPageModel& model,
                                             BlockAckFlavour flavour, BlockAckTexts texts,
                                             BlockAckHooks hooks, QWidget* parent)
    : QWidget(parent),
      model_(model),
      flavour_(flavour),
      texts_(std::move(texts)),
      hooks_(std::move(hooks)) {
  const bool ap = flavour_ == BlockAckFlavour::kAccessPoint;
  setObjectName(QString::number(ap ? kApDialog : kStationDialog));
  setWindowTitle(texts_.title);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildOptions());
  auto* sides = new QHBoxLayout;
  sides->addWidget(BuildSide(BaSide::kOriginator));
  sides->addWidget(BuildSide(BaSide::kRecipient));
  layout->addLayout(sides, 1);
  auto* apply = Numbered<QPushButton>(kApplyButton, texts_.apply, this);
  connect(apply, &QPushButton::clicked, this, [this] {
    TakeControls();
    model_.Apply();
    Render();
  });
  layout->addWidget(apply, 0, Qt::AlignRight);
  model_.SetSessionsChanged([this] { RenderSessions(); });
  // The access point takes its options from the registry once, when the page is made.
  if (ap) model_.LoadFromRegistry();
  MnemonicLetters letters;
  AssignMnemonics(this, letters);
  Render();
}

CPage80211nSettingDlg::~CPage80211nSettingDlg() {
  model_.Hidden();
  model_.SetSessionsChanged(nullptr);
}

QWidget* CPage80211nSettingDlg::BuildOptions() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);

  auto* amsdu = Numbered<QGroupBox>(kAmsduGroup, texts_.amsduGroup, box);
  auto* amsduRow = new QHBoxLayout(amsdu);
  amsdu_ = Numbered<QCheckBox>(kAmsduCheck, texts_.amsduEnable, amsdu);
  amsduRow->addWidget(amsdu_);
  length_ = Radios(amsdu, amsduRow, {{kMax3839, texts_.max3839}, {kMax7935, texts_.max7935}});
  // The station keeps the length it loaded: it offers no choice of the longer one.
  length_->button(1)->setVisible(flavour_ == BlockAckFlavour::kAccessPoint);
  NameControl(amsdu_, texts_.amsduGroup + QStringLiteral(", ") + texts_.amsduEnable);
  grid->addWidget(amsdu, 0, 0);

  auto* smps = Numbered<QGroupBox>(kSmpsGroup, texts_.smpsGroup, box);
  auto* smpsRow = new QHBoxLayout(smps);
  smps_ = Radios(smps, smpsRow,
                 {{kSmEnable, texts_.smEnable},
                  {kStaticSmps, texts_.staticSmps},
                  {kDynamicSmps, texts_.dynamicSmps}});
  grid->addWidget(smps, 0, 1);

  auto* aggregation = new QHBoxLayout;
  mpdu_ = Numbered<QCheckBox>(kMpduCheck, texts_.mpdu, box);
  aggregation->addWidget(mpdu_);
  mode_ = Radios(box, aggregation, {{kManual, texts_.manual}, {kAuto, texts_.automatic}});
  for (QAbstractButton* b : mode_->buttons()) {
    NameControl(b, texts_.mpdu + QStringLiteral(", ") + WithoutMnemonic(b->text()));
  }
  auto* densityLabel = Numbered<QLabel>(kDensityLabel, texts_.density, box);
  density_ = new QComboBox(box);
  density_->setObjectName(QString::number(kDensityCombo));
  for (int d = 0; d < 8; ++d) density_->addItem(QString::number(d));
  NameByLabel(densityLabel, density_);
  aggregation->addSpacing(16);
  aggregation->addWidget(densityLabel);
  aggregation->addWidget(density_);
  aggregation->addStretch(1);
  grid->addLayout(aggregation, 1, 0, 1, 2);

  ConnectOptions();
  return box;
}

void CPage80211nSettingDlg::ConnectOptions() {
  // A check box re-applies the enabling at once; so do the mode radios, so that the session
  // buttons never offer manual sessions in automatic mode.
  for (QCheckBox* b : {mpdu_, amsdu_}) {
    connect(b, &QAbstractButton::toggled, this, [this] {
      if (rendering_) return;
      TakeControls();
      Render();
    });
  }
  for (QButtonGroup* group : {mode_, length_, smps_}) {
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
      if (rendering_ || !on) return;
      TakeControls();
      Render();
    });
  }
  connect(density_, &QComboBox::currentIndexChanged, this, [this] {
    if (!rendering_) TakeControls();
  });
}

QWidget* CPage80211nSettingDlg::BuildSide(BaSide side) {
  const int s = int(side);
  const bool ap = flavour_ == BlockAckFlavour::kAccessPoint;
  const SessionButtonIds& ids = ap ? kApButtons : kStationButtons;
  auto* group = Numbered<QGroupBox>(s == 0 ? kOriginatorGroup : kRecipientGroup,
                                    s == 0 ? texts_.originator : texts_.recipient, this);
  auto* layout = new QVBoxLayout(group);
  auto* list = new QTreeWidget(group);
  list->setObjectName(QString::number(s == 0 ? kOriginatorList : kRecipientList));
  list->setRootIsDecorated(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setAlternatingRowColors(true);
  QStringList headers{texts_.macColumn};
  for (int tid = 0; tid < radio::kTidCount; ++tid) {
    headers << (tid == 0 ? QStringLiteral("TID=%1").arg(tid) : QString::number(tid));
  }
  list->setHeaderLabels(headers);
  list->header()->setStretchLastSection(false);
  // The address always reads whole; the TID columns share what is left.
  list->header()->setMinimumSectionSize(
      list->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 12);
  list->header()->setSectionResizeMode(0, QHeaderView::Fixed);
  list->header()->resizeSection(
      0, list->fontMetrics().horizontalAdvance(QStringLiteral("00-00-00-00-00-00")) + 16);
  for (int c = 1; c <= radio::kTidCount; ++c) {
    list->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  }
  NameControl(list, group->title());
  lists_[s] = list;
  layout->addWidget(list);

  auto* buttons = new QHBoxLayout;
  auto* add = Numbered<QPushButton>(ids.add[s], texts_.add, group);
  auto* remove = Numbered<QPushButton>(ids.remove[s], texts_.remove, group);
  auto* removeAll = Numbered<QPushButton>(ids.removeAll[s], texts_.removeAll, group);
  for (QPushButton* b : {add, remove, removeAll}) {
    NameControl(b, group->title() + QStringLiteral(", ") + WithoutMnemonic(b->text()));
    buttons->addWidget(b);
    sessionButtons_.push_back(b);
  }
  buttons->addStretch(1);
  // The station adds sessions only as originator and deletes one TID at a time.
  add->setVisible(ap || side == BaSide::kOriginator);
  removeAll->setVisible(ap);
  connect(add, &QPushButton::clicked, this, [this, side] { OpenAdd(side); });
  connect(remove, &QPushButton::clicked, this, [this, side] { OpenDelete(side, true); });
  connect(removeAll, &QPushButton::clicked, this, [this, side] { OpenDelete(side, false); });
  layout->addLayout(buttons);
  return group;
}

CBlockAckPeerDlg* CPage80211nSettingDlg::OpenDialog() const {
  return dialog_;
}

void CPage80211nSettingDlg::TakeControls() {
  radio::HtOptionsState& s = model_.state();
  s.mpdu = mpdu_->isChecked();
  s.autoMode = mode_->checkedId() == 1;
  s.density = density_->currentIndex();
  s.amsdu = amsdu_->isChecked();
  s.amsduLength = length_->checkedId() == 1 ? 1 : 0;
  s.smps = radio::SmpsChoice(std::max(0, smps_->checkedId()));
}

void CPage80211nSettingDlg::Render() {
  rendering_ = true;
  const radio::HtOptionsState& s = model_.state();
  const radio::BlockAckEnabling e = model_.Enabling();
  mpdu_->setChecked(s.mpdu);
  mode_->button(s.autoMode ? 1 : 0)->setChecked(true);
  density_->setCurrentIndex(s.density);
  amsdu_->setChecked(s.amsdu);
  length_->button(s.amsduLength)->setChecked(true);
  smps_->button(int(s.smps))->setChecked(true);
  for (QAbstractButton* b : mode_->buttons()) b->setEnabled(e.modeAndDensity);
  density_->setEnabled(e.modeAndDensity);
  for (QAbstractButton* b : length_->buttons()) b->setEnabled(e.amsduLength);
  for (QPushButton* b : sessionButtons_) b->setEnabled(e.sessionButtons);
  rendering_ = false;
  RenderSessions();
}

void CPage80211nSettingDlg::RenderSessions() {
  for (BaSide side : {BaSide::kOriginator, BaSide::kRecipient}) {
    QTreeWidget* list = lists_[int(side)];
    const int current = list->currentIndex().row();
    list->clear();
    for (const radio::BlockAckRow& row : model_.sessions().Of(side)) {
      QStringList cells;
      for (const std::string& cell : row.Cells()) cells << QString::fromStdString(cell);
      auto* item = new QTreeWidgetItem(cells);
      for (int c = 1; c < cells.size(); ++c) item->setTextAlignment(c, Qt::AlignCenter);
      list->addTopLevelItem(item);
    }
    if (current >= 0 && current < list->topLevelItemCount()) {
      list->setCurrentItem(list->topLevelItem(current));
    }
  }
}

void CPage80211nSettingDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (flavour_ == BlockAckFlavour::kStation) {
    model_.ClearSessions();
    model_.LoadFromRegistry();
  } else {
    model_.LoadFromDriver();
  }
  model_.Shown();
  Render();
}

void CPage80211nSettingDlg::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  model_.Hidden();
}

void CPage80211nSettingDlg::OpenAdd(BaSide side) {
  if (dialog_) return;
  std::optional<radio::MacBytes> first;
  if (hooks_.associatedBssid) first = hooks_.associatedBssid();
  auto* dialog = new CAddBlockAckDlg(texts_, model_.StationTablePeers(first), this);
  dialog_ = dialog;
  connect(dialog, &CBlockAckPeerDlg::rejectedInput, this, [this](const QString& message) {
    if (hooks_.showMessage) hooks_.showMessage(message);
  });
  connect(dialog, &QDialog::accepted, this, [this, dialog, side] {
    auto refusal =
        model_.AddSession(side, dialog->Peer(), dialog->Tid(), dialog->WindowText().toStdString());
    if (refusal && hooks_.showMessage) {
      hooks_.showMessage(refusal == radio::BlockAckRefusal::kNoPeer ? texts_.noPeer
                         : side == BaSide::kOriginator              ? texts_.badOriginatorWindow
                                                                    : texts_.badRecipientWindow);
    }
  });
  connect(dialog, &QDialog::finished, this, [this, dialog] {
    dialog_ = nullptr;
    dialog->deleteLater();
  });
  dialog->open();
}

void CPage80211nSettingDlg::OpenDelete(BaSide side, bool chooseTid) {
  if (dialog_) return;
  // The access point offers the peers it has sessions with; the station its station table.
  std::vector<radio::MacBytes> peers;
  if (flavour_ == BlockAckFlavour::kAccessPoint) {
    for (const auto& row : model_.sessions().Of(side)) peers.push_back(row.peer);
  } else {
    peers = model_.StationTablePeers();
  }
  auto* dialog = new CDeleteBlockAckDlg(texts_, peers, chooseTid, this);
  dialog_ = dialog;
  connect(dialog, &CBlockAckPeerDlg::rejectedInput, this, [this](const QString& message) {
    if (hooks_.showMessage) hooks_.showMessage(message);
  });
  connect(dialog, &QDialog::accepted, this, [this, dialog, side, chooseTid] {
    model_.DeleteSession(side, dialog->Peer(), dialog->Tid(), !chooseTid);
  });
  connect(dialog, &QDialog::finished, this, [this, dialog] {
    dialog_ = nullptr;
    dialog->deleteLater();
  });
  dialog->open();
}

}  // namespace kavo9
