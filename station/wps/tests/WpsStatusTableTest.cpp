#include "station/wps/WpsStatusTable.h"

#include <gtest/gtest.h>

namespace kavo9::wps {
namespace {

TEST(WpsStatusTable, LinesProgressAndActions) {
  struct Case {
    uint32_t word;
    const char* line;
    int progress;
    StatusAction action;
  } cases[] = {
      {kStatusPinBit | 18, "PIN - Sending M1", 40, StatusAction::kNone},
      {257, "PBC - Too many PBC AP available", -1, StatusAction::kNone},
      {0, "PBC - WPS status is not used", -1, StatusAction::kStopThenTailA},
      {kStatusPinBit | 15, "PIN - Get WPS profile successfully.", 100, StatusAction::kSuccess},
      {kStatusPinBit | 262, "PIN - Error PIN Code (R-Hash mismatch)", -1, StatusAction::kTailA},
      {kStatusPinBit | 260, "PIN - Receive EAP with wrong NONCE", -1, StatusAction::kTailB},
      {513, "PBC - Invalid SSID in PIN mode", 0, StatusAction::kEndThenTailA},
      {516, "PBC - WPS Eap process failed", 0, StatusAction::kEndStopThenTailA},
      {kStatusPinBit | 517, "PIN - ", -1, StatusAction::kNextAttempt},
      {43, "PBC - Received EAP Response (Done)", 90, StatusAction::kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatusLine(c.word), c.line);
    const auto entry = FindStatus(StatusCodeOf(c.word));
    ASSERT_TRUE(entry) << c.word;
    EXPECT_EQ(entry->Progress, c.progress) << c.word;
    EXPECT_EQ(entry->Action, c.action) << c.word;
  }
}

TEST(WpsStatusTable, UnlistedCodesShowOnlyThePrefix) {
  for (uint32_t code : {8u, 10u, 14u, 16u, 28u, 33u, 999u, kStatusCodeMask}) {
    EXPECT_FALSE(FindStatus(code)) << code;
    EXPECT_EQ(StatusLine(code), "PBC - ");
    EXPECT_EQ(StatusLine(code | kStatusPinBit), "PIN - ");
  }
}

TEST(WpsStatusTable, ProgressIsMonotonicThroughTheEnrolleeMessages) {
  int last = 0;
  for (uint32_t code :
       {2u, 3u, 4u, 5u, 6u, 17u, 18u, 19u, 20u, 21u, 22u, 23u, 24u, 25u, 26u, 27u, 15u}) {
    const int progress = FindStatus(code)->Progress;
    EXPECT_GT(progress, last) << code;
    last = progress;
  }
}

TEST(WpsStatusTable, BackgroundPollStopsOnEndingCodesOnly) {
  for (uint32_t code : {0u, 15u, 260u, 261u, 262u, 513u, 514u, 515u, 516u}) {
    EXPECT_TRUE(StopsBackgroundPoll(code)) << code;
  }
  for (uint32_t code : {1u, 2u, 18u, 257u, 258u, 259u, 517u}) {
    EXPECT_FALSE(StopsBackgroundPoll(code)) << code;
  }
}

TEST(WpsStatusTable, ProgressColours) {
  EXPECT_EQ(ProgressColour(0), 0x00FF00u);
  EXPECT_EQ(ProgressColour(34), 0x00FF00u);
  EXPECT_EQ(ProgressColour(35), 0x32E6FAu);
  EXPECT_EQ(ProgressColour(69), 0x32E6FAu);
  EXPECT_EQ(ProgressColour(70), 0xFB0606u);
  EXPECT_EQ(ProgressColour(100), 0xFB0606u);
}

}  // namespace
}  // namespace kavo9::wps
