#pragma once
// Connecting as the station utility does it: from a site survey row, by activating a profile, from
// the active profile at start-up and after a drift, and again with the last record. It keeps the
// process's connection state — the last connect record (a deep copy of the last one queued), the
// profile mode, the SSID-match and automatic-reconnect flags, the reconnect hold — and decides
// on each tick whether the adapter drifted away from what it was told to join.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "radio/RadioState.h"
#include "station/networks/connect/ConnectRecord.h"
#include "station/networks/connect/ConnectSeams.h"
#include "station/networks/connect/RecordBuilders.h"
#include "station/networks/profiles/ProfileStore.h"
#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/controller/StationState.h"

namespace kavo9::connect {

// The reconnect check runs every this many ticks (30 seconds).
inline constexpr uint32_t kReconnectEveryTicks = 15;
// The single-sign-on key; activation tells the logon component to release the supplicant.
inline constexpr const char* kSingleSignOnKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";

struct ConnectorParts {
  DriverPort& driver;
  Registry& registry;
  StorePort& store;
  const SettingsFile& settings;
  const StationState& state;
  const AdapterPort& adapter;
  const radio::RadioState& radio;
  profiles::ProfileStore& profiles;
  ConnectQueuePort& queue;
  SupplicantPort& supplicant;
  ConnectWpsPort& wps;
  ConnectControllerPort& controller;
};

class Connector : public ConnectPort, public LastConnectRecordPort {
 public:
  explicit Connector(ConnectorParts parts) : p_(parts) {}

  // The site survey's connection: fills the record, empties the active copy, queues it (and runs
  // the queue when told so and the queue agrees). Profile mode ends.
  void ConnectFromSiteSurvey(const SurveySelection& selection, const SecurityChoices& choices,
                             bool runQueue);
  // The profile page's Activate: `selected` is the selected row, -1 for none (a single row is
  // taken then). Nothing happens without rows, while the Windows service manages the adapter or
  // with the radio off. True when the profile became active.
  bool ActivateProfile(const std::vector<profiles::ProfileRow>& rows, int selected);
  // Single sign-on's APPLY: `name` becomes the active profile and is joined as on activation,
  // except that WPS use stays, "WSC" is not written and the activation hook does not run.
  void ActivateForSignOn(std::string_view name);
  // Single sign-on's rule for profile connections; none until it is set.
  void SetSignOn(SignOnConnectPort* signOn) { signOn_ = signOn; }
  // Runs after an activation made the profile's values active (single sign-on's check).
  void SetActivationHook(std::function<void(std::string_view name)> hook) {
    activationHook_ = std::move(hook);
  }
  // The active profile is deleted (its active copy already emptied): profile mode ends, and with
  // `reconnect` the adapter is told to join with the emptied copy, which leaves the network.
  void ReleaseActiveProfile(bool reconnect);

  // ConnectPort.
  bool AutoReconnect() const override { return autoReconnect_; }
  bool HasLastConnectRecord() const override { return lastRecord_.has_value(); }
  void SetStartupFlag() override { startup_ = true; }
  void SetActiveProfileName(std::string_view name) override;
  // Queues the active profile's record (fullApply with the radio settings) and runs the queue
  // when it says so. True when the queue was run. When single sign-on asks the logon component
  // to be given a moment first, the connection goes on after it and this returns false.
  bool ConnectActiveProfile(int fullApply) override;
  bool RequeueLastRecord() override;
  void UpdateReconnectTick(uint32_t* reconnectTick) override;
  bool ReconnectCheck(uint32_t infrastructureMode, uint32_t reconnectTick) override;
  void FreeLastConnectRecord() override;
  void SetAutoReconnect(bool on) override { autoReconnect_ = on; }
  void ClearSurveyConnectMarks() override;
  void MarkNotThroughProfile() override { ssidMatchRequired_ = false; }
  bool ConnectedThroughProfile() const override { return ssidMatchRequired_; }
  std::string ActiveProfileSsid() const override { return activeProfileSsid_; }
  void CompleteConnection(const SurveySelection& selection) override;
  bool HasCurrentConnection() override { return lastRecord_.has_value(); }
  void RequeueCurrentConnection() override;

  // LastConnectRecordPort.
  void StoreCopy(const ActionPayload& record) override;
  bool NeedsUnstoredCredentials() const override;

  const std::optional<ConnectRecord>& LastRecord() const { return lastRecord_; }
  // The user entered new 802.1X credentials for the last record: a reconnection uses them.
  void TakeNewCredentials(const ConnectRecord& from);
  bool ProfileMode() const { return profileMode_; }
  bool SsidMatchRequired() const { return ssidMatchRequired_; }
  bool StartupFlag() const { return startup_; }
  // Held while an 802.1X prompt waits; any queued connect record clears it.
  void SetReconnectHold(bool hold) { reconnectHold_ = hold; }

 private:
  // Builds the active profile's record; nullopt when no profile is active (or it is gone).
  std::optional<ConnectRecord> BuildActiveRecord(bool fullApply);
  ConnectRecord BuildRecord(const profiles::ProfileValues& values, bool fullApply);
  // Queues the active profile's record; true when the queue should run now.
  bool QueueActiveProfile(bool fullApply);
  bool ConnectOrWait(ConnectRecord record);
  // The profile's SSID remembered, profile mode on, and the profile joined.
  void EnterProfileMode(std::string_view name);
  bool Queue(ConnectRecord record);
  bool SupplicantAllows(const ConnectRecord& record) const;
  bool MediaConnected() const;
  std::optional<long> AdapterNumber(const char* name) const;

  ConnectorParts p_;
  std::optional<ConnectRecord> lastRecord_;
  bool profileMode_ = false;
  bool ssidMatchRequired_ = false;
  bool autoReconnect_ = true;
  bool startup_ = false;
  bool reconnectHold_ = false;
  std::string activeProfileSsid_;
  std::function<void(std::string_view)> activationHook_;
  SignOnConnectPort* signOn_ = nullptr;
};

}  // namespace kavo9::connect
