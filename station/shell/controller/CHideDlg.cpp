#include "station/shell/controller/CHideDlg.h"

#include <utility>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/TrayIcon.h"
#include "common/shell/ModeHandOver.h"

namespace kavo9 {
namespace {

CHideDlg* g_controller = nullptr;

}  // namespace

CHideDlg::CHideDlg(const ControllerParts& parts)
    : timers_(*parts.platform.loop, [this](TimerId id) { OnTimer(id); }),
      c_(parts, timers_),
      configTool_(c_),
      keyError_(c_),
      lifecycle_(c_, configTool_,
                 {.open = [this] { OpenMainWindow(); }, .close = [this] { CloseMainWindow(); }}),
      connection_(c_, keyError_),
      sessionPower_(c_, keyError_),
      modeSwitch_(c_, configTool_, [this] { CloseController(); }),
      self_(std::make_shared<CHideDlg*>(this)) {
  trace_ = std::make_unique<TraceFile>(parts.platform.paths->FromWindows(kTraceFileWindowsPath),
                                       parts.settings.IsSettingOn(settings::kOpenFile));
  addressRenewal_ = std::make_unique<AddressRenewal>(parts.platform.ipHelper);
}

CHideDlg::~CHideDlg() {
  if (initialised_) Destroy();
  *self_ = nullptr;
  if (g_controller == this) g_controller = nullptr;
}

CHideDlg* CHideDlg::Instance() {
  return g_controller;
}

void CHideDlg::Post(uint32_t message) {
  std::weak_ptr<CHideDlg*> weak = self_;
  c_.parts.platform.loop->Post([weak, message] {
    auto self = weak.lock();
    if (!self || !*self) return;
    if (message == kMsgDriverMessage) (*self)->OnDriverMessage();
    if (message == kMsgMediaConnect) (*self)->OnMediaConnect();
  });
}

// ---- Start-up --------------------------------------------------------------------------------

void CHideDlg::Initialise() {
  const ControllerParts& p = c_.parts;
  StationState& state = c_.state;
  title_ = kControllerTitle;
  g_controller = this;
  initialised_ = true;

  p.language.LoadLanguage();
  p.store.Bind(p.settings.IsSettingOn(settings::kAllowStandardUserSetAdvance),
               p.settings.IsSettingOn(settings::kAllowStandardUserSetProfile));
  p.adapter.LoadIniDeviceLists(p.settings.path());

  lifecycle_.AllocateScanBuffers();
  state.lastSsid.clear();

  p.adapter.DetectWindowsVersion();
  const int version = p.adapter.WindowsVersionCode();
  state.wow64 = false;
  if (version > 9) {
    bool wow64 = false;
    if (p.platform.system->IsWow64Process(&wow64)) state.wow64 = wow64;
  }
  // Systems without user accounts of their own count everyone as an administrator; elsewhere a
  // token that cannot be read counts as a standard user.
  state.isAdministrator = version <= 6 || p.platform.token->IsAdministrator();
  p.store.SetAdministrator(state.isAdministrator);

  if (!state.isAdministrator && p.settings.IsSettingOn(settings::kWarningMessageForGenUser)) {
    c_.ShowMessage("IDS_GUEST_WARN");
  }

  lifecycle_.Discover();
  p.connect.SetStartupFlag();

  if (state.adapterAvailable) lifecycle_.OnAdapterReady(openMainWindowAtStart_);

  timers_.Set(kTimerTick, kTickMs);
  p.tray.AddIcon(state.adapterAvailable);
  SubscribeNotifications();
  p.supplicant.ClearTextSlots();
}

void CHideDlg::SubscribeNotifications() {
  const ControllerParts& p = c_.parts;
  if (p.platform.session) {
    std::weak_ptr<CHideDlg*> weak = self_;
    EventLoop* loop = p.platform.loop;
    auto post = [weak, loop](auto handler) {
      loop->Post([weak, handler] {
        auto self = weak.lock();
        if (self && *self) handler(**self);
      });
    };
    if (p.adapter.WindowsVersionCode() > 7) {
      sessionRegistered_ = p.platform.session->RegisterSessionNotification(
          [post](uint32_t code) { post([code](CHideDlg& c) { c.OnSessionChange(code); }); });
    }
    p.platform.session->SetPowerCallback(
        [post](uint32_t event) { post([event](CHideDlg& c) { c.OnPowerBroadcast(event); }); });
  }
  driverEvents_ = std::make_unique<DriverEventManager>(p.platform.events, *trace_, lastConnectView_,
                                                       [this](uint32_t m) { Post(m); });
  driverEventsSubscribed_ = driverEvents_->SubscribeDriverEvents();
}

// ---- Timers --------------------------------------------------------------------------------

namespace {

// What each of the controller's timers adds to the tick that every timer runs: the adapter check,
// the settings switch, the supplicant and the configuration tool, then the connection poll.
struct TimerRole {
  TimerId id;
  bool restartsTick;     // the 2-second tick sets itself again
  bool runsWaitingScan;  // the scan-wait timer stops and runs the queue when something waits
  bool isWps;            // WPS's own work comes before the connection poll
  bool pollsConnection;
};

constexpr TimerRole kTimerRoles[] = {
    {kTimerTick, true, false, false, true},
    {kTimerScanWait, false, true, false, true},
    {kTimerKeyError, false, false, false, true},
    {kTimerWpsCredentials, false, false, true, false},
    {kTimerWpsButton, false, false, true, true},
    {kTimerWpsStatus, false, false, true, true},
    {kTimerWpsScanList, false, false, true, true},
};

TimerRole RoleOf(TimerId id) {
  for (const TimerRole& role : kTimerRoles) {
    if (role.id == id) return role;
  }
  return {id, false, false, false, true};
}

}  // namespace

void CHideDlg::OnTimer(TimerId id) {
  const ControllerParts& p = c_.parts;
  if (id == kTimerMoreLess) {
    p.mainWindow.RefreshMoreLess();
    return;
  }
  const TimerRole role = RoleOf(id);
  if (role.restartsTick) timers_.Set(kTimerTick, kTickMs);
  if (id == kTimerTick && onFirstTick_) std::exchange(onFirstTick_, nullptr)();
  if (c_.state.selecting) return;
  if (!lifecycle_.CheckAdapter()) return;
  lifecycle_.ApplyTGnWiFiTest();

  if (role.runsWaitingScan) {
    timers_.Kill(kTimerScanWait);
    if (p.actions.ScanPending() || p.connect.AutoReconnect()) p.actions.RunActionQueue();
  }
  if (!c_.state.ServiceManagesAdapter() && c_.state.sessionActive && !p.supplicant.IsRunning()) {
    p.supplicant.Start();
  }
  configTool_.Refresh();

  if (role.isWps) p.wps.OnTimer(id);
  if (!role.pollsConnection) return;
  connection_.Poll(id);
  if (p.mainWindow.IsOpen()) p.mainWindow.RefreshRadioControls();
}

// ---- Main window ---------------------------------------------------------------------------

void CHideDlg::OpenMainWindow() {
  StationState& state = c_.state;
  if (state.selecting) return;
  if (!state.adapterAvailable) {
    state.selecting = true;
    c_.ShowMessage("IDS_DRIVER_NOTOK");
    state.selecting = false;
    return;
  }
  MainWindowPort& window = c_.parts.mainWindow;
  if (!window.IsOpen() && !window.Create()) return;
  timers_.Set(kTimerMoreLess, kMoreLessMs);
  window.SetExpanded(false);
  window.BringToForeground();
}

void CHideDlg::CloseMainWindow() {
  if (closingMainWindow_ || !c_.parts.mainWindow.IsOpen()) return;
  closingMainWindow_ = true;
  c_.parts.mainWindow.Close();
  closingMainWindow_ = false;
}

void CHideDlg::OnCommand(uint32_t command) {
  const bool selecting = c_.state.selecting;
  switch (command) {
    case kCmdOpen:
      if (!selecting && c_.state.adapterAvailable && c_.parts.driver.IsAdapterPresent()) {
        OpenMainWindow();
      }
      break;
    case kCmdExit:
      CloseController();
      break;
    case kCmdSwitchToAp:
      if (!selecting) modeSwitch_.SwitchToAccessPoint();
      break;
    case kCmdThisUtilityIsTool:
      if (!selecting) configTool_.MakeThisUtilityTheTool();
      break;
    case kCmdWindowsServiceIsTool:
      if (!selecting) configTool_.MakeWindowsServiceTheTool();
      break;
    default:
      break;
  }
}

void CHideDlg::OnTrayCallback(uint32_t mouseMessage) {
  if (c_.state.selecting) return;
  if (mouseMessage == WM_LBUTTONDBLCLK) OnCommand(kCmdOpen);
  if (mouseMessage == WM_RBUTTONDOWN) c_.parts.tray.ShowContextMenu();
}

void CHideDlg::StopTimers() {
  for (TimerId id = 0; id <= kLastStoppableTimer; ++id) timers_.Kill(id);
}

void CHideDlg::CloseController() {
  if (c_.state.selecting || ended_) return;
  CloseMainWindow();
  timers_.Kill(kTimerMoreLess);
  // The icon keeps its own added flag: one the shell refused at start may have been added by a
  // later state change, and must go too.
  c_.parts.tray.RemoveIcon();
  StopTimers();
  ended_ = true;
  if (onEnd_) onEnd_();
}

// ---- Authentication start ------------------------------------------------------------------

void CHideDlg::StartAuthentication(bool withStatusView, bool showStatus) {
  const ControllerParts& p = c_.parts;
  if (!p.supplicant.HasPort()) return;
  if (withStatusView) {
    if (!showStatus) return;
    std::string text;
    if (c_.ReadAdapterText("ShowAuthStatus", &text) && text == "1") {
      p.mainWindow.ShowPanel(mainwindow::kAuthStatusPanel);
      p.mainWindow.SetExpanded(true);
    }
  }
  p.supplicant.StartPort();
  std::string instanceId;
  c_.ReadAdapterText("NetCfgInstanceId", &instanceId);
  addressRenewal_->Start(instanceId);
}

void CHideDlg::PublishLastConnectRecord(std::optional<ConnectRecordSummary> record,
                                        bool supplicantAvailable) {
  lastConnectView_.Publish(record, supplicantAvailable);
}

// ---- Destruction ---------------------------------------------------------------------------

void CHideDlg::Destroy() {
  const ControllerParts& p = c_.parts;
  initialised_ = false;
  if (!modeSwitch_.endingForApSwitch()) {
    SaveStationValues(*p.platform.registry, p.store, c_.AdapterKey());
  }
  lifecycle_.FreeScanBuffers();
  c_.SetDriverValue(OID_VND_WPS_CONNECT, 0, 1);
  c_.SetDriverValue(OID_VND_PROFILE_KIND_FLAG, 0);
  if (sessionRegistered_ && p.platform.session) p.platform.session->UnregisterSessionNotification();
  sessionRegistered_ = false;
  if (p.platform.session) p.platform.session->SetPowerCallback(nullptr);
  if (driverEvents_) driverEvents_->UnsubscribeDriverEvents();
  addressRenewal_->Wait();
  p.actions.FreeAll();
  p.adapter.DrainSetRetryQueue();
  p.connect.FreeLastConnectRecord();
  p.store.Release();
}

}  // namespace kavo9
