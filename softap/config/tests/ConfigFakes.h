#pragma once
// The settings file and the controller as the configuration page's tests give them.

#include <map>
#include <string>
#include <vector>

#include "softap/config/ConfigPage.h"

namespace kavo9::softap {

struct FakeSettings : SettingsPort {
  std::map<std::string, std::string, std::less<>> values;
  std::string Read(std::string_view, std::string_view key,
                   std::string_view fallback) const override {
    auto it = values.find(key);
    return it == values.end() ? std::string(fallback) : it->second;
  }
};

struct FakeHost : ConfigPageHost {
  std::vector<int> messages;
  int startups = 0;
  void ShowMessage(int id) override { messages.push_back(id); }
  void RunStartupSequence() override { ++startups; }
};

}  // namespace kavo9::softap
