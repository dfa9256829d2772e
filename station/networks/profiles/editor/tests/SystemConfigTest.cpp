#include "station/networks/profiles/editor/SystemConfig.h"

#include <gtest/gtest.h>

namespace kavo9::profileeditor {
namespace {

TEST(SystemConfig, NetworkTypeDecidesChannelPowerSaveAndPreamble) {
  SystemConfig tab;
  tab.Reset("PROF1", 1);
  EXPECT_EQ(tab.Values().powerSave, kPsm);
  EXPECT_EQ(tab.View(),
            (SystemConfigView{
                .channelShown = false, .powerSaveEnabled = true, .preambleEnabled = false}));
  tab.SetPreamble(kPreambleLong);
  EXPECT_EQ(tab.Values().preamble, kPreambleAuto);  // infrastructure keeps Auto
  tab.SetNetworkType(false);
  tab.SetPreamble(kPreambleLong);
  EXPECT_EQ(tab.Values().preamble, kPreambleLong);
  EXPECT_EQ(
      tab.View(),
      (SystemConfigView{.channelShown = true, .powerSaveEnabled = false, .preambleEnabled = true}));
  tab.SetNetworkType(true);
  EXPECT_EQ(tab.Values().preamble, kPreambleAuto);
}

TEST(SystemConfig, ChannelListLeavesOutTheJapaneseChannelsAndKeepsTheChoice) {
  SystemConfig tab;
  tab.SetChannelText("11");
  tab.SetChannels({1, 6, 11, 34, 36, 38, 42, 46, 48});
  EXPECT_EQ(tab.Values().channels, (std::vector<int>{1, 6, 11, 36, 48}));
  EXPECT_EQ(tab.Values().channel, "11");
  tab.SetChannelText("38");
  tab.SetChannels({1, 6, 38});
  EXPECT_EQ(tab.Values().channel, "1");  // not in the list: the first entry
}

TEST(SystemConfig, ThresholdEditsMoveTheirSlidersWithinRange) {
  struct Case {
    const char* name;
    bool rts;
    const char* typed;
    std::string shown;
    int position;
  };
  const Case cases[] = {
      {"RtsInRange", true, "500", "500", 500},
      {"RtsAbove", true, "3000", "2347", 2347},
      {"RtsEmpty", true, "", "", 0},
      {"FragInRange", false, "1000", "1000", 1000},
      {"FragAbove", false, "9999", "2346", 2346},
      {"FragBelowKeepsTextSliderAtMinimum", false, "100", "100", 256},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SystemConfig tab;
    tab.SetUseRts(true);
    tab.SetUseFrag(true);
    EXPECT_EQ(c.rts ? tab.TypeRts(c.typed) : tab.TypeFrag(c.typed), c.shown);
    EXPECT_EQ(c.rts ? tab.Values().rts : tab.Values().frag, c.position);
  }
}

TEST(SystemConfig, ClearedThresholdsStoreTheirLargestValue) {
  SystemConfig tab;
  tab.SetUseRts(true);
  tab.SlideRts(100);
  tab.SetUseFrag(true);
  tab.SlideFrag(300);
  tab.SetUseRts(false);
  profiles::ProfileValues stored;
  tab.Save(&stored);
  EXPECT_EQ(stored.Text("UseRts"), "0");
  EXPECT_EQ(stored.Text("RtsThresh"), "2347");
  EXPECT_EQ(stored.Text("FragThresh"), "300");
}

TEST(SystemConfig, LoadLimitsStoredValues) {
  profiles::ProfileValues stored;
  stored.Set("SSID", "lab");
  stored.Set("NetworkType", "0");
  stored.Set("Channel", "06");
  stored.Set("ProfilePSMode", "5");
  stored.Set("TXPower", "9");
  stored.Set("PreambleType", "0");
  stored.Set("UseRts", "1");
  stored.Set("RtsThresh", "99999");
  stored.Set("UseFrag", "1");
  stored.Set("FragThresh", "12");
  SystemConfig tab;
  tab.Reset("x", 0);
  tab.Load(stored);
  const SystemConfigValues& v = tab.Values();
  EXPECT_FALSE(v.infrastructure);
  EXPECT_EQ(v.channel, "6");
  EXPECT_EQ(v.powerSave, kPsm);
  EXPECT_EQ(v.txPower, 0);  // out of range: kept
  EXPECT_EQ(v.preamble, kPreambleLong);
  EXPECT_EQ(v.rts, 2347);
  EXPECT_EQ(v.frag, 256);
}

TEST(SystemConfig, SsidKeepsAtMost32OctetsOfWholeCharacters) {
  SystemConfig tab;
  tab.SetSsid(std::string(31, 'a') + "\xC3\xA9" + "b");
  EXPECT_EQ(tab.Values().ssid, std::string(31, 'a'));
}

}  // namespace
}  // namespace kavo9::profileeditor
