#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/platform/RecordingTrayIcon.h"
#include "station/shell/mainwindow/StationWindows.h"
#include "station/shell/ui/MainWindowDlg.h"
#include "station/shell/ui/TabDialog.h"
#include "station/shell/ui/tests/WindowTestSupport.h"

namespace kavo9 {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { TestApp(); }
  std::unique_ptr<CLinkora2007Dlg> Open(CLinkora2007Dlg::PartFactory factory = {}) {
    auto window = std::make_unique<CLinkora2007Dlg>(host, std::move(factory));
    window->show();
    return window;
  }
  static bool Shown(const QWidget* window, int number) {
    QWidget* widget = Find(window, number);
    return widget && !widget->isHidden();
  }
  TestMainWindowHost host;
};

TEST_F(MainWindowTest, BarButtonsFollowSettingsAndAdapter) {
  struct Case {
    const char* name;
    bool sso, setting11n, ht;
    bool ssoShown, dot11nShown, dot11nEnabled, helpShown;
  } cases[] = {
      {"plain: help waits behind the arrow", false, false, true, false, false, false, false},
      {"11n switch off hides it on an 11n adapter", true, false, true, true, false, false, false},
      {"11n switch on, 11n adapter", false, true, true, false, true, true, false},
      {"11n switch on, older adapter: shown disabled", false, true, false, false, true, false,
       false},
  };
  for (const auto& c : cases) {
    host.ssoInstalled = c.sso;
    host.setting11n = c.setting11n;
    host.htFamily = c.ht;
    auto window = Open();
    EXPECT_EQ(window->windowTitle(), "<IDS_TESMAR_CONFIG_TITLE>") << c.name;
    EXPECT_EQ(Shown(window.get(), 1370), c.ssoShown) << c.name;
    EXPECT_EQ(Shown(window.get(), 6251), c.dot11nShown) << c.name;
    EXPECT_EQ(Find(window.get(), 6251)->isEnabled(), c.dot11nEnabled) << c.name;
    EXPECT_EQ(Shown(window.get(), 6253), c.helpShown) << c.name;
    EXPECT_TRUE(Shown(window.get(), 6256) && Shown(window.get(), 6257)) << c.name;
  }
}

TEST_F(MainWindowTest, ElevenButtonsAndArrowsScrollTheBar) {
  host.ssoInstalled = true;
  host.setting11n = true;
  auto window = Open();
  for (const auto& info : mainwindow::kPageButtons) {
    EXPECT_NE(Find<QToolButton>(window.get(), info.command), nullptr) << info.command;
  }
  auto* left = Find<QToolButton>(window.get(), 6256);
  auto* right = Find<QToolButton>(window.get(), 6257);
  EXPECT_FALSE(left->isEnabled());
  EXPECT_TRUE(right->isEnabled());
  EXPECT_FALSE(Shown(window.get(), 6253));
  for (int i = 0; i < 3; ++i) QTest::mouseClick(right, Qt::LeftButton);
  EXPECT_TRUE(Shown(window.get(), 6253));
  EXPECT_FALSE(Shown(window.get(), 1124));
  EXPECT_FALSE(right->isEnabled());
  EXPECT_TRUE(left->isEnabled());
  // Help sits in the last slot, right next to the right arrow.
  EXPECT_LT(Find(window.get(), 6253)->geometry().right(), right->geometry().left());
  EXPECT_GT(Find(window.get(), 6253)->geometry().left(),
            Find(window.get(), 6252)->geometry().left());
}

TEST_F(MainWindowTest, PageButtonsShowTheirPages) {
  auto window = Open();
  EXPECT_EQ(window->Tabs()->CurrentPage(), 143);
  QTest::mouseClick(Find(window.get(), 1125), Qt::LeftButton);
  EXPECT_EQ(window->Tabs()->CurrentPage(), 144);
  EXPECT_TRUE(Shown(window.get(), 144));
  EXPECT_FALSE(Shown(window.get(), 143));
  EXPECT_TRUE(Find<QToolButton>(window.get(), 1125)->isChecked());
}

TEST_F(MainWindowTest, The11nPageGivesWayWhenItsSwitchGoesOff) {
  host.setting11n = true;
  auto window = Open();
  window->Tabs()->ShowPageOf(6251);
  ASSERT_EQ(window->Tabs()->CurrentPage(), 3243);
  host.setting11n = false;
  window->LayOutBar();
  EXPECT_EQ(window->Tabs()->CurrentPage(), 144);
}

TEST_F(MainWindowTest, TheBarFollowsThe11nSwitchAtTheControllersTick) {
  host.setting11n = true;
  auto window = Open();
  ASSERT_TRUE(Shown(window.get(), 6251));
  window->Tabs()->ShowPageOf(6251);
  host.setting11n = false;  // turned off in the settings file while the window is open
  window->RefreshRadioControls();
  EXPECT_FALSE(Shown(window.get(), 6251));
  EXPECT_EQ(window->Tabs()->CurrentPage(), 144);
  host.setting11n = true;
  window->RefreshRadioControls();
  EXPECT_TRUE(Shown(window.get(), 6251));
}

TEST_F(MainWindowTest, ProfileAndWpsAreDisabledWhileTheWindowsServiceManagesTheAdapter) {
  host.configToolState = 2;
  auto window = Open();
  EXPECT_FALSE(Find(window.get(), 1124)->isEnabled());
  EXPECT_FALSE(Find(window.get(), 1279)->isEnabled());
  EXPECT_TRUE(Find(window.get(), 1125)->isEnabled());
  window->SetConfigToolButtonsEnabled(true);
  EXPECT_TRUE(Find(window.get(), 1124)->isEnabled());
  EXPECT_TRUE(Find(window.get(), 1279)->isEnabled());
}

TEST_F(MainWindowTest, RadioButtonForAStandardUserWithoutAdvanceRightsSendsButDoesNotStore) {
  host.administrator = false;
  host.allowAdvance = false;
  host.setting11n = true;  // the radio button in view
  auto window = Open();
  auto* radio = Find<QToolButton>(window.get(), 6248);
  ASSERT_TRUE(radio->isVisible());
  QImage before = radio->icon().pixmap(32).toImage();
  QTest::mouseClick(radio, Qt::LeftButton);
  EXPECT_FALSE(host.radioOn);
  EXPECT_EQ(host.calls,
            std::vector<std::string>({"flag off", "auto off", "request 0", "rebuild", "scan"}));
  EXPECT_NE(radio->icon().pixmap(32).toImage(), before) << "the icon shows the radio off";
}

TEST_F(MainWindowTest, MoreAndLessFoldTheLowerFrame) {
  auto window = Open();
  auto* moreLess = Find<QPushButton>(window.get(), 1329);
  QWidget* lower = Find(window.get(), 1330);
  EXPECT_FALSE(window->expanded());
  EXPECT_EQ(window->height(), moreLess->geometry().bottom() + 1 + 2);
  EXPECT_EQ(moreLess->text(), "<IDS_BTN_MORE>");
  EXPECT_FALSE(lower->isVisible());

  QTest::mouseClick(moreLess, Qt::LeftButton);
  EXPECT_TRUE(window->expanded());
  EXPECT_TRUE(lower->isVisible());
  EXPECT_GT(window->height(), lower->geometry().bottom());
  EXPECT_EQ(moreLess->text(), "<IDS_BTN_LESS>");

  window->SetExpanded(true);  // already expanded: stays so
  EXPECT_TRUE(window->expanded());
  window->SetExpanded(false);
  EXPECT_FALSE(lower->isVisible());
  EXPECT_EQ(moreLess->text(), "<IDS_BTN_MORE>");
}

TEST_F(MainWindowTest, HelpButtonAndF1OpenTheHelpDocument) {
  host.setting11n = false;
  auto window = Open();
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(Find(window.get(), 1124), &f1);  // from a focused button, too
  host.languageId = 1028;
  QTest::keyClick(window.get(), Qt::Key_F1);
  Find<QToolButton>(window.get(), 6253)->click();
  EXPECT_EQ(host.launcher.opened, std::vector<std::string>({"/opt/kavo9/bin/TSCONFIGENG.html",
                                                            "/opt/kavo9/bin/TSCONFIGCHN.html",
                                                            "/opt/kavo9/bin/TSCONFIGCHN.html"}));
}

TEST_F(MainWindowTest, DraggingTheBackgroundOfAPageMovesTheWindow) {
  auto window = Open();
  window->move(100, 100);
  QWidget* page = Find(window.get(), 143);
  QPoint start = page->mapToGlobal(QPoint(20, 20));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(start), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page, &press);
  QMouseEvent drag(QEvent::MouseMove, QPointF(70, 50), QPointF(start + QPoint(50, 30)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page, &drag);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(70, 50), QPointF(start + QPoint(50, 30)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(page, &release);
  EXPECT_EQ(window->pos(), QPoint(150, 130));
  // A later move without a press does nothing.
  QApplication::sendEvent(page, &drag);
  EXPECT_EQ(window->pos(), QPoint(150, 130));
}

TEST_F(MainWindowTest, APartThatCannotBeMadeEndsCreationThere) {
  auto window = Open([](int dialog, QWidget* parent) -> QWidget* {
    return dialog == 145 ? nullptr : MakePlaceholder(dialog, {}, 0, parent);
  });
  EXPECT_FALSE(window->complete());
  EXPECT_NE(Find(window.get(), 1126), nullptr) << "the button comes before its page";
  EXPECT_EQ(Find(window.get(), 1127), nullptr);
  EXPECT_EQ(Find(window.get(), 170), nullptr) << "no panels";
  EXPECT_TRUE(Shown(window.get(), 1124)) << "what exists stays usable";
  QTest::mouseClick(Find(window.get(), 1125), Qt::LeftButton);
  EXPECT_EQ(window->Tabs()->CurrentPage(), 144);
}

// The controller's window steps with the real window.
class StationWindowsHostStub : public StationWindowsHost {
 public:
  std::string Text(std::string_view key) const override { return std::string(key); }
  int ShowMessageBox(const std::string&, const std::string&) override { return 1; }
  bool AdapterAvailable() const override { return true; }
  bool IsAdministrator() const override { return true; }
  int ConfigToolState() const override { return 1; }
  int WindowsVersionCode() const override { return 8; }
  int ChipCode() const override { return 6; }
  std::filesystem::path ProgramDir() const override { return "/nonexistent"; }
  void OnTrayCallback(uint32_t) override {}
  void RunCommand(uint32_t) override {}
};

TEST_F(MainWindowTest, ShowPanelAndReopenWithTheRealWindow) {
  StationWindowsHostStub windowsHost;
  RecordingTrayIcon icon;
  int created = 0;
  StationWindows windows(windowsHost, icon, [&] {
    ++created;
    return std::make_unique<CLinkora2007Dlg>(host);
  });
  ASSERT_TRUE(windows.Create());
  windows.BringToForeground();
  auto* window = static_cast<CLinkora2007Dlg*>(windows.MainWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(Shown(window, 170));

  windows.ShowPanel(2);
  windows.SetExpanded(true);
  for (int number = 0; number < mainwindow::kPanelCount; ++number) {
    EXPECT_EQ(Shown(window, mainwindow::kPanelDialogs[number]), number == 2) << number;
  }
  EXPECT_TRUE(windows.Create());  // the same window
  EXPECT_EQ(created, 1);

  window->close();  // the user closes it; the next open makes a new one
  EXPECT_EQ(windows.MainWindow(), nullptr);
  windows.Create();
  EXPECT_EQ(created, 2);
  windows.Close();
  EXPECT_EQ(windows.MainWindow(), nullptr);
}

}  // namespace
}  // namespace kavo9
