#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "common/ui/MessageBoxDlg.h"
#include "common/ui/QtTrayIcon.h"
#include "station/shell/tray/TrayMenu.h"
#include "station/shell/ui/tests/WindowTestSupport.h"

namespace kavo9 {
namespace {

TEST(MessageBox, CaptionIconTextAndOk) {
  TestApp();
  const QString message = "Key <b>&amp;</b> 100% wrong";
  CMessageBoxDlg box(message, "OK!");
  EXPECT_EQ(box.windowTitle(), "Kavo9");
  EXPECT_EQ(box.objectName(), "249");
  auto* text = Find<QLabel>(&box, 3216);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(), message);
  EXPECT_EQ(text->textFormat(), Qt::PlainText) << "shown as written, never as markup";
  EXPECT_NE(Find<QLabel>(&box, 298), nullptr);
  auto* ok = Find<QPushButton>(&box, 1);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK!");
}

TEST(MessageBox, ReturnsWhenOkIsPressed) {
  TestApp();
  QTimer::singleShot(0, [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "249" && widget->isVisible()) {
        Find<QPushButton>(widget, 1)->click();
      }
    }
  });
  EXPECT_EQ(ShowMessageBox("Hello", "OK"), QDialog::Accepted);
}

TEST(TrayMenuWidget, ItemsInOrderWithExitSetApart) {
  TestApp();
  std::vector<uint32_t> chosen;
  std::vector<TrayMenuItem> items{
      {kTrayOpen, "&Open"}, {kTraySwitchApMode, "Switch to &AP"}, {kTrayExit, "E&xit"}};
  std::unique_ptr<QMenu> menu(BuildTrayMenu(items, [&](uint32_t c) { chosen.push_back(c); }));
  QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->objectName(), "32771");
  EXPECT_EQ(actions[0]->text(), "&Open");
  EXPECT_TRUE(actions[2]->isSeparator());
  EXPECT_EQ(actions[3]->objectName(), "32772");
  actions[1]->trigger();
  actions[3]->trigger();
  EXPECT_EQ(chosen, std::vector<uint32_t>({kTraySwitchApMode, kTrayExit}));
}

TEST(CreateTrayIcon, WithoutANotificationAreaTheProgramStillRuns) {
  TestApp();  // offscreen: no notification area
  std::unique_ptr<TrayIcon> icon = CreateTrayIcon();
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(icon->Add(132, "Not connected"));
  EXPECT_TRUE(icon->Modify(131, "On Lab"));
  EXPECT_TRUE(icon->Delete());
}

}  // namespace
}  // namespace kavo9
