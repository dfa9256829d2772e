#pragma once
// A machine for the single-sign-on tests: an in-memory registry, a store that writes straight
// into it, an adapter key with profiles, and recorders for messages and activations.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/testing/DirectStore.h"
#include "station/dot1x/sso/SsoRecord.h"
#include "station/networks/profiles/ProfileStore.h"

namespace kavo9::sso::testing {

inline constexpr const char* kAdapterKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct Recorders : TextPort, profiles::ProfileMessagePort {
  std::vector<std::string> messages;
  std::string Text(std::string_view) const override { return {}; }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
};

// The kind of profile a test stores.
enum class Kind { kEapFast, kLeap, kLeapAndEapFast, kPsk };

class SsoFixture : public ::testing::Test {
 protected:
  SsoFixture() : store(*fake.registry), adapter(driver) {
    adapter.identity.registryKey = kAdapterKey;
    RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, kAdapterKey, "DriverDesc",
                   "Wireless LAN Card");
  }

  void AddProfile(const std::string& name, Kind kind, const std::string& ssid = "corp") {
    profiles::ProfileValues values;
    values.Set("SSID", ssid);
    values.Set("AuthenProtocol",
               kind == Kind::kEapFast || kind == Kind::kLeapAndEapFast ? "3" : "0");
    values.Set("LeapEnabled", kind == Kind::kLeap || kind == Kind::kLeapAndEapFast ? "1" : "0");
    if (kind == Kind::kPsk) values.Set("AuthenType", "4");
    ASSERT_TRUE(profileStore.WriteProfile(name, values));
  }
  void PutSso(const char* name, const std::string& text) {
    RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, kSsoKey, name, text);
  }
  void PutGina(const std::string& text) {
    RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, kWinlogonKey, kGinaValue, text);
  }
  std::optional<std::string> Sso(const char* name) { return ReadSsoValue(*fake.registry, name); }
  std::optional<std::string> Gina() {
    std::string text;
    if (RegReadString(*fake.registry, HKEY_LOCAL_MACHINE, kWinlogonKey, kGinaValue, &text) != 0) {
      return std::nullopt;
    }
    return text;
  }
  // A subkey the logon component keeps in the key.
  void PutSubkey(const std::string& name) {
    RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, std::string(kSsoKey) + "\\" + name, "State",
                   "x");
  }
  std::vector<std::string> Subkeys() {
    std::vector<std::string> names;
    ScopedKey key(*fake.registry);
    if (fake.registry->OpenKey(HKEY_LOCAL_MACHINE, kSsoKey, KEY_READ, &key) != 0) return names;
    std::string name;
    for (uint32_t i = 0; fake.registry->EnumKey(key.get(), i, &name) == 0; ++i) {
      names.push_back(name);
    }
    return names;
  }

  FakePlatform fake;
  DirectStore store;
  ScriptedDriver driver;
  FakeAdapter adapter;
  Recorders recorders;
  profiles::ProfileStore profileStore{{adapter, *fake.registry, store, recorders, recorders}};
};

}  // namespace kavo9::sso::testing
