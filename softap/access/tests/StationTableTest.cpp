#include "softap/stations/StationTable.h"

#include "softap/stations/Clients.h"

#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/ScriptedDriver.h"

namespace kavo9::softap {
namespace {

TEST(StationTableTest, RateTexts) {
  struct Case {
    uint16_t word;
    const char* text;
  };
  const Case cases[] = {
      {uint16_t(2 << 14 | 1 << 8 | 1 << 7 | 7),
       "N: MCS = 7, BW = 40, GI = 400, STBC : none, Rate = 150.00"},
      {uint16_t(3 << 14 | 1 << 9 | 15),
       "N: MCS = 15, BW = 20, GI = 800, STBC : used, Rate = 130.00"},
      {uint16_t(2 << 14 | 32), "N: MCS = 32, BW = 20, GI = 800, STBC : none, Rate = 0.00"},
      {3, "B: Rate = 11.00"},
      {10, "B: Rate = 5.50"},
      {5, "B: Rate = 0.00"},
      {uint16_t(1 << 14 | 7), "Rate = 54.00"},
      {uint16_t(1 << 14 | 9), "Rate = 0.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(RateStatusText(c.word), c.text) << c.word;
}

std::vector<uint8_t> Table(uint32_t count, size_t size, size_t entry, size_t stations) {
  std::vector<uint8_t> record(size, 0);
  std::memcpy(record.data(), &count, 4);
  for (size_t i = 0; i < stations; ++i) {
    uint8_t* e = record.data() + 4 + i * entry;
    e[0] = 0x02;
    e[5] = uint8_t(i);
    e[6] = uint8_t(i + 1);
    e[7] = i % 2;
    if (entry == 10) e[9] = 0x80;
  }
  return record;
}

TEST(StationTableTest, BothFormsAndACountBeyondTheRecord) {
  const auto ht = DecodeStationTable(Table(2, kMacTableHtSize, 10, 2), true);
  ASSERT_EQ(ht.size(), 2u);
  EXPECT_EQ(MacText(ht[1].mac), "02-00-00-00-00-01");
  EXPECT_EQ(ht[1].aid, 2);
  EXPECT_TRUE(ht[1].powerSave);
  EXPECT_EQ(ht[1].rateWord, 0x8000);
  const auto plain = DecodeStationTable(Table(1, kMacTableSize, 8, 1), false);
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_FALSE(plain[0].rateWord.has_value());
  // A count of 1000 lists the 32 the record holds.
  EXPECT_EQ(DecodeStationTable(Table(1000, kMacTableHtSize, 10, 32), true).size(), 32u);
  EXPECT_TRUE(DecodeStationTable(std::vector<uint8_t>{1, 0}, true).empty());
}

TEST(StationTableTest, AFailedQueryIsNoTable) {
  ScriptedDriver driver;
  driver.refused.insert(OID_VND_MAC_TABLE);
  EXPECT_FALSE(QueryStationTable(driver, true).has_value());
  driver.refused.clear();
  driver.answers[OID_VND_MAC_TABLE] = Table(1, kMacTableHtSize, 10, 1);
  auto table = QueryStationTable(driver, true);
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(table->size(), 1u);
}

}  // namespace
}  // namespace kavo9::softap

namespace kavo9::softap {
namespace {

StationEntry Station(uint8_t last, std::optional<uint16_t> rate) {
  StationEntry s;
  s.mac = {0x02, 0x1D, 0x5A, 0x00, 0x00, last};
  s.rateWord = rate;
  return s;
}

TEST(ClientListTest, NamesFromLeasesAndTimeSinceFirstListed) {
  ClientList clients;
  const std::vector<SharingLease> leases = {{"02-1d-5a-00-00-11", "laptop", "192.168.0.2"},
                                            {"02-1D-5A-00-00-12", "", "192.168.0.3"}};
  const uint16_t mcs15 = uint16_t(2 << 14 | 1 << 8 | 1 << 7 | 15);
  clients.Update({Station(0x11, mcs15)}, leases, 1'000);
  clients.Update({Station(0x11, mcs15), Station(0x12, std::nullopt), Station(0x13, 3)}, leases,
                 3'726'000);
  const auto& rows = clients.rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, "laptop");
  EXPECT_EQ(rows[0].ip, "192.168.0.2");
  EXPECT_EQ(rows[0].rate, "300.00 Mbit/s");
  EXPECT_EQ(rows[0].connected, "1:02:05");
  EXPECT_EQ(rows[1].name, "02-1D-5A-00-00-12");  // a lease without a host name
  EXPECT_EQ(rows[1].ip, "192.168.0.3");
  EXPECT_EQ(rows[1].rate, "");
  EXPECT_EQ(rows[1].connected, "0:00:00");
  EXPECT_EQ(rows[2].ip, "");  // no lease yet
  EXPECT_EQ(rows[2].rate, "11.00 Mbit/s");
  // Leaving and coming back counts from then.
  clients.Update({}, leases, 4'000'000);
  clients.Update({Station(0x11, mcs15)}, leases, 4'005'000);
  EXPECT_EQ(clients.rows()[0].connected, "0:00:00");
}

}  // namespace
}  // namespace kavo9::softap
