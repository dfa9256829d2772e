#include "common/shell/ModeHandOver.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AccessPointRecord.h"
#include "common/shell/AdapterKey.h"

namespace kavo9 {

namespace {

// What the destination held under a name before the copy wrote it.
struct Previous {
  std::string name;
  bool existed = false;
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

bool ReadPrevious(Registry& registry, HKEY key, const std::string& name, Previous* previous) {
  previous->name = name;
  uint32_t length = 0;
  int32_t status = registry.QueryValue(key, name, &previous->type, nullptr, &length);
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return false;
  previous->data.resize(length);
  status = registry.QueryValue(key, name, &previous->type, previous->data.data(), &length);
  if (status != ERROR_SUCCESS) return false;
  previous->data.resize(length);
  previous->existed = true;
  return true;
}

void PutBack(StorePort& store, std::string_view destination, const std::vector<Previous>& written) {
  for (auto it = written.rbegin(); it != written.rend(); ++it) {
    if (it->existed) {
      store.SetValue(destination, it->name, it->type, it->data.data(), uint32_t(it->data.size()),
                     StorePort::Area::kAdvanced);
    } else {
      store.DeleteValue(destination, it->name, StorePort::Area::kAdvanced);
    }
  }
}

constexpr std::string_view kSystemValues[] = {
    "NetCfgInstanceId", "DriverDesc",   "ComponentId",      "MatchingDeviceId", "InfPath",
    "InfSection",       "ProviderName", "DriverDate",       "DriverVersion",    "DriverDateData",
    "Characteristics",  "BusType",      "DeviceInstanceID", "OpMode",
};

}  // namespace

bool IsStationValue(std::string_view name) {
  return std::none_of(std::begin(kSystemValues), std::end(kSystemValues), [name](auto n) {
    return n.size() == name.size() && strncasecmp(n.data(), name.data(), n.size()) == 0;
  });
}

bool CopyRegistryValues(Registry& registry, StorePort& store, std::string_view source,
                        std::string_view destination, const ValueFilter& accept) {
  ScopedKey from(registry);
  ScopedKey to(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, source, KEY_READ, &from) != ERROR_SUCCESS ||
      registry.OpenKey(HKEY_LOCAL_MACHINE, destination, KEY_READ, &to) != ERROR_SUCCESS) {
    return false;
  }
  std::string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  std::vector<Previous> written;
  for (uint32_t index = 0;
       registry.EnumValue(from.get(), index, &name, &type, &data) == ERROR_SUCCESS; ++index) {
    if (!accept(name)) continue;
    Previous previous;
    if (!ReadPrevious(registry, to.get(), name, &previous)) {
      PutBack(store, destination, written);
      return false;
    }
    written.push_back(std::move(previous));
    if (store.SetValue(destination, name, type, data.data(), uint32_t(data.size()),
                       StorePort::Area::kAdvanced) != ERROR_SUCCESS) {
      PutBack(store, destination, written);
      return false;
    }
  }
  return true;
}

bool SaveStationValues(Registry& registry, StorePort& store, std::string_view adapterKey) {
  if (adapterKey.empty()) return false;
  const std::string destination = SubkeyPath(adapterKey, kStationValuesSubkey);
  store.CreateKey(destination, StorePort::Area::kAdvanced);
  return CopyRegistryValues(registry, store, adapterKey, destination, IsStationValue);
}

bool RestoreStationValues(Registry& registry, StorePort& store, std::string_view adapterKey) {
  if (adapterKey.empty()) return false;
  return CopyRegistryValues(registry, store, SubkeyPath(adapterKey, kStationValuesSubkey),
                            adapterKey, IsStationValue);
}

bool LoadAccessPointValues(Registry& registry, StorePort& store, std::string_view adapterKey) {
  if (adapterKey.empty()) return false;
  return CopyRegistryValues(registry, store, SubkeyPath(adapterKey, kAccessPointValuesSubkey),
                            adapterKey, IsAccessPointValue);
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
