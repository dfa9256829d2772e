#include "station/networks/ui/CPageSiteSurveyDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"
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
  auto word = [&](LangKey key, std::string& into) {
    const QString found = text(key);
    if (!found.isEmpty()) into = found.toStdString();
  };
  word(LangKey::IDS_HIDDENSSID, words_.Hidden);
  word(LangKey::IDS_OPENSYSTEM, words_.Open);
  word(LangKey::IDS_RESCAANING, words_.Scanning);
  word(LangKey::IDS_SITESUR_RADIOOFF, words_.RadioOff);
  word(LangKey::IDS_TURNON_AUTOCONFIG, words_.ServiceManages);

  BuildList();
  QLayout* buttons = BuildButtons(text);
  QLayout* sortRow = BuildSortRow(text);
  QLayout* titleRow = BuildTitleRow(text);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(titleRow);
  layout->addWidget(list_, 1);
  layout->addLayout(sortRow);
  layout->addLayout(buttons);
  NameControls();
}

void CPageSiteSurveyDlg::BuildList() {
  using namespace sitesurvey;
  model_ = new SiteSurveyModel(this);
  model_->SetWords(words_);
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
  // Tab leaves the list; the arrow keys move the selection.
  list_->setTabKeyNavigation(false);
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);
  // A selection made by keys counts as a click.
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { OnSelectionChanged(); });
  connect(list_, &QTableView::clicked, this, [this] { OnSelectionChanged(); });
  connect(list_, &QTableView::doubleClicked, this,
          [this] { survey_.OnDoubleClick(SelectedRow()); });
}

QLayout* CPageSiteSurveyDlg::BuildButtons(const SurveyTextLookup& text) {
  using namespace sitesurvey;
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

  for (QPushButton* button : {rescan_, connect_, addToProfile_}) KeepTextClearOfFrame(button);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(rescan_);
  buttons->addWidget(connect_);
  buttons->addWidget(addToProfile_);

  return buttons;
}

QLayout* CPageSiteSurveyDlg::BuildSortRow(const SurveyTextLookup& text) {
  using namespace sitesurvey;
  auto label = [&](int number, LangKey key) {
    return Numbered(new QLabel(text(key), this), number);
  };
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
    emit PreferencesChanged(survey_.SortKey(), on);
  });
  sortRow->addStretch();
  sortRow->addWidget(showDbm_);
  sortRow->addWidget(showDbmLabel_);

  return sortRow;
}

QLayout* CPageSiteSurveyDlg::BuildTitleRow(const SurveyTextLookup& text) {
  using namespace sitesurvey;
  title_ = Numbered(new QLabel(text(LangKey::IDS_SITESUR_AP_LIST), this), kListTitle);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  status_->setProperty("role", "status");
  status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  notice_ = new QLabel(list_->viewport());
  notice_->setObjectName(QStringLiteral("notice"));
  notice_->setProperty("role", "listNotice");
  notice_->setAlignment(Qt::AlignCenter);
  notice_->hide();
  auto* titleRow = new QHBoxLayout;
  titleRow->addWidget(title_);
  titleRow->addStretch();
  titleRow->addWidget(status_);

  return titleRow;
}

void CPageSiteSurveyDlg::NameControls() {
  NameByLabel(title_, list_,
              QStringLiteral("Networks in range. The arrow keys select a network, Enter shows "
                             "its details, Tab leaves the list."));
  const char* orders[3] = {"SSID", "channel", "signal"};
  for (int i = 0; i < 3; ++i) {
    NameByLabel(sortLabels_[i], sort_[i], QStringLiteral("Sorts the list by %1").arg(orders[i]));
  }
  NameByLabel(showDbmLabel_, showDbm_,
              QStringLiteral("Shows the signal in dBm instead of percent"));
  NameControl(rescan_, rescan_->text(), QStringLiteral("Scans for networks again."));
  NameControl(status_, QStringLiteral("List status"));
}

void CPageSiteSurveyDlg::OnSelectionChanged() {
  survey_.OnListClick(SelectedRow());
  ApplyControls();
}

void CPageSiteSurveyDlg::RestorePreferences(int sortKey, bool showDbm) {
  survey_.RestoreSortKey(sortKey);
  if (sortKey >= 0 && sortKey < 3) sort_[survey_.SortKey()]->setChecked(true);
  const QSignalBlocker quiet(showDbm_);
  showDbm_->setChecked(showDbm);
  ShowDbm() = showDbm;
  model_->SetShowDbm(showDbm);
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
  emit PreferencesChanged(survey_.SortKey(), showDbm_->isChecked());
}

void CPageSiteSurveyDlg::ShowRows() {
  const int selected = SelectedRow();
  const std::vector<SiteSurveyRow>& shown = model_->Rows();
  const bool hadSelection = selected >= 0 && size_t(selected) < shown.size();
  const uint64_t selectedBssid = hadSelection ? shown[size_t(selected)].Bssid : 0;
  const std::string selectedSsid = hadSelection ? shown[size_t(selected)].Ssid : std::string();
  const int scroll = list_->verticalScrollBar()->value();

  // With the radio off the list says so instead of showing networks that may be gone.
  static const std::vector<SiteSurveyRow> kNone;
  const bool radioOff = survey_.Status() == SurveyStatus::RadioOff;
  model_->SetRows(radioOff ? kNone : survey_.Rows());

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
  // A disabled button says why; the status says what the list is doing.
  const auto tip = [](const std::string& text) { return QString::fromStdString(text); };
  NameControl(connect_, connect_->text(),
              tip(SurveyButtonTip(survey_.ConnectBlock(), true, words_)));
  NameControl(addToProfile_, addToProfile_->text(),
              tip(SurveyButtonTip(survey_.AddToProfileBlock(), false, words_)));
  const SurveyStatus status = survey_.Status();
  const QString statusText = tip(SurveyStatusText(status, words_));
  if (status_->text() != statusText) {
    status_->setText(statusText);
    status_->setAccessibleDescription(statusText);
  }
  const bool radioOff = status == SurveyStatus::RadioOff;
  if (radioOff) {
    notice_->setText(statusText);
    notice_->setGeometry(list_->viewport()->rect());
    if (model_->rowCount() > 0) ShowRows();
  }
  notice_->setVisible(radioOff);
  list_->setAccessibleDescription(
      radioOff ? statusText
               : QStringLiteral("Networks in range. The arrow keys select a network, Enter shows "
                                "its details, Tab leaves the list."));
}

void CPageSiteSurveyDlg::SizeColumns() {
  const int width = list_->viewport()->width();
  for (int column = 0; column < kSurveyColumnCount; ++column)
    list_->setColumnWidth(column, SurveyColumnWidth(column, width));
}

bool CPageSiteSurveyDlg::eventFilter(QObject* watched, QEvent* event) {
  // The columns are fractions of the list's width: follow it.
  if (watched == list_->viewport() && event->type() == QEvent::Resize) {
    SizeColumns();
    notice_->setGeometry(list_->viewport()->rect());
  }
  // Enter on a row does what a double click does.
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      survey_.OnDoubleClick(SelectedRow());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kavo9
