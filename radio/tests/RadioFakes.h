#pragma once
// An in-memory registry of the radio keys (the scripted driver is common/adapter/testing).

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/WinTypes.h"
#include "radio/RadioPorts.h"

namespace kavo9::radio::test {

class MemoryStore : public RadioStorePort {
 public:
  struct Value {
    uint32_t type;
    std::vector<uint8_t> data;
  };
  std::map<RadioKey, std::map<std::string, Value>> keys;
  std::map<RadioKey, bool> unopenable;
  std::vector<std::string> writes;        // "key:name" in order, deletes as "-key:name"
  std::vector<std::string> refusedNames;  // writes of these names fail

  bool CanOpen(RadioKey key, bool) override { return !unopenable[key]; }
  bool QueryValue(RadioKey key, std::string_view name, uint32_t* type,
                  std::vector<uint8_t>* data) override {
    if (unopenable[key]) return false;
    auto& values = keys[key];
    auto it = values.find(std::string(name));
    if (it == values.end()) return false;
    *type = it->second.type;
    *data = it->second.data;
    return true;
  }
  int32_t StoreSetValue(RadioKey key, std::string_view name, uint32_t type, const uint8_t* data,
                        uint32_t length) override {
    if (unopenable[key]) return ERROR_ACCESS_DENIED;
    for (const auto& refused : refusedNames) {
      if (refused == name) return ERROR_ACCESS_DENIED;
    }
    writes.push_back(Tag(key) + std::string(name));
    keys[key][std::string(name)] = {type, std::vector<uint8_t>(data, data + length)};
    return ERROR_SUCCESS;
  }
  int32_t StoreDeleteValue(RadioKey key, std::string_view name) override {
    writes.push_back("-" + Tag(key) + std::string(name));
    return keys[key].erase(std::string(name)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  }

  void SetText(RadioKey key, const std::string& name, const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    keys[key][name] = {REG_SZ, data};
  }
  void SetDword(RadioKey key, const std::string& name, uint32_t v) {
    keys[key][name] = {REG_DWORD,
                       {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}};
  }
  std::string Text(RadioKey key, const std::string& name) {
    auto it = keys[key].find(name);
    if (it == keys[key].end()) return "<missing>";
    return std::string(reinterpret_cast<const char*>(it->second.data.data()));
  }
  static std::string Tag(RadioKey key) {
    switch (key) {
      case RadioKey::kAdapter:
        return "";
      case RadioKey::kAdapterDefault:
        return "Default:";
      case RadioKey::kTcpipParameters:
        return "Tcpip:";
    }
    return "";
  }
};

}  // namespace kavo9::radio::test
