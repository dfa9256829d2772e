#pragma once
// The statistics page (135, "Statistics"): the transmit and receive counters, read every 2
// seconds while the page is shown, and Reset Counters.

#include <QWidget>
#include <array>

#include "softap/shell/HostiraStrings.h"
#include "softap/statistics/ApStatistics.h"

class QLabel;
class QTimer;

namespace kavo9::softap {

namespace stats {
enum : int { kDialog = 135, kResetButton = 1084, kFirstValue = 1090 };
}  // namespace stats

class CStatisticPage : public QWidget {
  Q_OBJECT
 public:
  CStatisticPage(const HostiraStrings& strings, DriverPort& driver, QWidget* parent = nullptr);

  void Refresh();
  void Reset();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Render();

  ApStatistics statistics_;
  std::array<QLabel*, kApCounterLineCount> values_{};
  std::array<QString, kApCounterLineCount> labels_;
  QTimer* timer_ = nullptr;
};

}  // namespace kavo9::softap
