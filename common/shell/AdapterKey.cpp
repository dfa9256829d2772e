#include "common/shell/AdapterKey.h"

#include <cstdlib>
#include <cstring>

namespace kavo9 {

bool ReadMachineText(Registry& registry, std::string_view path, std::string_view name,
                     std::string* value) {
  if (path.empty()) return false;
  ScopedKey handle(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  uint8_t data[256] = {};
  uint32_t length = sizeof data - 1;
  uint32_t type = 0;
  if (registry.QueryValue(handle.get(), name, &type, data, &length) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  value->assign(reinterpret_cast<const char*>(data),
                strnlen(reinterpret_cast<const char*>(data), length));
  return true;
}

bool ReadMachineDword(Registry& registry, std::string_view path, std::string_view name,
                      uint32_t* value, bool view64) {
  ScopedKey handle(registry);
  const uint32_t access = KEY_READ | (view64 ? uint32_t{KEY_WOW64_64KEY} : 0u);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, access, &handle) != ERROR_SUCCESS) return false;
  uint32_t type = 0;
  uint32_t data = 0;
  uint32_t length = sizeof data;
  if (registry.QueryValue(handle.get(), name, &type, reinterpret_cast<uint8_t*>(&data), &length) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || length != sizeof data) {
    return false;
  }
  *value = data;
  return true;
}

bool ReadMachineNumber(Registry& registry, std::string_view path, std::string_view name,
                       long* value) {
  std::string text;
  if (!ReadMachineText(registry, path, name, &text)) return false;
  *value = std::atol(text.c_str());
  return true;
}

std::string SubkeyPath(std::string_view adapterKey, std::string_view subkey) {
  if (adapterKey.empty()) return {};
  return std::string(adapterKey) + "\\" + std::string(subkey);
}

}  // namespace kavo9
