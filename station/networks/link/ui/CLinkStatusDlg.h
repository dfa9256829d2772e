#pragma once
// The link status panel (panel 0 of the main window's lower frame): the link in words, the rates
// and throughputs with their graphs, the quality, signal and noise bars, the 802.11n fields and a
// signal / noise / SNR history of the last ten minutes. It refreshes every 2 seconds while shown,
// binding its controls to the panel's logic; it never sets anything in the driver.

#include <QWidget>
#include <array>

#include "common/platform/EventLoop.h"
#include "station/networks/link/LinkStatus.h"

class QLabel;
class CHistogramCtrl;
class CProgressCtrlX;
class SignalHistoryGraph;

namespace kavo9 {

class CLinkStatusDlg : public QWidget {
  Q_OBJECT
 public:
  // `faceName` is the language's font face, for the captions of the bars and the 802.11n lines.
  CLinkStatusDlg(EventLoop& loop, DriverPort& driver, link::LinkStationPort& station,
                 const QString& faceName, QWidget* parent = nullptr);
  ~CLinkStatusDlg() override;

  link::LinkStatus& Logic() { return link_; }
  // One refresh (the timer's tick).
  void Refresh();
  bool Refreshing() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Line {
    QLabel* caption = nullptr;
    QLabel* value = nullptr;
  };
  void Build(const QString& faceName);
  QWidget* BuildLinkColumn();
  QWidget* BuildTrafficColumn();
  QWidget* BuildSignalColumn();
  Line MakeLine(int caption, int value, const QString& text, QWidget* parent);
  // Pushes the logic's view into the controls.
  void Apply();

  EventLoop& loop_;
  link::LinkStationPort& station_;
  link::LinkStatus link_;
  WindowTimers timers_;
  QFont captionFont_;
  std::array<Line, link::kLinkTextCount> lines_{};
  std::array<Line, link::kHtTextCount> ht_{};
  std::array<CProgressCtrlX*, link::kBarCount> bars_{};
  CHistogramCtrl* txGraph_ = nullptr;
  CHistogramCtrl* rxGraph_ = nullptr;
  QWidget* htSection_ = nullptr;
  SignalHistoryGraph* history_ = nullptr;
};

}  // namespace kavo9
