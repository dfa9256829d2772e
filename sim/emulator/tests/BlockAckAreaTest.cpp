// Block Ack sessions and the station table of a station's driver: what an 802.11n access point
// brings along, what can be added and deleted, and what goes when the link does.
#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

constexpr size_t kRecipientHalf = 1536, kCounts = 3072;

class BlockAckAreaTest : public EmulatorTest {
 protected:
  void SetUp() override {
    EmulatorTest::SetUp();
    NetworkSpec fast;
    fast.ssid = "FastNet";
    fast.bssid = Mac("00-11-22-00-00-0A");
    fast.channel = 1;
    fast.signal = -40;
    fast.ht.enabled = true;
    std::string error;
    ASSERT_TRUE(world.Add(fast, &error)) << error;
  }
  void Join(const char* ssid) {
    ASSERT_EQ(Set(*emulator, OID_802_11_INFRASTRUCTURE_MODE, Le32(1)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_AUTHENTICATION_MODE, Le32(0)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_ENCRYPTION_STATUS, Le32(1)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue(ssid)).status, 0);
  }
  std::vector<uint8_t> Table() { return Query(*emulator, OID_VND_BLOCK_ACK, 3076).data; }
  static std::vector<uint8_t> Request(uint8_t side, const char* peer, uint8_t tid, uint8_t window,
                                      uint8_t all = 0) {
    std::vector<uint8_t> r(14, 0);
    r[0] = side;
    const MacAddress mac = Mac(peer);
    std::copy(mac.begin(), mac.end(), r.begin() + 1);
    r[7] = tid, r[8] = window, r[12] = all;
    return r;
  }
};

TEST_F(BlockAckAreaTest, AnHtAccessPointBringsSessionsAndTheStationTableListsIt) {
  Join("FastNet");
  std::vector<uint8_t> t = Table();
  ASSERT_EQ(t.size(), 3076u);
  EXPECT_EQ(t[kCounts], 1);
  EXPECT_EQ(t[kCounts + 1], 1);
  EXPECT_EQ(t[5], 0x0A);
  EXPECT_EQ(t[6], 0x01);  // TID 0
  EXPECT_EQ(t[8], 64);
  EXPECT_EQ(t[kRecipientHalf + 5], 0x0A);

  Reply table = Query(*emulator, OID_VND_MAC_TABLE, 324);
  ASSERT_EQ(table.status, 0);
  EXPECT_EQ(table.U32(), 1u);
  EXPECT_EQ(table.data[4 + 5], 0x0A);

  // Leaving takes them along.
  ASSERT_EQ(Set(*emulator, OID_802_11_DISASSOCIATE, {}).status, 0);
  t = Table();
  EXPECT_EQ(t[kCounts], 0);
  EXPECT_EQ(Query(*emulator, OID_VND_MAC_TABLE, 324).U32(), 0u);
}

TEST_F(BlockAckAreaTest, AddsAndDeletesByTidAndPeer) {
  Join("FastNet");
  const char* ap = "00-11-22-00-00-0A";
  EXPECT_EQ(Set(*emulator, OID_VND_BLOCK_ACK, Request(0, ap, 5, 32)).status, 0);
  std::vector<uint8_t> t = Table();
  EXPECT_EQ(t[6], 0x21);
  EXPECT_EQ(t[8 + 5], 32);
  // Not a peer, a window too large, a TID past 7: refused.
  EXPECT_EQ(Set(*emulator, OID_VND_BLOCK_ACK, Request(0, "00-11-22-00-00-01", 1, 32)).status,
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Set(*emulator, OID_VND_BLOCK_ACK, Request(0, ap, 1, 65)).status,
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Set(*emulator, OID_VND_BLOCK_ACK, Request(0, ap, 8, 32)).status,
            ERROR_INVALID_PARAMETER);

  EXPECT_EQ(Set(*emulator, OID_VND_DELETE_BLOCK_ACK, Request(0, ap, 0, 0)).status, 0);
  t = Table();
  EXPECT_EQ(t[6], 0x20);
  EXPECT_EQ(Set(*emulator, OID_VND_DELETE_BLOCK_ACK, Request(1, ap, 0, 0, 1)).status, 0);
  t = Table();
  EXPECT_EQ(t[kCounts + 1], 0);
  EXPECT_EQ(t[kCounts], 1);
  // The deleted automatic session does not come back while the link lasts.
  EXPECT_EQ(Table()[kCounts + 1], 0);
}

TEST_F(BlockAckAreaTest, ANetworkWithoutHtOrAggregationOffBringsNone) {
  Join("Cafe");
  EXPECT_EQ(Table()[kCounts], 0);
  EXPECT_EQ(Query(*emulator, OID_VND_MAC_TABLE, 324).U32(), 1u);  // still the access point
  ASSERT_EQ(Set(*emulator, OID_802_11_DISASSOCIATE, {}).status, 0);
  ASSERT_EQ(Set(*emulator, OID_VND_HT_OPTIONS, std::vector<uint8_t>{0, 0, 2, 0, 0, 0, 3, 1}).status,
            0);
  Join("FastNet");
  EXPECT_EQ(Table()[kCounts], 0);
  EXPECT_EQ(Set(*emulator, OID_VND_BLOCK_ACK, Request(0, "00-11-22-00-00-0A", 0, 32)).status,
            ERROR_NOT_SUPPORTED);
}

}  // namespace
}  // namespace kavo9::test
