#pragma once
// The station utility's controller: a hidden window for the whole life of the process. It owns
// the adapter's life cycle (found, ready, lost, found again), runs the 2-second tick that polls
// the driver and keeps the notification-area icon current, reacts to session, power and driver
// events, and opens and closes the main window. Everything runs on the loop's thread.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/EventLoop.h"
#include "common/platform/Platform.h"
#include "station/shell/controller/AddressRenewal.h"
#include "station/shell/controller/ControllerSeams.h"
#include "station/shell/controller/DriverEvents.h"
#include "station/shell/controller/Settings.h"

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

// Commands and messages the controller handles.
enum : uint32_t {
  kCmdOpen = 32771,
  kCmdExit = 32772,
  kCmdSwitchToAp = 32773,
  kCmdThisUtilityIsTool = 32774,
  kCmdWindowsServiceIsTool = 32775,
  kMsgTrayCallback = 0x0464,
};

// Who configures the adapter's connections.
enum ConfigToolState : int { kConfigToolNone = 0, kConfigToolUtility = 1, kConfigToolService = 2 };

inline constexpr size_t kScanBufferBytes = 64 * 1024;

// Everything the controller works with. Null seams fall back to ones that do nothing.
struct ControllerParts {
  Platform* platform = nullptr;
  AdapterPort* adapter = nullptr;
  StorePort* store = nullptr;
  const SettingsFile* settings = nullptr;
  LanguageSeam* language = nullptr;
  TrayStateSink* tray = nullptr;
  MainWindowSeam* mainWindow = nullptr;
  ActionQueueSeam* actions = nullptr;
  ConnectSeam* connect = nullptr;
  SupplicantSeam* supplicant = nullptr;
  WpsSeam* wps = nullptr;
  SoftApDefaultsSeam* softApDefaults = nullptr;
  RegionRefreshSeam* region = nullptr;
};

class CHideDlg {
 public:
  explicit CHideDlg(ControllerParts parts);
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

  // The start-up sequence up to the first tick.
  void Initialise();

  void OnAdapterReady(bool openMainWindow);
  void OnTimer(TimerId id);
  void OpenMainWindow();
  void OnCommand(uint32_t command);
  void OnTrayCallback(uint32_t mouseMessage);
  void OnDriverMessage();
  void OnMediaConnect();
  void OnSessionChange(uint32_t wtsCode);
  void OnPowerBroadcast(uint32_t powerEvent);
  // Exit: closes the main window and the icon, stops the timers and ends the controller.
  void CloseController();

  // Services for the connect steps.
  void ArmKeyErrorMonitor();
  // `withStatusView` false: the entry with status view given a false flag does nothing.
  void StartAuthentication(bool withStatusView, bool showStatus);
  void PublishLastConnectRecord(std::optional<ConnectRecordSummary> record,
                                bool supplicantAvailable);
  // The scan-wait timer (timer 2), started by the action queue when it triggers a scan.
  void StartScanWaitTimer(uint32_t periodMs) { timers_.Set(kTimerScanWait, periodMs); }
  // The radio button changed the radio; the tick and the pages follow the flag.
  void SetRadioOn(bool on) { radioOn_ = on; }
  // Wraps adapter selection: ticks and tray commands do nothing while it is set.
  void SetSelecting(bool selecting) { selecting_ = selecting; }

  // Configuration-tool switching (also the tray commands 32774 and 32775).
  int ComputeConfigToolState();
  // Command 32773: hands the adapter to the soft-AP utility and ends this one.
  void SwitchToAccessPoint();
  void MakeThisUtilityTheTool();
  void MakeWindowsServiceTheTool();
  // Copies every value of one adapter-area key into another through the store; stops at the
  // first failed write. False also when either key cannot be opened.
  bool CopyRegistryValues(const std::string& sourcePath, const std::string& destinationPath);
  // Keeps the station values: every value of the adapter key copied into its "Default" subkey,
  // which is created when the adapter has none yet.
  bool SaveStationValues();

  // State, for the pages and for tests.
  bool adapterAvailable() const { return adapterAvailable_; }
  bool selecting() const { return selecting_; }
  bool isAdministrator() const { return isAdministrator_; }
  bool wow64() const { return wow64_; }
  bool sessionActive() const { return sessionActive_; }
  bool consoleDisconnected() const { return consoleDisconnected_; }
  bool keyError() const { return keyError_; }
  bool keyErrorMonitorArmed() const { return monitorArmed_; }
  bool radioOn() const { return radioOn_; }
  // The BSSID the tick last read (zeros while not connected).
  const std::array<uint8_t, 6>& currentBssid() const { return tickBssid_; }
  bool ieee80211h() const { return ieee80211h_; }
  int configToolState() const { return configToolState_; }
  uint32_t reconnectTick() const { return reconnectTick_; }
  uint32_t psMode() const { return psMode_; }
  bool bw40Allowed24G() const { return bw40Allowed24G_; }
  bool bw40Allowed5G() const { return bw40Allowed5G_; }
  const std::string& title() const { return title_; }
  bool driverEventsSubscribed() const { return driverEventsSubscribed_; }
  const WindowTimers& timers() const { return timers_; }
  std::vector<uint8_t>& scanBuffer(size_t index) { return scanBuffers_[index]; }

 private:
  // Tick pieces.
  bool CheckAdapter();  // false: the tick ends
  bool HandleAdapterLoss();
  void ApplyTGnWiFiTest();
  void ShowSignalState(const std::string& ssid);
  void TakeKeyErrorSample(bool judge);
  void RunQueueIfWindowAllows(bool queueSaysRun);
  // Adapter-ready pieces.
  void ApplyInstallerConfigToolChoice();
  void StopWirelessServiceOnDemand();
  void ApplyInstallerTxBurstChoice();
  void ReadHtPermissions();
  void ForceStationMode();
  void ReadScanListDirectly();
  // Registry helpers on the adapter key.
  bool ReadAdapterText(std::string_view name, std::string* value) const;
  bool WriteAdapterText(std::string_view name, std::string_view text, StorePort::Area area);
  bool ReadMachineDword(std::string_view path, std::string_view name, uint32_t* value,
                        bool view64 = false) const;
  bool SetDriverValue(uint32_t oid, uint32_t value, uint32_t length = 4);
  void CloseMainWindow();
  void Destroy();
  void Post(uint32_t message);

  ControllerParts parts_;
  Platform& platform_;
  AdapterPort& adapter_;
  StorePort& store_;
  const SettingsFile& settings_;
  WindowTimers timers_;
  std::unique_ptr<TraceFile> trace_;
  LastConnectView lastConnectView_;
  std::unique_ptr<DriverEventManager> driverEvents_;
  std::unique_ptr<AddressRenewal> addressRenewal_;
  std::shared_ptr<CHideDlg*> self_;  // posted tasks find the controller through it
  std::function<void()> onEnd_;

  std::string title_;
  bool initialised_ = false;
  bool ended_ = false;
  bool endingForApSwitch_ = false;
  bool adapterAvailable_ = false;
  bool adapterWasMissing_ = false;
  bool selecting_ = false;
  bool openMainWindowAtStart_ = true;
  bool closingMainWindow_ = false;
  bool isAdministrator_ = false;
  bool wow64_ = false;
  bool sessionActive_ = true;
  bool consoleDisconnected_ = false;
  bool sessionRegistered_ = false;
  bool resumeHandled_ = false;  // since the last suspend
  bool driverEventsSubscribed_ = false;
  uint32_t reconnectTick_ = 0;
  bool monitorArmed_ = false;
  uint64_t lastFragments_ = 0;
  uint32_t lastReceived_ = 0;
  bool keyError_ = false;
  bool radioOn_ = true;
  int configToolState_ = kConfigToolNone;
  bool ieee80211h_ = false;
  uint32_t psMode_ = 0;
  bool bw40Allowed24G_ = true;
  bool bw40Allowed5G_ = true;
  std::array<uint8_t, 6> savedBssid_{};
  std::array<uint8_t, 6> tickBssid_{};
  std::string lastSsid_;
  std::string tgnWiFiTest_;  // the adapter's TGnWifiTest value as last read or written
  std::array<std::vector<uint8_t>, 3> scanBuffers_;
};

}  // namespace kavo9
