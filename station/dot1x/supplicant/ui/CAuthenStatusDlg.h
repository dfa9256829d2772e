#pragma once
// The authentication status panel (panel 5 of the main window, dialog 2244): the status list's
// lines with the local time they arrived, in a two-column list. The end marker empties it and,
// when it is the panel shown, returns to the pages.

#include <QWidget>
#include <functional>
#include <string_view>

#include "common/platform/EventLoop.h"
#include "station/dot1x/supplicant/AuthStatusList.h"

class QTreeWidget;

namespace kavo9 {

class CAuthenStatusDlg : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDialog = 2244;
  static constexpr int kList = 2245;
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  using Text = std::function<QString(std::string_view key)>;
  CAuthenStatusDlg(const dot1x::AuthStatusList& list, const EventLoop& loop,
                   std::function<void()> returnToPages, Text text, QWidget* parent = nullptr);

  // A new line (or the end marker) at `index` of the status list.
  void OnStatusLine(int index);
  QTreeWidget* List() const { return list_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QString LocalTime() const;
  void SizeColumns();

  const dot1x::AuthStatusList& status_;
  const EventLoop& loop_;
  std::function<void()> returnToPages_;
  QTreeWidget* list_ = nullptr;
};

}  // namespace kavo9
