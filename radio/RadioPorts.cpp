#include "radio/RadioPorts.h"

#include <charconv>

#include "common/platform/ProfileString.h"
#include "common/platform/WinTypes.h"

namespace kavo9::radio {

bool ReadNumber(RadioStorePort& store, RadioKey key, std::string_view name, long* value) {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  if (!store.QueryValue(key, name, &type, &data)) return false;
  if (type == REG_DWORD) {
    if (data.size() < 4) return false;
    *value = long(int32_t(data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24));
    return true;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
  text = text.substr(0, text.find('\0'));
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  long parsed = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end == text.data()) return false;
  *value = parsed;
  return true;
}

bool ReadDword(RadioStorePort& store, RadioKey key, std::string_view name, uint32_t* value) {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  if (!store.QueryValue(key, name, &type, &data)) return false;
  if (type != REG_DWORD || data.size() < 4) return false;
  *value = data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24;
  return true;
}

bool WriteDecimal(RadioStorePort& store, RadioKey key, std::string_view name, long value) {
  std::string text = std::to_string(value);
  return store.StoreSetValue(key, name, REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()),
                             uint32_t(text.size() + 1)) == ERROR_SUCCESS;
}

bool WriteDword(RadioStorePort& store, RadioKey key, std::string_view name, uint32_t value) {
  uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                      uint8_t(value >> 24)};
  return store.StoreSetValue(key, name, REG_DWORD, bytes, 4) == ERROR_SUCCESS;
}

}  // namespace kavo9::radio
