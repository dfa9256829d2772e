// Who configures the adapter's connections: this utility or the Windows wireless service, and
// the installer's one-time choice between them.

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/Registry.h"
#include "common/platform/ServiceControl.h"
#include "station/shell/controller/CHideDlg.h"

namespace kavo9 {
namespace {

constexpr uint32_t kServiceManagesAdapter = 0x8000;
constexpr const char* kServiceInterfacesKey = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
constexpr const char* kInstallerKey = "SOFTWARE\\TESMAR\\WLAN\\InstallShield";

}  // namespace

int CHideDlg::ComputeConfigToolState() {
  if (adapter_.WindowsVersionCode() <= 7 || !platform_.services) return kConfigToolNone;
  uint32_t state = 0;
  if (!platform_.services->QueryStatus(kWirelessConfigService, &state) ||
      state != SERVICE_RUNNING) {
    return kConfigToolNone;
  }
  const bool view64 = adapter_.WindowsVersionCode() >= 10 && wow64_;
  Registry& registry = *platform_.registry;
  ScopedKey key(registry);
  const std::string path = kServiceInterfacesKey + adapter_.Facts().instanceId;
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ | (view64 ? uint32_t{KEY_WOW64_64KEY} : 0u),
                       &key) != ERROR_SUCCESS) {
    return kConfigToolService;
  }
  uint32_t flags = 0;
  if (!ReadMachineDword(path, "ControlFlags", &flags, view64)) return kConfigToolUtility;
  return (flags & kServiceManagesAdapter) ? kConfigToolService : kConfigToolUtility;
}

void CHideDlg::ApplyInstallerConfigToolChoice() {
  std::string text;
  if (ReadAdapterText("RunOnceInitConfigTool", &text)) return;
  uint32_t choice = 1;
  if (!ReadMachineDword(kInstallerKey, "ConfigToolSelect", &choice)) choice = 1;
  if (choice != 0) {
    MakeThisUtilityTheTool();
    choice = 1;
  } else {
    MakeWindowsServiceTheTool();
  }
  WriteAdapterText("RunOnceInitConfigTool", std::to_string(choice), StorePort::Area::kAdvanced);
}

void CHideDlg::StopWirelessServiceOnDemand() {
  ServiceControl* services = platform_.services;
  if (!services) return;
  uint32_t state = 0;
  if (services->QueryStatus(kWirelessConfigService, &state) && state != SERVICE_STOPPED) {
    services->Stop(kWirelessConfigService);
  }
  services->SetStartType(kWirelessConfigService, SERVICE_DEMAND_START);
}

void CHideDlg::MakeThisUtilityTheTool() {
  uint8_t off = 0;
  adapter_.SetInformation(OID_VND_WPS_CONNECT, &off, 1, 3);
  StopWirelessServiceOnDemand();
  if (!parts_.supplicant->IsRunning() && sessionActive_) parts_.supplicant->Start();
  parts_.connect->ConnectActiveProfile(1);
  configToolState_ = ComputeConfigToolState();
  if (parts_.mainWindow->IsOpen() && configToolState_ != kConfigToolService) {
    parts_.mainWindow->EnableConfigPages(true);
  }
}

void CHideDlg::MakeWindowsServiceTheTool() {
  if (parts_.supplicant->IsRunning()) {
    parts_.supplicant->ReleasePorts();
    parts_.supplicant->Stop();
  }
  uint8_t off = 0;
  adapter_.SetInformation(OID_VND_WPS_CONNECT, &off, 1, 3);
  SetDriverValue(OID_VND_PROFILE_KIND_FLAG, 0);
  ServiceControl* services = platform_.services;
  uint32_t state = 0;
  if (services && services->QueryStatus(kWirelessConfigService, &state)) {
    const bool view64 = adapter_.WindowsVersionCode() >= 10 && wow64_;
    const std::string path = kServiceInterfacesKey + adapter_.Facts().instanceId;
    uint32_t flags = 0;
    if (ReadMachineDword(path, "ControlFlags", &flags, view64) &&
        !(flags & kServiceManagesAdapter)) {
      if (state == SERVICE_RUNNING || state == SERVICE_START_PENDING) {
        services->Stop(kWirelessConfigService);
      }
      flags |= kServiceManagesAdapter;
      store_.SetValue(path, "ControlFlags", REG_DWORD, reinterpret_cast<const uint8_t*>(&flags),
                      sizeof flags, StorePort::Area::kAdvanced);
    }
    services->QueryStatus(kWirelessConfigService, &state);
    if (state != SERVICE_RUNNING && state != SERVICE_START_PENDING) {
      services->Start(kWirelessConfigService);
    }
    services->SetStartType(kWirelessConfigService, SERVICE_AUTO_START);
  }
  configToolState_ = ComputeConfigToolState();
  if (parts_.mainWindow->IsOpen()) {
    parts_.mainWindow->EnableConfigPages(configToolState_ != kConfigToolService);
    parts_.mainWindow->PressFirstPageButton();
  }
}

bool CHideDlg::SaveStationValues() {
  const std::string key = adapter_.Facts().registryKey;
  if (key.empty()) return false;
  // Without the subkey the station values would be lost once the access-point values replace
  // them, and nothing could be restored when the adapter comes back to station mode.
  const std::string destination = key + "\\Default";
  store_.CreateKey(destination, StorePort::Area::kAdvanced);
  return CopyRegistryValues(key, destination);
}

bool CHideDlg::CopyRegistryValues(const std::string& sourcePath,
                                  const std::string& destinationPath) {
  Registry& registry = *platform_.registry;
  ScopedKey source(registry);
  ScopedKey destination(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, sourcePath, KEY_READ, &source) != ERROR_SUCCESS ||
      registry.OpenKey(HKEY_LOCAL_MACHINE, destinationPath, KEY_READ, &destination) !=
          ERROR_SUCCESS) {
    return false;
  }
  std::string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  for (uint32_t index = 0;
       registry.EnumValue(source.get(), index, &name, &type, &data) == ERROR_SUCCESS; ++index) {
    if (store_.SetValue(destinationPath, name, type, data.data(),
                        static_cast<uint32_t>(data.size()), StorePort::Area::kAdvanced) !=
        ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

}  // namespace kavo9
