#pragma once
// An AdapterPort for controller tests: discovery finds `found` while the scripted driver is
// present, and the ready-time facts are queried from that driver as the real adapter does.

#include <filesystem>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/testing/ScriptedDriver.h"

namespace kavo9 {

class FakeAdapter : public AdapterPort {
 public:
  explicit FakeAdapter(ScriptedDriver& driver) : driver_(driver) {}

  AdapterIdentity found;  // what discovery publishes
  AdapterIdentity identity;
  int versionCode = 8;  // Windows XP
  int discoveries = 0;
  int drains = 0;
  std::filesystem::path listsFile;  // the settings file the lists were read from

  void DetectWindowsVersion() override {}
  int WindowsVersionCode() const override { return versionCode; }
  void LoadIniDeviceLists(const std::filesystem::path& settingsFile) override {
    listsFile = settingsFile;
  }
  bool DiscoverAdapter() override;
  const AdapterIdentity& Identity() const override { return identity; }
  void ClearRegistryKey() override { identity.registryKey.clear(); }
  void ClearUsbFlag() override { identity.bus = AdapterBus::kNone; }
  void ReadSupportedNetworkTypes() override;
  uint32_t NetworkTypesPresent() const override { return networkTypes_; }
  void ReadDriverVersion() override;
  uint16_t DriverVersion() const override { return driverVersion_; }
  void DrainSetRetryQueue() override { ++drains; }

 private:
  ScriptedDriver& driver_;
  uint32_t networkTypes_ = 0;
  uint16_t driverVersion_ = 0;
};

}  // namespace kavo9
