#pragma once
// The controller's side of the station utility's windows: opening and closing the main window,
// its panels, the More/Less refresh timer, the tray icon's clicks and menu, and Exit's window
// steps. The controller owns one and forwards the tray callback and the window commands to it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/platform/EventLoop.h"
#include "common/platform/TrayIcon.h"
#include "station/shell/mainwindow/MainWindowView.h"
#include "station/shell/tray/StationTrayIcon.h"
#include "station/shell/tray/TrayMenu.h"

namespace kavo9 {

class StationWindowsHost {
 public:
  virtual ~StationWindowsHost() = default;
  virtual std::string Text(std::string_view key) const = 0;
  // Set while the adapter selection dialog is open: clicks and commands are ignored meanwhile.
  virtual bool Selecting() const = 0;
  virtual void SetSelecting(bool selecting) = 0;
  virtual bool AdapterAvailable() const = 0;
  virtual bool IsAdapterPresent() = 0;
  // Runs the program message box; returns when it is closed.
  virtual int ShowMessageBox(const std::string& text) = 0;
  virtual bool IsAdministrator() const = 0;
  virtual int ConfigToolState() const = 0;
  virtual int WindowsVersionCode() const = 0;
  virtual int ChipCode() const = 0;
  virtual std::filesystem::path ProgramDir() const = 0;
  // Exit, after the windows are gone: stop the controller's timers and end it.
  virtual void EndController() = 0;
  // The mode and configuration-tool commands (32773 to 32775).
  virtual void RunCommand(uint32_t command) = 0;
};

class StationWindows {
 public:
  using MainWindowFactory = std::function<std::unique_ptr<MainWindowView>()>;
  static constexpr TimerId kMoreLessTimer = 11;
  static constexpr uint32_t kMoreLessPeriodMs = 200;

  StationWindows(EventLoop& loop, StationWindowsHost& host, TrayIcon& icon,
                 MainWindowFactory createMainWindow);
  ~StationWindows();

  // Creates the main window, or brings the existing one forward; laid out collapsed either way.
  // Without an adapter it explains that in the message box instead.
  void OpenMainWindow();
  // Shows panel `number` (0 to 10) in the lower frame and hides the others; any other number
  // hides them all. Without a main window nothing happens and nothing is remembered.
  void ShowPanel(int number);
  int LastPanel() const { return lastPanel_; }
  // Closes and deletes the main window once, and stops the More/Less refresh.
  void CloseMainWindow();
  // The open main window, or null.
  MainWindowView* MainWindow() const;

  // The tray icon's callback (0x0203 double-click, 0x0204 right button down).
  void OnTrayCallback(uint32_t mouseMessage);
  // Tray and second-instance commands (32771 to 32775).
  void OnCommand(uint32_t command);

  StationTrayIcon& Tray() { return tray_; }

 private:
  void OnTimer(TimerId id);
  void ShowTrayMenu();

  StationWindowsHost& host_;
  MainWindowFactory createMainWindow_;
  StationTrayIcon tray_;
  TrayIcon& icon_;
  std::unique_ptr<MainWindowView> mainWindow_;
  bool closing_ = false;
  int lastPanel_ = 0;
  WindowTimers timers_;
};

}  // namespace kavo9
