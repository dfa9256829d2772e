#pragma once
// The controller's ports filled with the real pieces: the adapter transport and discovery, the
// parameter store with the privileged registry service, and the language object.

#include <functional>
#include <memory>
#include <optional>

#include "common/adapter/AdapterAccess.h"
#include "common/adapter/AdapterChooser.h"
#include "common/adapter/AdapterDiscovery.h"
#include "common/adapter/ParameterStore.h"
#include "common/adapter/RegistryServiceClient.h"
#include "station/shell/Language.h"
#include "station/shell/controller/ControllerSeams.h"

namespace kavo9 {

class AdapterAccessPort : public AdapterPort {
 public:
  // `chooser` may be null (the first qualifying adapter is taken). `selecting` is told when the
  // user is being asked, so that ticks and tray commands wait meanwhile.
  AdapterAccessPort(Platform& platform, AdapterChooser* chooser,
                    std::function<void(bool)> selecting = nullptr);
  ~AdapterAccessPort() override;
  AdapterAccess& access() { return access_; }

  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                        uint32_t* bytesReturned) override;
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int attempts) override;
  bool IsAdapterPresent() override { return access_.IsAdapterPresent(); }
  void DetectWindowsVersion() override { access_.DetectWindowsVersion(); }
  int WindowsVersionCode() const override { return access_.WindowsVersionCode(); }
  void LoadIniDeviceLists(
      const std::function<std::string(std::string_view, std::string_view)>& read) override;
  bool DiscoverAdapter() override;
  const AdapterFacts& Facts() const override { return facts_; }
  void ClearRegistryKey() override;
  void ClearUsbFlag() override;
  void ReadSupportedNetworkTypes() override { access_.ReadSupportedNetworkTypes(); }
  bool Supports5GHz() const override { return access_.Supports5GHz(); }
  void ReadDriverVersion() override { access_.ReadDriverVersion(); }
  uint16_t DriverVersion() const override { return access_.DriverVersion(); }
  void DrainSetRetryQueue() override { access_.DrainSetRetryQueue(); }

 private:
  class SelectingChooser;
  void Refresh();
  AdapterAccess access_;
  std::unique_ptr<SelectingChooser> chooser_;
  IniDeviceLists lists_;
  AdapterFacts facts_;
};

class ParameterStorePort : public StorePort {
 public:
  // `service` may be null.
  ParameterStorePort(Registry& registry, RegistryServiceClient* service)
      : registry_(registry), service_(service) {}
  void Bind(bool allowStandardUserSetAdvance, bool allowStandardUserSetProfile) override;
  void SetAdministrator(bool administrator) override;
  int32_t SetValue(std::string_view path, std::string_view name, uint32_t type,
                   const uint8_t* data, uint32_t length, Area area) override;
  int32_t DeleteValue(std::string_view path, std::string_view name, Area area) override;
  int32_t CreateKey(std::string_view path, Area area) override;
  void Release() override { store_.reset(); }
  ParameterStore* store() { return store_.get(); }

 private:
  Registry& registry_;
  RegistryServiceClient* service_;
  StorePolicy policy_;
  std::unique_ptr<ParameterStore> store_;
};

class LanguagePort : public LanguageSeam {
 public:
  LanguagePort(const Paths& paths, const SystemInfo& system) : paths_(paths), system_(system) {}
  void LoadLanguage() override { language_.LoadLanguage(paths_, system_); }
  std::string Text(std::string_view key) const override;
  const Language& language() const { return language_; }

 private:
  const Paths& paths_;
  const SystemInfo& system_;
  Language language_;
};

}  // namespace kavo9
