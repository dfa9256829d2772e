#include "station/dot1x/ccx/CcxSettingsWord.h"

#include <gtest/gtest.h>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/dot1x/ccx/CcxControl.h"

namespace kavo9::ccx {
namespace {

constexpr const char* kAdapterKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct JoinFormCase {
  const char* name;
  uint32_t word;
  bool bssidBound;
  uint32_t sent;
};

TEST(CcxSettingsWord, ABssidBoundJoinGetsNoFastRoamingAndTheFixedThreshold) {
  const JoinFormCase cases[] = {
      {"free join keeps every bit", 0xFFFFFFFF, false, 0xFFFFFFFF},
      {"free join of zero", 0, false, 0},
      {"bound join of zero", 0, true, 0x0000FA00},
      {"bound join clears fast roaming", 0x0000463F, true, 0x0000FA1F},
      {"bound join of all bits", 0xFFFFFFFF, true, 0xFFFFFADF},
      {"bound join keeps the limit", 0x00FA4621, true, 0x00FAFA01},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CcxControlForJoin(c.word, c.bssidBound), c.sent) << c.name;
  }
}

TEST(CcxSettingsWord, TheLeapCckmSwitchIsBitOne) {
  EXPECT_TRUE(LeapTurnsOnCckm(0x2));
  EXPECT_TRUE(LeapTurnsOnCckm(0x3));
  EXPECT_FALSE(LeapTurnsOnCckm(0x1));
  EXPECT_FALSE(LeapTurnsOnCckm(0xFFFFFFFD));
}

class CcxWordReading : public ::testing::Test {
 protected:
  void Put(uint32_t type, std::vector<uint8_t> bytes) {
    ScopedKey key(*fake.registry);
    ASSERT_EQ(fake.registry->CreateKey(HKEY_LOCAL_MACHINE, kAdapterKey, KEY_ALL_ACCESS, &key), 0);
    ASSERT_EQ(fake.registry->SetValue(key.get(), kCcxSettingsValue, type, bytes.data(),
                                      uint32_t(bytes.size())),
              0);
  }
  FakePlatform fake;
};

TEST_F(CcxWordReading, TakesTheFirstFourBytesLittleEndianWhateverTheType) {
  struct Case {
    const char* name;
    uint32_t type;
    std::vector<uint8_t> bytes;
    uint32_t word;
  };
  const Case cases[] = {
      {"dword", REG_DWORD, {0x21, 0x46, 0xFA, 0x00}, 0x00FA4621},
      {"longer binary", REG_BINARY, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, 0x04030201},
      {"text", REG_SZ, {'1', '2', '3', '4', '5', 0}, 0x34333231},
      {"two bytes", REG_BINARY, {0x03, 0x01}, 0x0103},
      {"empty", REG_BINARY, {}, 0},
  };
  for (const auto& c : cases) {
    Put(c.type, c.bytes);
    const CcxWord read = ReadCcxSettingsWord(*fake.registry, kAdapterKey);
    EXPECT_TRUE(read.found) << c.name;
    EXPECT_EQ(read.word, c.word) << c.name;
  }
}

TEST_F(CcxWordReading, AMissingValueOrKeyReadsAsZero) {
  EXPECT_FALSE(ReadCcxSettingsWord(*fake.registry, kAdapterKey).found);
  EXPECT_FALSE(ReadCcxSettingsWord(*fake.registry, "").found);
  ScopedKey key(*fake.registry);
  ASSERT_EQ(fake.registry->CreateKey(HKEY_LOCAL_MACHINE, kAdapterKey, KEY_ALL_ACCESS, &key), 0);
  const CcxWord read = ReadCcxSettingsWord(*fake.registry, kAdapterKey);
  EXPECT_FALSE(read.found);
  EXPECT_EQ(read.word, 0u);
}

TEST_F(CcxWordReading, TheControlSendsTheRecordsWordAndThenTheStoredOneInTheJoinsForm) {
  ScriptedDriver driver;
  FakeAdapter adapter(driver);
  adapter.identity.registryKey = kAdapterKey;
  CcxControl control(driver, *fake.registry, adapter);

  control.RefreshControl(true);  // nothing stored: 0 in the bound form
  Put(REG_DWORD, {0x23, 0x46, 0, 0});
  control.SendControl(0x0000461F, false);
  control.RefreshControl(false);
  control.RefreshControl(true);

  std::vector<uint32_t> sent;
  for (const DriverRequest& r : driver.log) {
    ASSERT_TRUE(r.set);
    ASSERT_EQ(r.oid, OID_VND_CCX_CONTROL);
    ASSERT_EQ(r.value.size(), 4u);
    EXPECT_EQ(r.attempts, kSetAttempts);
    uint32_t word = 0;
    std::memcpy(&word, r.value.data(), 4);
    sent.push_back(word);
  }
  EXPECT_EQ(sent, (std::vector<uint32_t>{0xFA00, 0x461F, 0x4623, 0xFA03}));
}

}  // namespace
}  // namespace kavo9::ccx
