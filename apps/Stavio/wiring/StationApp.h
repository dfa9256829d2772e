#pragma once
// Stavio put together: the controller with the adapter, the parameter store, the language, the
// windows and the tray icon, the action queue and the radio settings, each bound to its seam.

#include <functional>
#include <memory>

#include "apps/Stavio/wiring/AdapterRequests.h"
#include "apps/Stavio/wiring/StationActions.h"
#include "apps/Stavio/wiring/StationPages.h"
#include "apps/Stavio/wiring/StationRadio.h"
#include "common/platform/TrayIcon.h"
#include "station/shell/controller/CHideDlg.h"
#include "station/shell/controller/StationPorts.h"
#include "station/shell/mainwindow/StationWindows.h"

namespace kavo9 {

struct StationAppParts {
  Platform* platform = nullptr;
  // Both may be null: the first qualifying adapter is taken; the store writes directly only.
  AdapterChooser* chooser = nullptr;
  RegistryServiceClient* service = nullptr;
  std::unique_ptr<TrayIcon> trayIcon;  // required
};

class StationApp : public StationWindowsHost {
 public:
  explicit StationApp(StationAppParts parts);
  ~StationApp() override;

  CHideDlg& Controller() { return *controller_; }
  StationWindows& Windows() { return *windows_; }
  StationPages& Pages() { return *pages_; }
  StationActions& Actions() { return *actions_; }
  const radio::RadioState& Radio() const { return radio_; }

  // StationWindowsHost.
  std::string Text(std::string_view key) const override { return language_.Text(key); }
  int ShowMessageBox(const std::string& text, const std::string& button) override;
  bool AdapterAvailable() const override { return controller_->adapterAvailable(); }
  bool IsAdministrator() const override { return controller_->isAdministrator(); }
  int ConfigToolState() const override { return controller_->configToolState(); }
  int WindowsVersionCode() const override { return adapter_.WindowsVersionCode(); }
  int ChipCode() const override { return adapter_.Facts().chipKind; }
  std::filesystem::path ProgramDir() const override;
  void OnTrayCallback(uint32_t mouseMessage) override { controller_->OnTrayCallback(mouseMessage); }
  void RunCommand(uint32_t command) override { controller_->OnCommand(command); }

 private:
  Platform& platform_;
  std::unique_ptr<TrayIcon> trayIcon_;
  SettingsFile settings_;
  AdapterAccessPort adapter_;
  ParameterStorePort store_;
  LanguagePort language_;
  AdapterRequests requests_;
  radio::RadioState radio_;
  StationRadioStore radioStore_;
  StationRegionRefresh region_;
  std::unique_ptr<StationActions> actions_;
  std::unique_ptr<StationPages> pages_;
  std::unique_ptr<StationWindows> windows_;
  std::unique_ptr<CHideDlg> controller_;
};

}  // namespace kavo9
