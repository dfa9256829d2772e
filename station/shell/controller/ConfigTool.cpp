#include "station/shell/controller/ConfigTool.h"

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/Registry.h"
#include "common/platform/ServiceControl.h"
#include "common/shell/AdapterKey.h"

namespace kavo9 {
namespace {

constexpr uint32_t kServiceManagesAdapter = 0x8000;
constexpr const char* kServiceInterfacesKey =
    "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
constexpr const char* kInstallerKey = "SOFTWARE\\TESMAR\\WLAN\\InstallShield";

}  // namespace

bool ConfigTool::ServiceKeyView64() const {
  return c_.parts.adapter.WindowsVersionCode() >= 10 && c_.state.wow64;
}

std::string ConfigTool::ServiceKeyPath() const {
  return kServiceInterfacesKey + c_.parts.adapter.Identity().instanceId;
}

int ConfigTool::Compute() const {
  ServiceControl* services = c_.parts.platform.services;
  if (c_.parts.adapter.WindowsVersionCode() <= 7 || !services) return kConfigToolNone;
  uint32_t state = 0;
  if (!services->QueryStatus(kWirelessConfigService, &state) || state != SERVICE_RUNNING) {
    return kConfigToolNone;
  }
  Registry& registry = *c_.parts.platform.registry;
  ScopedKey key(registry);
  const uint32_t view = ServiceKeyView64() ? uint32_t{KEY_WOW64_64KEY} : 0u;
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, ServiceKeyPath(), KEY_READ | view, &key) !=
      ERROR_SUCCESS) {
    return kConfigToolService;
  }
  uint32_t flags = 0;
  if (!ReadMachineDword(registry, ServiceKeyPath(), "ControlFlags", &flags, ServiceKeyView64())) {
    return kConfigToolUtility;
  }
  return (flags & kServiceManagesAdapter) ? kConfigToolService : kConfigToolUtility;
}

void ConfigTool::Refresh() {
  c_.state.configToolState = Compute();
  if (c_.parts.mainWindow.IsOpen()) {
    c_.parts.mainWindow.EnableConfigPages(!c_.state.ServiceManagesAdapter());
  }
}

void ConfigTool::ApplyInstallerChoice() {
  std::string text;
  if (c_.ReadAdapterText("RunOnceInitConfigTool", &text)) return;
  uint32_t choice = 1;
  if (!ReadMachineDword(*c_.parts.platform.registry, kInstallerKey, "ConfigToolSelect", &choice)) {
    choice = 1;
  }
  if (choice != 0) {
    MakeThisUtilityTheTool();
    choice = 1;
  } else {
    MakeWindowsServiceTheTool();
  }
  c_.WriteAdapterText("RunOnceInitConfigTool", std::to_string(choice));
}

void ConfigTool::StopWirelessServiceOnDemand() {
  ServiceControl* services = c_.parts.platform.services;
  if (!services) return;
  uint32_t state = 0;
  if (services->QueryStatus(kWirelessConfigService, &state) && state != SERVICE_STOPPED) {
    services->Stop(kWirelessConfigService);
  }
  services->SetStartType(kWirelessConfigService, SERVICE_DEMAND_START);
}

void ConfigTool::MakeThisUtilityTheTool() {
  c_.SetDriverValue(OID_VND_WPS_CONNECT, 0, 1);
  StopWirelessServiceOnDemand();
  SupplicantPort& supplicant = c_.parts.supplicant;
  if (!supplicant.IsRunning() && c_.state.sessionActive) supplicant.Start();
  c_.parts.connect.ConnectActiveProfile(1);
  c_.state.configToolState = Compute();
  if (c_.parts.mainWindow.IsOpen() && !c_.state.ServiceManagesAdapter()) {
    c_.parts.mainWindow.EnableConfigPages(true);
  }
}

void ConfigTool::MakeWindowsServiceTheTool() {
  SupplicantPort& supplicant = c_.parts.supplicant;
  if (supplicant.IsRunning()) {
    supplicant.ReleasePorts();
    supplicant.Stop();
  }
  c_.SetDriverValue(OID_VND_WPS_CONNECT, 0, 1);
  c_.SetDriverValue(OID_VND_PROFILE_KIND_FLAG, 0);
  ServiceControl* services = c_.parts.platform.services;
  uint32_t state = 0;
  if (services && services->QueryStatus(kWirelessConfigService, &state)) {
    uint32_t flags = 0;
    if (ReadMachineDword(*c_.parts.platform.registry, ServiceKeyPath(), "ControlFlags", &flags,
                         ServiceKeyView64()) &&
        !(flags & kServiceManagesAdapter)) {
      if (state == SERVICE_RUNNING || state == SERVICE_START_PENDING) {
        services->Stop(kWirelessConfigService);
      }
      flags |= kServiceManagesAdapter;
      c_.parts.store.SetValue(ServiceKeyPath(), "ControlFlags", REG_DWORD,
                              reinterpret_cast<const uint8_t*>(&flags), sizeof flags,
                              StorePort::Area::kAdvanced);
    }
    services->QueryStatus(kWirelessConfigService, &state);
    if (state != SERVICE_RUNNING && state != SERVICE_START_PENDING) {
      services->Start(kWirelessConfigService);
    }
    services->SetStartType(kWirelessConfigService, SERVICE_AUTO_START);
  }
  c_.state.configToolState = Compute();
  if (c_.parts.mainWindow.IsOpen()) {
    c_.parts.mainWindow.EnableConfigPages(!c_.state.ServiceManagesAdapter());
    c_.parts.mainWindow.PressFirstPageButton();
  }
}

}  // namespace kavo9
