#include <gtest/gtest.h>

#include <fstream>

#include "common/platform/RecordingTrayIcon.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/shell/mainwindow/StationWindows.h"

namespace kavo9 {
namespace {

struct WindowLog {
  int created = 0;
  int closed = 0;
  int moreLessRefreshes = 0;
  int broughtToFront = 0;
  std::vector<bool> expanded;
  std::array<bool, 11> panels{};
  uint32_t icon = 0;
};

class FakeMainWindow : public MainWindowView {
 public:
  explicit FakeMainWindow(WindowLog& log) : log_(log) { ++log_.created; }
  bool IsOpen() const override { return open; }
  void SetExpanded(bool expanded) override { log_.expanded.push_back(expanded); }
  void BringToFront() override { ++log_.broughtToFront; }
  void SetPanelVisible(int number, bool visible) override { log_.panels.at(number) = visible; }
  void RefreshMoreLess() override { ++log_.moreLessRefreshes; }
  void SetWindowIcon(uint32_t icon) override { log_.icon = icon; }
  void SetConfigToolButtonsEnabled(bool) override {}
  void RefreshRadioControls() override {}
  void PressFirstPageButton() override {}
  void Close() override {
    open = false;
    ++log_.closed;
  }
  bool open = true;

 private:
  WindowLog& log_;
};

class FakeHost : public StationWindowsHost {
 public:
  std::string Text(std::string_view key) const override { return std::string(key); }
  int ShowMessageBox(const std::string& text, const std::string& button) override {
    messages.push_back(text + "|" + button);
    return 1;
  }
  bool AdapterAvailable() const override { return true; }
  bool IsAdministrator() const override { return administrator; }
  int ConfigToolState() const override { return 1; }
  int WindowsVersionCode() const override { return 8; }
  int ChipCode() const override { return 6; }
  std::filesystem::path ProgramDir() const override { return programDir; }
  void OnTrayCallback(uint32_t message) override { mouse.push_back(message); }
  void RunCommand(uint32_t command) override { commands.push_back(command); }

  bool administrator = true;
  std::filesystem::path programDir;
  std::vector<std::string> messages;
  std::vector<uint32_t> mouse;
  std::vector<uint32_t> commands;
};

class StationWindowsTest : public ::testing::Test {
 protected:
  StationWindowsTest() {
    host.programDir = paths.ProgramDir();
    std::filesystem::create_directories(host.programDir);
  }
  FakeMainWindow* Window() { return static_cast<FakeMainWindow*>(windows.MainWindow()); }

  FakePaths paths;
  FakeHost host;
  RecordingTrayIcon shell;
  WindowLog log;
  StationWindows windows{host, shell, [this] { return std::make_unique<FakeMainWindow>(log); }};
};

TEST_F(StationWindowsTest, CreateMakesOneWindowWithTheLinkStatusPanel) {
  ASSERT_TRUE(windows.Create());
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(log.panels[0], true);
  EXPECT_TRUE(windows.IsPanelShown(0));
  windows.ShowPanel(3);
  EXPECT_TRUE(windows.Create());  // a second request keeps the window and its panel
  EXPECT_EQ(log.created, 1);
  EXPECT_EQ(windows.LastPanel(), 3);
  windows.SetExpanded(false);
  windows.BringToForeground();
  EXPECT_EQ(log.expanded, std::vector<bool>({false}));
  EXPECT_EQ(log.broughtToFront, 1);
}

TEST_F(StationWindowsTest, AWindowTheUserClosedIsReplaced) {
  windows.Create();
  Window()->open = false;
  EXPECT_FALSE(windows.IsOpen());
  EXPECT_FALSE(windows.IsPanelShown(0));
  windows.Create();
  EXPECT_EQ(log.created, 2);
  EXPECT_TRUE(windows.IsOpen());
}

TEST_F(StationWindowsTest, ShowPanelRules) {
  windows.ShowPanel(4);  // no window: nothing happens, nothing remembered
  EXPECT_EQ(windows.LastPanel(), 0);
  windows.Create();
  for (int number : {5, 10, 0}) {
    windows.ShowPanel(number);
    for (int panel = 0; panel < 11; ++panel) EXPECT_EQ(log.panels[panel], panel == number);
    EXPECT_EQ(windows.LastPanel(), number);
  }
  for (int number : {11, -1}) {
    windows.ShowPanel(number);
    for (bool visible : log.panels) EXPECT_FALSE(visible) << number;
  }
}

TEST_F(StationWindowsTest, CloseClosesOnceAndForgetsTheWindow) {
  windows.Create();
  windows.Close();
  windows.Close();
  EXPECT_EQ(log.closed, 1);
  EXPECT_FALSE(windows.IsOpen());
  windows.RefreshMoreLess();  // without a window: nothing to refresh
  EXPECT_EQ(log.moreLessRefreshes, 0);
}

TEST_F(StationWindowsTest, ClicksAndMenuCommandsGoToTheController) {
  std::ofstream(host.programDir / "Hostira") << "x";
  std::ofstream(host.programDir / "TsSwap") << "x";
  shell.Click(WM_LBUTTONDBLCLK);
  EXPECT_EQ(host.mouse, std::vector<uint32_t>({WM_LBUTTONDBLCLK}));
  EXPECT_EQ(log.created, 0) << "the controller decides whether the window opens";

  windows.ShowContextMenu();
  ASSERT_TRUE(shell.menu);
  ASSERT_EQ(shell.menu->size(), 4u);
  EXPECT_EQ((*shell.menu)[2].command, kTraySwitchApMode);
  shell.Choose(kTraySwitchApMode);
  host.administrator = false;
  windows.ShowContextMenu();
  EXPECT_EQ(shell.menu->size(), 2u);
  shell.Choose(kTrayOpen);
  EXPECT_EQ(host.commands, std::vector<uint32_t>({kTraySwitchApMode, kTrayOpen}));
}

TEST_F(StationWindowsTest, TrayStatesFollowTheSignalAndTheWindowWearsTheIcon) {
  ASSERT_TRUE(windows.AddIcon(true));
  EXPECT_EQ(windows.Tray().state(), TrayState::NotConnected);
  windows.Create();
  EXPECT_EQ(log.icon, 132u);
  struct Case {
    int32_t dbm;
    bool keyError;
    TrayState state;
  };
  for (Case c : {Case{-40, false, TrayState::Good}, Case{-70, false, TrayState::Normal},
                 Case{-85, false, TrayState::Weak}, Case{-40, true, TrayState::KeyError}}) {
    windows.ShowConnected(c.dbm, c.keyError, "Lab");
    EXPECT_EQ(windows.Tray().state(), c.state) << c.dbm;
    EXPECT_EQ(log.icon, IconOf(c.state));
  }
  windows.ShowNoAdapter();
  EXPECT_EQ(log.icon, 161u);
  windows.RemoveIcon();
  EXPECT_FALSE(shell.added);
}

TEST_F(StationWindowsTest, TheMessageBoxGoesToTheHost) {
  windows.ShowMessageBox("Kavo9", "IDS_DRIVER_NOTOK", "IDS_OK");
  EXPECT_EQ(host.messages, std::vector<std::string>({"IDS_DRIVER_NOTOK|IDS_OK"}));
}

}  // namespace
}  // namespace kavo9
