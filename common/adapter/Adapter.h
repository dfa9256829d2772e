#pragma once
// The adapter a program works with: the transport of its requests (AdapterAccess, a DriverPort)
// and the life-cycle calls of AdapterPort over it, with discovery's settings-file lists and the
// user's choice among several adapters.

#include <functional>
#include <memory>

#include "common/adapter/AdapterAccess.h"
#include "common/adapter/AdapterChooser.h"
#include "common/adapter/AdapterDiscovery.h"
#include "common/adapter/AdapterPort.h"

namespace kavo9 {

class Adapter : public AdapterPort {
 public:
  // `chooser` may be null (the first qualifying adapter is taken). `selecting` is told when the
  // user is being asked, so that ticks and tray commands wait meanwhile.
  Adapter(Platform& platform, Utility utility, AdapterChooser* chooser,
          std::function<void(bool)> selecting = nullptr);
  ~Adapter() override;

  // The requests' transport.
  AdapterAccess& access() { return access_; }

  void DetectWindowsVersion() override { access_.DetectWindowsVersion(); }
  int WindowsVersionCode() const override { return access_.WindowsVersionCode(); }
  void LoadIniDeviceLists(const std::filesystem::path& settingsFile) override;
  bool DiscoverAdapter() override;
  const AdapterIdentity& Identity() const override { return access_.identity(); }
  void ClearRegistryKey() override { access_.ClearRegistryKey(); }
  void ClearUsbFlag() override { access_.ClearUsbFlag(); }
  void ReadSupportedNetworkTypes() override { access_.ReadSupportedNetworkTypes(); }
  uint32_t NetworkTypesPresent() const override { return access_.NetworkTypesPresent(); }
  void ReadDriverVersion() override { access_.ReadDriverVersion(); }
  uint16_t DriverVersion() const override { return access_.DriverVersion(); }
  void DrainSetRetryQueue() override { access_.DrainSetRetryQueue(); }

 private:
  class SelectingChooser;
  AdapterAccess access_;
  std::unique_ptr<SelectingChooser> chooser_;
  IniDeviceLists lists_;
};

}  // namespace kavo9
