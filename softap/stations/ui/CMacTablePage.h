#pragma once
// The station table page (190, "Mac Table"): the associated stations, read again every 2 seconds
// while the page is shown; a failed read leaves the rows as they were.

#include <QWidget>

#include "common/adapter/DriverPort.h"
#include "softap/shell/HostiraStrings.h"
#include "softap/stations/StationTable.h"

class QLabel;
class QTableWidget;
class QTimer;

namespace kavo9::softap {

namespace stations {
enum : int { kDialog = 190, kTable = 1106 };
inline constexpr int kRefreshMs = 2000;
}  // namespace stations

class CMacTablePage : public QWidget {
  Q_OBJECT
 public:
  CMacTablePage(const HostiraStrings& strings, DriverPort& driver, bool htCapable,
                QWidget* parent = nullptr);

  // One tick of the page's timer.
  void Refresh();
  void Show(const std::vector<StationEntry>& stations);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const HostiraStrings& strings_;
  DriverPort& driver_;
  bool ht_;
  QTableWidget* table_ = nullptr;
  QLabel* summary_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace kavo9::softap
