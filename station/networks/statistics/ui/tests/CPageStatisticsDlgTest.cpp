// The statistics page as a window: the tabs by mouse and keys, the counters, Reset Counter, and
// refreshing only while shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/ui/testing/WidgetAudit.h"
#include "station/networks/statistics/ui/CPageStatisticsDlg.h"
#include "station/networks/statistics/ui/StatisticsIds.h"

namespace kavo9 {
namespace {

using namespace statisticspage;

class StatisticsPageTest : public ::testing::Test, public statistics::StatisticsLinkPort {
 protected:
  void ResetLinkByteCounts() override { ++linkResets; }
  QString Value(int tabDialog, int number) {
    auto* tab = page->findChild<QWidget*>(QString::number(tabDialog));
    return tab->findChild<QLabel*>(QString::number(number))->text();
  }

  ScriptedDriver driver;
  VirtualEventLoop loop;
  int linkResets = 0;
  std::unique_ptr<CPageStatisticsDlg> page = std::make_unique<CPageStatisticsDlg>(
      loop, driver, *this, [](LangKey) { return QString(); }, "Trebuchet MS");
};

TEST_F(StatisticsPageTest, TabsCountersAndReset) {
  std::vector<uint8_t> record(176, 0);
  const int64_t fragments = 1000, retries = 150;
  std::memcpy(record.data() + 8, &fragments, 8);
  std::memcpy(record.data() + 32, &retries, 8);
  driver.answers[OID_802_11_STATISTICS] = record;
  driver.AnswerDword(OID_GEN_RCV_OK, 2'500'000'000u);
  page->resize(860, 330);
  page->show();
  EXPECT_TRUE(page->Refreshing());
  EXPECT_EQ(Value(kTxTabDialog, 1183), "1000");
  EXPECT_EQ(Value(kTxTabDialog, 1185), "150");
  EXPECT_EQ(Value(kTxTabDialog, 1184), "850");
  EXPECT_EQ(Value(kRxTabDialog, 1188), "2500000000");
  EXPECT_EQ(page->CurrentTab(), 0);

  // The receive tab by a click, and back by the arrow key.
  auto* rxButton = page->findChild<QPushButton*>(QString::number(kRxTabButton));
  QTest::mouseClick(rxButton, Qt::LeftButton);
  EXPECT_EQ(page->CurrentTab(), 1);
  rxButton->setFocus();
  QTest::keyClick(rxButton, Qt::Key_Left);
  EXPECT_EQ(page->CurrentTab(), 0);

  // Reset Counter: zeros at once, the driver's counters cleared, the link panel told.
  QTest::mouseClick(page->findChild<QPushButton*>(QString::number(kResetCounter)), Qt::LeftButton);
  EXPECT_EQ(Value(kTxTabDialog, 1183), "0");
  EXPECT_EQ(Value(kRxTabDialog, 1188), "0");
  EXPECT_NE(driver.LastSet(OID_VND_RESET_COUNTERS), nullptr);
  EXPECT_EQ(linkResets, 1);
  loop.Advance(2000);
  EXPECT_EQ(Value(kTxTabDialog, 1183), "1000") << "the next tick reads the driver again";

  EXPECT_TRUE(testing::UnnamedFocusableControls(page.get()).isEmpty())
      << testing::UnnamedFocusableControls(page.get()).join(", ").toStdString();
  page->hide();
  EXPECT_FALSE(page->Refreshing());
}

}  // namespace
}  // namespace kavo9
