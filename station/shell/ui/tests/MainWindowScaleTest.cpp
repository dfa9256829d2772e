// The main window at twice the scale on a 1600x1000 screen (800x500 in the window's own units):
// smaller than the window, which must still fit and let every control be reached.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <cstdlib>

#include "station/shell/ui/MainWindowDlg.h"
#include "station/shell/ui/TabDialog.h"
#include "station/shell/ui/tests/WindowTestSupport.h"

// The screen and the scale, set before the test main makes the application.
static const bool kScreenChosen = [] {
  ::setenv("QT_QPA_PLATFORM",
           "offscreen:configfile=" KAVO9_SOURCE_DIR "/cmake/testing/screen-1600x1000.json", 1);
  ::setenv("QT_SCALE_FACTOR", "2", 1);
  return true;
}();

namespace kavo9 {
namespace {

// Whether `widget` can be seen in the scrolled window now.
bool InView(const CLinkora2007Dlg& window, const QWidget* widget) {
  const QRect viewport = window.Scroller()->viewport()->rect();
  const QRect shown(widget->mapTo(window.Scroller()->viewport(), QPoint(0, 0)), widget->size());
  return viewport.contains(shown);
}

TEST(MainWindowAtScale2, FitsTheScreenAndEveryControlCanBeReached) {
  ASSERT_TRUE(kScreenChosen);
  TestApp();
  TestMainWindowHost host;
  CLinkora2007Dlg window(host);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QRect available = AvailableGeometry(&window);
  ASSERT_EQ(available.size(), QSize(800, 500)) << "the scale is in force";

  for (bool expanded : {false, true}) {
    SCOPED_TRACE(expanded ? "expanded" : "collapsed");
    window.SetExpanded(expanded);
    window.move(700, 400);  // asked to stand half off the screen
    window.BringToFront();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    EXPECT_GT(window.Content()->width(), window.width()) << "the layout keeps its size";

    // About and More/Less come into view when the keyboard reaches them...
    QToolButton* about = window.Tabs()->Button(mainwindow::BarButton::About);
    about->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(InView(window, about));
    auto* moreLess = window.findChild<QPushButton*>("1329");
    moreLess->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(InView(window, moreLess));
    // ... and the right arrow when the window is scrolled to its right end.
    window.Scroller()->horizontalScrollBar()->setValue(
        window.Scroller()->horizontalScrollBar()->maximum());
    window.Scroller()->verticalScrollBar()->setValue(0);
    EXPECT_TRUE(InView(window, window.Tabs()->RightArrow()));
  }
}

}  // namespace
}  // namespace kavo9
