#pragma once
// What the controller reaches outside itself. Each interface is filled by the piece that owns
// it; until that piece exists, its default methods do nothing (and say so) so that the
// controller's order of steps is complete and testable today.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kavo9 {

// What discovery found out about the adapter in use.
struct AdapterFacts {
  std::string registryKey;       // below HKEY_LOCAL_MACHINE; empty while no adapter
  std::string instanceId;        // NetCfgInstanceId "{GUID}"
  std::string hardwareIdPrefix;  // first 21 characters of the hardware id
  int chipKind = -1;
  bool usb = false;
  bool isFirstGenerationFamily = false;
  bool isHtFamily = false;
};

// The driver transport, the process's Windows version code and adapter discovery.
class AdapterPort {
 public:
  virtual ~AdapterPort() = default;
  // `bytesReturned` may be null.
  virtual bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                uint32_t* bytesReturned) = 0;
  // `attempts` counts the immediate one; failed sets are retried in the background.
  virtual bool SetInformation(uint32_t oid, const void* buffer, uint32_t length,
                              int attempts) = 0;
  virtual bool IsAdapterPresent() = 0;
  virtual void DetectWindowsVersion() = 0;
  virtual int WindowsVersionCode() const = 0;
  // Reads the settings file's extra adapter lists (read(section, key) gives "" when missing).
  virtual void LoadIniDeviceLists(
      const std::function<std::string(std::string_view, std::string_view)>& read) = 0;
  // Looks for the adapter (the user may be asked to choose). True when one was found.
  virtual bool DiscoverAdapter() = 0;
  virtual const AdapterFacts& Facts() const = 0;
  virtual void ClearRegistryKey() = 0;
  virtual void ClearUsbFlag() = 0;
  // Queries the supported network types and notes whether 5 GHz is among them.
  virtual void ReadSupportedNetworkTypes() = 0;
  // What the last ReadSupportedNetworkTypes found.
  virtual bool Supports5GHz() const = 0;
  // Queries the driver's version and keeps it for the pieces that compare it (0 when the query
  // failed).
  virtual void ReadDriverVersion() = 0;
  virtual uint16_t DriverVersion() const = 0;
  virtual void DrainSetRetryQueue() = 0;
};

// The parameter store: every registry write goes through it, with the standard-user policy.
class StorePort {
 public:
  enum class Area { kAdvanced, kProfile };
  virtual ~StorePort() = default;
  // Applies the settings file's policy and binds to the privileged registry service.
  virtual void Bind(bool allowStandardUserSetAdvance, bool allowStandardUserSetProfile) = 0;
  virtual void SetAdministrator(bool administrator) = 0;
  // Writes one value of `type` below HKEY_LOCAL_MACHINE\`path`. Win32 error code.
  virtual int32_t SetValue(std::string_view path, std::string_view name, uint32_t type,
                           const uint8_t* data, uint32_t length, Area area) = 0;
  virtual int32_t DeleteValue(std::string_view path, std::string_view name, Area area) = 0;
  // Creates HKEY_LOCAL_MACHINE\`path` (an existing key is left as it is). Win32 error code.
  virtual int32_t CreateKey(std::string_view path, Area area) = 0;
  virtual void Release() = 0;
};

// The notification-area icon: the controller says what the adapter is doing; the icon turns that
// into one of its states and tips.
class TrayStateSink {
 public:
  virtual ~TrayStateSink() = default;
  // Adds the icon (start-up): adapter present and not connected, or no adapter. False when the
  // shell refuses.
  virtual bool AddIcon(bool adapterPresent) { (void)adapterPresent; return true; }
  virtual void ShowNoAdapter() {}
  virtual void ShowNotConnected() {}
  // Connected to `ssid` with the stronger of the adapter's signal readings in dBm; the key-error
  // state wins over the signal.
  virtual void ShowConnected(int32_t rssiDbm, bool keyError, std::string_view ssid) {
    (void)rssiDbm, (void)keyError, (void)ssid;
  }
  // Removes the icon when it is shown, and clears its added flag (Exit).
  virtual void RemoveIcon() {}
  // The context menu at the cursor.
  virtual void ShowContextMenu() {}
};

// The main window, created and destroyed on demand by the controller.
class MainWindowSeam {
 public:
  virtual ~MainWindowSeam() = default;
  virtual bool IsOpen() const { return false; }
  // Creates the window (or reuses an existing one). False when it cannot be made.
  virtual bool Create() { return false; }
  virtual void Close() {}
  virtual void SetExpanded(bool expanded) { (void)expanded; }
  virtual void BringToForeground() {}
  virtual void ShowPanel(int number) { (void)number; }
  virtual bool IsPanelShown(int number) const { (void)number; return false; }
  virtual void RefreshMoreLess() {}
  virtual void RefreshRadioControls() {}
  // The two pages that depend on who configures the adapter.
  virtual void EnableConfigPages(bool enable) { (void)enable; }
  virtual void PressFirstPageButton() {}
  // The program's modal message box; returns when the user closed it.
  virtual void ShowMessageBox(std::string_view caption, std::string_view text,
                              std::string_view button) {
    (void)caption, (void)text, (void)button;
  }
};

// Language texts by key ("IDS_OK"...).
class LanguageSeam {
 public:
  virtual ~LanguageSeam() = default;
  virtual void LoadLanguage() {}
  virtual std::string Text(std::string_view key) const { return std::string(key); }
};

// The scan and action queue.
class ActionQueueSeam {
 public:
  virtual ~ActionQueueSeam() = default;
  virtual void RequestScan() {}
  virtual void RunActionQueue() {}
  virtual bool ScanPending() const { return false; }
  // The media-connect event: refresh the pages' scan list.
  virtual void RefreshScanList() {}
  // A scan list read straight from the driver (the service is in charge, or the session is
  // inactive): kept for the pages with every entry stamped `fileTime`.
  virtual void StoreScanList(const uint8_t* data, uint32_t length, uint64_t fileTime) {
    (void)data, (void)length, (void)fileTime;
  }
  virtual void FreeAll() {}
};

// Connecting with profiles and the last connect record.
class ConnectSeam {
 public:
  virtual ~ConnectSeam() = default;
  virtual bool AutoReconnect() const { return false; }
  virtual bool HasLastConnectRecord() const { return false; }
  // Process-wide start-up flag of profile activation.
  virtual void SetStartupFlag() {}
  // For users who may not change profiles, the active profile comes from the adapter key.
  virtual void SetActiveProfileName(std::string_view name) { (void)name; }
  // Returns whether the queue should run at once.
  virtual bool ConnectActiveProfile(int reason) { (void)reason; return false; }
  virtual bool RequeueLastRecord() { return false; }
  // Keeps `reconnectTick` for a connected adapter (reset when on the last record's network).
  virtual void UpdateReconnectTick(uint32_t* reconnectTick) { ++*reconnectTick; }
  // The reconnect check; true when it queued a record and the queue should run at once.
  virtual bool ReconnectCheck(uint32_t infrastructureMode, uint32_t reconnectTick) {
    (void)infrastructureMode, (void)reconnectTick;
    return false;
  }
  virtual void FreeLastConnectRecord() {}
};

// The 802.1X supplicant binding.
class SupplicantSeam {
 public:
  virtual ~SupplicantSeam() = default;
  virtual bool IsRunning() const { return false; }
  virtual bool HasPort() const { return false; }
  virtual void Start() {}
  virtual void ReleasePorts() {}
  virtual void Stop() {}
  virtual void ClearTextSlots() {}
  // Prepares the port's configuration and starts the port (authentication start).
  virtual void StartPort() {}
};

// Wi-Fi Protected Setup: its timers 4 to 7 and its credential table.
class WpsSeam {
 public:
  virtual ~WpsSeam() = default;
  virtual void ClearCredentials() {}
  virtual void OnTimer(uint32_t id) { (void)id; }
};

// The access-point record and the country-region refresh.
class SoftApDefaultsSeam {
 public:
  virtual ~SoftApDefaultsSeam() = default;
  virtual void CreateIfMissing() {}
};

class RegionRefreshSeam {
 public:
  virtual ~RegionRefreshSeam() = default;
  virtual void RefreshChannels() {}
};

}  // namespace kavo9
