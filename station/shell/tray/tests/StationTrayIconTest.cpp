#include <gtest/gtest.h>

#include "common/platform/RecordingTrayIcon.h"
#include "station/shell/tray/StationTrayIcon.h"

namespace kavo9 {
namespace {

class StationTrayIconTest : public ::testing::Test {
 protected:
  RecordingTrayIcon shell;
  StationTrayIcon tray{shell, [](std::string_view key) {
                         return key == "IDS_TESMAR_GOOD" ? std::string("On %s") : std::string(key);
                       }};
};

TEST_F(StationTrayIconTest, AddThenChangeState) {
  EXPECT_TRUE(tray.Add(TrayState::NotConnected));
  EXPECT_TRUE(tray.added());
  EXPECT_EQ(shell.icon, 132u);
  uint32_t windowIcon = 0;
  tray.SetIconChangedCallback([&](uint32_t icon) { windowIcon = icon; });
  EXPECT_TRUE(tray.SetTrayState(TrayState::Good, "Lab"));
  EXPECT_EQ(shell.icon, 131u);
  EXPECT_EQ(shell.tip, "On Lab");
  EXPECT_EQ(windowIcon, 131u);
  EXPECT_EQ(shell.addCalls, 1);
}

TEST_F(StationTrayIconTest, ComesBackAfterTheNotificationAreaIsRecreated) {
  ASSERT_TRUE(tray.Add(TrayState::NotConnected));
  shell.SetShellAvailable(false);  // Explorer ends...
  EXPECT_FALSE(tray.SetTrayState(TrayState::NoAdapter));
  EXPECT_FALSE(tray.added());
  shell.SetShellAvailable(true);  // ...and starts again without our icon
  EXPECT_TRUE(tray.SetTrayState(TrayState::Weak, "Lab"));
  EXPECT_TRUE(tray.added());
  EXPECT_TRUE(shell.added);
  EXPECT_EQ(shell.icon, 160u);
}

TEST_F(StationTrayIconTest, NoNotificationAreaAtStartThenOneAppears) {
  shell.SetShellAvailable(false);
  EXPECT_FALSE(tray.Add(TrayState::NoAdapter));
  shell.SetShellAvailable(true);
  EXPECT_TRUE(tray.SetTrayState(TrayState::NotConnected));
  EXPECT_EQ(shell.icon, 132u);
}

TEST_F(StationTrayIconTest, DeleteClearsTheAddedFlag) {
  tray.Add(TrayState::NotConnected);
  tray.Delete();
  EXPECT_FALSE(tray.added());
  EXPECT_FALSE(shell.added);
}

}  // namespace
}  // namespace kavo9
