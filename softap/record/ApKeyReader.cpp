#include "softap/record/ApKeyReader.h"

#include <cstdlib>
#include <cstring>

namespace kavo9::softap {
namespace {
constexpr uint32_t kMaxRead = 1024;
}

std::optional<std::vector<uint8_t>> ApKeyReader::Raw(std::string_view name, uint32_t* type) const {
  if (path_.empty()) return std::nullopt;
  ScopedKey key(registry_);
  if (registry_.OpenKey(HKEY_LOCAL_MACHINE, path_, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<uint8_t> data(kMaxRead);
  uint32_t length = kMaxRead;
  if (registry_.QueryValue(key.get(), name, type, data.data(), &length) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(length);
  return data;
}

std::optional<std::string> ApKeyReader::Text(std::string_view name) const {
  uint32_t type = 0;
  auto data = Raw(name, &type);
  if (!data || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  const char* text = reinterpret_cast<const char*>(data->data());
  return std::string(text, strnlen(text, data->size()));
}

std::optional<long> ApKeyReader::Number(std::string_view name) const {
  auto text = Text(name);
  if (!text) return std::nullopt;
  return std::atol(text->c_str());
}

std::optional<uint32_t> ApKeyReader::Dword(std::string_view name) const {
  uint32_t type = 0;
  auto data = Raw(name, &type);
  if (!data || type != REG_DWORD || data->size() != 4) return std::nullopt;
  uint32_t value = 0;
  std::memcpy(&value, data->data(), 4);
  return value;
}

std::optional<std::vector<std::string>> ApKeyReader::List(std::string_view name) const {
  uint32_t type = 0;
  auto data = Raw(name, &type);
  if (!data || type != REG_MULTI_SZ) return std::nullopt;
  std::vector<std::string> entries;
  size_t start = 0;
  for (size_t i = 0; i <= data->size(); ++i) {
    if (i < data->size() && (*data)[i] != 0) continue;
    if (i == start) break;  // the list's final zero
    entries.emplace_back(reinterpret_cast<const char*>(data->data()) + start, i - start);
    start = i + 1;
  }
  return entries;
}

bool ApKeyReader::Has(std::string_view name) const {
  if (path_.empty()) return false;
  ScopedKey key(registry_);
  if (registry_.OpenKey(HKEY_LOCAL_MACHINE, path_, KEY_READ, &key) != ERROR_SUCCESS) return false;
  // Whatever its size: a value too long to be read is there all the same.
  uint32_t length = 0;
  const int32_t status = registry_.QueryValue(key.get(), name, nullptr, nullptr, &length);
  return status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
}

}  // namespace kavo9::softap
