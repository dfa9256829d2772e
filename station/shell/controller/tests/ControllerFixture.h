#pragma once
// A controller on virtual time with a scripted driver and recording stand-ins for the parts it
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
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/shell/controller/CHideDlg.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9 {

inline constexpr const char* kAdapterKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
inline constexpr const char* kInstanceId = "{5F3C1D2E-0000-4000-8000-00000000A001}";

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest() {
    adapter.found = {
        kAdapterKey, kInstanceId, "USB\\VID_1D5A&PID_3071", 4, AdapterBus::kUsb, false, false, 0};
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
    driver.Answer(OID_GEN_MEDIA_CONNECT_STATUS, uint32_t{connected ? 0u : 1u});
    std::array<uint8_t, 6> bssid{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    driver.Answer(OID_802_11_BSSID, bssid);
    std::array<uint8_t, 36> ssid{4, 0, 0, 0, 'H', 'o', 'm', 'e'};
    driver.Answer(OID_802_11_SSID, ssid);
    driver.Answer(OID_802_11_RSSI, int32_t{-60});
    driver.Answer(OID_802_11_INFRASTRUCTURE_MODE, uint32_t{1});
  }

  void Start(bool openMainWindow = false) {
    settings = std::make_unique<SettingsFile>(fake.paths.ExecutablePath());
    state = StationState{};
    controller = std::make_unique<CHideDlg>(ControllerParts{
        fake.platform(), driver, adapter, store, *settings, language, tray, mainWindow, actions,
        connect, supplicant, wps, softApDefaults, region, state});
    controller->SetOpenMainWindowAtStart(openMainWindow);
    controller->Initialise();
  }
  // Advances virtual time by whole ticks.
  void Ticks(int count) { fake.loop.Advance(uint64_t(count) * kTickMs); }

  FakePlatform fake;
  ScriptedDriver driver{[this] { return fake.loop.MonotonicMs(); }};
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  RecordingTray tray;
  RecordingMainWindow mainWindow;
  RecordingActions actions;
  RecordingConnect connect;
  RecordingSupplicant supplicant;
  RecordingWps wps;
  RecordingSoftApDefaults softApDefaults;
  RecordingRegion region;
  KeyLanguage language;
  StationState state;
  std::unique_ptr<SettingsFile> settings;
  std::unique_ptr<CHideDlg> controller;
};

}  // namespace kavo9
