// The hand-over's registry copies: only the record's own values leave "ApDefault", values of any
// size travel whole, and a copy that fails half way leaves the destination as it was.

#include <gtest/gtest.h>

#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/AccessPointRecord.h"
#include "common/shell/AdapterKey.h"
#include "common/shell/ModeHandOver.h"
#include "common/shell/testing/DirectStore.h"

namespace kavo9 {
namespace {

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class HandOver : public ::testing::Test {
 protected:
  void Put(const std::string& path, const std::string& name, const std::string& text) {
    ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, path, name, text), ERROR_SUCCESS);
  }
  std::string Get(const std::string& path, const std::string& name) {
    std::string text;
    return ReadMachineText(*fake.registry, path, name, &text) ? text : "<missing>";
  }
  std::string Ap() { return SubkeyPath(kKey, kAccessPointValuesSubkey); }
  std::string Saved() { return SubkeyPath(kKey, kStationValuesSubkey); }

  FakePlatform fake;
  DirectStore store{*fake.registry};
};

TEST_F(HandOver, OnlyTheRecordsOwnValuesLeaveApDefault) {
  Put(kKey, "NetCfgInstanceId", "{GUID-OF-THE-ADAPTER}");
  Put(Ap(), "SSID", "SoftAP-3F");
  Put(Ap(), "NetCfgInstanceId", "{PLANTED}");
  Put(Ap(), "DriverDesc", "planted");
  EXPECT_TRUE(LoadAccessPointValues(*fake.registry, store, kKey));
  EXPECT_EQ(Get(kKey, "SSID"), "SoftAP-3F");
  EXPECT_EQ(Get(kKey, "NetCfgInstanceId"), "{GUID-OF-THE-ADAPTER}");
  EXPECT_EQ(Get(kKey, "DriverDesc"), "<missing>");
}

TEST_F(HandOver, TheStationValuesLeaveTheAdaptersIdentityAndModeAlone) {
  Put(kKey, "NetCfgInstanceId", "{GUID-OF-THE-ADAPTER}");
  Put(kKey, "Channel", "6");
  Put(kKey, "OpMode", "0");
  EXPECT_TRUE(SaveStationValues(*fake.registry, store, kKey));
  EXPECT_EQ(Get(Saved(), "Channel"), "6");
  EXPECT_EQ(Get(Saved(), "NetCfgInstanceId"), "<missing>");
  Put(Saved(), "NetCfgInstanceId", "{PLANTED}");
  Put(Saved(), "OpMode", "1");
  Put(kKey, "Channel", "11");
  EXPECT_TRUE(RestoreStationValues(*fake.registry, store, kKey));
  EXPECT_EQ(Get(kKey, "Channel"), "6");
  EXPECT_EQ(Get(kKey, "NetCfgInstanceId"), "{GUID-OF-THE-ADAPTER}");
  EXPECT_EQ(Get(kKey, "OpMode"), "0");
}

TEST_F(HandOver, ValuesOfAnySizeAreCopiedWhole) {
  const std::string longText(5000, 'k');
  Put(Ap(), "WPAPSK", longText);
  std::vector<uint8_t> list(13 * 32 + 1, '0');
  for (size_t i = 12; i < list.size(); i += 13) list[i] = 0;
  {
    ScopedKey key(*fake.registry);
    ASSERT_EQ(fake.registry->OpenKey(HKEY_LOCAL_MACHINE, Ap(), KEY_ALL_ACCESS, &key), 0);
    ASSERT_EQ(fake.registry->SetValue(key.get(), "AccessControlList", REG_MULTI_SZ, list.data(),
                                      uint32_t(list.size())),
              0);
  }
  Put(kKey, "Channel", "1");
  ASSERT_TRUE(LoadAccessPointValues(*fake.registry, store, kKey));
  ScopedKey key(*fake.registry);
  ASSERT_EQ(fake.registry->OpenKey(HKEY_LOCAL_MACHINE, kKey, KEY_READ, &key), 0);
  std::vector<uint8_t> data(8192);
  uint32_t length = uint32_t(data.size());
  uint32_t type = 0;
  ASSERT_EQ(fake.registry->QueryValue(key.get(), "WPAPSK", &type, data.data(), &length), 0);
  EXPECT_EQ(length, longText.size() + 1);
  length = uint32_t(data.size());
  ASSERT_EQ(fake.registry->QueryValue(key.get(), "AccessControlList", &type, data.data(), &length),
            0);
  EXPECT_EQ(length, list.size());
}

// A refused write half way: the values already written get their old texts back, new ones go.
TEST_F(HandOver, AFailedWriteLeavesTheDestinationAsItWas) {
  for (bool restore : {false, true}) {
    SCOPED_TRACE(restore ? "Default into the adapter key" : "ApDefault into the adapter key");
    DirectStore failing(*fake.registry);
    const std::string source = restore ? Saved() : Ap();
    Put(kKey, "SSID", "home");
    Put(kKey, "Channel", "6");
    Put(source, "SSID", "other");
    Put(source, "Channel", "11");
    Put(source, "HideSSID", "1");
    failing.failWrite = 3;
    const bool copied = restore ? RestoreStationValues(*fake.registry, failing, kKey)
                                : LoadAccessPointValues(*fake.registry, failing, kKey);
    EXPECT_FALSE(copied);
    EXPECT_EQ(Get(kKey, "SSID"), "home");
    EXPECT_EQ(Get(kKey, "Channel"), "6");
    EXPECT_EQ(Get(kKey, "HideSSID"), "<missing>");
  }
}

TEST_F(HandOver, AMissingSourceSkipsTheCopy) {
  Put(kKey, "Channel", "6");
  EXPECT_FALSE(RestoreStationValues(*fake.registry, store, kKey));
  EXPECT_FALSE(LoadAccessPointValues(*fake.registry, store, kKey));
  EXPECT_EQ(store.valueWrites, 0);
}

TEST(AccessPointRecord, IsCreatedOnceWithTheAdaptersAddressInItsName) {
  for (bool ht : {false, true}) {
    SCOPED_TRACE(ht ? "802.11n" : "802.11g");
    FakePlatform fake;
    DirectStore store(*fake.registry);
    ScriptedDriver driver;
    driver.Answer(OID_802_3_CURRENT_ADDRESS, std::array<uint8_t, 6>{0, 0x0C, 0x43, 1, 2, 0x3F});
    ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, kKey, "Channel", "6"), 0);
    EXPECT_TRUE(CreateAccessPointRecordIfMissing(*fake.registry, store, driver, kKey, ht));
    const std::string ap = SubkeyPath(kKey, kAccessPointValuesSubkey);
    std::string text;
    ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "SSID", &text));
    EXPECT_EQ(text, "SoftAP-3F");
    ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "WirelessMode", &text));
    EXPECT_EQ(text, ht ? "9" : "0");
    ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "BeaconPeriod", &text));
    EXPECT_EQ(text, "100");
    ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "WdsEnable", &text));
    EXPECT_EQ(text, "1");
    EXPECT_EQ(store.valueWrites, 2 + int(AccessPointDefaults().size()));
    for (const AccessPointDefault& d : AccessPointDefaults()) {
      EXPECT_TRUE(IsAccessPointValue(d.name)) << d.name;
    }
    // A second time the record stays as the user left it.
    ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, ap, "SSID", "mine"), 0);
    EXPECT_FALSE(CreateAccessPointRecordIfMissing(*fake.registry, store, driver, kKey, ht));
    ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "SSID", &text));
    EXPECT_EQ(text, "mine");
  }
}

// A partial record (the transmit-burst take-over wrote into a record that was not there) is
// completed; what it holds stays.
TEST(AccessPointRecord, APartialRecordIsCompletedAndKeepsItsValues) {
  FakePlatform fake;
  DirectStore store(*fake.registry);
  ScriptedDriver driver;
  const std::string ap = SubkeyPath(kKey, kAccessPointValuesSubkey);
  ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, ap, "TXBurst", "1"), 0);
  ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, ap, "channel", "11"), 0);
  EXPECT_TRUE(CreateAccessPointRecordIfMissing(*fake.registry, store, driver, kKey, true));
  std::string text;
  ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "Channel", &text));
  EXPECT_EQ(text, "11");
  ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "TXBurst", &text));
  EXPECT_EQ(text, "1");
  ASSERT_TRUE(ReadMachineText(*fake.registry, ap, "SSID", &text));
  EXPECT_EQ(text, "SoftAP-00");
  EXPECT_EQ(store.valueWrites, 2 + int(AccessPointDefaults().size()) - 1);
}

TEST(TsSwapCommandLines, NameBothProgramsAndTheAdapter) {
  EXPECT_EQ(TsSwapCommandLine(kOpModeAccessPoint, "USB\\VID_1D5A&PID_2570"),
            "\"TsSwap.exe\" ON Stavio Hostira \"Norvik Wireless\" \"Kavo9 Utility\" "
            "USB\\VID_1D5A&PID_2570");
  EXPECT_EQ(TsSwapCommandLine(kOpModeStation),
            "\"TsSwap.exe\" OFF Stavio Hostira \"Norvik Wireless\" \"Kavo9 Utility\"");
}

}  // namespace
}  // namespace kavo9
