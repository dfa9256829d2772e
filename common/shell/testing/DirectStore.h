#pragma once
// A parameter store for tests that writes straight into the registry, counts its writes and can
// be told to refuse one: the `failWrite`-th value write (1 = the first) fails with access denied,
// and so does every write of a value named in `refusedNames`.

#include <strings.h>

#include <set>
#include <string>
#include <vector>

#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"

namespace kavo9 {

class DirectStore : public StorePort {
 public:
  explicit DirectStore(Registry& registry) : registry_(registry) {}

  int failWrite = 0;
  std::set<std::string> refusedNames;
  int valueWrites = 0;
  std::vector<std::string> written;  // "path|name" of each value write that succeeded

  void Bind(bool, bool) override {}
  void SetAdministrator(bool) override {}
  int32_t SetValue(std::string_view path, std::string_view name, uint32_t type, const uint8_t* data,
                   uint32_t length, Area) override {
    ++valueWrites;
    if (valueWrites == failWrite || refusedNames.count(std::string(name))) {
      return ERROR_ACCESS_DENIED;
    }
    ScopedKey key(registry_);
    int32_t error = registry_.CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    if (error != ERROR_SUCCESS) return error;
    error = registry_.SetValue(key.get(), name, type, data, length);
    if (error == ERROR_SUCCESS) written.push_back(std::string(path) + "|" + std::string(name));
    return error;
  }
  int32_t DeleteValue(std::string_view path, std::string_view name, Area) override {
    ScopedKey key(registry_);
    int32_t error = registry_.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    return error != ERROR_SUCCESS ? error : registry_.DeleteValue(key.get(), name);
  }
  int32_t CreateKey(std::string_view path, Area) override {
    ScopedKey key(registry_);
    return registry_.CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
  }
  int32_t DeleteTree(std::string_view path, Area) override {
    return registry_.DeleteTree(HKEY_LOCAL_MACHINE, path);
  }
  bool CanWrite(std::string_view, uint32_t, Area) override { return true; }
  void Release() override {}

 private:
  Registry& registry_;
};

}  // namespace kavo9
