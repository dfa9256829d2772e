#pragma once
// Who configures the adapter's connections: this utility or the Windows wireless service, the
// installer's one-time choice between them, and the tray commands that hand it over.

#include "station/shell/controller/ControllerContext.h"

namespace kavo9 {

class ConfigTool {
 public:
  explicit ConfigTool(ControllerContext& context) : c_(context) {}

  // The state as the service and its per-adapter flags say now.
  int Compute() const;
  // Computes the state into the process state; the main window's two pages follow it.
  void Refresh();
  // Adapter-ready on Windows XP and later: the installer's choice, once per adapter.
  void ApplyInstallerChoice();
  // Tray command 32774.
  void MakeThisUtilityTheTool();
  // Tray command 32775.
  void MakeWindowsServiceTheTool();
  // Stops the service when it is not stopped and sets it to start on demand.
  void StopWirelessServiceOnDemand();

 private:
  bool ServiceKeyView64() const;
  std::string ServiceKeyPath() const;

  ControllerContext& c_;
};

}  // namespace kavo9
