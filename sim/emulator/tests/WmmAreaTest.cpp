// The power-save word and direct links of a station's driver.
#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

class WmmAreaTest : public EmulatorTest {
 protected:
  void JoinCafe() {
    ASSERT_EQ(Set(*emulator, OID_802_11_INFRASTRUCTURE_MODE, Le32(1)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_AUTHENTICATION_MODE, Le32(0)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_ENCRYPTION_STATUS, Le32(1)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  }
  void Switches(bool wmm, bool dls) {
    ASSERT_EQ(Set(*emulator, OID_VND_WMM_ENABLE, {uint8_t(wmm)}).status, 0);
    ASSERT_EQ(Set(*emulator, OID_VND_DLS_CAPABLE, Le32(dls)).status, 0);
  }
  static std::vector<uint8_t> Entry(const char* peer, uint16_t timeout, uint8_t inUse) {
    std::vector<uint8_t> e(12, 0);
    e[0] = uint8_t(timeout), e[1] = uint8_t(timeout >> 8);
    const MacAddress mac = Mac(peer);
    std::copy(mac.begin(), mac.end(), e.begin() + 4);
    e[11] = inUse;
    return e;
  }
  // The status bytes of the four entries.
  std::vector<uint8_t> Statuses() {
    Reply r = Query(*emulator, OID_VND_DLS_LINKS, 48);
    std::vector<uint8_t> s;
    for (size_t at = 0; at + 12 <= r.data.size(); at += 12) s.push_back(r.data[at + 10]);
    return s;
  }
};

TEST_F(WmmAreaTest, ThePowerSaveWordKeepsTheDriversOwnBits) {
  EXPECT_EQ(Query(*emulator, OID_VND_APSD).U32(), 0x40u);
  ASSERT_EQ(Set(*emulator, OID_VND_APSD, Le32(0x13 | 0x20)).status, 0);
  EXPECT_EQ(Query(*emulator, OID_VND_APSD).U32(), 0x53u);
}

TEST_F(WmmAreaTest, APeerAcceptsOnlyWhileWmmAndDlsAreOn) {
  JoinCafe();
  Switches(true, false);
  const char* peer = "00-0C-43-00-00-02";
  ASSERT_EQ(Set(*emulator, OID_VND_DLS_LINKS, Entry(peer, 60, 1)).status, 0);
  EXPECT_EQ(Statuses(), (std::vector<uint8_t>{1, 0, 0, 0}));  // pending
  Switches(true, true);
  EXPECT_EQ(Statuses(), (std::vector<uint8_t>{2, 0, 0, 0}));
  Reply r = Query(*emulator, OID_VND_DLS_LINKS, 48);
  EXPECT_EQ(r.data[0], 60);
  EXPECT_EQ(r.data[9], 0x02);
  EXPECT_EQ(r.data[11], 1);
  // Tear down, then a link that WMM's switch takes down.
  ASSERT_EQ(Set(*emulator, OID_VND_DLS_LINKS, Entry(peer, 60, 0)).status, 0);
  EXPECT_EQ(Statuses(), (std::vector<uint8_t>{0, 0, 0, 0}));
  ASSERT_EQ(Set(*emulator, OID_VND_DLS_LINKS, Entry(peer, 60, 1)).status, 0);
  Switches(false, true);
  EXPECT_EQ(Statuses(), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST_F(WmmAreaTest, RefusesGroupOwnAndAccessPointAddressesAndNeedsAnAssociation) {
  Switches(true, true);
  EXPECT_EQ(Set(*emulator, OID_VND_DLS_LINKS, Entry("00-0C-43-00-00-02", 60, 1)).status,
            ERROR_NOT_SUPPORTED);
  JoinCafe();
  for (const char* bad : {"01-00-5E-00-00-01", "00-1D-5A-30-70-01", "00-11-22-00-00-01"}) {
    EXPECT_EQ(Set(*emulator, OID_VND_DLS_LINKS, Entry(bad, 60, 1)).status, ERROR_INVALID_PARAMETER)
        << bad;
  }
}

}  // namespace
}  // namespace kavo9::test
