#pragma once
// The station utility's parts as the controller and the pages reach them, one interface per part.
// The wiring gives each user a reference; a part that is not built yet is an explicit null class
// of the wiring (apps/Stavio/wiring/NullParts.h), never a default that silently does nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/shell/TextPort.h"
#include "station/networks/survey/SurveySelection.h"

namespace kavo9 {

// The notification-area icon: the controller says what the adapter is doing; the icon turns that
// into one of its states and tips.
class TrayPort {
 public:
  virtual ~TrayPort() = default;
  // Adds the icon (start-up): adapter present and not connected, or no adapter. False when the
  // shell refuses.
  virtual bool AddIcon(bool adapterPresent) = 0;
  virtual void ShowNoAdapter() = 0;
  virtual void ShowNotConnected() = 0;
  // The adapter is present with its radio off.
  virtual void ShowRadioOff() = 0;
  // The main window closed because the adapter went away: a notice from the icon says so.
  virtual void NotifyAdapterRemoved() = 0;
  // Connected to `ssid` with the stronger of the adapter's signal readings in dBm; the key-error
  // state wins over the signal.
  virtual void ShowConnected(int32_t rssiDbm, bool keyError, std::string_view ssid) = 0;
  // Removes the icon when it is shown, and clears its added flag (Exit).
  virtual void RemoveIcon() = 0;
  // The context menu at the cursor.
  virtual void ShowContextMenu() = 0;
};

// The main window, created and destroyed on demand by the controller.
class MainWindowPort {
 public:
  virtual ~MainWindowPort() = default;
  virtual bool IsOpen() const = 0;
  // Creates the window (or reuses an existing one). False when it cannot be made.
  virtual bool Create() = 0;
  virtual void Close() = 0;
  virtual void SetExpanded(bool expanded) = 0;
  virtual void BringToForeground() = 0;
  virtual void ShowPanel(int number) = 0;
  virtual bool IsPanelShown(int number) const = 0;
  virtual void RefreshMoreLess() = 0;
  virtual void RefreshRadioControls() = 0;
  // The two pages that depend on who configures the adapter.
  virtual void EnableConfigPages(bool enable) = 0;
  virtual void PressFirstPageButton() = 0;
  // The program's modal message box; returns when the user closed it.
  virtual void ShowMessageBox(std::string_view caption, std::string_view text,
                              std::string_view button) = 0;
};

// The language texts, loaded at start.
class LanguagePort : public TextPort {
 public:
  virtual void LoadLanguage() = 0;
};

// The scan and action queue.
class ActionQueuePort {
 public:
  virtual ~ActionQueuePort() = default;
  virtual void RequestScan() = 0;
  virtual void RunActionQueue() = 0;
  virtual bool ScanPending() const = 0;
  // The media-connect event: refresh the pages' scan list.
  virtual void RefreshScanList() = 0;
  // A scan list read straight from the driver (the service is in charge, or the session is
  // inactive): kept for the pages with every entry stamped `fileTime`.
  virtual void StoreScanList(const uint8_t* data, uint32_t length, uint64_t fileTime) = 0;
  virtual void FreeAll() = 0;
};

// Connecting with profiles and the last connect record.
class ConnectPort {
 public:
  virtual ~ConnectPort() = default;
  virtual bool AutoReconnect() const = 0;
  virtual bool HasLastConnectRecord() const = 0;
  // Process-wide start-up flag of profile activation.
  virtual void SetStartupFlag() = 0;
  // For users who may not change profiles, the active profile comes from the adapter key.
  virtual void SetActiveProfileName(std::string_view name) = 0;
  // Queues the active profile's record (1: with the radio settings) and runs the queue when it
  // says so; true when it ran.
  virtual bool ConnectActiveProfile(int reason) = 0;
  virtual bool RequeueLastRecord() = 0;
  // Keeps `reconnectTick` for a connected adapter (reset when on the last record's network).
  virtual void UpdateReconnectTick(uint32_t* reconnectTick) = 0;
  // The reconnect check; true when it queued a record and the queue should run at once.
  virtual bool ReconnectCheck(uint32_t infrastructureMode, uint32_t reconnectTick) = 0;
  virtual void FreeLastConnectRecord() = 0;

  // What the pages ask of it.
  virtual void SetAutoReconnect(bool on) = 0;
  // The site survey's two connect marks (the network joined from it, and through a profile).
  virtual void ClearSurveyConnectMarks() = 0;
  virtual void MarkNotThroughProfile() = 0;
  // The current connection was made through a profile, and that profile's SSID.
  virtual bool ConnectedThroughProfile() const = 0;
  virtual std::string ActiveProfileSsid() const = 0;
  // Fills a connect record from the survey's selection (open authentication, encryption disabled
  // to start with) and queues it.
  virtual void CompleteConnection(const SurveySelection& selection) = 0;
  // Whether there is a connection it could make again, and doing so (radio settings changed).
  virtual bool HasCurrentConnection() = 0;
  virtual void RequeueCurrentConnection() = 0;
};

// The 802.1X supplicant binding.
class SupplicantPort {
 public:
  virtual ~SupplicantPort() = default;
  virtual bool IsRunning() const = 0;
  virtual bool HasPort() const = 0;
  virtual void Start() = 0;
  virtual void ReleasePorts() = 0;
  virtual void Stop() = 0;
  virtual void ClearTextSlots() = 0;
  // Prepares the port's configuration and starts the port (authentication start).
  virtual void StartPort() = 0;
  // The switch for its authentication-status view.
  virtual void SetShowStatus(bool show) = 0;
  // The password panel of an 802.1X exchange, closed before a new connect.
  virtual void ClosePeapDialog() = 0;
};

// Wi-Fi Protected Setup: its timers 4 to 7 and its credential table.
class WpsPort {
 public:
  virtual ~WpsPort() = default;
  virtual void ClearCredentials() = 0;
  virtual void OnTimer(uint32_t id) = 0;
  // The WPS half of the start-up activation: reads the WPS record and, when a WPS credential is
  // the active connection, connects with it. True then: no station profile is activated.
  virtual bool TakeOverConnection() = 0;
};

// The access-point record, created when the adapter has none.
class SoftApDefaultsPort {
 public:
  virtual ~SoftApDefaultsPort() = default;
  virtual void CreateIfMissing() = 0;
};

// The profile editor (panel 2).
class ProfileEditorPort {
 public:
  virtual ~ProfileEditorPort() = default;
  // Opens the editor with a new profile taken from the survey's selection.
  virtual void OpenFromSurvey(const SurveySelection& selection) = 0;
  // The radio settings changed: an open editor rebuilds its channel list.
  virtual void RadioSettingsChanged() = 0;
};

// The security editor (panel 3): collects keys or 802.1X settings, then connects itself.
class SecurityEditorPort {
 public:
  virtual ~SecurityEditorPort() = default;
  virtual void Show(const SurveySelection& selection) = 0;
};

// CCX: the control word the driver gets around every join. A join bound to one BSSID gets it in
// the form without fast roaming.
class CcxPort {
 public:
  virtual ~CcxPort() = default;
  // Before a join: the connect record's own word.
  virtual void SendControl(uint32_t word, bool bssidBound) = 0;
  // After a join, and when a settings page applies the word: the adapter key's word again.
  virtual void RefreshControl(bool bssidBound) = 0;
};

// The radio steps of the adapter-ready routine.
class RegionRefreshPort {
 public:
  virtual ~RegionRefreshPort() = default;
  // The 40 MHz permissions from the EEPROM (802.11n adapters).
  virtual void ReadHtPermissions() = 0;
  // The country regions and the stored channel they allow.
  virtual void RefreshChannels() = 0;
};

}  // namespace kavo9
