// The program's own string tables: the system's language picks one, and every text the program
// shows is in both.

#include "softap/shell/HostiraStrings.h"

#include <gtest/gtest.h>

#include "softap/shell/HostiraIds.h"

namespace kavo9::softap {
namespace {

TEST(HostiraStrings, TheSystemsLanguagePicksTheTable) {
  const std::pair<uint16_t, bool> cases[] = {
      {0x0409, false}, {0x0804, true}, {0x1004, true}, {0x0404, false}, {0x0407, false}};
  for (const auto& [language, chinese] : cases) {
    EXPECT_EQ(HostiraStrings(language).chinese(), chinese) << std::hex << language;
  }
  EXPECT_EQ(HostiraStrings(0x0409).Text(kStrMenuSwitch), "Switch to Station Mode");
  EXPECT_EQ(HostiraStrings(0x0804).Text(kStrMenuSwitch), "切换到站点模式");
  EXPECT_EQ(HostiraStrings(0x0409).Text(12345), "");
}

TEST(HostiraStrings, EveryTextIsInBothTables) {
  const HostiraStrings english(0x0409);
  const HostiraStrings chinese(0x0804);
  for (int id : {kStrSheetCaption,
                 kStrCardNotReady,
                 kStrTipDisconnected,
                 kStrTipGood,
                 kStrTipWeak,
                 kStrTipNormal,
                 kStrTipNotExist,
                 kStrConfigTitle,
                 kStrNotAdministrator,
                 kStrMenuLaunch,
                 kStrMenuSwitch,
                 kStrMenuExit,
                 kStrOk,
                 kStrCancel,
                 kStrAccessControlTitle,
                 kStrMacTableTitle,
                 kStrEventLogTitle,
                 kStrStatisticsTitle,
                 kStrHtTitle,
                 kStrAboutTitle,
                 kStrNotBuiltYet,
                 kStrSummarySsid,
                 kStrSummaryMode,
                 kStrSummaryChannel,
                 kStrSummaryAuth,
                 kStrSummaryEncryption,
                 kStrSummaryHidden,
                 kStrSummaryNote,
                 kStrYes,
                 kStrNo}) {
    EXPECT_FALSE(english.Text(id).empty()) << id;
    EXPECT_FALSE(chinese.Text(id).empty()) << id;
  }
  // The tips keep the product's name on their first line in both.
  EXPECT_EQ(chinese.Text(kStrTipGood).rfind("Norvik Kavo9\n", 0), 0u);
}

}  // namespace
}  // namespace kavo9::softap
