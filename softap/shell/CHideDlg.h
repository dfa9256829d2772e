#pragma once
// The soft-AP utility's hidden controller: it checks the user's rights, finds the adapter, puts it
// into access-point operation with the stored configuration, keeps the tray icon and a 2-second
// tick (signal, adapter loss and return, the wireless service kept stopped), opens the property
// sheet on demand, and hands the adapter back to the station utility.

#include <cstdint>
#include <functional>
#include <string>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
#include "common/platform/Platform.h"
#include "common/platform/TrayIcon.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "softap/record/ApRuntimeState.h"
#include "softap/shell/ApControllerPorts.h"
#include "softap/shell/HostiraStrings.h"

namespace kavo9::softap {

// The tray's signal percentage of an RSSI in dBm, and the icon it shows.
int ApSignalPercent(int32_t dbm);
uint32_t ApSignalIcon(int percent);

struct ApControllerParts {
  Platform& platform;
  DriverPort& driver;
  AdapterPort& adapter;
  StorePort& store;
  const SettingsFile& settings;
  const HostiraStrings& strings;
  TrayIcon& tray;
  SheetPort& sheet;
  ApMessagePort& messages;
  ConnectionSharingPort& sharing;
  ApEventLogPort& eventLog;
  ApRuntimeState& state;
};

class CHideDlg {
 public:
  explicit CHideDlg(const ApControllerParts& parts);
  ~CHideDlg();
  CHideDlg(const CHideDlg&) = delete;
  CHideDlg& operator=(const CHideDlg&) = delete;

  void SetOpenSheetAtStart(bool open) { openSheetAtStart_ = open; }
  // Runs when the controller ends (Exit, the switch, the administrator check); gets its result.
  void SetOnEnd(std::function<void(int result)> onEnd) { onEnd_ = std::move(onEnd); }
  // Runs once the switching program was started (for measurements), may be empty.
  void SetOnFirstTick(std::function<void()> onFirstTick) { onFirstTick_ = std::move(onFirstTick); }

  // The controller's creation (the library) and its dialog initialisation.
  void Initialise();
  void RunStartupSequence(bool openSheet);
  void OpenSheet();
  void OnTimer(uint32_t id);
  void OnCommand(uint32_t command);
  void OnTrayCallback(uint32_t mouseMessage);
  // WM_POWERBROADCAST: suspend (4) stops the tick, resume (7) starts it again.
  void OnPowerBroadcast(uint32_t event);

  bool adapterPresent() const { return adapterPresent_; }
  bool busy() const { return busy_; }
  bool ended() const { return ended_; }
  bool trayIconShown() const { return trayIconShown_; }
  uint32_t icon() const { return icon_; }
  const std::string& title() const { return title_; }

 private:
  void Tick();
  void HandleAdapterLoss();
  void SetIcon(uint32_t icon);
  void ShowMenu();
  void Exit();
  void SwitchToStation();
  void StopWirelessService();
  void CheckBuildValue();
  bool HtPageWanted() const;
  std::string AdapterKey() const { return parts_.state.adapterKeyPath; }
  // Discovery, and what it tells the process state.
  bool Discover();

  const ApControllerParts parts_;
  WindowTimers timers_;
  std::string title_ = "Kavo9";
  bool adapterPresent_ = false;
  bool openSheetAtStart_ = true;
  bool busy_ = false;
  bool trayIconShown_ = false;
  bool ended_ = false;
  uint32_t icon_ = 163;  // kIconDisconnected, as at start
  std::function<void(int)> onEnd_;
  std::function<void()> onFirstTick_;
};

}  // namespace kavo9::softap
