#include "softap/eventlog/ui/CEventLogPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "softap/shell/HostiraIds.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {

using namespace eventlog;

namespace {

constexpr int kRefreshMs = 2000;
constexpr double kTimeColumnTenths = 4.0;

}  // namespace

CEventLogPage::CEventLogPage(const HostiraStrings& strings, ApEventLog& log, QWidget* parent)
    : QWidget(parent), strings_(strings), log_(log) {
  auto T = [&strings](int id) { return QString::fromStdString(strings.Text(id)); };
  setObjectName(QString::number(kDialog));
  setAccessibleName(T(kStrEventLogTitle));
  setAccessibleDescription(T(kStrEventsDescription));
  table_ = new QTableWidget(0, 2, this);
  table_->setObjectName(QString::number(kList));
  table_->setHorizontalHeaderLabels({T(kStrEventTimeColumn), T(kStrEventMessageColumn)});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setTabKeyNavigation(false);
  NameControl(table_, T(kStrEventLogTitle), T(kStrEventsDescription));
  auto* clear = new QPushButton(T(kStrEventClear), this);
  clear->setObjectName(QString::number(kClearButton));
  NameControl(clear, clear->text());
  summary_ = new QLabel(this);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(summary_, 1);
  bottom->addWidget(clear);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 1);
  layout->addLayout(bottom);
  connect(clear, &QPushButton::clicked, this, &CEventLogPage::Clear);
  timer_ = new QTimer(this);
  timer_->setInterval(kRefreshMs);
  connect(timer_, &QTimer::timeout, this, &CEventLogPage::Refresh);
  UpdateSummary();
}

void CEventLogPage::Refresh() {
  const auto& events = log_.events();
  for (size_t i = log_.shown(); i < events.size(); ++i) {
    const ApEvent& e = events[i];
    const int row = table_->rowCount();
    table_->insertRow(row);
    const std::string time = EventTimeText(e.fileTime, LocalUtcOffset(e.fileTime));
    table_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(time)));
    table_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(EventRowText(e))));
  }
  log_.MarkAllShown();
  while (table_->rowCount() > int(kMaxLoggedEvents)) table_->removeRow(0);
  if (table_->rowCount() > 0) table_->scrollToBottom();
  UpdateSummary();
}

void CEventLogPage::Clear() {
  table_->setRowCount(0);
  log_.Clear();
  UpdateSummary();
}

void CEventLogPage::UpdateSummary() {
  summary_->setText(table_->rowCount() == 0 ? QString::fromStdString(strings_.Text(kStrEventsNone))
                                            : tr("Events listed: %1").arg(table_->rowCount()));
}

void CEventLogPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
  timer_->start();
}

void CEventLogPage::hideEvent(QHideEvent* event) {
  timer_->stop();
  QWidget::hideEvent(event);
}

void CEventLogPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  table_->setColumnWidth(0, int(table_->viewport()->width() * kTimeColumnTenths / 9.9));
}

}  // namespace kavo9::softap
