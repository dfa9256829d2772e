#include "common/platform/Registry.h"

#include <cstring>

namespace kavo9 {

std::string RegStringFromBytes(const uint8_t* data, size_t length) {
  if (data == nullptr) return {};
  const void* zero = std::memchr(data, 0, length);
  size_t n = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : length;
  return std::string(reinterpret_cast<const char*>(data), n);
}

std::vector<uint8_t> RegBytesFromString(std::string_view value) {
  std::vector<uint8_t> bytes(value.begin(), value.end());
  bytes.push_back(0);
  return bytes;
}

int32_t RegReadString(Registry& registry, HKEY root, std::string_view path, std::string_view name,
                      std::string* value) {
  ScopedKey key(registry);
  int32_t error = registry.OpenKey(root, path, KEY_READ, &key);
  if (error != ERROR_SUCCESS) return error;
  uint32_t type = 0;
  uint32_t length = 0;
  error = registry.QueryValue(key.get(), name, &type, nullptr, &length);
  if (error != ERROR_SUCCESS) return error;
  std::vector<uint8_t> data(length);
  error = registry.QueryValue(key.get(), name, &type, data.data(), &length);
  if (error != ERROR_SUCCESS) return error;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_PARAMETER;
  *value = RegStringFromBytes(data.data(), length);
  return ERROR_SUCCESS;
}

int32_t RegWriteString(Registry& registry, HKEY root, std::string_view path, std::string_view name,
                       std::string_view value) {
  ScopedKey key(registry);
  int32_t error = registry.CreateKey(root, path, KEY_WRITE, &key);
  if (error != ERROR_SUCCESS) return error;
  auto bytes = RegBytesFromString(value);
  return registry.SetValue(key.get(), name, REG_SZ, bytes.data(),
                           static_cast<uint32_t>(bytes.size()));
}

int32_t RegReadDword(Registry& registry, HKEY root, std::string_view path, std::string_view name,
                     uint32_t* value) {
  ScopedKey key(registry);
  int32_t error = registry.OpenKey(root, path, KEY_READ, &key);
  if (error != ERROR_SUCCESS) return error;
  uint32_t type = 0;
  uint8_t data[4];
  uint32_t length = sizeof(data);
  error = registry.QueryValue(key.get(), name, &type, data, &length);
  if (error != ERROR_SUCCESS) return error;
  if (type != REG_DWORD || length != 4) return ERROR_INVALID_PARAMETER;
  std::memcpy(value, data, 4);
  return ERROR_SUCCESS;
}

}  // namespace kavo9
