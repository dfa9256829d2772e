#pragma once
// An adapter key in a fake registry, a scripted driver and the process state, for the apply and
// start-up steps.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/AdapterKey.h"
#include "common/shell/testing/DirectStore.h"
#include "softap/apply/ApDriverRecords.h"
#include "softap/record/ApRuntimeState.h"

namespace kavo9::softap {

inline constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class ApplyFixture : public ::testing::Test {
 protected:
  ApplyFixture() {
    state.adapterKeyPath = kKey;
    state.htCapable = true;
    state.bandASupported = true;
    driver.Answer(OID_802_3_CURRENT_ADDRESS, Mac{0x00, 0x0C, 0x43, 0x12, 0x34, 0x3F});
    driver.Answer(OID_802_11_CONFIGURATION, std::array<uint8_t, 32>{32});
    driver.Answer(OID_VND_AP_CONFIG, std::array<uint8_t, 32>{});
  }
  void Put(const std::string& name, const std::string& text, std::string path = kKey) {
    ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, path, name, text), ERROR_SUCCESS);
  }
  void PutList(const std::string& name, const std::vector<std::string>& entries) {
    std::vector<uint8_t> data;
    for (const auto& e : entries) {
      data.insert(data.end(), e.begin(), e.end());
      data.push_back(0);
    }
    data.push_back(0);
    ScopedKey key(*fake.registry);
    ASSERT_EQ(fake.registry->CreateKey(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS, &key), 0);
    ASSERT_EQ(
        fake.registry->SetValue(key.get(), name, REG_MULTI_SZ, data.data(), uint32_t(data.size())),
        0);
  }
  std::string Get(const std::string& name, std::string path = kKey) {
    std::string text;
    return ReadMachineText(*fake.registry, path, name, &text) ? text : "<missing>";
  }
  std::vector<uint8_t> Last(uint32_t oid) {
    auto it = driver.lastSet.find(oid);
    return it == driver.lastSet.end() ? std::vector<uint8_t>{} : it->second;
  }
  uint32_t Last32(uint32_t oid, size_t offset = 0) { return GetLe32At(Last(oid), offset); }

  FakePlatform fake;
  DirectStore store{*fake.registry};
  ScriptedDriver driver;
  ApRuntimeState state;
};

}  // namespace kavo9::softap
