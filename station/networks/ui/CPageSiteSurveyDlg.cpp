#include "station/networks/ui/CPageSiteSurveyDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "station/networks/survey/SurveyColumns.h"
#include "station/networks/ui/SignalBarDelegate.h"
#include "station/networks/ui/SiteSurveyIds.h"
#include "station/networks/ui/SiteSurveyModel.h"

namespace kavo9 {
namespace {

constexpr TimerId kPageTimer = 1;

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

}  // namespace

CPageSiteSurveyDlg::CPageSiteSurveyDlg(EventLoop& loop, SurveyStationPort& station,
                                       DriverPort& driver, SurveyHandOverPort& handOver,
                                       SurveyTextLookup text, QWidget* parent)
    : QWidget(parent),
      survey_(station, driver, handOver),
      timers_(loop, [this](TimerId) { OnTick(); }) {
  setObjectName(QString::number(sitesurvey::kDialog));
  BuildControls(text);
  survey_.OnCreate();
  survey_.EnablePass();
  ApplyControls();
  timers_.Set(kPageTimer, kSurveyTickMs);
}

CPageSiteSurveyDlg::~CPageSiteSurveyDlg() = default;

void CPageSiteSurveyDlg::BuildControls(const SurveyTextLookup& text) {
  using namespace sitesurvey;
  auto label = [&](int number, LangKey key) {
    return Numbered(new QLabel(text(key), this), number);
  };

  model_ = new SiteSurveyModel(this);
  model_->SetShowDbm(ShowDbm());
  list_ = Numbered(new QTableView(this), kList);
  list_->setModel(model_);
  list_->setItemDelegateForColumn(kColSignalBar, new SignalBarDelegate(list_));
  list_->horizontalHeader()->hide();
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(20);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->setIconSize(QSize(16, 16));
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->viewport()->installEventFilter(this);
  connect(list_, &QTableView::clicked, this, [this] {
    survey_.OnListClick(SelectedRow());
    ApplyControls();
  });
  connect(list_, &QTableView::doubleClicked, this,
          [this] { survey_.OnDoubleClick(SelectedRow()); });

  rescan_ = Numbered(new QPushButton(text(LangKey::IDS_SITESUR_RESCAN), this), kRescan);
  connect_ = Numbered(new QPushButton(text(LangKey::IDS_SITESUR_CONNECT), this), kConnect);
  addToProfile_ = Numbered(new QPushButton(text(LangKey::IDS_SITESUR_ADDPRO), this), kAddToProfile);
  connect(rescan_, &QPushButton::clicked, this, [this] {
    survey_.OnRescan();
    ApplyControls();
  });
  connect(connect_, &QPushButton::clicked, this, [this] {
    survey_.OnConnect(SelectedRow());
    ApplyControls();
  });
  connect(addToProfile_, &QPushButton::clicked, this,
          [this] { survey_.OnAddToProfile(SelectedRow()); });

  sortBy_ = label(kSortByLabel, LangKey::IDS_SITESUR_SORTBY);
  auto* group = new QButtonGroup(this);
  const int radios[3] = {kSsidRadio, kChannelRadio, kSignalRadio};
  const int labels[3] = {kSsidLabel, kChannelLabel, kSignalLabel};
  const LangKey keys[3] = {LangKey::IDS_SITESUR_SSID, LangKey::IDS_SITESUR_CHANNEL,
                           LangKey::IDS_SITESUR_SIGNAL};
  auto* sortRow = new QHBoxLayout;
  sortRow->addWidget(sortBy_);
  for (int i = 0; i < 3; ++i) {
    sort_[i] = Numbered(new QRadioButton(this), radios[i]);
    sortLabels_[i] = label(labels[i], keys[i]);
    sortLabels_[i]->setBuddy(sort_[i]);
    group->addButton(sort_[i], i);
    sortRow->addWidget(sort_[i]);
    sortRow->addWidget(sortLabels_[i]);
  }
  sort_[survey_.SortKey()]->setChecked(true);
  connect(group, &QButtonGroup::idClicked, this, [this](int key) { OnSort(key); });

  showDbm_ = Numbered(new QCheckBox(this), kShowDbm);
  showDbm_->setChecked(ShowDbm());
  showDbmLabel_ = label(kShowDbmLabel, LangKey::IDS_SHOW_DBM);
  connect(showDbm_, &QCheckBox::toggled, this, [this](bool on) {
    ShowDbm() = on;
    model_->SetShowDbm(on);
  });
  sortRow->addStretch();
  sortRow->addWidget(showDbm_);
  sortRow->addWidget(showDbmLabel_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(rescan_);
  buttons->addWidget(connect_);
  buttons->addWidget(addToProfile_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label(kListTitle, LangKey::IDS_SITESUR_AP_LIST));
  layout->addWidget(list_, 1);
  layout->addLayout(sortRow);
  layout->addLayout(buttons);
}

int CPageSiteSurveyDlg::SelectedRow() const {
  const QModelIndexList selected = list_->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void CPageSiteSurveyDlg::OnTick() {
  // The dBm box is read back before the rows are drawn again.
  ShowDbm() = showDbm_->isChecked();
  model_->SetShowDbm(ShowDbm());
  survey_.OnTick();
  ShowRows();
  ApplyControls();
}

void CPageSiteSurveyDlg::RebuildRowsNow() {
  survey_.RebuildAfterOutsideRead();
  ShowRows();
  ApplyControls();
}

void CPageSiteSurveyDlg::RequestRebuild() {
  survey_.OnRescan();
  ApplyControls();
}

void CPageSiteSurveyDlg::OnSort(int sortKey) {
  survey_.OnSortClicked(sortKey);
  ApplyControls();
}

void CPageSiteSurveyDlg::ShowRows() {
  const int selected = SelectedRow();
  const std::vector<SiteSurveyRow>& shown = model_->Rows();
  const bool hadSelection = selected >= 0 && size_t(selected) < shown.size();
  const uint64_t selectedBssid = hadSelection ? shown[size_t(selected)].Bssid : 0;
  const std::string selectedSsid = hadSelection ? shown[size_t(selected)].Ssid : std::string();
  const int scroll = list_->verticalScrollBar()->value();

  model_->SetRows(survey_.Rows());

  if (hadSelection) {
    int found = -1;
    const auto& rows = model_->Rows();
    for (size_t i = 0; i < rows.size() && found < 0; ++i)
      if (rows[i].Bssid == selectedBssid && rows[i].Ssid == selectedSsid) found = int(i);
    if (found < 0)
      list_->clearSelection();
    else if (found != selected)
      list_->selectionModel()->setCurrentIndex(
          model_->index(found, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  list_->verticalScrollBar()->setValue(scroll);
}

void CPageSiteSurveyDlg::ApplyControls() {
  const SurveyControls& c = survey_.Controls();
  rescan_->setEnabled(c.RescanAndSort);
  // The "Sorted by" caption itself stays as it is; the choices and their labels follow.
  for (int i = 0; i < 3; ++i) {
    sort_[i]->setEnabled(c.RescanAndSort);
    sortLabels_[i]->setEnabled(c.RescanAndSort);
  }
  showDbm_->setEnabled(c.RescanAndSort);
  showDbmLabel_->setEnabled(c.RescanAndSort);
  connect_->setEnabled(c.Connect);
  addToProfile_->setEnabled(c.AddToProfile);
}

void CPageSiteSurveyDlg::SizeColumns() {
  const int width = list_->viewport()->width();
  for (int column = 0; column < kSurveyColumnCount; ++column)
    list_->setColumnWidth(column, SurveyColumnWidth(column, width));
}

bool CPageSiteSurveyDlg::eventFilter(QObject* watched, QEvent* event) {
  // The columns are fractions of the list's width: follow it.
  if (watched == list_->viewport() && event->type() == QEvent::Resize) SizeColumns();
  return QWidget::eventFilter(watched, event);
}

}  // namespace kavo9
