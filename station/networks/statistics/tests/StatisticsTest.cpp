// The statistics page's counters against a scripted driver, and Reset Counter.

#include <gtest/gtest.h>

#include "common/adapter/testing/ScriptedDriver.h"
#include "station/networks/statistics/Statistics.h"

namespace kavo9::statistics {
namespace {

std::vector<uint8_t> Record(int64_t fragments, int64_t retries) {
  std::vector<uint8_t> r(176, 0);
  auto put = [&](size_t offset, int64_t v) { std::memcpy(r.data() + offset, &v, 8); };
  put(8, fragments);
  put(24, 7);  // failed
  put(32, retries);
  put(48, 40);  // RTS success
  put(56, 3);   // RTS failure
  put(72, 9);   // duplicates
  put(96, 11);  // FCS errors
  return r;
}

class StatisticsTest : public ::testing::Test, public StatisticsLinkPort {
 protected:
  void ResetLinkByteCounts() override { ++linkResets; }
  ScriptedDriver driver;
  int linkResets = 0;
  Statistics page{driver, *this};
};

TEST_F(StatisticsTest, CountersAsTheTabsShowThem) {
  struct Case {
    const char* name;
    int64_t fragments, retries;
    const char* withoutRetry;
  } cases[] = {
      {"1,000 with 150 retries", 1000, 150, "850"},
      {"more retries than fragments", 10, 15, "-5"},
      {"beyond 32 bits", 5'000'000'000, 1, "4999999999"},
  };
  driver.AnswerDword(OID_GEN_RCV_OK, 3'000'000'000u);
  driver.AnswerDword(OID_GEN_RCV_NO_BUFFER, 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    driver.answers[OID_802_11_STATISTICS] = Record(c.fragments, c.retries);
    page.Refresh();
    EXPECT_EQ(page.TxTexts()[kTxOk], std::to_string(c.fragments));
    EXPECT_EQ(page.TxTexts()[kTxOkAfterRetry], std::to_string(c.retries));
    EXPECT_EQ(page.TxTexts()[kTxOkNoRetry], c.withoutRetry);
  }
  EXPECT_EQ(page.TxTexts()[kTxFailAllRetry], "7");
  EXPECT_EQ(page.TxTexts()[kRtsOk], "40");
  EXPECT_EQ(page.TxTexts()[kRtsFail], "3");
  EXPECT_EQ(page.RxTexts()[kRxOk], "3000000000") << "shown unsigned";
  EXPECT_EQ(page.RxTexts()[kRxCrcError], "11");
  EXPECT_EQ(page.RxTexts()[kRxDropped], "2");
  EXPECT_EQ(page.RxTexts()[kRxDuplicate], "9");
}

TEST_F(StatisticsTest, FailedOrShortRepliesShowZeros) {
  driver.answers[OID_802_11_STATISTICS] = Record(1000, 150);
  driver.AnswerDword(OID_GEN_RCV_OK, 5);
  page.Refresh();
  driver.refused = {OID_802_11_STATISTICS, OID_GEN_RCV_OK};
  page.Refresh();
  for (const std::string& text : page.TxTexts()) EXPECT_EQ(text, "0");
  EXPECT_EQ(page.RxTexts()[kRxOk], "0");

  // A reply that ends before the retry counter reads the counters it reached.
  driver.refused.clear();
  std::vector<uint8_t> shortRecord = Record(1000, 150);
  shortRecord.resize(24);
  driver.answers[OID_802_11_STATISTICS] = shortRecord;
  page.Refresh();
  EXPECT_EQ(page.TxTexts()[kTxOk], "1000");
  EXPECT_EQ(page.TxTexts()[kTxOkAfterRetry], "0");
}

TEST_F(StatisticsTest, ResetCounterClearsTheDriverAndTheLinkCounts) {
  driver.answers[OID_802_11_STATISTICS] = Record(1000, 150);
  page.Refresh();
  page.ResetCounter();
  for (const std::string& text : page.TxTexts()) EXPECT_EQ(text, "0");
  for (const std::string& text : page.RxTexts()) EXPECT_EQ(text, "0");
  const DriverRequest* reset = driver.LastSet(OID_VND_RESET_COUNTERS);
  ASSERT_NE(reset, nullptr);
  EXPECT_TRUE(reset->value.empty());
  EXPECT_EQ(reset->attempts, kSetAttempts);
  EXPECT_EQ(linkResets, 1);
}

}  // namespace
}  // namespace kavo9::statistics
