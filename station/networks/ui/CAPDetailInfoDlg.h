#pragma once
// The access-point detail dialog (panel 4 of the main window): the General, WPS, CCX and
// 802.11n tabs for one record of the site survey.

#include <QWidget>
#include <functional>
#include <span>

#include "station/networks/survey/ApDetail.h"
#include "station/networks/ui/CPageSiteSurveyDlg.h"

class QLabel;
class QTabWidget;
class QTreeWidget;

namespace kavo9 {

class CAPDetailInfoDlg : public QWidget {
  Q_OBJECT
 public:
  // `returnToPages` (OK) shows the link status panel again.
  CAPDetailInfoDlg(std::function<void()> returnToPages, SurveyTextLookup text,
                   QWidget* parent = nullptr);

  // Fills all four tabs from `record` and selects the first.
  void ShowRecord(std::span<const uint8_t> record);

  QTabWidget* Tabs() const { return tabs_; }
  const ApDetail& Detail() const { return detail_; }
  // The value shown beside a caption ("SSID >>"), for tests.
  QString ValueOf(const QString& caption) const;

 private:
  QWidget* MakeGeneralTab(const SurveyTextLookup& text);
  QWidget* MakeWpsTab(const SurveyTextLookup& text);
  QWidget* MakeCcxTab();
  QWidget* MakeHtTab();

  std::function<void()> returnToPages_;
  QTabWidget* tabs_ = nullptr;
  QTreeWidget* htTree_ = nullptr;
  std::vector<std::pair<QString, QLabel*>> values_;  // caption, value label
  class SignalBar* signal_ = nullptr;
  ApDetail detail_;
};

}  // namespace kavo9
