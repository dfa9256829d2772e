#pragma once
// Stavio put together: every part constructed and handed to the pieces that use it. Nothing here
// decides anything; the rules live in the libraries.

#include <memory>

#include "apps/Stavio/wiring/StationActions.h"
#include "apps/Stavio/wiring/StationConnect.h"
#include "apps/Stavio/wiring/StationDomainStep.h"
#include "apps/Stavio/wiring/StationPages.h"
#include "apps/Stavio/wiring/StationSignOn.h"
#include "common/adapter/Adapter.h"
#include "common/adapter/FaultableDriver.h"
#include "common/platform/TrayIcon.h"
#include "common/shell/ProgramSettings.h"
#include "common/shell/StoreAccess.h"
#include "radio/AdapterRadio.h"
#include "radio/RegistryRadioStore.h"
#include "station/dot1x/ccx/CcxControl.h"
#include "station/dot1x/editor/Dot1xEditorTab.h"
#include "station/dot1x/editor/SecurityEditor.h"
#include "station/dot1x/supplicant/LibrarySupplicant.h"
#include "station/dot1x/supplicant/SupplicantBinding.h"
#include "station/shell/controller/CHideDlg.h"
#include "station/shell/controller/SoftApDefaults.h"
#include "station/shell/controller/StationLanguage.h"
#include "station/shell/mainwindow/StationWindows.h"
#include "station/shell/services/StationServices.h"
#include "station/wps/WpsPart.h"

namespace kavo9 {

struct StationAppParts {
  Platform* platform = nullptr;
  // Both may be null: the first qualifying adapter is taken; the store writes directly only.
  AdapterChooser* chooser = nullptr;
  RegistryServiceClient* service = nullptr;
  std::unique_ptr<TrayIcon> trayIcon;  // required
};

// The radio steps of the adapter-ready routine, as the controller asks for them.
class StationRegionRefresh : public RegionRefreshPort {
 public:
  explicit StationRegionRefresh(radio::AdapterRadio& radio) : radio_(radio) {}
  void ReadHtPermissions() override { radio_.ReadHtPermissions(); }
  void RefreshChannels() override { radio_.RefreshChannels(); }

 private:
  radio::AdapterRadio& radio_;
};

// WPS's timers are the controller's.
class ControllerWpsTimers : public wps::WpsTimerPort {
 public:
  void SetController(CHideDlg* controller) { controller_ = controller; }
  void Start(uint32_t id, uint32_t periodMs) override {
    if (controller_) controller_->StartWpsTimer(id, periodMs);
  }
  void Stop(uint32_t id) override {
    if (controller_) controller_->StopWpsTimer(id);
  }

 private:
  CHideDlg* controller_ = nullptr;
};

class StationApp : public StationWindowsHost {
 public:
  explicit StationApp(StationAppParts parts);
  ~StationApp() override;

  CHideDlg& Controller() { return *controller_; }
  Platform& GetPlatform() { return platform_; }
  StationWindows& Windows() { return *windows_; }
  StationPages& Pages() { return *pages_; }
  StationProfilePages& ProfilePages() { return profilePages_; }
  StationActions& Actions() { return actions_; }
  StationConnect& Connecting() { return connect_; }
  wps::WpsPart& Wps() { return wps_; }
  const radio::RadioState& Radio() const { return radio_; }
  // The driver every piece reaches, with its fault hooks.
  FaultableDriver& Driver() { return driver_; }
  dot1x::SupplicantBinding& Supplicant() { return supplicant_; }
  dot1x::SecurityEditor& SecurityEditor() { return securityEditor_; }
  dot1x::Dot1xPageModel& ProfileDot1xPage() { return profileDot1xPage_; }
  // The machine's registry, for the screenshots' set-up.
  Registry& MachineRegistry() { return *platform_.registry; }

  // StationWindowsHost.
  std::string Text(std::string_view key) const override { return language_.Text(key); }
  int ShowMessageBox(const std::string& text, const std::string& button) override;
  bool AdapterAvailable() const override { return state_.adapterAvailable; }
  bool IsAdministrator() const override { return state_.isAdministrator; }
  int ConfigToolState() const override { return state_.configToolState; }
  int WindowsVersionCode() const override { return adapter_.WindowsVersionCode(); }
  int ChipCode() const override { return adapter_.Identity().chipKind; }
  std::filesystem::path ProgramDir() const override { return platform_.paths->ProgramDir(); }
  void OnTrayCallback(uint32_t mouseMessage) override { controller_->OnTrayCallback(mouseMessage); }
  void RunCommand(uint32_t command) override { controller_->OnCommand(command); }

 private:
  Platform& platform_;
  std::unique_ptr<TrayIcon> trayIcon_;
  SettingsFile settings_;
  ProgramSettings memory_;  // the user's own choices in the windows
  StationState state_;
  Adapter adapter_;
  FaultableDriver driver_;
  StoreAccess store_;
  StationLanguage language_;
  wps::WpsPart wps_;
  ControllerWpsTimers wpsTimers_;
  dot1x::LibrarySupplicant supplicantLibrary_;
  dot1x::SupplicantBinding supplicant_;
  // The 802.1X page of the profile editor, and the security editor with its own.
  dot1x::Dot1xPageModel profileDot1xPage_;
  dot1x::Dot1xEditorTab profileDot1xTab_;
  dot1x::SecurityEditor securityEditor_;
  SoftApDefaults softApDefaults_;
  radio::RadioState radio_;
  radio::RegistryRadioStore radioStore_;
  radio::AdapterRadio adapterRadio_;
  StationRegionRefresh region_;
  ccx::CcxControl ccx_;
  StationConnect connect_;
  StationActions actions_;
  StationServices services_;
  StationProfilePages profilePages_;
  StationSignOn signOn_;
  sso::SsoPage ssoPage_;
  StationDomainStep domainStep_;
  std::unique_ptr<StationPages> pages_;
  std::unique_ptr<StationWindows> windows_;
  std::unique_ptr<CHideDlg> controller_;
};

}  // namespace kavo9
