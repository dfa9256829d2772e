#pragma once
// Connecting put together for tests and benchmarks: the real action queue, connect steps and
// connector over a driver the caller gives, with recording stand-ins for the controller, the
// supplicant, WPS and CCX, and the profile store over the fake registry.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/SettingsFile.h"
#include "radio/RadioState.h"
#include "station/networks/connect/ConnectSteps.h"
#include "station/networks/connect/Connector.h"
#include "station/networks/profiles/ProfileStore.h"
#include "station/networks/queue/ActionQueue.h"
#include "station/networks/queue/testing/QuietQueueParts.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9::connect {

struct RigController : ConnectControllerPort {
  bool armed = false;
  int arms = 0;
  int stops = 0;
  int regionRereads = 0;
  std::vector<LangKey> messages;
  std::optional<ConnectRecordSummary> published;
  void ArmKeyErrorWatch() override {
    armed = true;
    ++arms;
  }
  void StopKeyErrorWatch() override {
    armed = false;
    ++stops;
  }
  bool KeyErrorWatchArmed() const override { return armed; }
  void StartAuthentication(bool, bool) override {}
  void PublishLastConnectRecord(std::optional<ConnectRecordSummary> record, bool) override {
    published = record;
  }
  void RereadRegions() override { ++regionRereads; }
  void ShowMessage(LangKey key) override { messages.push_back(key); }
};

struct RigSupplicant : SupplicantPort, ConnectSupplicantPort {
  bool running = false;
  bool cancel = false;
  std::vector<std::string> calls;
  bool IsRunning() const override { return running; }
  bool HasPort() const override { return running; }
  void Start() override {}
  void ReleasePorts() override {}
  void Stop() override {}
  void ClearTextSlots() override {}
  void StartPort() override {}
  void SetShowStatus(bool show) override { calls.push_back(show ? "show" : "hide"); }
  void ClosePeapDialog() override { calls.push_back("close-peap"); }
  void StopPortForConnect() override { calls.push_back("stop-port"); }
  bool TakeCredentials(const ConnectRecord&) override {
    calls.push_back("credentials");
    return !cancel;
  }
  void Start8021X(const ConnectRecord&) override { calls.push_back("8021x"); }
  void TakePassPhrase(const ConnectRecord& r) override { calls.push_back("psk " + r.PassPhrase); }
};

struct RigWps : ConnectWpsPort {
  bool inUse = false;
  bool exchange = false;
  int rotations = 0;
  std::array<uint8_t, 6> bssid{};
  bool InUse() const override { return inUse; }
  void ClearUse() override { inUse = false; }
  bool ExchangeRunning() const override { return exchange; }
  void MarkRotation() override { ++rotations; }
  std::array<uint8_t, 6> Bssid() const override { return bssid; }
  uint32_t BandPreference() const override { return 0; }
};

struct RigCcx : CcxPort {
  int refreshes = 0;
  // "send WORD bound|free" and "refresh bound|free", in order.
  std::vector<std::string> calls;
  void SendControl(uint32_t word, bool bssidBound) override {
    calls.push_back("send " + std::to_string(word) + (bssidBound ? " bound" : " free"));
  }
  void RefreshControl(bool bssidBound) override {
    ++refreshes;
    calls.push_back(std::string("refresh ") + (bssidBound ? "bound" : "free"));
  }
};

struct RigTexts : TextPort, profiles::ProfileMessagePort {
  std::vector<std::string> shown;
  std::string Text(std::string_view key) const override { return key == "IDS_PROF" ? "PROF" : ""; }
  void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
};

// The queue's host for these tests: no scan-wait timer, every channel allowed.
struct RigScanHost : ScanCycleHost {
  void StartScanWaitTimer(uint32_t) override {}
  std::vector<int32_t> AllowedChannels() override { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}; }
  uint64_t UtcFileTime() override { return 0; }
  void OnListReadOutsideQueue() override {}
};

class RigQueue : public ConnectQueuePort {
 public:
  explicit RigQueue(ActionQueue& queue) : queue_(queue) {}
  bool QueueAction(uint32_t kind, std::unique_ptr<ActionPayload> data) override {
    return queue_.QueueAction(kind, std::move(data));
  }
  void RunActionQueue() override { queue_.RunActionQueue(); }

 private:
  ActionQueue& queue_;
};

inline constexpr const char* kRigAdapterKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

// Everything but the driver and the adapter, which the caller owns.
class ConnectRig {
 public:
  ConnectRig(DriverPort& driver, const AdapterPort& adapter)
      : settings(fake.paths.ExecutablePath()),
        profiles({adapter, *fake.registry, store, texts, texts}),
        queue({driver, scanHost, steps, connector, quiet}),
        queuePort(queue),
        steps({driver, fake.loop, adapter, *fake.registry, radio, supplicant, supplicant, ccx, wps,
               controller}),
        connector({driver, *fake.registry, store, settings, state, adapter, radio, profiles,
                   queuePort, supplicant, wps, controller}) {
    state.isAdministrator = true;
    ScopedKey key(*fake.registry);
    fake.registry->CreateKey(HKEY_LOCAL_MACHINE, kRigAdapterKey, KEY_ALL_ACCESS, &key);
  }

  // A text value of the adapter key or below it.
  void Put(const std::string& path, std::string_view name, std::string_view text) {
    ScopedKey key(*fake.registry);
    fake.registry->CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    const std::string data(text);
    fake.registry->SetValue(key.get(), name, REG_SZ, reinterpret_cast<const uint8_t*>(data.c_str()),
                            uint32_t(data.size() + 1));
  }
  std::string ProfilePath(std::string_view name) const {
    return std::string(kRigAdapterKey) + "\\Profile\\Station\\" + std::string(name);
  }
  // A profile of name/value pairs, made the active one as activation would.
  void ActiveProfile(std::string_view name,
                     const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [value, text] : values) Put(ProfilePath(name), value, text);
    profiles.SetActiveProfile(name);
  }

  FakePlatform fake;
  RecordingStore store{*fake.registry};
  SettingsFile settings;
  StationState state;
  radio::RadioState radio;
  RigTexts texts;
  RigController controller;
  RigSupplicant supplicant;
  RigWps wps;
  RigCcx ccx;
  RigScanHost scanHost;
  QuietQueueParts quiet;
  profiles::ProfileStore profiles;
  ActionQueue queue;
  RigQueue queuePort;
  ConnectSteps steps;
  Connector connector;
};

}  // namespace kavo9::connect
