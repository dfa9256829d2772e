#pragma once
// What the controller and its small pieces share: the parts the wiring gave it, the process state,
// the controller window's timers, and the few registry and driver steps they all take.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
#include "common/platform/Platform.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/controller/StationState.h"
#include "station/shell/mainwindow/MainWindowIds.h"

namespace kavo9 {

// Timer ids of the controller (periods in milliseconds).
enum : TimerId {
  kTimerTick = 1,
  kTimerScanWait = 2,
  kTimerKeyError = 3,
  kTimerWpsCredentials = 4,
  kTimerWpsButton = 5,
  kTimerWpsStatus = 6,
  kTimerWpsScanList = 7,
  kTimerMoreLess = 11,
};
inline constexpr uint32_t kTickMs = 2000;
inline constexpr uint32_t kScanWaitAfterResumeMs = 3000;
inline constexpr uint32_t kKeyErrorSampleMs = 10000;
inline constexpr uint32_t kWpsButtonPollMs = 1000;
inline constexpr uint32_t kMoreLessMs = 200;
// The timers 0 to 9 are the ones Exit and suspend stop.
inline constexpr TimerId kLastStoppableTimer = 9;

// Everything the controller works with; every part is required.
struct ControllerParts {
  Platform& platform;
  DriverPort& driver;
  AdapterPort& adapter;
  StorePort& store;
  const SettingsFile& settings;
  LanguagePort& language;
  TrayPort& tray;
  MainWindowPort& mainWindow;
  ActionQueuePort& actions;
  ConnectPort& connect;
  SupplicantPort& supplicant;
  WpsPort& wps;
  SoftApDefaultsPort& softApDefaults;
  RegionRefreshPort& region;
  StationState& state;
};

class ControllerContext {
 public:
  ControllerContext(const ControllerParts& parts, WindowTimers& timers)
      : parts(parts), state(parts.state), timers(timers) {}

  const ControllerParts parts;
  StationState& state;
  WindowTimers& timers;

  // The adapter key's path ("" while there is no adapter).
  const std::string& AdapterKey() const { return parts.adapter.Identity().registryKey; }
  bool ReadAdapterText(std::string_view name, std::string* value) const;
  bool WriteAdapterText(std::string_view name, std::string_view text);
  bool SetDriverValue(uint32_t oid, uint32_t value, uint32_t length = 4);
  // The program message box with the language text of `key` and an OK button.
  void ShowMessage(std::string_view key);
  // A queued record waits while the user is typing a password in the main window.
  void RunQueueIfWindowAllows(bool queueSaysRun);
};

}  // namespace kavo9
