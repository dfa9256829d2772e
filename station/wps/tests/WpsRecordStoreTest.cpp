#include "station/wps/WpsRecordStore.h"

#include <gtest/gtest.h>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/testing/DirectStore.h"

namespace kavo9::wps {
namespace {

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0003";

class WpsRecordStoreTest : public testing::Test {
 protected:
  WpsRecordStoreTest() {
    adapter.identity.registryKey = kKey;
    ScopedKey key(*fake.registry);
    fake.registry->CreateKey(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS, &key);
  }
  std::optional<std::vector<uint8_t>> Raw(const std::string& path, std::string_view name) {
    ScopedKey key(*fake.registry);
    if (fake.registry->OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::vector<uint8_t> data(512);
    uint32_t length = uint32_t(data.size());
    if (fake.registry->QueryValue(key.get(), name, nullptr, data.data(), &length) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    data.resize(length);
    return data;
  }
  std::optional<std::string> Text(const std::string& path, std::string_view name) {
    auto raw = Raw(path, name);
    if (!raw) return std::nullopt;
    return RegStringFromBytes(raw->data(), raw->size());
  }
  void Put(const std::string& path, std::string_view name, std::string_view text) {
    ScopedKey key(*fake.registry);
    fake.registry->CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    const auto bytes = RegBytesFromString(text);
    fake.registry->SetValue(key.get(), name, REG_SZ, bytes.data(), uint32_t(bytes.size()));
  }
  std::string Slot(int i) {
    return std::string(kKey) + "\\WscProfile\\Profile" + std::to_string(i);
  }

  static WpsState TwoCredentials() {
    WpsState s;
    s.Mode = ConfigMode::kRegistrar;
    s.PinCode = 12345670;
    s.Band = 1;
    s.Bssid = {0, 0x1F, 0x33, 0x4B, 0, 4};
    s.Channel = 11;
    WpsCredential a;
    a.SetSsid("home");
    a.AuthType = kAuthWpa2Psk;
    a.EncryType = kEncryAes;
    a.KeyIndex = 1;
    a.SetKey("correct horse");
    a.MacAddress = {1, 2, 3, 4, 5, 6};
    WpsCredential b;
    b.SetSsid("lab");
    b.AuthType = kAuthOpen;
    b.EncryType = kEncryWep;
    b.SetKey("0123456789");
    s.Table.Add(a);
    s.Table.Add(b);
    return s;
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  DirectStore store{*fake.registry};
  WpsRecordStore record{{adapter, *fake.registry, store}};
};

TEST_F(WpsRecordStoreTest, SaveWritesAllEightSlotsAndLoadReadsTheCountedOnesBack) {
  const WpsState saved = TwoCredentials();
  record.SaveWpsRecord(saved);
  const std::string base = std::string(kKey) + "\\WscProfile";
  EXPECT_EQ(Text(base, "NumberofProfile"), "2");
  EXPECT_EQ(Text(base, "ConfigMode"), "1");
  EXPECT_EQ(Text(base, "Wireless Mode"), "1");
  EXPECT_EQ(Text(base, "PinCode"), "12345670");
  EXPECT_EQ(Text(base, "Channel"), "11");
  EXPECT_EQ(Raw(base, "Bssid"), (std::vector<uint8_t>{0, 0x1F, 0x33, 0x4B, 0, 4}));
  EXPECT_EQ(Text(Slot(0), "Key"), "correct horse");
  EXPECT_EQ(Text(Slot(0), "KeyLength"), "13");
  for (int i = 2; i < 8; ++i) {
    EXPECT_EQ(Text(Slot(i), "SSID"), "") << i;
    EXPECT_EQ(Text(Slot(i), "Key"), "") << i;
    EXPECT_EQ(Text(Slot(i), "AuthType"), "0") << i;
    EXPECT_EQ(Raw(Slot(i), "MacAddress"), std::vector<uint8_t>(6, 0)) << i;
  }

  WpsState loaded;
  Put(kKey, "WSC", "1");
  record.LoadWpsRecord(loaded);
  EXPECT_TRUE(loaded.WscInUse);
  EXPECT_EQ(loaded.Table, saved.Table);
  EXPECT_EQ(loaded.Mode, ConfigMode::kRegistrar);
  EXPECT_EQ(loaded.PinCode, 12345670u);
  EXPECT_EQ(loaded.Band, 1u);
  EXPECT_EQ(loaded.Bssid, saved.Bssid);
  EXPECT_EQ(loaded.Channel, 11u);
}

TEST_F(WpsRecordStoreTest, LoadClampsStoredCountsAndLengths) {
  const std::string base = std::string(kKey) + "\\WscProfile";
  Put(base, "NumberofProfile", "4000000000");
  Put(Slot(0), "SSID", std::string(40, 's'));
  Put(Slot(0), "KeyLength", "300");
  Put(Slot(0), "Key", std::string(100, 'k'));
  Put(Slot(1), "KeyLength", "8");
  Put(Slot(1), "Key", "abc");  // shorter than its length: the rest stays zero
  WpsState s;
  record.LoadWpsRecord(s);
  EXPECT_EQ(s.Table.Count, 8u);
  EXPECT_EQ(s.Table.Slots[0].SsidLength, 32u);
  EXPECT_EQ(s.Table.Slots[0].KeyLength, 64u);
  EXPECT_EQ(s.Table.Slots[0].KeyText(), std::string(64, 'k'));
  EXPECT_EQ(s.Table.Slots[1].KeyLength, 8u);
  EXPECT_EQ(s.Table.Slots[1].Key[2], 'c');
  EXPECT_EQ(s.Table.Slots[1].Key[3], 0);
  EXPECT_FALSE(s.WscInUse);
}

TEST_F(WpsRecordStoreTest, AMissingRecordLeavesAnEmptyTableAndDefaults) {
  WpsState s = TwoCredentials();
  Put(kKey, "WSC", "1");
  record.LoadWpsRecord(s);
  EXPECT_TRUE(s.WscInUse);
  EXPECT_TRUE(s.Table.Empty());
  EXPECT_EQ(s.Bssid, (std::array<uint8_t, 6>{}));
  EXPECT_EQ(s.Channel, 1u);
}

TEST_F(WpsRecordStoreTest, SaveWscInUseWritesTheFlagAndReloadsTheLastNetwork) {
  WpsState s = TwoCredentials();
  record.SaveWpsRecord(s);
  s.Bssid = {};
  s.Channel = 3;
  s.WscInUse = true;
  record.SaveWscInUse(s);
  EXPECT_EQ(Text(kKey, "WSC"), "1");
  EXPECT_EQ(s.Bssid[5], 4);
  EXPECT_EQ(s.Channel, 11u);
}

TEST_F(WpsRecordStoreTest, RefusedWritesAreSkippedOneByOne) {
  store.refusedNames = {"PinCode", "Key"};
  record.SaveWpsRecord(TwoCredentials());
  const std::string base = std::string(kKey) + "\\WscProfile";
  EXPECT_FALSE(Text(base, "PinCode"));
  EXPECT_EQ(Text(base, "Channel"), "11");
  EXPECT_FALSE(Text(Slot(0), "Key"));
  EXPECT_EQ(Text(Slot(0), "KeyLength"), "13");
}

}  // namespace
}  // namespace kavo9::wps
