#include "softap/eventlog/EventLog.h"

#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/EventLoop.h"

namespace kavo9::softap {
namespace {

ApEvent Event(uint16_t code, uint8_t last = 0x55) {
  return {kFileTimeUnixEpoch, {0x00, 0x11, 0x22, 0x33, 0x44, last}, code};
}

std::vector<uint8_t> Reply(uint32_t count, size_t records) {
  std::vector<uint8_t> buffer(kEventBufferSize, 0);
  std::memcpy(buffer.data(), &count, 4);
  for (size_t i = 0; i < records; ++i) {
    uint8_t* r = buffer.data() + 8 + i * kEventRecordSize;
    r[13] = uint8_t(i);  // the address's last byte numbers the record
    r[14] = 1;
  }
  return buffer;
}

TEST(EventLogTest, RowTexts) {
  EXPECT_EQ(EventRowText(Event(1)), " 00-11-22-33-44-55 associated");
  EXPECT_EQ(EventRowText(Event(3)), " 00-11-22-33-44-55 was aged-out and removed from this BSS");
  EXPECT_EQ(EventRowText(Event(5)), " 00-11-22-33-44-55 associated with invalid PSK password");
  EXPECT_EQ(EventRowText(Event(0)), "Restart Access Point");
  EXPECT_EQ(EventRowText(Event(7)), "");
}

TEST(EventLogTest, TimeIsShownInLocalTime) {
  // 2008-05-01 12:00:00 UTC.
  const uint64_t fileTime = kFileTimeUnixEpoch + 1209643200ULL * 10000000ULL;
  EXPECT_EQ(EventTimeText(fileTime, 8 * 3600), "2008 / 05 / 01 - 20 : 00 : 00");
  EXPECT_EQ(EventTimeText(fileTime, 0), "2008 / 05 / 01 - 12 : 00 : 00");
}

TEST(EventLogTest, TheOldestLeaveAndTheShownCountFollows) {
  ScriptedDriver driver;
  ApEventLog log(driver);
  log.Take(std::vector<ApEvent>(95, Event(1)));
  log.MarkAllShown();
  driver.answers[OID_VND_EVENT_LOG] = Reply(10, 10);
  log.FetchNew();
  ASSERT_EQ(log.events().size(), 100u);
  EXPECT_EQ(log.shown(), 90u);
  EXPECT_EQ(log.events()[90].mac[5], 0);
  EXPECT_EQ(log.events()[99].mac[5], 9);

  log.Clear();
  driver.answers[OID_VND_EVENT_LOG] = Reply(2, 2);
  log.FetchNew();
  EXPECT_EQ(log.events().size(), 2u);
  EXPECT_EQ(log.shown(), 0u);
}

TEST(EventLogTest, ACountBeyondTheBufferReadsWhatItHolds) {
  EXPECT_EQ(DecodeEvents(Reply(4000000000u, 10)).size(), 10u);
  EXPECT_EQ(DecodeEvents(Reply(3, 10)).size(), 3u);
  EXPECT_TRUE(DecodeEvents(std::vector<uint8_t>(6, 0xFF)).empty());
  ScriptedDriver driver;
  ApEventLog log(driver);
  driver.refused.insert(OID_VND_EVENT_LOG);
  log.FetchNew();
  EXPECT_TRUE(log.events().empty());
}

}  // namespace
}  // namespace kavo9::softap
