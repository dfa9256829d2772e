#include "station/dot1x/supplicant/ui/CAuthenStatusDlg.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/Accessibility.h"

namespace kavo9 {
namespace {

// File time (100 ns since 1601) to milliseconds since 1970.
constexpr uint64_t kFileTimeTicksPerMs = 10000;
constexpr int64_t kEpochDifferenceMs = 11644473600000LL;
constexpr int kTimeColumnPercent = 30;

}  // namespace

CAuthenStatusDlg::CAuthenStatusDlg(const dot1x::AuthStatusList& list, const EventLoop& loop,
                                   std::function<void()> returnToPages, Text text, QWidget* parent)
    : QWidget(parent), status_(list), loop_(loop), returnToPages_(std::move(returnToPages)) {
  setObjectName(QString::number(kDialog));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QString::number(kList));
  list_->setColumnCount(2);
  list_->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Description")});
  list_->setRootIsDecorated(false);
  NameControl(list_, QStringLiteral("Authentication status"),
              QStringLiteral("The steps of the current authentication, oldest first"));
  auto* ok = new QPushButton(text("IDS_OK"), this);
  ok->setObjectName(QString::number(kOk));
  auto* cancel = new QPushButton(text("IDS_CANCEL"), this);
  cancel->setObjectName(QString::number(kCancel));
  connect(ok, &QPushButton::clicked, this, [this] { returnToPages_(); });
  connect(cancel, &QPushButton::clicked, this, [this] { returnToPages_(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
}

QString CAuthenStatusDlg::LocalTime() const {
  const int64_t ms = int64_t(loop_.UtcFileTime() / kFileTimeTicksPerMs) - kEpochDifferenceMs;
  return QDateTime::fromMSecsSinceEpoch(ms).toLocalTime().toString(QStringLiteral("HH:mm:ss.zzz "));
}

void CAuthenStatusDlg::OnStatusLine(int index) {
  const std::string entry = status_.Entry(index);
  if (entry == dot1x::kAuthDoneMarker) {
    list_->clear();
    if (isVisible()) returnToPages_();
    return;
  }
  auto* row = new QTreeWidgetItem(list_);
  row->setText(0, LocalTime());
  row->setText(1, entry.empty() ? QStringLiteral("NULL STRING") : QString::fromStdString(entry));
  list_->scrollToItem(row);
}

void CAuthenStatusDlg::SizeColumns() {
  list_->setColumnWidth(0, std::max(list_->viewport()->width() * kTimeColumnPercent / 100,
                                    list_->fontMetrics().horizontalAdvance("00:00:00.000  ")));
}

void CAuthenStatusDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SizeColumns();
}

void CAuthenStatusDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  SizeColumns();
}

}  // namespace kavo9
