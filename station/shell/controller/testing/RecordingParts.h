#pragma once
// Recording stand-ins for the controller's parts, for its tests and benchmarks: each notes what it
// was asked in a form a test compares.

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9 {

// Writes straight into the registry and records "name=text" for each REG_SZ write.
class RecordingStore : public StorePort {
 public:
  explicit RecordingStore(Registry& registry) : registry_(registry) {}
  std::vector<std::string> writes;
  // Value names whose writes are refused (access denied), as a service that will not take them.
  std::set<std::string> refusedNames;
  bool bound = false;
  bool allowAdvance = false;
  bool allowProfile = false;
  bool administrator = false;
  bool released = false;
  void Bind(bool advance, bool profile) override {
    bound = true;
    allowAdvance = advance;
    allowProfile = profile;
  }
  void SetAdministrator(bool admin) override { administrator = admin; }
  int32_t DeleteValue(std::string_view path, std::string_view name, Area) override {
    ScopedKey key(registry_);
    int32_t error = registry_.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    if (error != ERROR_SUCCESS) return error;
    writes.push_back("-" + std::string(name));
    return registry_.DeleteValue(key.get(), name);
  }
  int32_t SetValue(std::string_view path, std::string_view name, uint32_t type, const uint8_t* data,
                   uint32_t length, Area) override {
    if (refusedNames.count(std::string(name))) return ERROR_ACCESS_DENIED;
    ScopedKey key(registry_);
    int32_t error = registry_.CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    if (error != ERROR_SUCCESS) return error;
    if (type == REG_SZ) {
      const auto* text = reinterpret_cast<const char*>(data);
      writes.push_back(std::string(name) + "=" + std::string(text, strnlen(text, length)));
    }
    return registry_.SetValue(key.get(), name, type, data, length);
  }
  int32_t CreateKey(std::string_view path, Area) override {
    ScopedKey key(registry_);
    return registry_.CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
  }
  int32_t DeleteTree(std::string_view path, Area) override {
    return registry_.DeleteTree(HKEY_LOCAL_MACHINE, path);
  }
  bool CanWrite(std::string_view path, uint32_t, Area) override {
    ScopedKey key(registry_);
    return registry_.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS;
  }
  void Release() override { released = true; }

 private:
  Registry& registry_;
};

class RecordingTray : public TrayPort {
 public:
  std::vector<std::string> states;
  bool shellAcceptsAdd = true;
  bool AddIcon(bool present) override {
    states.push_back(present ? "add not-connected" : "add no-adapter");
    return shellAcceptsAdd;
  }
  void ShowNoAdapter() override { states.push_back("no-adapter"); }
  void ShowNotConnected() override { states.push_back("not-connected"); }
  void ShowRadioOff() override { states.push_back("radio-off"); }
  void NotifyAdapterRemoved() override { states.push_back("notice adapter removed"); }
  void ShowConnected(int32_t rssi, bool keyError, std::string_view ssid) override {
    states.push_back(keyError ? "key-error " + std::string(ssid)
                              : "connected " + std::to_string(rssi) + " " + std::string(ssid));
  }
  void RemoveIcon() override { states.push_back("removed"); }
  void ShowContextMenu() override { states.push_back("menu"); }
  std::string Last() const { return states.empty() ? "" : states.back(); }
};

class RecordingMainWindow : public MainWindowPort {
 public:
  bool open = false;
  int creates = 0;
  std::vector<std::string> messages;
  std::set<int> shownPanels;
  std::vector<std::string> calls;
  bool IsOpen() const override { return open; }
  bool Create() override {
    ++creates;
    open = true;
    return true;
  }
  void Close() override { open = false; }
  void SetExpanded(bool expanded) override { calls.push_back(expanded ? "expand" : "collapse"); }
  void BringToForeground() override { calls.push_back("front"); }
  void ShowPanel(int number) override { shownPanels.insert(number); }
  bool IsPanelShown(int number) const override { return shownPanels.count(number) != 0; }
  void RefreshMoreLess() override {}
  void RefreshRadioControls() override {}
  void EnableConfigPages(bool enable) override {
    calls.push_back(enable ? "pages on" : "pages off");
  }
  void PressFirstPageButton() override { calls.push_back("first page"); }
  void ShowMessageBox(std::string_view, std::string_view text, std::string_view) override {
    messages.emplace_back(text);
  }
};

// Texts are their keys.
class KeyLanguage : public LanguagePort {
 public:
  void LoadLanguage() override { ++loads; }
  std::string Text(std::string_view key) const override { return std::string(key); }
  int loads = 0;
};

class RecordingActions : public ActionQueuePort {
 public:
  int scans = 0;
  int runs = 0;
  int refreshes = 0;
  int stored = 0;
  int freed = 0;
  void RequestScan() override { ++scans; }
  void RunActionQueue() override { ++runs; }
  bool ScanPending() const override { return false; }
  void RefreshScanList() override { ++refreshes; }
  void StoreScanList(const uint8_t*, uint32_t, uint64_t) override { ++stored; }
  void FreeAll() override { ++freed; }
};

class RecordingConnect : public ConnectPort {
 public:
  bool hasRecord = false;
  bool queueSaysRun = true;
  bool autoReconnect = false;
  int activations = 0;
  int requeues = 0;
  std::string activeProfileName;
  bool AutoReconnect() const override { return autoReconnect; }
  bool HasLastConnectRecord() const override { return hasRecord; }
  void SetStartupFlag() override {}
  void SetActiveProfileName(std::string_view name) override { activeProfileName = name; }
  bool ConnectActiveProfile(int) override {
    ++activations;
    return false;
  }
  bool RequeueLastRecord() override {
    ++requeues;
    return queueSaysRun;
  }
  void UpdateReconnectTick(uint32_t* tick) override { ++*tick; }
  bool ReconnectCheck(uint32_t, uint32_t) override { return false; }
  void FreeLastConnectRecord() override {}
  void SetAutoReconnect(bool on) override { autoReconnect = on; }
  void ClearSurveyConnectMarks() override {}
  void MarkNotThroughProfile() override {}
  bool ConnectedThroughProfile() const override { return false; }
  std::string ActiveProfileSsid() const override { return {}; }
  void CompleteConnection(const SurveySelection&) override {}
  bool HasCurrentConnection() override { return false; }
  void RequeueCurrentConnection() override {}
};

class RecordingSupplicant : public SupplicantPort {
 public:
  bool running = false;
  bool port = false;
  int starts = 0;
  int stops = 0;
  int releases = 0;
  int portStarts = 0;
  bool IsRunning() const override { return running; }
  bool HasPort() const override { return port; }
  void Start() override {
    ++starts;
    running = true;
  }
  void ReleasePorts() override { ++releases; }
  void Stop() override {
    ++stops;
    running = false;
  }
  void ClearTextSlots() override {}
  void StartPort() override { ++portStarts; }
  void SetShowStatus(bool) override {}
  void ClosePeapDialog() override {}
};

class RecordingWps : public WpsPort {
 public:
  std::vector<uint32_t> timers;
  int clears = 0;
  void ClearCredentials() override { ++clears; }
  void OnTimer(uint32_t id) override { timers.push_back(id); }
  bool TakeOverConnection() override { return false; }
};

class RecordingSoftApDefaults : public SoftApDefaultsPort {
 public:
  int calls = 0;
  void CreateIfMissing() override { ++calls; }
};

class RecordingRegion : public RegionRefreshPort {
 public:
  int permissionReads = 0;
  int refreshes = 0;
  void ReadHtPermissions() override { ++permissionReads; }
  void RefreshChannels() override { ++refreshes; }
};

}  // namespace kavo9
