#pragma once
// The station utility's windows as the controller reaches them: the main window, created and
// closed on demand with its panels, the program message box, and the notification-area icon with
// its states and context menu. The controller keeps every rule of when these happen; this class
// only carries them out, and hands the icon's clicks and the menu's commands back to it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/platform/TrayIcon.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/mainwindow/MainWindowView.h"
#include "station/shell/tray/StationTrayIcon.h"
#include "station/shell/tray/TrayMenu.h"

namespace kavo9 {

class StationWindowsHost {
 public:
  virtual ~StationWindowsHost() = default;
  virtual std::string Text(std::string_view key) const = 0;
  // Runs the program message box; returns when it is closed.
  virtual int ShowMessageBox(const std::string& text, const std::string& button) = 0;
  virtual bool AdapterAvailable() const = 0;
  virtual bool IsAdministrator() const = 0;
  virtual int ConfigToolState() const = 0;
  virtual int WindowsVersionCode() const = 0;
  virtual int ChipCode() const = 0;
  virtual std::filesystem::path ProgramDir() const = 0;
  // The icon's mouse messages (0x0203 double-click, 0x0204 right button down).
  virtual void OnTrayCallback(uint32_t mouseMessage) = 0;
  // The menu's commands (32771 to 32775).
  virtual void RunCommand(uint32_t command) = 0;
};

class StationWindows : public MainWindowPort, public TrayPort {
 public:
  using MainWindowFactory = std::function<std::unique_ptr<MainWindowView>()>;

  StationWindows(StationWindowsHost& host, TrayIcon& icon, MainWindowFactory createMainWindow);
  ~StationWindows() override;

  // MainWindowPort.
  bool IsOpen() const override { return MainWindow() != nullptr; }
  // Makes the window (a closed one is replaced) wearing the tray icon, with the link status
  // panel shown.
  bool Create() override;
  void Close() override;
  void SetExpanded(bool expanded) override;
  void BringToForeground() override;
  // Shows panel `number` (0 to 10) in the lower frame and hides the others; any other number
  // hides them all. Without a main window nothing happens and nothing is remembered.
  void ShowPanel(int number) override;
  bool IsPanelShown(int number) const override;
  void RefreshMoreLess() override;
  void RefreshRadioControls() override;
  void EnableConfigPages(bool enable) override;
  void PressFirstPageButton() override;
  void ShowMessageBox(std::string_view caption, std::string_view text,
                      std::string_view button) override;
  // The message box for a question: 1 when it was closed with its button.
  int AskMessageBox(std::string_view text, std::string_view button);

  // TrayPort.
  bool AddIcon(bool adapterPresent) override;
  void ShowNoAdapter() override;
  void ShowNotConnected() override;
  void ShowRadioOff() override;
  void NotifyAdapterRemoved() override;
  void ShowConnected(int32_t rssiDbm, bool keyError, std::string_view ssid) override;
  void RemoveIcon() override;
  void ShowContextMenu() override;

  int LastPanel() const { return lastPanel_; }
  // The open main window, or null.
  MainWindowView* MainWindow() const;
  StationTrayIcon& Tray() { return tray_; }

 private:
  StationWindowsHost& host_;
  MainWindowFactory createMainWindow_;
  StationTrayIcon tray_;
  TrayIcon& icon_;
  std::unique_ptr<MainWindowView> mainWindow_;
  bool closing_ = false;
  int lastPanel_ = 0;
};

}  // namespace kavo9
