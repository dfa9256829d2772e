#include "softap/stations/ui/CMacTablePage.h"

#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "softap/shell/HostiraIds.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {

using namespace stations;

namespace {

// The columns' shares of the table's width, in tenths.
constexpr double kColumnTenths[] = {2.2, 0.8, 0.8, 6.5};

}  // namespace

CMacTablePage::CMacTablePage(const HostiraStrings& strings, DriverPort& driver, bool htCapable,
                             const EventLoop& loop, IpHelper* ipHelper, QWidget* parent)
    : QWidget(parent),
      strings_(strings),
      driver_(driver),
      ht_(htCapable),
      loop_(loop),
      ipHelper_(ipHelper) {
  auto T = [&strings](int id) { return QString::fromStdString(strings.Text(id)); };
  setObjectName(QString::number(kDialog));
  setAccessibleName(T(kStrMacTableTitle));
  setAccessibleDescription(T(kStrStationsDescription));
  table_ = new QTableWidget(0, 4, this);
  table_->setObjectName(QString::number(kTable));
  table_->setHorizontalHeaderLabels(
      {T(kStrColumnMac), T(kStrColumnAid), T(kStrColumnPowerSave), T(kStrColumnStatus)});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setShowGrid(true);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setTabKeyNavigation(false);
  NameControl(table_, T(kStrMacTableTitle), T(kStrStationsDescription));
  summary_ = new QLabel(this);
  clientsTable_ = new QTableWidget(0, 5, this);
  clientsTable_->setObjectName(QString::number(kClientsTable));
  clientsTable_->setHorizontalHeaderLabels({T(kStrClientName), T(kStrClientMac), T(kStrClientIp),
                                            T(kStrClientRate), T(kStrClientConnected)});
  clientsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
  clientsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  clientsTable_->verticalHeader()->hide();
  clientsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  clientsTable_->horizontalHeader()->setStretchLastSection(true);
  clientsTable_->setTabKeyNavigation(false);
  NameControl(clientsTable_, T(kStrClientsTitle), T(kStrClientsDescription));
  auto* clientsLabel = new QLabel(T(kStrClientsTitle), this);
  clientsLabel->setBuddy(clientsTable_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 3);
  layout->addWidget(summary_);
  layout->addWidget(clientsLabel);
  layout->addWidget(clientsTable_, 2);
  timer_ = new QTimer(this);
  timer_->setInterval(kRefreshMs);
  connect(timer_, &QTimer::timeout, this, &CMacTablePage::Refresh);
  Show({});
}

void CMacTablePage::Refresh() {
  if (auto stations = QueryStationTable(driver_, ht_)) Show(*stations);
}

void CMacTablePage::ShowClients(const std::vector<StationEntry>& stations) {
  std::vector<SharingLease> leases;
  if (ipHelper_ && !ipHelper_->GetSharingLeases(&leases)) leases.clear();
  clients_.Update(stations, leases, loop_.MonotonicMs());
  const auto& rows = clients_.rows();
  clientsTable_->setRowCount(int(rows.size()));
  for (int row = 0; row < int(rows.size()); ++row) {
    const ClientRow& c = rows[size_t(row)];
    const std::string cells[] = {c.name, c.mac, c.ip, c.rate, c.connected};
    for (int column = 0; column < 5; ++column) {
      clientsTable_->setItem(row, column,
                             new QTableWidgetItem(QString::fromStdString(cells[column])));
    }
  }
}

void CMacTablePage::Show(const std::vector<StationEntry>& stations) {
  ShowClients(stations);
  table_->setRowCount(int(stations.size()));
  for (int row = 0; row < int(stations.size()); ++row) {
    const StationEntry& s = stations[size_t(row)];
    const std::string status = s.rateWord ? RateStatusText(*s.rateWord) : std::string();
    const std::string cells[] = {MacText(s.mac), std::to_string(s.aid),
                                 strings_.Text(s.powerSave ? kStrPowerSaveYes : kStrPowerSaveNo),
                                 status};
    for (int column = 0; column < 4; ++column) {
      table_->setItem(row, column, new QTableWidgetItem(QString::fromStdString(cells[column])));
    }
  }
  // The count as text, so that an empty table says so.
  summary_->setText(stations.empty() ? QString::fromStdString(strings_.Text(kStrStationsNone))
                                     : tr("Stations associated: %1").arg(stations.size()));
}

void CMacTablePage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
  timer_->start();
}

void CMacTablePage::hideEvent(QHideEvent* event) {
  timer_->stop();
  QWidget::hideEvent(event);
}

void CMacTablePage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The shares of the width, but never narrower than a column's header.
  const int width = table_->viewport()->width();
  QHeaderView* header = table_->horizontalHeader();
  for (int c = 0; c < 3; ++c) {
    const int wanted = int(width * kColumnTenths[c] / 10.3);
    table_->setColumnWidth(c, std::max(wanted, header->sectionSizeHint(c)));
  }
}

}  // namespace kavo9::softap
