#include "station/shell/mainwindow/StationWindows.h"

#include "station/networks/RssiToPercent.h"
#include "station/shell/mainwindow/MainWindowIds.h"

namespace kavo9 {

StationWindows::StationWindows(StationWindowsHost& host, TrayIcon& icon,
                               MainWindowFactory createMainWindow)
    : host_(host),
      createMainWindow_(std::move(createMainWindow)),
      tray_(icon, [&host](std::string_view key) { return host.Text(key); }),
      icon_(icon) {
  icon_.SetMouseCallback([this](uint32_t message) { host_.OnTrayCallback(message); });
  tray_.SetIconChangedCallback([this](uint32_t iconId) {
    if (MainWindowView* window = MainWindow()) window->SetWindowIcon(iconId);
  });
}

StationWindows::~StationWindows() {
  icon_.SetMouseCallback(nullptr);
  mainWindow_.reset();
}

MainWindowView* StationWindows::MainWindow() const {
  return mainWindow_ && mainWindow_->IsOpen() ? mainWindow_.get() : nullptr;
}

// ---- Main window ---------------------------------------------------------------------------

bool StationWindows::Create() {
  if (MainWindow()) return true;
  mainWindow_.reset();  // the user closed it
  mainWindow_ = createMainWindow_();
  if (!mainWindow_) return false;
  mainWindow_->SetWindowIcon(IconOf(tray_.state()));
  ShowPanel(mainwindow::kLinkStatusPanel);
  return true;
}

void StationWindows::Close() {
  if (closing_ || !mainWindow_) return;
  closing_ = true;
  if (mainWindow_->IsOpen()) mainWindow_->Close();
  mainWindow_.reset();
  closing_ = false;
}

void StationWindows::SetExpanded(bool expanded) {
  if (MainWindowView* window = MainWindow()) window->SetExpanded(expanded);
}

void StationWindows::BringToForeground() {
  if (MainWindowView* window = MainWindow()) window->BringToFront();
}

void StationWindows::ShowPanel(int number) {
  MainWindowView* window = MainWindow();
  if (!window) return;
  for (int panel = 0; panel < mainwindow::kPanelCount; ++panel)
    window->SetPanelVisible(panel, false);
  lastPanel_ = number;
  if (number >= 0 && number < mainwindow::kPanelCount) window->SetPanelVisible(number, true);
}

bool StationWindows::IsPanelShown(int number) const {
  return MainWindow() && lastPanel_ == number;
}

void StationWindows::RefreshMoreLess() {
  if (MainWindowView* window = MainWindow()) window->RefreshMoreLess();
}

void StationWindows::RefreshRadioControls() {
  if (MainWindowView* window = MainWindow()) window->RefreshRadioControls();
}

void StationWindows::EnableConfigPages(bool enable) {
  if (MainWindowView* window = MainWindow()) window->SetConfigToolButtonsEnabled(enable);
}

void StationWindows::PressFirstPageButton() {
  if (MainWindowView* window = MainWindow()) window->PressFirstPageButton();
}

void StationWindows::ShowMessageBox(std::string_view, std::string_view text,
                                    std::string_view button) {
  host_.ShowMessageBox(std::string(text), std::string(button));
}

int StationWindows::AskMessageBox(std::string_view text, std::string_view button) {
  return host_.ShowMessageBox(std::string(text), std::string(button));
}

// ---- Notification-area icon ----------------------------------------------------------------

bool StationWindows::AddIcon(bool adapterPresent) {
  return tray_.Add(adapterPresent ? TrayState::NotConnected : TrayState::NoAdapter);
}

void StationWindows::ShowNoAdapter() {
  tray_.SetTrayState(TrayState::NoAdapter);
}

void StationWindows::ShowNotConnected() {
  tray_.SetTrayState(TrayState::NotConnected);
}

void StationWindows::ShowRadioOff() {
  tray_.SetTrayState(TrayState::RadioOff);
}

void StationWindows::NotifyAdapterRemoved() {
  icon_.ShowBalloon("Kavo9",
                    AdapterRemovedNotice([this](std::string_view key) { return host_.Text(key); }));
}

void StationWindows::ShowConnected(int32_t rssiDbm, bool keyError, std::string_view ssid) {
  tray_.SetTrayState(SignalTrayState(RssiToPercent(rssiDbm), keyError), ssid);
}

void StationWindows::RemoveIcon() {
  tray_.Delete();
}

void StationWindows::ShowContextMenu() {
  TrayMenuContext context;
  context.administrator = host_.IsAdministrator();
  context.configToolState = host_.ConfigToolState();
  context.windowsVersionCode = host_.WindowsVersionCode();
  context.accessPointSwitchAllowed =
      AccessPointSwitchAllowed(host_.ProgramDir(), host_.ChipCode(), host_.AdapterAvailable());
  auto texts = [this](std::string_view key) { return host_.Text(key); };
  icon_.TrackMenu(BuildTrayMenu(context, texts),
                  [this](uint32_t command) { host_.RunCommand(command); });
}

}  // namespace kavo9
