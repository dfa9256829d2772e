#include "station/networks/ui/SiteSurveyModel.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "station/networks/survey/SurveyColumns.h"
#include "station/networks/ui/SurveyListImages.h"

namespace kavo9 {
namespace {

std::vector<SiteSurveyRow> MakeRows(int count) {
  std::vector<SiteSurveyRow> rows(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    rows[size_t(i)].Ssid = "net" + std::to_string(i);
    rows[size_t(i)].Rssi = -40 - i;
    rows[size_t(i)].Bssid = uint64_t(i);
    rows[size_t(i)].NetworkType = 3;
  }
  return rows;
}

TEST(SiteSurveyModel, RefreshReportsOnlyWhatChanged) {
  SiteSurveyModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

  std::vector<SiteSurveyRow> rows = MakeRows(10);
  model.SetRows(rows);
  EXPECT_EQ(model.rowCount(), 10);
  EXPECT_EQ(changed.count(), 0);

  model.SetRows(rows);  // the same rows: nothing to report
  EXPECT_EQ(changed.count(), 0);

  rows[3].Rssi = -90;
  rows[4].Connected = 1;
  rows[8].Ssid = "renamed";
  model.SetRows(rows);
  ASSERT_EQ(changed.count(), 2);
  EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 3);
  EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 4);
  EXPECT_EQ(changed[1][0].value<QModelIndex>().row(), 8);
  EXPECT_EQ(model.index(8, kColSsid).data().toString(), "renamed");

  model.SetRows(MakeRows(4));
  EXPECT_EQ(model.rowCount(), 4);
  model.SetRows(MakeRows(150));
  EXPECT_EQ(model.rowCount(), 150);
  model.SetRows({});
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(reset.count(), 0) << "never a reset: the view keeps its place";
}

TEST(SiteSurveyModel, EveryListImageDraws) {
  for (int i = 0; i < kListImageCount; ++i)
    EXPECT_FALSE(SurveyListImage(i).pixmap(16, 16).isNull()) << i;
  EXPECT_TRUE(SurveyListImage(kListImageCount).isNull());
}

TEST(SiteSurveyModel, CellsAndDbmSwitch) {
  SiteSurveyModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  std::vector<SiteSurveyRow> rows = MakeRows(2);
  rows[0].Rssi = -67;
  rows[0].Connected = 1;
  model.SetRows(rows);
  EXPECT_EQ(model.index(0, kColSignalText).data().toString(), "57%");
  EXPECT_EQ(model.index(0, kColSignalBar).data(SiteSurveyModel::kSignalPercentRole).toInt(), 57);
  EXPECT_TRUE(model.index(0, kColConnected).data(Qt::DecorationRole).isValid());
  EXPECT_FALSE(model.index(1, kColConnected).data(Qt::DecorationRole).isValid());
  EXPECT_TRUE(model.index(0, kColG).data(Qt::DecorationRole).isValid());

  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  model.SetShowDbm(true);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].value<QModelIndex>().column(), kColSignalText);
  EXPECT_EQ(model.index(0, kColSignalText).data().toString(), "-67 dBm");
}

}  // namespace
}  // namespace kavo9
