#pragma once
// The statistics page: the driver's frame counters on a transmit and a receive tab, refreshed
// every 2 seconds while the page is shown, and Reset Counter.

#include <QWidget>
#include <functional>
#include <vector>

#include "common/platform/EventLoop.h"
#include "station/networks/statistics/Statistics.h"
#include "station/shell/LangKeys.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace kavo9 {

class CPageStatisticsDlg : public QWidget {
  Q_OBJECT
 public:
  using TextLookup = std::function<QString(LangKey)>;
  CPageStatisticsDlg(EventLoop& loop, DriverPort& driver, statistics::StatisticsLinkPort& link,
                     const TextLookup& text, const QString& faceName, QWidget* parent = nullptr);
  ~CPageStatisticsDlg() override;

  statistics::Statistics& Logic() { return statistics_; }
  void Refresh();
  bool Refreshing() const;
  // 0 transmit, 1 receive.
  void ShowTab(int tab);
  int CurrentTab() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QWidget* BuildTab(int dialog, const std::vector<std::pair<int, int>>& lines,
                    const std::vector<QString>& captions, std::vector<QLabel*>* values);
  void Apply();

  statistics::Statistics statistics_;
  WindowTimers timers_;
  QPushButton* tabButtons_[2] = {};
  QStackedWidget* tabs_ = nullptr;
  std::vector<QLabel*> txValues_;
  std::vector<QLabel*> rxValues_;
};

}  // namespace kavo9
