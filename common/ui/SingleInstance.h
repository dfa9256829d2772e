#pragma once
// One utility per machine: both programs take the name "QKB1" (an atomic lock file in the
// machine's run folder) and listen on a local socket named after it. A second instance finds the
// name held, connects, asks the first to open its window and ends.
//
// The first instance answers a connection with the title of its top window ("Kavo9" while the
// main window or sheet is open, else "HideDlg"); the second sends the command that window takes:
// "32771" (open) to the main window, "1124 515" (tray callback, left double-click) to the
// controller.

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "common/shell/InstanceLock.h"

class QLocalServer;

namespace kavo9 {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // Called with a message from a second instance: (message, lParam), as the controller takes
  // them (WM_COMMAND 32771, or the tray callback 0x0464 with 0x0203).
  using Handler = std::function<void(uint32_t message, uint32_t parameter)>;

  explicit SingleInstance(const std::filesystem::path& machineDir);
  ~SingleInstance() override;

  // True when this is the first instance: it now holds the name and listens. A socket left by an
  // ended instance is replaced; the name of a running one never is.
  bool Acquire();
  // The second instance's part: asks the running one to open its window. False when no running
  // instance answered.
  bool NotifyRunning();

  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  void SetTopWindowTitle(std::function<QString()> title) { title_ = std::move(title); }

 private:
  void OnConnection();
  InstanceLock lock_;
  QString socketPath_;
  std::unique_ptr<QLocalServer> server_;
  Handler handler_;
  std::function<QString()> title_;
};

}  // namespace kavo9
