#include <gtest/gtest.h>

#include <QSvgRenderer>

#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/tray/TrayTip.h"
#include "station/shell/ui/tests/WindowTestSupport.h"

namespace kavo9 {
namespace {

// Every picture the windows ask for exists and draws: a broken drawing would otherwise only show
// as an empty button.
TEST(Icons, EveryResourceTheWindowsUseDraws) {
  TestApp();
  std::vector<QString> files;
  for (const auto& info : mainwindow::kPageButtons) files.push_back(QString::number(info.icon));
  for (int id : {mainwindow::kRadioOffIcon, mainwindow::kLeftArrowIcon, mainwindow::kRightArrowIcon,
                 mainwindow::kLessIcon, mainwindow::kMoreIcon, 298}) {
    files.push_back(QString::number(id));
  }
  for (TrayState state : {TrayState::Good, TrayState::Normal, TrayState::Weak, TrayState::KeyError,
                          TrayState::NotConnected, TrayState::NoAdapter}) {
    files.push_back(QString::number(IconOf(state)));
  }
  for (int image = 0; image < 10; ++image) files.push_back(QStringLiteral("167_%1").arg(image));
  for (const QString& name : files) {
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    EXPECT_TRUE(renderer.isValid()) << name.toStdString();
  }
  EXPECT_FALSE(ResourceIcon(131).pixmap(32).isNull());
  EXPECT_FALSE(ListImage(9).pixmap(16).isNull());
}

}  // namespace
}  // namespace kavo9
