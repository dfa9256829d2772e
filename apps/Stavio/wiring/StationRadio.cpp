#include "apps/Stavio/wiring/StationRadio.h"

#include "radio/RegionRefresh.h"
#include "radio/vocabulary/TcpTuning.h"

namespace kavo9 {

std::string StationRadioStore::PathOf(radio::RadioKey key) const {
  const std::string& adapterKey = adapter_.Facts().registryKey;
  switch (key) {
    case radio::RadioKey::kAdapter:
      return adapterKey;
    case radio::RadioKey::kAdapterDefault:
      return adapterKey.empty() ? std::string() : adapterKey + "\\Default";
    case radio::RadioKey::kTcpipParameters:
      return std::string(radio::kTcpipParametersPath);
  }
  return {};
}

uint32_t StationRadioStore::Access(radio::RadioKey key, uint32_t access) const {
  if (key != radio::RadioKey::kTcpipParameters) return access;
  bool wow64 = false;
  platform_.system->IsWow64Process(&wow64);
  return radio::TcpipKeyAccess(access, adapter_.WindowsVersionCode(), wow64);
}

bool StationRadioStore::CanOpen(radio::RadioKey key, bool write) {
  const std::string path = PathOf(key);
  if (path.empty()) return false;
  HKEY handle = 0;
  int32_t error = ERROR_ACCESS_DENIED;
  if (!write) {
    error = platform_.registry->OpenKey(HKEY_LOCAL_MACHINE, path, Access(key, KEY_READ), &handle);
  } else if (ParameterStore* store = store_.store()) {
    // Succeeds without a handle when the writes would go to the privileged service.
    error = store->StoreOpenKey(HKEY_LOCAL_MACHINE, path, Access(key, KEY_ALL_ACCESS), &handle,
                                PolicyArea::kAdvanced);
  }
  if (handle != 0) platform_.registry->CloseKey(handle);
  return error == ERROR_SUCCESS;
}

bool StationRadioStore::QueryValue(radio::RadioKey key, std::string_view name, uint32_t* type,
                                   std::vector<uint8_t>* data) {
  const std::string path = PathOf(key);
  if (path.empty()) return false;
  Registry& registry = *platform_.registry;
  HKEY handle = 0;
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, Access(key, KEY_READ), &handle) != ERROR_SUCCESS)
    return false;
  uint32_t length = 0;
  int32_t error = registry.QueryValue(handle, name, type, nullptr, &length);
  if (error == ERROR_SUCCESS) {
    data->assign(length, 0);
    error = registry.QueryValue(handle, name, type, data->data(), &length);
    data->resize(length);
  }
  registry.CloseKey(handle);
  return error == ERROR_SUCCESS;
}

int32_t StationRadioStore::StoreSetValue(radio::RadioKey key, std::string_view name,
                                         uint32_t type, const uint8_t* data, uint32_t length) {
  const std::string path = PathOf(key);
  if (path.empty()) return ERROR_FILE_NOT_FOUND;
  return store_.SetValue(path, name, type, data, length, StorePort::Area::kAdvanced);
}

int32_t StationRadioStore::StoreDeleteValue(radio::RadioKey key, std::string_view name) {
  const std::string path = PathOf(key);
  if (path.empty()) return ERROR_FILE_NOT_FOUND;
  return store_.DeleteValue(path, name, StorePort::Area::kAdvanced);
}

void StationRegionRefresh::RefreshChannels() {
  const AdapterFacts& facts = adapter_.Facts();
  state_.chipKind = facts.chipKind;
  state_.bands.ht = facts.isHtFamily;
  state_.bands.has5G = adapter_.Supports5GHz();
  radio::RefreshCountryRegion(state_, driver_, store_);
  if (facts.isHtFamily) radio::ReadBw40Permissions(state_, driver_);
}

}  // namespace kavo9
