// The main window without a mouse and for screen readers: every page reachable by the bar's
// arrow keys, Ctrl+Tab and its kin, and Alt with a mnemonic; every focusable control named; the
// page buttons announced as page tabs; a background click that never leaves a move running;
// Help that says when it could not open.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/ui/testing/WidgetAudit.h"
#include "station/shell/ui/MainWindowDlg.h"
#include "station/shell/ui/TabDialog.h"
#include "station/shell/ui/tests/WindowTestSupport.h"

namespace kavo9 {
namespace {

class MainWindowKeyboardTest : public ::testing::Test {
 protected:
  MainWindowKeyboardTest() {
    TestApp();
    host.ssoInstalled = true;  // every page there is, so the bar scrolls
    host.setting11n = true;
    host.registerSetting = true;
  }
  std::unique_ptr<CLinkora2007Dlg> Open() {
    auto window = std::make_unique<CLinkora2007Dlg>(host);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
  }
  static std::vector<int> AllPages() {
    std::vector<int> pages;
    for (const auto& info : mainwindow::kPageButtons)
      if (info.page != mainwindow::kNoPage) pages.push_back(info.page);
    return pages;
  }
  TestMainWindowHost host;
};

TEST_F(MainWindowKeyboardTest, CtrlTabAndCtrlPageKeysVisitEveryPageAndWrap) {
  auto window = Open();
  const std::vector<int> pages = AllPages();
  struct Case {
    const char* name;
    QKeyCombination forward, backward;
  } cases[] = {
      {"Ctrl+Tab", Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab},
      {"Ctrl+PgDn", Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::Key_PageUp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window->Tabs()->ShowPage(pages.front());
    std::vector<int> seen{window->Tabs()->CurrentPage()};
    for (size_t i = 1; i < pages.size(); ++i) {
      QTest::keySequence(window.get(), QKeySequence(c.forward));
      seen.push_back(window->Tabs()->CurrentPage());
      // The button of the page shown is in view, scrolled there when it had to be.
      QToolButton* button = window->Tabs()->ButtonOf(window->Tabs()->CurrentCommand());
      EXPECT_FALSE(button->isHidden()) << window->Tabs()->CurrentPage();
      EXPECT_TRUE(button->isChecked());
    }
    EXPECT_EQ(seen, pages);
    QTest::keySequence(window.get(), QKeySequence(c.forward));
    EXPECT_EQ(window->Tabs()->CurrentPage(), pages.front()) << "wraps round";
    QTest::keySequence(window.get(), QKeySequence(c.backward));
    EXPECT_EQ(window->Tabs()->CurrentPage(), pages.back()) << "and back";
  }
}

TEST_F(MainWindowKeyboardTest, ArrowsMoveAlongTheBarAndTabVisitsEveryButton) {
  auto window = Open();
  QToolButton* profile = window->Tabs()->Button(mainwindow::BarButton::Profile);
  profile->setFocus(Qt::TabFocusReason);
  // Right arrow: every button in bar order, the bar scrolling to show it, pages shown.
  std::vector<int> focused{profile->objectName().toInt()};
  for (size_t i = 1; i < mainwindow::kBarButtonCount; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    auto* button = qobject_cast<QToolButton*>(QApplication::focusWidget());
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isHidden());
    focused.push_back(button->objectName().toInt());
    const auto& info = mainwindow::InfoOfCommand(button->objectName().toInt());
    if (info.page != mainwindow::kNoPage) {
      EXPECT_EQ(window->Tabs()->CurrentPage(), info.page);
    }
  }
  std::vector<int> all;
  for (const auto& info : mainwindow::kPageButtons) all.push_back(info.command);
  EXPECT_EQ(focused, all);
  EXPECT_TRUE(host.calls.empty()) << "moving over the radio button does not press it";

  // Tab from the profile button goes to the next page button, not past the pages.
  window->Tabs()->ShowPage(143);
  while (window->Tabs()->Button(mainwindow::BarButton::Profile)->isHidden())
    QTest::mouseClick(window->Tabs()->LeftArrow(), Qt::LeftButton);
  profile->setFocus(Qt::TabFocusReason);
  QTest::keyClick(profile, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->Tabs()->Button(mainwindow::BarButton::SiteSurvey));
}

TEST_F(MainWindowKeyboardTest, AltAndAMnemonicOpensItsPage) {
  auto window = Open();
  QToolButton* survey = window->Tabs()->Button(mainwindow::BarButton::SiteSurvey);
  const QKeySequence key = QKeySequence::mnemonic(survey->text());
  ASSERT_FALSE(key.isEmpty()) << survey->text().toStdString();
  EXPECT_EQ(survey->accessibleName(), "<IDS_TAB_SITESURVEY>") << "the name has no mark";
  QTest::keySequence(window.get(), key);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->Tabs()->CurrentPage() == 144; }, 2000));
  // No two buttons of the bar share a key.
  QStringList keys;
  for (const auto& info : mainwindow::kPageButtons) {
    const QString k =
        QKeySequence::mnemonic(window->Tabs()->Button(info.button)->text()).toString();
    if (k.isEmpty()) continue;
    EXPECT_FALSE(keys.contains(k)) << k.toStdString();
    keys << k;
  }
}

TEST_F(MainWindowKeyboardTest, EveryFocusableControlIsNamedAndPageButtonsArePageTabs) {
  auto window = Open();
  const QStringList unnamed = kavo9::testing::UnnamedFocusableControls(window.get());
  EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
  QToolButton* profile = window->Tabs()->Button(mainwindow::BarButton::Profile);
  QAccessibleInterface* tab = QAccessible::queryAccessibleInterface(profile);
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->role(), QAccessible::PageTab) << "not a check box";
  EXPECT_TRUE(tab->state().selected);
  EXPECT_FALSE(tab->text(QAccessible::Description).isEmpty());
  EXPECT_FALSE(QAccessible::queryAccessibleInterface(
                   window->Tabs()->Button(mainwindow::BarButton::SiteSurvey))
                   ->state()
                   .selected);
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(window->Tabs()->Button(mainwindow::BarButton::Radio))
          ->role(),
      QAccessible::Button);
  for (QToolButton* arrow : {window->Tabs()->LeftArrow(), window->Tabs()->RightArrow()})
    EXPECT_FALSE(arrow->accessibleName().isEmpty()) << arrow->objectName().toStdString();
  EXPECT_FALSE(profile->toolTip().isEmpty()) << "the bar tells its keys";
}

TEST_F(MainWindowKeyboardTest, AClickWhoseReleaseComesAtOnceLeavesNoMoveRunning) {
  auto window = Open();
  window->move(300, 300);
  const QPoint at = window->pos();
  QWidget* page = window->findChild<QWidget*>("143");
  const QPoint start = page->mapToGlobal(QPoint(20, 20));
  auto send = [&](QEvent::Type type, QPoint offset, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(20, 20) + offset, QPointF(start + offset), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(page, &event);
  };
  // A tap: press and release together, then the pointer wanders with no button held.
  send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {}, Qt::LeftButton, Qt::NoButton);
  send(QEvent::MouseMove, {200, 120}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window->pos(), at);
  // A press whose release went elsewhere: the first move without the button ends it.
  send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {200, 120}, Qt::NoButton, Qt::NoButton);
  send(QEvent::MouseMove, {300, 200}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window->pos(), at);
  // A real drag far past the screen's edge keeps the window on the screen.
  send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {5000, 5000}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {5000, 5000}, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(AvailableGeometry(window.get()).contains(window->frameGeometry()))
      << window->frameGeometry().x() << "," << window->frameGeometry().y();
}

TEST_F(MainWindowKeyboardTest, HelpWithoutAViewerSaysSo) {
  auto window = Open();
  QStringList shown;
  window->SetMessageShower([&shown](const QString& message) { shown << message; });
  host.launcher.succeed = false;
  window->Tabs()->Button(mainwindow::BarButton::Help)->click();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_NE(shown[0].indexOf("TSCONFIGENG.html"), -1) << shown[0].toStdString();
  host.launcher.succeed = true;
  window->Tabs()->Button(mainwindow::BarButton::Help)->click();
  EXPECT_EQ(shown.size(), 1) << "nothing to say when it opened";
}

}  // namespace
}  // namespace kavo9
