#include "station/networks/connect/Connector.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"
#include "station/networks/queue/ActionQueue.h"

namespace kavo9::connect {
namespace {

bool AllZero(std::span<const uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

ConnectRecordSummary Summary(const ConnectRecord& r) {
  return {r.InfraMode, r.AuthMode, r.Use8021X != 0, r.LeapEnabled != 0, r.CcxBytes};
}

}  // namespace

std::optional<long> Connector::AdapterNumber(const char* name) const {
  const std::string& key = p_.adapter.Identity().registryKey;
  long value = 0;
  if (ReadMachineNumber(p_.registry, key, name, &value)) return value;
  uint32_t dword = 0;
  if (ReadMachineDword(p_.registry, key, name, &dword)) return long(dword);
  return std::nullopt;
}

bool Connector::MediaConnected() const {
  uint32_t media = kMediaDisconnected;
  if (!QueryValue(p_.driver, OID_GEN_MEDIA_CONNECT_STATUS, &media)) return false;
  return media == kMediaConnected;
}

bool Connector::SupplicantAllows(const ConnectRecord& record) const {
  // Records the supplicant completes wait for it; the others need no supplicant at all.
  return p_.supplicant.IsRunning() || !record.NeedsSupplicant();
}

bool Connector::Queue(ConnectRecord record) {
  return p_.queue.QueueAction(ACTION_CONNECT_RECORD,
                              std::make_unique<ConnectRecord>(std::move(record)));
}

void Connector::ConnectFromSiteSurvey(const SurveySelection& selection,
                                      const SecurityChoices& choices, bool runQueue) {
  SurveyEnvironment env;
  env.psMode = p_.state.psMode;
  env.supplicantAvailable = p_.supplicant.IsRunning();
  ConnectRecord record = BuildFromSurvey(selection, choices, env);
  p_.profiles.ClearActiveCopy();
  const bool run = Queue(std::move(record));
  if (runQueue && run) p_.queue.RunActionQueue();
  profileMode_ = false;
}

void Connector::CompleteConnection(const SurveySelection& selection) {
  ConnectFromSiteSurvey(selection, SecurityChoices{}, true);
}

bool Connector::ActivateProfile(const std::vector<profiles::ProfileRow>& rows, int selected) {
  if (p_.state.ServiceManagesAdapter() || !p_.state.radioOn) return false;
  p_.supplicant.ClosePeapDialog();
  if (rows.empty()) return false;
  if (selected < 0 || size_t(selected) >= rows.size()) {
    if (rows.size() > 1) {
      p_.controller.ShowMessage(LangKey::IDS_NOSELECTEDITEM);
      return false;
    }
    selected = 0;
  }
  const std::string& name = rows[size_t(selected)].Name;
  if (!p_.profiles.Exists(name)) return false;
  StoreText(p_.store, kSingleSignOnKey, "SSOReleaseAegis", "1", StorePort::Area::kProfile);
  p_.profiles.SetActiveName(name);
  p_.wps.ClearUse();
  p_.profiles.SetActiveProfile(name);
  if (activationHook_) activationHook_(name);
  EnterProfileMode(name);
  return true;
}

void Connector::ActivateForSignOn(std::string_view name) {
  if (!p_.profiles.Exists(name)) return;
  p_.profiles.SetActiveName(std::string(name));
  p_.profiles.SetActiveProfile(name, false);
  EnterProfileMode(name);
}

void Connector::EnterProfileMode(std::string_view name) {
  profiles::ProfileValues values;
  p_.profiles.ReadProfile(name, &values);
  activeProfileSsid_ = values.Text("SSID");
  ClearSurveyConnectMarks();
  ssidMatchRequired_ = true;
  autoReconnect_ = true;
  profileMode_ = true;
  ConnectActiveProfile(0);
}

void Connector::SetActiveProfileName(std::string_view name) {
  p_.profiles.SetActiveName(std::string(name));
}

std::optional<ConnectRecord> Connector::BuildActiveRecord(bool fullApply) {
  const bool fromCopy = p_.state.MaySetProfiles(p_.settings);
  const std::string name = fromCopy ? p_.profiles.CurrentProfileName() : p_.profiles.ActiveName();
  // No active profile (or one that is gone): there is nothing to join.
  if (!p_.profiles.Exists(name)) return std::nullopt;
  profiles::ProfileValues values;
  if (fromCopy) {
    values = p_.profiles.ReadActiveCopy();
  } else if (!p_.profiles.ReadProfile(name, &values)) {
    return std::nullopt;
  }
  return BuildRecord(values, fullApply);
}

ConnectRecord Connector::BuildRecord(const profiles::ProfileValues& values, bool fullApply) {
  if (auto show = AdapterNumber("ShowAuthStatus")) p_.supplicant.SetShowStatus(*show == 1);

  ProfileEnvironment env;
  env.supplicantAvailable = p_.supplicant.IsRunning();
  env.htAdapter = p_.adapter.Identity().isHtFamily;
  env.driverVersion = p_.adapter.DriverVersion();
  env.bands = p_.radio.bands;
  env.adapterNumber = [this](const char* value) { return AdapterNumber(value); };
  std::optional<int> adhocOfdm;
  ConnectRecord record = BuildFromProfile(values, fullApply, env, p_.driver, &adhocOfdm);
  if (adhocOfdm) {
    StoreText(p_.store, p_.adapter.Identity().registryKey, "AdhocOfdm", std::to_string(*adhocOfdm));
  }
  return record;
}

bool Connector::QueueActiveProfile(bool fullApply) {
  std::optional<ConnectRecord> record = BuildActiveRecord(fullApply);
  if (!record) {
    startup_ = false;
    return false;
  }
  return ConnectOrWait(std::move(*record));
}

bool Connector::ConnectOrWait(ConnectRecord record) {
  if (signOn_) {
    if (const auto step = signOn_->ConnectOrWait(p_.supplicant.IsRunning(), autoReconnect_)) {
      startup_ = false;  // a logon's rule covers the start-up one
      if (*step == SignOnConnectPort::Step::kQueueAndRun) return Queue(std::move(record));
      if (*step == SignOnConnectPort::Step::kRememberOnly) StoreCopy(record);
      return false;
    }
  }
  if (startup_) {
    startup_ = false;
    if (MediaConnected() || !SupplicantAllows(record) || !autoReconnect_) return false;
    return Queue(std::move(record));
  }
  if (autoReconnect_) return Queue(std::move(record));
  StoreCopy(record);  // remembered, not queued
  return false;
}

bool Connector::ConnectActiveProfile(int fullApply) {
  if (signOn_) {
    if (const uint32_t settle = signOn_->ReadLogonState(); settle > 0) {
      // The logon component gets its moment without holding up the windows.
      signOn_->After(settle, [this, fullApply] {
        if (QueueActiveProfile(fullApply != 0)) p_.queue.RunActionQueue();
      });
      return false;
    }
  }
  const bool run = QueueActiveProfile(fullApply != 0);
  if (run) p_.queue.RunActionQueue();
  return run;
}

void Connector::ReleaseActiveProfile(bool reconnect) {
  profileMode_ = false;
  ssidMatchRequired_ = false;
  if (!reconnect) return;
  autoReconnect_ = true;
  // The emptied active copy names no network: joining with it takes the adapter off the deleted
  // profile's network, and it is the record the reconnect check repeats from now on.
  if (ConnectOrWait(BuildRecord(p_.profiles.ReadActiveCopy(), false))) p_.queue.RunActionQueue();
}

bool Connector::RequeueLastRecord() {
  if (!lastRecord_) return false;
  ConnectRecord copy = lastRecord_->DeepCopy();
  copy.ApplyRadioSettings = 0;
  return Queue(std::move(copy));
}

void Connector::RequeueCurrentConnection() {
  if (RequeueLastRecord()) p_.queue.RunActionQueue();
}

void Connector::UpdateReconnectTick(uint32_t* reconnectTick) {
  if (!lastRecord_) return;
  const ConnectRecord& r = *lastRecord_;
  const bool onNetwork =
      r.BssidBound ? p_.state.currentBssid == r.BssidBytes() : p_.state.lastSsid == r.SsidText();
  *reconnectTick = onNetwork ? 0 : *reconnectTick + 1;
}

bool Connector::ReconnectCheck(uint32_t infrastructureMode, uint32_t reconnectTick) {
  if (infrastructureMode == Ndis802_11IBSS) return false;
  if (reconnectTick == 0 || reconnectTick % kReconnectEveryTicks != 0) return false;
  if (p_.state.ServiceManagesAdapter() || !lastRecord_ || reconnectHold_ || !p_.state.radioOn ||
      p_.wps.InUse() || p_.wps.ExchangeRunning() || !SupplicantAllows(*lastRecord_)) {
    return false;
  }
  std::array<uint8_t, 36> ssid{};
  std::array<uint8_t, 6> bssid{};
  uint32_t auth = 0;
  uint32_t encryption = Ndis802_11EncryptionDisabled;
  p_.driver.QueryInformation(OID_802_11_SSID, ssid.data(), uint32_t(ssid.size()), nullptr);
  p_.driver.QueryInformation(OID_802_11_BSSID, bssid.data(), uint32_t(bssid.size()), nullptr);
  p_.driver.QueryInformation(OID_802_11_AUTHENTICATION_MODE, &auth, sizeof auth, nullptr);
  p_.driver.QueryInformation(OID_802_11_ENCRYPTION_STATUS, &encryption, sizeof encryption, nullptr);
  const ConnectRecord& r = *lastRecord_;
  if (!AllZero(bssid)) {
    uint32_t length = 0;
    std::memcpy(&length, ssid.data(), 4);
    const std::string_view current(reinterpret_cast<const char*>(ssid.data() + 4),
                                   std::min<uint32_t>(length, 32));
    const bool ssidOk = r.SsidText().empty() || current == r.SsidText();
    const bool encryptionOk =
        encryption == r.Encryption || (encryption == Ndis802_11Encryption1KeyAbsent &&
                                       r.Encryption == Ndis802_11EncryptionDisabled);
    if (ssidOk && auth == r.AuthMode && encryptionOk) return false;
  }
  if (!autoReconnect_) return false;
  if (profileMode_) return r.BssidBound == 0 && QueueActiveProfile(true);
  return RequeueLastRecord();
}

void Connector::FreeLastConnectRecord() {
  lastRecord_.reset();
  p_.controller.PublishLastConnectRecord(std::nullopt, p_.supplicant.IsRunning());
}

void Connector::ClearSurveyConnectMarks() {
  // The survey marks its connected row by BSSID alone again until a profile asks for its SSID.
  ssidMatchRequired_ = false;
}

void Connector::StoreCopy(const ActionPayload& payload) {
  const auto* record = dynamic_cast<const ConnectRecord*>(&payload);
  if (!record) return;
  lastRecord_ = record->CopyForLastRecord();
  reconnectHold_ = false;
  p_.controller.PublishLastConnectRecord(Summary(*lastRecord_), p_.supplicant.IsRunning());
}

void Connector::TakeNewCredentials(const ConnectRecord& from) {
  if (!lastRecord_) return;
  lastRecord_->Dot1x = from.Dot1x;
  lastRecord_->LeapUserName = from.LeapUserName;
  lastRecord_->LeapPassword = from.LeapPassword;
  lastRecord_->LeapDomain = from.LeapDomain;
}

bool Connector::NeedsUnstoredCredentials() const {
  // Only the supplicant's 802.1X records can lack stored credentials, and it asks for them
  // itself; records built here carry every key they need.
  return false;
}

}  // namespace kavo9::connect
