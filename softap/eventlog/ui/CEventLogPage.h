#pragma once
// The event log page (191, "Event Log"): the logged events as time-stamped rows, new ones added
// every 2 seconds while the page is shown, at most 100 rows; Clear empties the page and the log.

#include <QWidget>

#include "softap/eventlog/EventLog.h"
#include "softap/shell/HostiraStrings.h"

class QLabel;
class QTableWidget;
class QTimer;

namespace kavo9::softap {

namespace eventlog {
enum : int { kDialog = 191, kList = 1107, kClearButton = 1108 };
}  // namespace eventlog

class CEventLogPage : public QWidget {
  Q_OBJECT
 public:
  CEventLogPage(const HostiraStrings& strings, ApEventLog& log, QWidget* parent = nullptr);

  // One tick of the page's timer: the events not listed yet.
  void Refresh();
  void Clear();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateSummary();

  const HostiraStrings& strings_;
  ApEventLog& log_;
  QTableWidget* table_ = nullptr;
  QLabel* summary_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace kavo9::softap
