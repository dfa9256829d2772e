#include "radio/RegistryRadioStore.h"

#include "common/shell/AdapterKey.h"
#include "radio/vocabulary/TcpTuning.h"

namespace kavo9::radio {

std::string RegistryRadioStore::PathOf(RadioKey key) const {
  const std::string& adapterKey = adapter_.Identity().registryKey;
  switch (key) {
    case RadioKey::kAdapter:
      return adapterKey;
    case RadioKey::kAdapterDefault:
      return SubkeyPath(adapterKey, kStationValuesSubkey);
    case RadioKey::kTcpipParameters:
      return std::string(kTcpipParametersPath);
  }
  return {};
}

uint32_t RegistryRadioStore::Access(RadioKey key, uint32_t access) const {
  if (key != RadioKey::kTcpipParameters) return access;
  bool wow64 = false;
  platform_.system->IsWow64Process(&wow64);
  return TcpipKeyAccess(access, adapter_.WindowsVersionCode(), wow64);
}

bool RegistryRadioStore::CanOpen(RadioKey key, bool write) {
  const std::string path = PathOf(key);
  if (path.empty()) return false;
  if (write) return store_.CanWrite(path, Access(key, KEY_ALL_ACCESS), StorePort::Area::kAdvanced);
  ScopedKey handle(*platform_.registry);
  return platform_.registry->OpenKey(HKEY_LOCAL_MACHINE, path, Access(key, KEY_READ), &handle) ==
         ERROR_SUCCESS;
}

bool RegistryRadioStore::QueryValue(RadioKey key, std::string_view name, uint32_t* type,
                                    std::vector<uint8_t>* data) {
  const std::string path = PathOf(key);
  if (path.empty()) return false;
  Registry& registry = *platform_.registry;
  ScopedKey handle(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, Access(key, KEY_READ), &handle) != ERROR_SUCCESS) {
    return false;
  }
  uint32_t length = 0;
  int32_t error = registry.QueryValue(handle.get(), name, type, nullptr, &length);
  if (error == ERROR_SUCCESS) {
    data->assign(length, 0);
    error = registry.QueryValue(handle.get(), name, type, data->data(), &length);
    data->resize(length);
  }
  return error == ERROR_SUCCESS;
}

int32_t RegistryRadioStore::StoreSetValue(RadioKey key, std::string_view name, uint32_t type,
                                          const uint8_t* data, uint32_t length) {
  const std::string path = PathOf(key);
  if (path.empty()) return ERROR_FILE_NOT_FOUND;
  return store_.SetValue(path, name, type, data, length, StorePort::Area::kAdvanced);
}

int32_t RegistryRadioStore::StoreDeleteValue(RadioKey key, std::string_view name) {
  const std::string path = PathOf(key);
  if (path.empty()) return ERROR_FILE_NOT_FOUND;
  return store_.DeleteValue(path, name, StorePort::Area::kAdvanced);
}

}  // namespace kavo9::radio
