#pragma once
// The site survey page: the list of networks in range with its sort and dBm controls and the
// Rescan, Connect and Add To Profile buttons. It binds its controls to the page logic and runs
// the page's 2-second tick while it exists.

#include <QWidget>
#include <functional>
#include <memory>

#include "common/platform/EventLoop.h"
#include "station/networks/survey/SiteSurvey.h"
#include "station/shell/LangKeys.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace kavo9 {

class SiteSurveyModel;

// The language text of a key.
using SurveyTextLookup = std::function<QString(LangKey)>;

class CPageSiteSurveyDlg : public QWidget {
  Q_OBJECT
 public:
  CPageSiteSurveyDlg(EventLoop& loop, SurveyStationPort& station, DriverPort& driver,
                     SurveyHandOverPort& handOver, SurveyTextLookup text,
                     QWidget* parent = nullptr);
  ~CPageSiteSurveyDlg() override;

  SiteSurvey& Logic() { return survey_; }
  SiteSurveyModel& Model() const { return *model_; }
  QTableView* List() const { return list_; }
  // The selected row, or -1.
  int SelectedRow() const;

  // The page tick (also driven by the page's own timer).
  void OnTick();
  // The controller read the list outside the queue: rows now, controls off until the next pass.
  void RebuildRowsNow();
  // The radio button: rows at the next tick and a scan now.
  void RequestRebuild();
  // The order and the dBm choice remembered from the last run.
  void RestorePreferences(int sortKey, bool showDbm);
  QLabel* StatusLine() const { return status_; }
  QLabel* ListNotice() const { return notice_; }

 signals:
  // The user chose another order or flipped the dBm box.
  void PreferencesChanged(int sortKey, bool showDbm);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls(const SurveyTextLookup& text);
  void BuildList();
  QLayout* BuildButtons(const SurveyTextLookup& text);
  QLayout* BuildSortRow(const SurveyTextLookup& text);
  QLayout* BuildTitleRow(const SurveyTextLookup& text);
  // Shows the logic's rows, keeping the selected network selected and the scroll position.
  void ShowRows();
  void ApplyControls();
  void SizeColumns();
  void OnSort(int sortKey);
  void OnSelectionChanged();
  void NameControls();

  SiteSurvey survey_;
  WindowTimers timers_;
  SiteSurveyModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QPushButton* rescan_ = nullptr;
  QPushButton* connect_ = nullptr;
  QPushButton* addToProfile_ = nullptr;
  QRadioButton* sort_[3] = {};
  QLabel* sortLabels_[3] = {};
  QLabel* sortBy_ = nullptr;
  QCheckBox* showDbm_ = nullptr;
  QLabel* showDbmLabel_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* notice_ = nullptr;
  SurveyWords words_;
};

}  // namespace kavo9
