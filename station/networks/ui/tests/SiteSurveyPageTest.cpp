#include "station/networks/ui/CPageSiteSurveyDlg.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "common/platform/fake/VirtualEventLoop.h"
#include "station/networks/queue/ActionQueue.h"
#include "station/networks/queue/testing/QuietQueueParts.h"
#include "station/networks/survey/CrowdedSky.h"
#include "station/networks/survey/SurveyColumns.h"
#include "station/networks/survey/tests/SurveyTestSupport.h"
#include "station/networks/ui/SiteSurveyIds.h"
#include "station/networks/ui/SiteSurveyModel.h"

namespace kavo9 {
namespace {

using namespace testing;

// The station of the page test: a real action queue over a driver that returns a crowded sky.
struct SkyStation : FakeStation, DriverPort, ScanCycleHost {
  explicit SkyStation(VirtualEventLoop& l) : loop(l) {}
  VirtualEventLoop& loop;
  int round = 0;
  std::vector<uint8_t> sky = build::CrowdedSkyList(160);
  QuietQueueParts quiet;
  ActionQueue queue{{*this, *this, quiet, quiet, quiet}};

  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t* r) override {
    if (oid == OID_802_11_BSSID_LIST && length >= sky.size()) {
      std::memcpy(buffer, sky.data(), sky.size());
      return true;
    }
    return driver.QueryInformation(oid, buffer, length, r);
  }
  bool SetInformation(uint32_t, const void*, uint32_t, int) override { return true; }
  bool IsAdapterPresent() override { return true; }
  void StartScanWaitTimer(uint32_t) override {}
  void OnListReadOutsideQueue() override {}
  std::vector<int32_t> AllowedChannels() override {
    return {1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  11,  12, 13,
            36, 40, 44, 48, 52, 56, 60, 64, 100, 116, 149, 157};
  }
  uint64_t UtcFileTime() override { return loop.UtcFileTime(); }
  bool ScanPending() const override { return queue.ScanPending(); }
  void RequestScan() override { queue.RequestScan(); }
  MergedBssList& Merged() override { return queue.Merged(); }
  // A scan completes: the signals move and the list is read.
  void CompleteScan() {
    sky = build::CrowdedSkyList(160, ++round);
    queue.OnScanWaitTimer(false);
  }
  FakeDriver driver;
};

template <typename W>
W* Find(QWidget& page, int number) {
  return page.findChild<W*>(QString::number(number));
}

QString Key(LangKey key) {
  return QString::fromLatin1(LangKeyName(key).data());
}

class SiteSurveyPageTest : public ::testing::Test {
 protected:
  SiteSurveyPageTest() {
    page.resize(640, 420);
    page.show();
  }
  // The first tick asks for a scan; its list is read and the next tick shows it.
  void ShowFirstList() {
    loop.Advance(kSurveyTickMs);
    station.CompleteScan();
    loop.Advance(kSurveyTickMs);
    QCoreApplication::processEvents();
  }
  QString SsidAt(int row) const { return page.Model().index(row, kColSsid).data().toString(); }

  VirtualEventLoop loop;
  SkyStation station{loop};
  RecordingHandOver handOver;
  CPageSiteSurveyDlg page{loop, station, station, handOver, Key};
};

TEST_F(SiteSurveyPageTest, ControlsByNumberWithTheirTexts) {
  using namespace sitesurvey;
  EXPECT_EQ(Find<QPushButton>(page, kRescan)->text(), "IDS_SITESUR_RESCAN");
  EXPECT_EQ(Find<QPushButton>(page, kConnect)->text(), "IDS_SITESUR_CONNECT");
  EXPECT_EQ(Find<QPushButton>(page, kAddToProfile)->text(), "IDS_SITESUR_ADDPRO");
  for (int id : {kSsidRadio, kChannelRadio, kSignalRadio})
    EXPECT_NE(Find<QRadioButton>(page, id), nullptr) << id;
  EXPECT_TRUE(Find<QRadioButton>(page, kSsidRadio)->isChecked());
  // Created with a rebuild pending: the choices are off, the "Sorted by" caption is not.
  EXPECT_FALSE(Find<QPushButton>(page, kRescan)->isEnabled());
  EXPECT_FALSE(Find<QLabel>(page, kSignalLabel)->isEnabled());
  EXPECT_FALSE(Find<QLabel>(page, kShowDbmLabel)->isEnabled());
  EXPECT_TRUE(Find<QLabel>(page, kSortByLabel)->isEnabled());
  EXPECT_NE(Find<QCheckBox>(page, kShowDbm), nullptr);
  auto* list = Find<QTableView>(page, kList);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(SiteSurveyPageTest, CrowdedListKeepsSelectionAndScrollAcrossRefreshes) {
  ShowFirstList();
  const int rows = page.Model().rowCount();
  ASSERT_GE(rows, 150);
  EXPECT_TRUE(Find<QPushButton>(page, sitesurvey::kConnect)->isEnabled());

  // The user sorts by signal, scrolls down and picks a network.
  QTest::mouseClick(Find<QRadioButton>(page, sitesurvey::kSignalRadio), Qt::LeftButton);
  EXPECT_TRUE(Find<QRadioButton>(page, sitesurvey::kSignalRadio)->isEnabled())
      << "the new order shows at the next tick; the controls stay as they are";
  loop.Advance(kSurveyTickMs);
  QCoreApplication::processEvents();
  EXPECT_TRUE(Find<QPushButton>(page, sitesurvey::kRescan)->isEnabled());
  page.List()->selectRow(60);
  page.List()->verticalScrollBar()->setValue(40);
  const QString chosen = SsidAt(60);

  // Scans come and go every two seconds; the rows are resorted as the signals move.
  for (int refresh = 0; refresh < 5; ++refresh) {
    QTest::mouseClick(Find<QPushButton>(page, sitesurvey::kRescan), Qt::LeftButton);
    loop.Advance(kSurveyTickMs);  // a scan is still running: nothing moves
    station.CompleteScan();
    loop.Advance(kSurveyTickMs);
    QCoreApplication::processEvents();
    const int selected = page.SelectedRow();
    ASSERT_GE(selected, 0) << refresh;
    EXPECT_EQ(SsidAt(selected), chosen) << refresh;
    EXPECT_EQ(page.List()->verticalScrollBar()->value(), 40) << refresh;
  }
  // Sorted by signal: strongest first.
  const auto& shown = page.Model().Rows();
  for (size_t i = 1; i < shown.size(); ++i) ASSERT_GE(shown[i - 1].Rssi, shown[i].Rssi);
}

TEST_F(SiteSurveyPageTest, ButtonsHandOver) {
  ShowFirstList();
  QTest::mouseClick(Find<QPushButton>(page, sitesurvey::kConnect), Qt::LeftButton);
  EXPECT_EQ(handOver.calls.back(), "IDS_NOSELECTEDITEM");

  page.List()->selectRow(1);
  const QRect cell = page.List()->visualRect(page.Model().index(1, kColSsid));
  QTest::mouseClick(page.List()->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseClick(Find<QPushButton>(page, sitesurvey::kAddToProfile), Qt::LeftButton);
  EXPECT_EQ(handOver.calls.back(), "profile editor");
  QTest::mouseDClick(page.List()->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(handOver.calls.back().rfind("detail", 0), 0u);

  // The dBm box switches the text column.
  auto* dbm = Find<QCheckBox>(page, sitesurvey::kShowDbm);
  dbm->click();
  EXPECT_TRUE(ShowDbm());
  EXPECT_TRUE(page.Model().index(1, kColSignalText).data().toString().endsWith(" dBm"));
  dbm->click();
  EXPECT_TRUE(page.Model().index(1, kColSignalText).data().toString().endsWith("%"));
}

TEST_F(SiteSurveyPageTest, LooksRightWithACrowdedList) {
  ShowFirstList();
  page.List()->selectRow(2);
  const QImage shot = page.grab().toImage();
  EXPECT_FALSE(shot.isNull());
  if (const char* dir = std::getenv("KAVO9_SCREENSHOT_DIR"))
    shot.save(QString::fromLocal8Bit(dir) + "/site_survey.png");
}

}  // namespace
}  // namespace kavo9
