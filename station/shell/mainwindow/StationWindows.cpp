#include "station/shell/mainwindow/StationWindows.h"

#include "station/shell/mainwindow/MainWindowIds.h"

namespace kavo9 {

StationWindows::StationWindows(EventLoop& loop, StationWindowsHost& host, TrayIcon& icon,
                               MainWindowFactory createMainWindow)
    : host_(host),
      createMainWindow_(std::move(createMainWindow)),
      tray_(icon, [&host](std::string_view key) { return host.Text(key); }),
      icon_(icon),
      timers_(loop, [this](TimerId id) { OnTimer(id); }) {
  icon_.SetMouseCallback([this](uint32_t message) { OnTrayCallback(message); });
  tray_.SetIconChangedCallback([this](uint32_t iconId) {
    if (MainWindowView* window = MainWindow()) window->SetWindowIcon(iconId);
  });
}

StationWindows::~StationWindows() {
  icon_.SetMouseCallback(nullptr);
  timers_.KillAll();
  mainWindow_.reset();
}

MainWindowView* StationWindows::MainWindow() const {
  return mainWindow_ && mainWindow_->IsOpen() ? mainWindow_.get() : nullptr;
}

void StationWindows::OpenMainWindow() {
  if (host_.Selecting()) return;
  if (!host_.AdapterAvailable()) {
    host_.SetSelecting(true);
    host_.ShowMessageBox(host_.Text("IDS_DRIVER_NOTOK"));
    host_.SetSelecting(false);
    return;
  }
  if (mainWindow_ && !mainWindow_->IsOpen()) mainWindow_.reset();  // the user closed it
  if (!mainWindow_) {
    mainWindow_ = createMainWindow_();
    if (!mainWindow_) return;
    mainWindow_->SetWindowIcon(IconOf(tray_.state()));
    ShowPanel(mainwindow::kLinkStatusPanel);
  }
  timers_.Set(kMoreLessTimer, kMoreLessPeriodMs);
  mainWindow_->SetExpanded(false);
  mainWindow_->BringToFront();
}

void StationWindows::ShowPanel(int number) {
  MainWindowView* window = MainWindow();
  if (!window) return;
  for (int panel = 0; panel < mainwindow::kPanelCount; ++panel)
    window->SetPanelVisible(panel, false);
  lastPanel_ = number;
  if (number >= 0 && number < mainwindow::kPanelCount) window->SetPanelVisible(number, true);
}

void StationWindows::CloseMainWindow() {
  timers_.Kill(kMoreLessTimer);
  if (closing_ || !mainWindow_) return;
  closing_ = true;
  if (mainWindow_->IsOpen()) mainWindow_->Close();
  mainWindow_.reset();
  closing_ = false;
}

void StationWindows::OnTimer(TimerId id) {
  if (id != kMoreLessTimer) return;
  if (MainWindowView* window = MainWindow()) window->RefreshMoreLess();
}

void StationWindows::OnTrayCallback(uint32_t mouseMessage) {
  if (host_.Selecting()) return;
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    OnCommand(kTrayOpen);
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    ShowTrayMenu();
  }
}

void StationWindows::ShowTrayMenu() {
  TrayMenuContext context;
  context.administrator = host_.IsAdministrator();
  context.configToolState = host_.ConfigToolState();
  context.windowsVersionCode = host_.WindowsVersionCode();
  context.accessPointSwitchAllowed =
      AccessPointSwitchAllowed(host_.ProgramDir(), host_.ChipCode(), host_.AdapterAvailable());
  auto texts = [this](std::string_view key) { return host_.Text(key); };
  icon_.TrackMenu(BuildTrayMenu(context, texts), [this](uint32_t command) { OnCommand(command); });
}

void StationWindows::OnCommand(uint32_t command) {
  switch (command) {
    case kTrayOpen:
      if (!host_.Selecting() && host_.AdapterAvailable() && host_.IsAdapterPresent()) {
        OpenMainWindow();
      }
      break;
    case kTrayExit:
      if (host_.Selecting()) return;
      CloseMainWindow();
      tray_.Delete();
      host_.EndController();
      break;
    case kTraySwitchApMode:
    case kTraySwitchTsConfig:
    case kTraySwitchZeroConfig:
      host_.RunCommand(command);
      break;
    default:
      break;
  }
}

}  // namespace kavo9
