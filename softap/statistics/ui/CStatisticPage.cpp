#include "softap/statistics/ui/CStatisticPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "softap/shell/HostiraIds.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {

using namespace stats;

namespace {

constexpr int kLineTexts[kApCounterLineCount] = {
    kStrTxOk, kStrTxFailAllRetry, kStrRtsOk,     kStrRtsFail,    kStrTxOkAfterRetry,
    kStrRxOk, kStrRxCrcError,     kStrRxDropped, kStrRxDuplicate};

}  // namespace

CStatisticPage::CStatisticPage(const HostiraStrings& strings, DriverPort& driver, QWidget* parent)
    : QWidget(parent), statistics_(driver) {
  auto T = [&strings](int id) { return QString::fromStdString(strings.Text(id)); };
  setObjectName(QString::number(kDialog));
  setAccessibleName(T(kStrStatisticsTitle));
  setAccessibleDescription(T(kStrStatisticsDescription));
  auto* layout = new QVBoxLayout(this);
  QGroupBox* groups[] = {new QGroupBox(T(kStrTxGroup), this), new QGroupBox(T(kStrRxGroup), this)};
  QGridLayout* grids[] = {new QGridLayout(groups[0]), new QGridLayout(groups[1])};
  for (size_t i = 0; i < kApCounterLineCount; ++i) {
    const size_t g = i < kApTxLineCount ? 0 : 1;
    const int row = int(g == 0 ? i : i - kApTxLineCount);
    labels_[i] = T(kLineTexts[i]).trimmed();
    auto* label = new QLabel(labels_[i], groups[g]);
    auto* equals = new QLabel(QStringLiteral("="), groups[g]);
    auto* value = values_[i] = new QLabel(QStringLiteral("0"), groups[g]);
    value->setObjectName(QString::number(kFirstValue + int(i)));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    value->setFocusPolicy(Qt::TabFocus);
    grids[g]->addWidget(label, row, 0);
    grids[g]->addWidget(equals, row, 1);
    grids[g]->addWidget(value, row, 2);
    grids[g]->setColumnStretch(2, 1);
  }
  layout->addWidget(groups[0]);
  layout->addWidget(groups[1]);
  layout->addStretch();
  auto* reset = new QPushButton(T(kStrResetCounters), this);
  reset->setObjectName(QString::number(kResetButton));
  NameControl(reset, reset->text());
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(reset);
  layout->addLayout(bottom);
  connect(reset, &QPushButton::clicked, this, &CStatisticPage::Reset);
  timer_ = new QTimer(this);
  timer_->setInterval(int(kStatisticsRefreshMs));
  connect(timer_, &QTimer::timeout, this, &CStatisticPage::Refresh);
  Render();
}

void CStatisticPage::Refresh() {
  statistics_.Refresh();
  Render();
}

void CStatisticPage::Reset() {
  statistics_.Reset();
  Render();
}

void CStatisticPage::Render() {
  for (size_t i = 0; i < kApCounterLineCount; ++i) {
    const QString value = QString::fromStdString(statistics_.Values()[i]);
    values_[i]->setText(value);
    // Read as "Frames Received Successfully = 12".
    NameControl(values_[i], labels_[i] + QStringLiteral(" = ") + value);
  }
}

void CStatisticPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
  timer_->start();
}

void CStatisticPage::hideEvent(QHideEvent* event) {
  timer_->stop();
  QWidget::hideEvent(event);
}

}  // namespace kavo9::softap
