// The site survey by keyboard and for screen readers: keys select as a click does, Enter opens
// the details, Tab leaves the list, every control and every row can be heard, and a disabled
// button says why.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "common/platform/fake/VirtualEventLoop.h"
#include "common/ui/testing/WidgetAudit.h"
#include "station/networks/survey/SurveyColumns.h"
#include "station/networks/survey/tests/SurveyTestSupport.h"
#include "station/networks/ui/CPageSiteSurveyDlg.h"
#include "station/networks/ui/SiteSurveyIds.h"
#include "station/networks/ui/SiteSurveyModel.h"

namespace kavo9 {
namespace {

using namespace testing;

QString Key(LangKey key) {
  return QString::fromLatin1(LangKeyName(key).data());
}

class SiteSurveyAccessTest : public ::testing::Test {
 protected:
  SiteSurveyAccessTest() {
    page.resize(640, 420);
    page.show();
    page.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&page));
  }
  // Two networks of one name, a WPS network, an open one and a hidden one, sorted by SSID:
  // "", ACME-Corp (01), ACME-Corp (02), Apartment 4B, Cafe.
  void ShowNetworks() {
    const auto rsn = build::RsnElement(build::RsnSuites({4}, {2}, 4));
    station.merged = MergedOf({
        Network(1, "ACME-Corp", 2412000, -50).AddElement(rsn).Build(),
        Network(2, "ACME-Corp", 2462000, -70).AddElement(rsn).Build(),
        Network(3, "Apartment 4B", 2452000, -67)
            .NetworkType(3)
            .AddElement(rsn)
            .AddElement(build::WpsElement({{build::WpsU8(0x1044, 2)}}))
            .Build(),
        Network(4, "Cafe", 2437000, -60).Build(),
        Network(5, "", 2437000, -80).AddElement(rsn).Build(),
    });
    // The first tick shows the rows and asks for a rescan, the second shows its list.
    loop.Advance(2 * kSurveyTickMs);
    QCoreApplication::processEvents();
    ASSERT_EQ(page.Model().rowCount(), 5);
  }
  QTableView* List() { return page.List(); }
  QPushButton* Button(int number) { return page.findChild<QPushButton*>(QString::number(number)); }
  QString Cell(int row, int column, int role) {
    return page.Model().index(row, column).data(role).toString();
  }

  VirtualEventLoop loop;
  FakeStation station;
  FakeDriver driver;
  RecordingHandOver handOver;
  CPageSiteSurveyDlg page{loop, station, driver, handOver, Key};
};

TEST_F(SiteSurveyAccessTest, KeysSelectAsAClickDoesAndEnterOpensTheDetails) {
  station.supplicant = false;  // secured rows then disable Connect and Add To Profile
  ShowNetworks();
  QPushButton* connect = Button(sitesurvey::kConnect);
  QPushButton* add = Button(sitesurvey::kAddToProfile);
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Home);
  ASSERT_EQ(page.SelectedRow(), 0);
  // Down through the list: only the open network may be joined without the supplicant.
  for (int row = 0; row < 5; ++row) {
    SCOPED_TRACE(row);
    if (row > 0) QTest::keyClick(List(), Qt::Key_Down);
    ASSERT_EQ(page.SelectedRow(), row);
    const bool open = Cell(row, kColSsid, Qt::DisplayRole) == "Cafe";
    EXPECT_EQ(connect->isEnabled(), open);
    EXPECT_EQ(add->isEnabled(), open);
    if (!open) {
      EXPECT_NE(connect->toolTip().indexOf("supplicant"), -1) << connect->toolTip().toStdString();
    }
  }
  QTest::keyClick(List(), Qt::Key_Up);  // back to a secured one
  EXPECT_FALSE(connect->isEnabled());
  QTest::keyClick(List(), Qt::Key_End, Qt::ControlModifier);  // the last row: the open network
  EXPECT_TRUE(connect->isEnabled());
  QTest::keyClick(List(), Qt::Key_Return);
  ASSERT_FALSE(handOver.calls.empty());
  EXPECT_EQ(handOver.calls.back(), "detail -60") << "Enter did what a double click does";
}

TEST_F(SiteSurveyAccessTest, TabLeavesTheListAndEveryControlIsNamed) {
  ShowNetworks();
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Home);
  QTest::keyClick(List(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), List()) << "Tab moved on instead of to the next cell";
  EXPECT_FALSE(List()->tabKeyNavigation());

  const QStringList unnamed = kavo9::testing::UnnamedFocusableControls(&page);
  EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(List());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->text(QAccessible::Name), "IDS_SITESUR_AP_LIST");
  for (int column = 0; column < kSurveyColumnCount; ++column) {
    EXPECT_FALSE(
        page.Model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty())
        << column;
  }
  EXPECT_EQ(page.Model().headerData(kColSecurity, Qt::Horizontal, Qt::DisplayRole), "Security");
}

TEST_F(SiteSurveyAccessTest, RowsAreSpokenWholeAndTheirTooltipsTellTwinsApart) {
  ShowNetworks();
  // Row 3: Apartment 4B.
  EXPECT_EQ(Cell(3, kColSsid, Qt::AccessibleTextRole).toStdString(),
            "Apartment 4B, WPA2-PSK, WPS, channel 9, 802.11b/g, Infrastructure, 57 %");
  EXPECT_EQ(Cell(3, kColSecurity, Qt::AccessibleTextRole), "Secured, WPS")
      << "the WPS mark stands where the key would";
  EXPECT_EQ(Cell(3, kColG, Qt::AccessibleTextRole), "802.11g");
  // The hidden network is announced as one, in the language file's words.
  EXPECT_TRUE(Cell(0, kColSsid, Qt::DisplayRole).isEmpty()) << "the list itself shows no name";
  EXPECT_TRUE(Cell(0, kColSsid, Qt::AccessibleTextRole).startsWith("IDS_HIDDENSSID, "))
      << Cell(0, kColSsid, Qt::AccessibleTextRole).toStdString();
  // Every cell of a row carries the row's tooltip; the two ACME-Corp rows differ by BSSID.
  const QString first = Cell(1, kColSecurity, Qt::ToolTipRole);
  const QString second = Cell(2, kColSecurity, Qt::ToolTipRole);
  EXPECT_EQ(first.toStdString(),
            "ACME-Corp\nSecurity: WPA2-PSK\nCipher: AES\nWPS: no\nBSSID: 00-1D-5A-00-00-01");
  EXPECT_NE(first, second);
  EXPECT_EQ(Cell(1, kColSignalBar, Qt::ToolTipRole), first);
  EXPECT_EQ(Cell(4, kColSecurity, Qt::ToolTipRole).toStdString(),
            "Cafe\nSecurity: IDS_OPENSYSTEM\nCipher: None\nWPS: no\nBSSID: 00-1D-5A-00-00-04");
}

TEST_F(SiteSurveyAccessTest, TheStatusSaysScanningOrRadioOffAndConnectSaysWhyItIsOff) {
  // Created with a rebuild pending: the list is being rebuilt.
  EXPECT_EQ(page.StatusLine()->text(), "IDS_RESCAANING");
  EXPECT_NE(Button(sitesurvey::kConnect)->toolTip().indexOf("rebuilt"), -1);
  ShowNetworks();
  EXPECT_TRUE(page.StatusLine()->text().isEmpty());
  EXPECT_TRUE(page.ListNotice()->isHidden());
  EXPECT_TRUE(Button(sitesurvey::kConnect)->isEnabled());

  station.configTool = 2;
  page.OnTick();
  EXPECT_EQ(Button(sitesurvey::kConnect)->toolTip(), "IDS_TURNON_AUTOCONFIG");
  station.configTool = 0;

  station.radioOn = false;
  page.RequestRebuild();
  EXPECT_EQ(page.StatusLine()->text(), "IDS_SITESUR_RADIOOFF");
  EXPECT_EQ(page.Model().rowCount(), 0) << "no networks that may be gone";
  EXPECT_FALSE(page.ListNotice()->isHidden());
  EXPECT_NE(Button(sitesurvey::kConnect)->toolTip().indexOf("radio is off"), -1);
}

}  // namespace
}  // namespace kavo9
