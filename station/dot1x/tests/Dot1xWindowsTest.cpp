#include <gtest/gtest.h>
#include <QTest>
#include <QTreeWidget>

#include "common/platform/fake/VirtualEventLoop.h"
#include "station/dot1x/supplicant/ui/CAuthenStatusDlg.h"

namespace kavo9 {
namespace {

QString Text(std::string_view key) {
  return QString::fromUtf8(key.data(), int(key.size()));
}

TEST(AuthStatusPanel, LinesAppearUntilTheEndMarkerEmptiesIt) {
  VirtualEventLoop loop;
  dot1x::AuthStatusList list;
  int returns = 0;
  CAuthenStatusDlg panel(
      list, loop, [&] { ++returns; }, &Text);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  panel.OnStatusLine(list.Add("Network is connecting..."));
  panel.OnStatusLine(list.Add(""));
  ASSERT_EQ(panel.List()->topLevelItemCount(), 2);
  EXPECT_EQ(panel.List()->topLevelItem(0)->text(1), "Network is connecting...");
  EXPECT_EQ(panel.List()->topLevelItem(1)->text(1), "NULL STRING");
  EXPECT_FALSE(panel.List()->topLevelItem(0)->text(0).isEmpty());
  panel.OnStatusLine(list.MarkDone());
  EXPECT_EQ(panel.List()->topLevelItemCount(), 0);
  EXPECT_EQ(returns, 1);
}

}  // namespace
}  // namespace kavo9
