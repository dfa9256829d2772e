#include "softap/statistics/ApStatistics.h"

#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/ScriptedDriver.h"

namespace kavo9::softap {
namespace {

TEST(ApStatisticsTest, CountersResetAndNoAdapter) {
  ScriptedDriver driver;
  std::vector<uint8_t> record(kStatisticsRecordSize, 0);
  const uint64_t big = 5000000000ULL;
  std::memcpy(record.data() + 8, &big, 8);  // TransmittedFragmentCount
  driver.answers[OID_802_11_STATISTICS] = record;
  driver.AnswerDword(OID_GEN_RCV_OK, 4294967295u);
  driver.AnswerDword(OID_GEN_RCV_NO_BUFFER, 7);
  ApStatistics stats(driver);
  EXPECT_EQ(stats.Values()[kApTxOk], "0");
  stats.Refresh();
  EXPECT_EQ(stats.Values()[kApTxOk], "5000000000");
  EXPECT_EQ(stats.Values()[kApRxOk], "4294967295");
  EXPECT_EQ(stats.Values()[kApRxDropped], "7");

  stats.Reset();
  EXPECT_EQ(stats.Values()[kApTxOk], "0");
  EXPECT_NE(driver.LastSet(OID_VND_RESET_COUNTERS), nullptr);
  stats.Refresh();
  EXPECT_EQ(stats.Values()[kApTxOk], "5000000000");

  driver.present = false;
  stats.Refresh();
  for (const std::string& value : stats.Values()) EXPECT_EQ(value, "0");
}

}  // namespace
}  // namespace kavo9::softap
