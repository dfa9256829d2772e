#pragma once
// The station utility's controller: a hidden window for the whole life of the process. It owns
// the adapter's life cycle (found, ready, lost, found again), runs the 2-second tick that polls
// the driver and keeps the notification-area icon current, reacts to session, power and driver
// events, and opens and closes the main window. Everything runs on the loop's thread.
//
// The work is done by small pieces it owns: the adapter life cycle, the connection poll, the
// key-error monitor, the configuration tool, the mode switch and the session and power handling.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/shell/InstanceMessages.h"
#include "common/shell/TraceFile.h"
#include "station/shell/controller/AdapterLifecycle.h"
#include "station/shell/controller/AddressRenewal.h"
#include "station/shell/controller/ConfigTool.h"
#include "station/shell/controller/ConnectionTick.h"
#include "station/shell/controller/ControllerContext.h"
#include "station/shell/controller/DriverEvents.h"
#include "station/shell/controller/KeyErrorMonitor.h"
#include "station/shell/controller/ModeSwitch.h"
#include "station/shell/controller/SessionPower.h"

namespace kavo9 {

class CHideDlg {
 public:
  explicit CHideDlg(const ControllerParts& parts);
  // Destruction saves the station values and releases everything (see Destroy).
  ~CHideDlg();
  CHideDlg(const CHideDlg&) = delete;
  CHideDlg& operator=(const CHideDlg&) = delete;

  // The process-wide controller (null before initialisation and after destruction).
  static CHideDlg* Instance();

  // Off with the "-S" switch: the main window is not opened at start.
  void SetOpenMainWindowAtStart(bool open) { openMainWindowAtStart_ = open; }
  // Called when the controller has ended (Exit or a switch to access-point mode).
  void SetOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }
  // Runs once, after the first tick of timer 1 (for start-up measurements); may be empty.
  void SetOnFirstTick(std::function<void()> onFirstTick) { onFirstTick_ = std::move(onFirstTick); }

  // The start-up sequence up to the first tick.
  void Initialise();

  void OnAdapterReady(bool openMainWindow) { lifecycle_.OnAdapterReady(openMainWindow); }
  void OnTimer(TimerId id);
  void OpenMainWindow();
  void OnCommand(uint32_t command);
  void OnTrayCallback(uint32_t mouseMessage);
  void OnDriverMessage() { keyError_.OnDriverMessage(); }
  void OnMediaConnect() { c_.parts.actions.RefreshScanList(); }
  void OnSessionChange(uint32_t wtsCode) { sessionPower_.OnSessionChange(wtsCode); }
  void OnPowerBroadcast(uint32_t powerEvent) { sessionPower_.OnPowerBroadcast(powerEvent, ended_); }
  // Exit: closes the main window and the icon, stops the timers and ends the controller.
  void CloseController();

  // Services for the connect steps.
  void ArmKeyErrorMonitor() { keyError_.Arm(); }
  void DisarmKeyErrorMonitor() { keyError_.Disarm(); }
  // `withStatusView` false: the entry with status view given a false flag does nothing.
  void StartAuthentication(bool withStatusView, bool showStatus);
  void PublishLastConnectRecord(std::optional<ConnectRecordSummary> record,
                                bool supplicantAvailable);
  // The scan-wait timer (timer 2), started by the action queue when it triggers a scan.
  void StartScanWaitTimer(uint32_t periodMs) { timers_.Set(kTimerScanWait, periodMs); }
  // WPS's timers 4 to 7, which its part starts and stops.
  void StartWpsTimer(TimerId id, uint32_t periodMs) { timers_.Set(id, periodMs); }
  void StopWpsTimer(TimerId id) { timers_.Kill(id); }
  // Wraps adapter selection: ticks and tray commands do nothing while it is set.
  void SetSelecting(bool selecting) { c_.state.selecting = selecting; }

  // Configuration-tool switching (also the tray commands 32774 and 32775).
  int ComputeConfigToolState() const { return configTool_.Compute(); }

  // For the pages and for tests.
  const StationState& state() const { return c_.state; }
  bool keyErrorMonitorArmed() const { return keyError_.armed(); }
  uint32_t reconnectTick() const { return connection_.reconnectTick(); }
  const std::string& title() const { return title_; }
  bool driverEventsSubscribed() const { return driverEventsSubscribed_; }
  const WindowTimers& timers() const { return timers_; }
  std::vector<uint8_t>& scanBuffer(size_t index) { return lifecycle_.scanBuffer(index); }

 private:
  void SubscribeNotifications();
  void CloseMainWindow();
  void StopTimers();
  void Destroy();
  void Post(uint32_t message);

  WindowTimers timers_;
  ControllerContext c_;
  ConfigTool configTool_;
  KeyErrorMonitor keyError_;
  AdapterLifecycle lifecycle_;
  ConnectionTick connection_;
  SessionPower sessionPower_;
  ModeSwitch modeSwitch_;
  std::unique_ptr<TraceFile> trace_;
  LastConnectView lastConnectView_;
  std::unique_ptr<DriverEventManager> driverEvents_;
  std::unique_ptr<AddressRenewal> addressRenewal_;
  std::shared_ptr<CHideDlg*> self_;  // posted tasks find the controller through it
  std::function<void()> onEnd_;
  std::function<void()> onFirstTick_;

  std::string title_;
  bool initialised_ = false;
  bool ended_ = false;
  bool openMainWindowAtStart_ = true;
  bool closingMainWindow_ = false;
  bool sessionRegistered_ = false;
  bool driverEventsSubscribed_ = false;
};

}  // namespace kavo9
