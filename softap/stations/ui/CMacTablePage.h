#pragma once
// The station table page (190, "Mac Table"): the associated stations, read again every 2 seconds
// while the page is shown; a failed read leaves the rows as they were. Below it the clients
// panel: who each station is (its DHCP lease's name and address), its rate and how long it has
// been on.

#include <QWidget>

#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
#include "common/platform/IpHelper.h"
#include "softap/shell/HostiraStrings.h"
#include "softap/stations/Clients.h"
#include "softap/stations/StationTable.h"

class QLabel;
class QTableWidget;
class QTimer;

namespace kavo9::softap {

namespace stations {
enum : int { kDialog = 190, kTable = 1106, kClientsTable = 1110 };
inline constexpr int kRefreshMs = 2000;
}  // namespace stations

class CMacTablePage : public QWidget {
  Q_OBJECT
 public:
  // `ipHelper` (may be null) gives the leases of connection sharing for the clients panel,
  // `loop` the time they have been associated.
  CMacTablePage(const HostiraStrings& strings, DriverPort& driver, bool htCapable,
                const EventLoop& loop, IpHelper* ipHelper, QWidget* parent = nullptr);

  // One tick of the page's timer.
  void Refresh();
  void Show(const std::vector<StationEntry>& stations);
  const ClientList& Clients() const { return clients_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowClients(const std::vector<StationEntry>& stations);

  const HostiraStrings& strings_;
  DriverPort& driver_;
  bool ht_;
  const EventLoop& loop_;
  IpHelper* ipHelper_;
  ClientList clients_;
  QTableWidget* table_ = nullptr;
  QTableWidget* clientsTable_ = nullptr;
  QLabel* summary_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace kavo9::softap
