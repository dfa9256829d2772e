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
  bool Selecting() const override { return selecting; }
  void SetSelecting(bool value) override { selecting = value; }
  bool AdapterAvailable() const override { return adapterAvailable; }
  bool IsAdapterPresent() override { return adapterPresent; }
  int ShowMessageBox(const std::string& text) override {
    messages.push_back(text);
    selectingDuringMessage = selecting;
    return 1;
  }
  bool IsAdministrator() const override { return administrator; }
  int ConfigToolState() const override { return 1; }
  int WindowsVersionCode() const override { return 8; }
  int ChipCode() const override { return 6; }
  std::filesystem::path ProgramDir() const override { return programDir; }
  void EndController() override { ended = true; }
  void RunCommand(uint32_t command) override { commands.push_back(command); }

  bool selecting = false;
  bool adapterAvailable = true;
  bool adapterPresent = true;
  bool administrator = true;
  bool selectingDuringMessage = false;
  bool ended = false;
  std::filesystem::path programDir;
  std::vector<std::string> messages;
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
  VirtualEventLoop loop;
  FakeHost host;
  RecordingTrayIcon shell;
  WindowLog log;
  StationWindows windows{loop, host, shell,
                         [this] { return std::make_unique<FakeMainWindow>(log); }};
};

TEST_F(StationWindowsTest, OpenCreatesOnceAndLaysOutCollapsed) {
  windows.OpenMainWindow();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(log.panels[0], true);
  windows.ShowPanel(3);
  windows.OpenMainWindow();  // a second request: same window, collapsed, in front
  EXPECT_EQ(log.created, 1);
  EXPECT_EQ(log.expanded, std::vector<bool>({false, false}));
  EXPECT_EQ(log.broughtToFront, 2);
  EXPECT_EQ(windows.LastPanel(), 3);
}

TEST_F(StationWindowsTest, AWindowTheUserClosedIsReplaced) {
  windows.OpenMainWindow();
  Window()->open = false;
  EXPECT_EQ(windows.MainWindow(), nullptr);
  windows.OpenMainWindow();
  EXPECT_EQ(log.created, 2);
  EXPECT_NE(windows.MainWindow(), nullptr);
}

TEST_F(StationWindowsTest, WithoutAnAdapterTheMessageIsShownAndNoWindow) {
  host.adapterAvailable = false;
  windows.OpenMainWindow();
  EXPECT_EQ(log.created, 0);
  EXPECT_EQ(host.messages, std::vector<std::string>({"IDS_DRIVER_NOTOK"}));
  EXPECT_TRUE(host.selectingDuringMessage);
  EXPECT_FALSE(host.selecting);
}

TEST_F(StationWindowsTest, ShowPanelRules) {
  windows.ShowPanel(4);  // no window: nothing happens, nothing remembered
  EXPECT_EQ(windows.LastPanel(), 0);
  windows.OpenMainWindow();
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

TEST_F(StationWindowsTest, MoreLessIsRefreshedEvery200MsWhileTheWindowIsOpen) {
  windows.OpenMainWindow();
  loop.Advance(1000);
  EXPECT_EQ(log.moreLessRefreshes, 5);
  windows.CloseMainWindow();
  loop.Advance(1000);
  EXPECT_EQ(log.moreLessRefreshes, 5);
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
}

TEST_F(StationWindowsTest, TrayDoubleClickOpensOnlyWithAPresentAdapterAndNotWhileSelecting) {
  host.selecting = true;
  shell.Click(WM_LBUTTONDBLCLK);
  EXPECT_EQ(log.created, 0);
  host.selecting = false;
  host.adapterPresent = false;
  shell.Click(WM_LBUTTONDBLCLK);
  EXPECT_EQ(log.created, 0);
  host.adapterPresent = true;
  shell.Click(WM_LBUTTONDBLCLK);
  EXPECT_EQ(log.created, 1);
}

TEST_F(StationWindowsTest, TrayMenuCommandsReachTheirHandlers) {
  std::ofstream(host.programDir / "Hostira") << "x";
  std::ofstream(host.programDir / "TsSwap") << "x";
  shell.Click(WM_RBUTTONDOWN);
  ASSERT_TRUE(shell.menu);
  ASSERT_EQ(shell.menu->size(), 4u);
  EXPECT_EQ((*shell.menu)[2].command, kTraySwitchApMode);
  shell.Choose(kTraySwitchApMode);
  EXPECT_EQ(host.commands, std::vector<uint32_t>({kTraySwitchApMode}));

  host.administrator = false;
  shell.Click(WM_RBUTTONDOWN);
  EXPECT_EQ(shell.menu->size(), 2u);
  shell.Choose(kTrayOpen);
  EXPECT_EQ(log.created, 1);
}

TEST_F(StationWindowsTest, ExitClosesTheWindowOnceRemovesTheIconAndEnds) {
  windows.Tray().Add(TrayState::NotConnected);
  windows.OpenMainWindow();
  host.selecting = true;
  windows.OnCommand(kTrayExit);
  EXPECT_FALSE(host.ended) << "ignored while selecting";
  host.selecting = false;
  windows.OnCommand(kTrayExit);
  EXPECT_EQ(log.closed, 1);
  EXPECT_EQ(windows.MainWindow(), nullptr);
  EXPECT_FALSE(shell.added);
  EXPECT_FALSE(windows.Tray().added());
  EXPECT_TRUE(host.ended);
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
}

TEST_F(StationWindowsTest, TheOpenWindowWearsTheTrayIcon) {
  windows.Tray().Add(TrayState::NotConnected);
  windows.OpenMainWindow();
  EXPECT_EQ(log.icon, 132u);
  windows.Tray().SetTrayState(TrayState::Good, "Lab");
  EXPECT_EQ(log.icon, 131u);
}

}  // namespace
}  // namespace kavo9
