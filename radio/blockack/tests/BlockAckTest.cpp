#include <gtest/gtest.h>

#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "radio/blockack/BlockAckPage.h"
#include "radio/tests/RadioFakes.h"

namespace kavo9::radio {
namespace {

TEST(BaCapability, PacksEachByteIntoItsBits) {
  struct Case {
    const char* name;
    HtOptionsRecord record;
    uint32_t word;
  };
  const Case cases[] = {
      {"reserved bytes", {0x12, 0x34, 0, 0, 0, 0, 0, 0}, 0x00003412},
      {"automatic mode", {0, 0, 0, 0, 0, 0, 0, 1}, 1u << 16},
      {"aggregation off", {0, 0, 2, 0, 0, 0, 0, 0}, 2u << 17},
      {"density 7", {0, 0, 0, 7, 0, 0, 0, 0}, 7u << 19},
      {"A-MSDU 7935", {0, 0, 0, 0, 1, 1, 0, 0}, 3u << 22},
      {"SM enable", {0, 0, 0, 0, 0, 0, 3, 0}, 3u << 24},
      {"everything", {0xFF, 0x01, 1, 5, 1, 0, 1, 1}, 0x016B01FF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PackBaCapability(c.record), c.word) << c.name;
    EXPECT_EQ(UnpackBaCapability(c.word), c.record) << c.name;
  }
  // Bits 26-31 carry nothing, and fields wider than their bits are cut.
  EXPECT_EQ(UnpackBaCapability(0xFC000000u), HtOptionsRecord{});
  EXPECT_EQ(PackBaCapability({0, 0, 0, 9, 0, 0, 0, 0}), 1u << 19);
}

TEST(HtOptionsState, PowerSaveRadiosMapToTheDriverCodes) {
  const std::pair<SmpsChoice, uint8_t> cases[] = {
      {SmpsChoice::kSmEnable, kSmpsOff},
      {SmpsChoice::kStatic, kSmpsStatic},
      {SmpsChoice::kDynamic, kSmpsDynamic},
  };
  for (auto [choice, code] : cases) {
    HtOptionsState state;
    state.smps = choice;
    const HtOptionsRecord record = RecordFromState(state);
    EXPECT_EQ(record[kHtOptSmps], code);
    HtOptionsState back;
    TakeRecord(record, &back);
    EXPECT_EQ(back.smps, choice);
  }
}

TEST(HtOptionsState, AnUnknownPowerSaveCodeIsStoredBackAsSmEnable) {
  // Power-save field 2, everything else set.
  const uint32_t stored = 0x02000000u | 0x00DB0000u | 0x0102u;
  HtOptionsState state;
  TakeRecord(UnpackBaCapability(stored), &state);
  EXPECT_EQ(state.smps, SmpsChoice::kSmEnable);
  EXPECT_EQ(PackBaCapability(RecordFromState(state)), (stored & ~0x03000000u) | 0x03000000u);
}

TEST(HtOptionsState, ALengthWithAmsduOffKeepsTheRadioChoice) {
  HtOptionsState state;
  state.amsduLength = 1;
  TakeRecord({0, 0, 1, 0, 0, 0, 3, 0}, &state);
  EXPECT_FALSE(state.amsdu);
  EXPECT_EQ(state.amsduLength, 1);
  TakeRecord({0, 0, 1, 0, 1, 0, 3, 0}, &state);
  EXPECT_TRUE(state.amsdu);
  EXPECT_EQ(state.amsduLength, 0);
}

// A table with entries put at given slots of each half.
struct TableBuilder {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(kBlockAckTableSize, 0);
  TableBuilder& Entry(BaSide side, int slot, uint8_t lastMacByte, uint8_t tidMap,
                      std::array<uint8_t, 8> windows) {
    const size_t at = (side == BaSide::kRecipient ? 1536 : 0) + size_t(slot) * 48;
    bytes[at] = 0x00, bytes[at + 1] = 0x0C, bytes[at + 5] = lastMacByte;
    bytes[at + 6] = tidMap;
    std::copy(windows.begin(), windows.end(), bytes.begin() + at + 8);
    return *this;
  }
  TableBuilder& Counts(uint8_t originators, uint8_t recipients) {
    bytes[3072] = originators, bytes[3073] = recipients;
    return *this;
  }
};

TEST(BlockAckTable, ListsEntriesWithSessionsUpToTheHalfsCount) {
  TableBuilder t;
  t.Entry(BaSide::kOriginator, 0, 0x01, 0, {})  // no session: skipped
      .Entry(BaSide::kOriginator, 3, 0x02, 0x05, {32, 0, 64})
      .Entry(BaSide::kOriginator, 7, 0x03, 0x80, {0, 0, 0, 0, 0, 0, 0, 16})
      .Entry(BaSide::kRecipient, 31, 0x04, 0x01, {8})
      .Counts(1, 1);
  const BlockAckSessions s = DecodeBlockAckTable(t.bytes);
  ASSERT_EQ(s.originator.size(), 1u);  // the count stops the walk before slot 7
  EXPECT_EQ(s.originator[0].Cells(), (std::vector<std::string>{"00-0C-00-00-00-02", "32", "-", "64",
                                                               "-", "-", "-", "-", "-"}));
  ASSERT_EQ(s.recipient.size(), 1u);
  EXPECT_EQ(s.recipient[0].peer[5], 0x04);

  // A short reply is decoded as far as it goes; an empty one lists nothing.
  t.Counts(2, 1);
  std::vector<uint8_t> shortReply(t.bytes.begin(), t.bytes.begin() + 200);
  EXPECT_TRUE(DecodeBlockAckTable(shortReply).originator.empty());  // no counts in it
  EXPECT_TRUE(DecodeBlockAckTable({}).recipient.empty());
}

TEST(BlockAckRequests, CarrySideAddressTidAndWindow) {
  const MacBytes peer{0x00, 0x0C, 0x43, 0x28, 0x60, 0x01};
  const BlockAckRequest add = AddSessionRequest(BaSide::kRecipient, peer, 5, 64);
  EXPECT_EQ(add, (BlockAckRequest{1, 0x00, 0x0C, 0x43, 0x28, 0x60, 0x01, 5, 64, 0, 0, 0, 0, 0}));
  const BlockAckRequest one = DeleteSessionRequest(BaSide::kOriginator, peer, 3, false);
  EXPECT_EQ(one[0], 0);
  EXPECT_EQ(one[7], 3);
  EXPECT_EQ(one[12], 0);
  const BlockAckRequest all = DeleteSessionRequest(BaSide::kRecipient, peer, 3, true);
  EXPECT_EQ(all[0], 1);
  EXPECT_EQ(all[12], 1);
}

TEST(BlockAckRequests, WindowSizeTextIsCheckedNotCut) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"32", 32},           {" 64 ", 64},        {"1", 1},           {"300", std::nullopt},
      {"65", std::nullopt}, {"0", std::nullopt}, {"", std::nullopt}, {"3x", std::nullopt},
      {"-4", std::nullopt},
  };
  for (auto [text, expected] : cases) EXPECT_EQ(ParseBaWindow(text), expected) << text;
}

TEST(StationTable, ListsTheAddressesOfItsEntries) {
  std::vector<uint8_t> table(kMacTableSize, 0);
  table[0] = 2;
  table[4 + 5] = 0xA1;
  table[14 + 5] = 0xA2;
  const auto peers = DecodeStationTable(table);
  ASSERT_EQ(peers.size(), 2u);
  EXPECT_EQ(peers[1][5], 0xA2);
  // A count past the reply stops at the last whole entry.
  table[0] = 200;
  EXPECT_EQ(DecodeStationTable(table).size(), 32u);
  EXPECT_TRUE(DecodeStationTable(std::vector<uint8_t>{1, 0}).empty());
}

class BlockAckPageTest : public ::testing::Test {
 protected:
  ScriptedDriver driver;
  test::MemoryStore store;
  VirtualEventLoop loop;
  BlockAckPageModel page{driver, store, loop};
};

TEST_F(BlockAckPageTest, LoadsTheRegistryWordAndSendsIt) {
  store.SetDword(RadioKey::kAdapter, "BACapability", 0x01430000u);  // aggregation on, auto...
  page.LoadFromRegistry();
  EXPECT_TRUE(page.state().mpdu);
  EXPECT_EQ(page.state().smps, SmpsChoice::kDynamic);
  const DriverRequest* sent = driver.LastSet(OID_VND_HT_OPTIONS);
  ASSERT_NE(sent, nullptr);
  EXPECT_EQ(sent->attempts, kSetAttempts);
  EXPECT_EQ(PackBaCapability(*reinterpret_cast<const HtOptionsRecord*>(sent->value.data())),
            0x01430000u);
}

TEST_F(BlockAckPageTest, ApplyStoresTheWordAndSendsTheRecord) {
  page.state().mpdu = true;
  page.state().autoMode = false;
  page.state().density = 4;
  page.state().smps = SmpsChoice::kStatic;
  page.Apply();
  ASSERT_NE(driver.LastSet(OID_VND_HT_OPTIONS), nullptr);
  uint32_t word = 0;
  ASSERT_TRUE(ReadDword(store, RadioKey::kAdapter, "BACapability", &word));
  EXPECT_EQ(word, (1u << 17) | (4u << 19));  // static SMPS is code 0
}

TEST_F(BlockAckPageTest, EnablingFollowsAggregationModeAndAmsdu) {
  struct Case {
    bool mpdu, autoMode, amsdu;
    BlockAckEnabling expected;
  };
  const Case cases[] = {
      {false, false, false, {false, false, false}},
      {true, false, true, {true, true, true}},
      {true, true, false, {true, false, false}},
  };
  for (const Case& c : cases) {
    page.state().mpdu = c.mpdu, page.state().autoMode = c.autoMode, page.state().amsdu = c.amsdu;
    const BlockAckEnabling e = page.Enabling();
    EXPECT_EQ(e.modeAndDensity, c.expected.modeAndDensity);
    EXPECT_EQ(e.sessionButtons, c.expected.sessionButtons);
    EXPECT_EQ(e.amsduLength, c.expected.amsduLength);
  }
}

TEST_F(BlockAckPageTest, RefreshesSessionsEverySecondWhileShownAndKeepsThemOnFailure) {
  TableBuilder t;
  t.Entry(BaSide::kOriginator, 0, 0x09, 0x01, {32}).Counts(1, 0);
  driver.answers[OID_VND_BLOCK_ACK] = t.bytes;
  int changes = 0;
  page.SetSessionsChanged([&] { ++changes; });
  page.Shown();
  loop.Advance(1000);
  EXPECT_EQ(page.sessions().originator.size(), 1u);
  loop.Advance(1000);
  EXPECT_EQ(changes, 1);  // an unchanged table is no change
  driver.refused.insert(OID_VND_BLOCK_ACK);
  loop.Advance(1000);
  EXPECT_EQ(page.sessions().originator.size(), 1u);
  page.Hidden();
  const size_t before = driver.log.size();
  loop.Advance(5000);
  EXPECT_EQ(driver.log.size(), before);
}

TEST_F(BlockAckPageTest, AddAndDeleteAreRefusedWithoutPeerOrWithABadWindow) {
  const MacBytes peer{0, 0x0C, 0x43, 1, 2, 3};
  EXPECT_EQ(page.AddSession(BaSide::kOriginator, std::nullopt, 0, "32"), BlockAckRefusal::kNoPeer);
  EXPECT_EQ(page.AddSession(BaSide::kOriginator, peer, 0, "300"), BlockAckRefusal::kBadWindow);
  EXPECT_EQ(page.DeleteSession(BaSide::kRecipient, std::nullopt, 0, true),
            BlockAckRefusal::kNoPeer);
  EXPECT_EQ(driver.LastSet(OID_VND_BLOCK_ACK), nullptr);
  EXPECT_EQ(driver.LastSet(OID_VND_DELETE_BLOCK_ACK), nullptr);

  EXPECT_EQ(page.AddSession(BaSide::kOriginator, peer, 6, "48"), std::nullopt);
  EXPECT_EQ(driver.lastSet[OID_VND_BLOCK_ACK],
            (std::vector<uint8_t>{0, 0, 0x0C, 0x43, 1, 2, 3, 6, 48, 0, 0, 0, 0, 0}));
  EXPECT_EQ(page.DeleteSession(BaSide::kRecipient, peer, 2, true), std::nullopt);
  EXPECT_EQ(driver.lastSet[OID_VND_DELETE_BLOCK_ACK][0], 1);
  EXPECT_EQ(driver.lastSet[OID_VND_DELETE_BLOCK_ACK][12], 1);
}

TEST_F(BlockAckPageTest, StationTablePeersPutTheAssociatedNetworkFirst) {
  std::vector<uint8_t> table(kMacTableSize, 0);
  table[0] = 3;
  for (uint8_t i = 0; i < 3; ++i) table[4 + 10 * i + 5] = uint8_t(0xB0 + i);
  driver.answers[OID_VND_MAC_TABLE] = table;
  const MacBytes associated{0, 0, 0, 0, 0, 0xB2};
  const auto peers = page.StationTablePeers(associated);
  ASSERT_EQ(peers.size(), 3u);
  EXPECT_EQ(peers[0][5], 0xB2);
  EXPECT_EQ(peers[1][5], 0xB0);
  driver.answers[OID_VND_MAC_TABLE] = std::vector<uint8_t>(kMacTableSize, 0);
  EXPECT_TRUE(page.StationTablePeers(associated).empty());
}

}  // namespace
}  // namespace kavo9::radio
