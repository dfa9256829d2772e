#include "common/shell/ModeHandOver.h"

#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"

namespace kavo9 {

bool CopyRegistryValues(Registry& registry, StorePort& store, std::string_view source,
                        std::string_view destination) {
  ScopedKey from(registry);
  ScopedKey to(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, source, KEY_READ, &from) != ERROR_SUCCESS ||
      registry.OpenKey(HKEY_LOCAL_MACHINE, destination, KEY_READ, &to) != ERROR_SUCCESS) {
    return false;
  }
  std::string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  for (uint32_t index = 0;
       registry.EnumValue(from.get(), index, &name, &type, &data) == ERROR_SUCCESS; ++index) {
    if (store.SetValue(destination, name, type, data.data(), uint32_t(data.size()),
                       StorePort::Area::kAdvanced) != ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

bool SaveStationValues(Registry& registry, StorePort& store, std::string_view adapterKey) {
  if (adapterKey.empty()) return false;
  const std::string destination = SubkeyPath(adapterKey, kStationValuesSubkey);
  store.CreateKey(destination, StorePort::Area::kAdvanced);
  return CopyRegistryValues(registry, store, adapterKey, destination);
}

bool RestoreStationValues(Registry& registry, StorePort& store, std::string_view adapterKey) {
  if (adapterKey.empty()) return false;
  return CopyRegistryValues(registry, store, SubkeyPath(adapterKey, kStationValuesSubkey),
                            adapterKey);
}

bool LoadAccessPointValues(Registry& registry, StorePort& store, std::string_view adapterKey) {
  if (adapterKey.empty()) return false;
  return CopyRegistryValues(registry, store, SubkeyPath(adapterKey, kAccessPointValuesSubkey),
                            adapterKey);
}

void SetOperatingMode(StorePort& store, DriverPort& driver, std::string_view adapterKey,
                      OpMode mode) {
  if (!adapterKey.empty()) StoreText(store, adapterKey, "OpMode", std::to_string(mode));
  SetValue32(driver, OID_VND_OP_MODE, mode);
}

std::string TsSwapCommandLine(OpMode to, std::string_view hardwareIdPrefix) {
  const std::string common = " Stavio Hostira \"Norvik Wireless\" \"Kavo9 Utility\"";
  if (to == kOpModeAccessPoint) {
    return "\"TsSwap.exe\" ON" + common + " " + std::string(hardwareIdPrefix);
  }
  return "\"TsSwap.exe\" OFF" + common;
}

void StartTsSwap(ProcessLauncher& launcher, OpMode to, std::string_view hardwareIdPrefix) {
  launcher.WinExec(TsSwapCommandLine(to, hardwareIdPrefix), SW_SHOWMINIMIZED);
}

}  // namespace kavo9
