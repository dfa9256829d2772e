#pragma once
// A controller on virtual time with a scripted driver and recording stand-ins for the pieces it
// calls, for the controller's tests.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/shell/controller/CHideDlg.h"

namespace kavo9 {

// A driver that answers queries from a table and records every request by name ("Q OID_..." or
// "S OID_...").
class ScriptedAdapter : public AdapterPort {
 public:
  std::vector<std::string> log;
  std::map<uint32_t, std::vector<uint8_t>> answers;
  std::set<uint32_t> refused;
  std::map<uint32_t, std::vector<uint8_t>> lastSet;
  bool present = true;
  int versionCode = 8;
  AdapterFacts facts;
  AdapterFacts foundFacts;
  int discoveries = 0;
  int drains = 0;

  template <typename T>
  void Answer(uint32_t oid, const T& value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    answers[oid] = bytes;
  }
  size_t Count(const std::string& entry) const {
    return static_cast<size_t>(std::count(log.begin(), log.end(), entry));
  }

  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                        uint32_t* bytesReturned) override {
    log.push_back("Q " + std::string(RequestName(oid)));
    if (bytesReturned) *bytesReturned = 0;
    if (!present || refused.count(oid)) return false;
    auto it = answers.find(oid);
    if (it == answers.end()) return false;
    uint32_t n = std::min<uint32_t>(length, static_cast<uint32_t>(it->second.size()));
    std::memcpy(buffer, it->second.data(), n);
    if (bytesReturned) *bytesReturned = n;
    return true;
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int) override {
    log.push_back("S " + std::string(RequestName(oid)));
    if (!present || refused.count(oid)) return false;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    lastSet[oid].assign(bytes, bytes + length);
    return true;
  }
  bool IsAdapterPresent() override { return present; }
  void DetectWindowsVersion() override {}
  int WindowsVersionCode() const override { return versionCode; }
  void LoadIniDeviceLists(
      const std::function<std::string(std::string_view, std::string_view)>&) override {}
  bool DiscoverAdapter() override {
    ++discoveries;
    if (!present) return false;
    facts = foundFacts;
    return true;
  }
  const AdapterFacts& Facts() const override { return facts; }
  void ClearRegistryKey() override { facts.registryKey.clear(); }
  void ClearUsbFlag() override { facts.usb = false; }
  void ReadSupportedNetworkTypes() override {
    uint8_t types[20] = {};
    QueryInformation(OID_802_11_NETWORK_TYPES_SUPPORTED, types, sizeof types, nullptr);
  }
  bool Supports5GHz() const override { return false; }
  void ReadDriverVersion() override {
    uint16_t version = 0;
    driverVersion = QueryInformation(OID_GEN_DRIVER_VERSION, &version, sizeof version, nullptr)
                        ? version
                        : 0;
  }
  uint16_t DriverVersion() const override { return driverVersion; }
  uint16_t driverVersion = 0;
  void DrainSetRetryQueue() override { ++drains; }
};

// Writes straight into the registry and records "name=text" for each REG_SZ write.
class RecordingStore : public StorePort {
 public:
  explicit RecordingStore(Registry& registry) : registry_(registry) {}
  std::vector<std::string> writes;
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
  int32_t SetValue(std::string_view path, std::string_view name, uint32_t type,
                   const uint8_t* data, uint32_t length, Area) override {
    ScopedKey key(registry_);
    int32_t error = registry_.CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    if (error != ERROR_SUCCESS) return error;
    if (type == REG_SZ) {
      writes.push_back(std::string(name) + "=" +
                       std::string(reinterpret_cast<const char*>(data), strnlen(
                           reinterpret_cast<const char*>(data), length)));
    }
    return registry_.SetValue(key.get(), name, type, data, length);
  }
  int32_t CreateKey(std::string_view path, Area) override {
    ScopedKey key(registry_);
    return registry_.CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
  }
  void Release() override { released = true; }

 private:
  Registry& registry_;
};

class RecordingTray : public TrayStateSink {
 public:
  std::vector<std::string> states;
  bool shellAcceptsAdd = true;
  bool AddIcon(bool present) override {
    states.push_back(present ? "add not-connected" : "add no-adapter");
    return shellAcceptsAdd;
  }
  void ShowNoAdapter() override { states.push_back("no-adapter"); }
  void ShowNotConnected() override { states.push_back("not-connected"); }
  void ShowConnected(int32_t rssi, bool keyError, std::string_view ssid) override {
    states.push_back(keyError ? "key-error " + std::string(ssid)
                              : "connected " + std::to_string(rssi) + " " + std::string(ssid));
  }
  void RemoveIcon() override { states.push_back("removed"); }
  std::string Last() const { return states.empty() ? "" : states.back(); }
};

class RecordingMainWindow : public MainWindowSeam {
 public:
  bool open = false;
  int creates = 0;
  std::vector<std::string> messages;
  std::set<int> shownPanels;
  bool IsOpen() const override { return open; }
  bool Create() override {
    ++creates;
    open = true;
    return true;
  }
  void Close() override { open = false; }
  void ShowPanel(int number) override { shownPanels.insert(number); }
  bool IsPanelShown(int number) const override { return shownPanels.count(number) != 0; }
  void ShowMessageBox(std::string_view, std::string_view text, std::string_view) override {
    messages.emplace_back(text);
  }
};

class RecordingActions : public ActionQueueSeam {
 public:
  int scans = 0;
  int runs = 0;
  int refreshes = 0;
  void RequestScan() override { ++scans; }
  void RunActionQueue() override { ++runs; }
  void RefreshScanList() override { ++refreshes; }
};

class RecordingConnect : public ConnectSeam {
 public:
  bool hasRecord = false;
  bool queueSaysRun = true;
  int activations = 0;
  int requeues = 0;
  bool HasLastConnectRecord() const override { return hasRecord; }
  bool ConnectActiveProfile(int) override {
    ++activations;
    return false;
  }
  bool RequeueLastRecord() override {
    ++requeues;
    return queueSaysRun;
  }
};

class RecordingSupplicant : public SupplicantSeam {
 public:
  bool running = false;
  bool port = false;
  int starts = 0;
  int releases = 0;
  int portStarts = 0;
  bool IsRunning() const override { return running; }
  bool HasPort() const override { return port; }
  void Start() override {
    ++starts;
    running = true;
  }
  void ReleasePorts() override { ++releases; }
  void StartPort() override { ++portStarts; }
};

inline constexpr const char* kAdapterKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
inline constexpr const char* kInstanceId = "{5F3C1D2E-0000-4000-8000-00000000A001}";

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest() {
    adapter.foundFacts = {kAdapterKey, kInstanceId, "USB\\VID_1D5A&PID_3071", 4, true, false,
                          false};
    SetAdapterValue("NetCfgInstanceId", kInstanceId);
  }

  void WriteSettings(const std::string& text) {
    std::ofstream(fake.paths.programDir / "Stavio.ini") << text;
  }
  void SetAdapterValue(const std::string& name, const std::string& text,
                       const std::string& key = kAdapterKey) {
    ScopedKey handle(*fake.registry);
    ASSERT_EQ(fake.registry->CreateKey(HKEY_LOCAL_MACHINE, key, KEY_ALL_ACCESS, &handle),
              ERROR_SUCCESS);
    fake.registry->SetValue(handle.get(), name, REG_SZ,
                            reinterpret_cast<const uint8_t*>(text.c_str()),
                            static_cast<uint32_t>(text.size() + 1));
  }
  std::string AdapterValue(const std::string& name, const std::string& key = kAdapterKey) {
    ScopedKey handle(*fake.registry);
    if (fake.registry->OpenKey(HKEY_LOCAL_MACHINE, key, KEY_READ, &handle) != ERROR_SUCCESS) {
      return "<no key>";
    }
    uint8_t data[512] = {};
    uint32_t length = sizeof data - 1;
    if (fake.registry->QueryValue(handle.get(), name, nullptr, data, &length) != ERROR_SUCCESS) {
      return "<missing>";
    }
    return reinterpret_cast<const char*>(data);
  }
  // The adapter is associated with a network.
  void Connected(bool connected = true) {
    adapter.Answer(OID_GEN_MEDIA_CONNECT_STATUS, uint32_t{connected ? 0u : 1u});
    std::array<uint8_t, 6> bssid{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    adapter.Answer(OID_802_11_BSSID, bssid);
    std::array<uint8_t, 36> ssid{4, 0, 0, 0, 'H', 'o', 'm', 'e'};
    adapter.Answer(OID_802_11_SSID, ssid);
    adapter.Answer(OID_802_11_RSSI, int32_t{-60});
    adapter.Answer(OID_802_11_INFRASTRUCTURE_MODE, uint32_t{1});
  }

  void Start(bool openMainWindow = false) {
    settings = std::make_unique<SettingsFile>(fake.paths.ExecutablePath());
    ControllerParts parts;
    parts.platform = &fake.platform();
    parts.adapter = &adapter;
    parts.store = &store;
    parts.settings = settings.get();
    parts.tray = &tray;
    parts.mainWindow = &mainWindow;
    parts.actions = &actions;
    parts.connect = &connect;
    parts.supplicant = &supplicant;
    controller = std::make_unique<CHideDlg>(parts);
    controller->SetOpenMainWindowAtStart(openMainWindow);
    controller->Initialise();
  }
  // Advances virtual time by whole ticks.
  void Ticks(int count) { fake.loop.Advance(uint64_t(count) * kTickMs); }

  FakePlatform fake;
  ScriptedAdapter adapter;
  RecordingStore store{*fake.registry};
  RecordingTray tray;
  RecordingMainWindow mainWindow;
  RecordingActions actions;
  RecordingConnect connect;
  RecordingSupplicant supplicant;
  std::unique_ptr<SettingsFile> settings;
  std::unique_ptr<CHideDlg> controller;
};

}  // namespace kavo9
