#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "station/networks/survey/tests/SurveyTestSupport.h"
#include "station/networks/ui/ApDetailIds.h"
#include "station/networks/ui/CAPDetailInfoDlg.h"
#include "station/networks/ui/CHiddenSsidDlg.h"
#include "station/networks/ui/HiddenSsidIds.h"

namespace kavo9 {
namespace {

using namespace testing;

QString Key(LangKey key) {
  return QString::fromLatin1(LangKeyName(key).data());
}

TEST(HiddenSsidDlg, SpacesKeepItOpenANameConnects) {
  FakeStation station;
  station.merged = MergedOf({Network(1, "").Build()});
  FakeDriver driver;
  RecordingHandOver handOver;
  SiteSurvey survey(station, driver, handOver);
  survey.OnCreate();
  survey.OnTick();
  survey.OnTick();  // the first tick's rescan left a rebuild pending
  survey.OnConnect(0);
  ASSERT_EQ(handOver.calls.back(), "hidden");

  int returned = 0;
  CHiddenSsidDlg dlg(
      survey, [&] { ++returned; }, Key);
  dlg.Edit()->setText("old");
  dlg.show();
  EXPECT_EQ(dlg.Edit()->text(), "") << "showing the panel empties the box";
  EXPECT_EQ(dlg.Edit()->maxLength(), 32);
  EXPECT_EQ(dlg.findChild<QLabel*>("1070")->text(), "IDS_HIDDEN_TEXT");

  auto* ok = dlg.findChild<QPushButton*>(QString::number(hiddenssid::kOk));
  QTest::keyClicks(dlg.Edit(), "   ");
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(handOver.calls.back(), "IDS_HIDDEN_TEXT");
  EXPECT_EQ(returned, 0);

  dlg.Prepare();
  QTest::keyClicks(dlg.Edit(), " Backroom ");
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(handOver.calls.back(), "complete");
  EXPECT_EQ(handOver.last.HiddenSsid, "Backroom");
  EXPECT_EQ(returned, 1);

  QTest::mouseClick(dlg.findChild<QPushButton*>(QString::number(hiddenssid::kCancel)),
                    Qt::LeftButton);
  EXPECT_EQ(returned, 2);
}

TEST(APDetailInfoDlg, FillsTheFourTabsAndStartsOnTheFirst) {
  int returned = 0;
  CAPDetailInfoDlg dlg([&] { ++returned; }, Key);
  const Bytes record = Network(0x42, "Office", 5180000, -45)
                           .NetworkType(2)
                           .AddElement(build::RsnElement(build::RsnSuites({4}, {2}, 4)))
                           .AddElement(build::WpsElement({{build::WpsU8(0x1044, 1)}}))
                           .AddElement(build::HtInformationElement({.PrimaryChannel = 36}))
                           .Build();
  dlg.Tabs()->setCurrentIndex(3);
  dlg.ShowRecord(record);
  EXPECT_EQ(dlg.Tabs()->currentIndex(), 0);
  // Captions and tab titles come from the language file where it has them (here: the key).
  EXPECT_EQ(dlg.Tabs()->tabText(1), "IDS_TAB_WPS");
  EXPECT_EQ(dlg.Tabs()->tabText(3), "IDS_TAB_80211N");
  auto* general = dlg.findChild<QWidget*>(QString::number(apdetail::kGeneralTab));
  ASSERT_NE(general, nullptr);
  QStringList captions;
  for (QLabel* label : general->findChildren<QLabel*>()) captions << label->text();
  for (const char* key : {"IDS_SSID", "IDS_MAC_ADDR", "IDS_AUTH_TYPE", "IDS_ENCRY_TYPE",
                          "IDS_NETWORK_TYPE", "IDS_BEACON_INTERVAL", "IDS_SUPPORT_RATE"}) {
    EXPECT_TRUE(captions.contains(key)) << key;
  }
  for (int tab :
       {apdetail::kGeneralTab, apdetail::kWpsTab, apdetail::kCcxTab, apdetail::k80211nTab})
    EXPECT_NE(dlg.findChild<QWidget*>(QString::number(tab)), nullptr) << tab;

  EXPECT_EQ(dlg.ValueOf("SSID >>"), "Office");
  EXPECT_EQ(dlg.ValueOf("MAC Address >>"), "00-1D-5A-00-00-42");
  EXPECT_EQ(dlg.ValueOf("Authentication Type >>"), "WPA2-PSK");
  EXPECT_EQ(dlg.ValueOf("Channel >>"), "36 <--> 5180 MHz");
  EXPECT_EQ(dlg.ValueOf("WPS State >>"), "Unconfigured");
  EXPECT_EQ(dlg.ValueOf("CCKM >>"), "FALSE");
  auto* tree = dlg.findChild<QTreeWidget*>();
  ASSERT_EQ(tree->topLevelItemCount(), 9);
  EXPECT_EQ(tree->topLevelItem(8)->child(0)->text(1), "36");

  // An SSID whose octets are not UTF-8 reads as it does in the list.
  dlg.ShowRecord(Network(1, "Caf\xE9").Build());
  EXPECT_EQ(dlg.ValueOf("SSID >>"), QString::fromUtf8("Caf\xC3\xA9"));

  QTest::mouseClick(dlg.findChild<QPushButton*>(QString::number(apdetail::kOk)), Qt::LeftButton);
  EXPECT_EQ(returned, 1);
}

}  // namespace
}  // namespace kavo9
