#pragma once
// The notification area of a simulated machine without a desktop (offscreen): the icon keeps its
// state like RecordingTrayIcon and answers the machine's control tool on the local socket
// <machine>/run/tray.sock, one line each way:
//   "state"     -> {"added":..., "icon":N, "tip":"...", "menu":[{"command":N,"text":"..."}]}
//   "click N"   -> a mouse message on the icon (515 double-click, 516 right button)
//   "pick N"    -> the item N of the menu last shown (a right click first shows it)
// so that `kavo9-sim tray ...` can do what a person does with the icon. One utility runs at a
// time (the single-instance name), so one socket per machine is enough; it is the holder's.

#include <QObject>
#include <filesystem>
#include <memory>

#include "common/platform/RecordingTrayIcon.h"

class QLocalServer;
class QLocalSocket;

namespace kavo9 {

class MachineTrayIcon : public QObject, public RecordingTrayIcon {
  Q_OBJECT
 public:
  explicit MachineTrayIcon(const std::filesystem::path& machineDir);
  ~MachineTrayIcon() override;

  static std::filesystem::path SocketFile(const std::filesystem::path& machineDir);

 private:
  QByteArray Answer(const QByteArray& line);
  std::unique_ptr<QLocalServer> server_;
  std::filesystem::path machineDir_;
  std::filesystem::path socket_;
};

}  // namespace kavo9
