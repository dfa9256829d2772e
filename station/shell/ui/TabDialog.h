#pragma once
// The page container over the main window's upper frame: the bar of page buttons with its arrows
// and blank buttons, and the pages, one shown at a time.

#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <vector>

#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/mainwindow/PageBar.h"

class QToolButton;
class QStackedWidget;

namespace kavo9 {

class CTabDialog : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kBarHeight = 88;

  explicit CTabDialog(QWidget* parent);

  // Adds a page button; the buttons are created in bar order.
  QToolButton* AddButton(const mainwindow::PageButtonInfo& info, const QString& text,
                         const QFont& font);
  // Adds the page of the button of `command`.
  void AddPage(int command, QWidget* page);
  // Places the buttons, arrows and blanks as `layout` says.
  void ApplyLayout(const PageBarLayout& layout);
  // Shows the page of `command` and marks its button (the only one marked).
  void ShowPageOf(int command);
  // The dialog number of the page shown, or 0.
  int CurrentPage() const;
  void ShowPage(int pageDialog);

  QToolButton* Button(mainwindow::BarButton button) const;
  // The button of `command`, or null.
  QToolButton* ButtonOf(int command) const;
  // The command of the page shown, or 0.
  int CurrentCommand() const;
  // Which buttons the bar has (the others are hidden for good); all until told.
  void SetPresentTest(std::function<bool(mainwindow::BarButton)> present) {
    present_ = std::move(present);
  }
  // The commands of the pages a user can go to now (present and enabled), in bar order.
  std::vector<int> ReachablePages() const;
  // Scrolls the bar until the button of `command` is in view; false when it cannot be.
  bool BringIntoView(int command);
  QToolButton* LeftArrow() const { return leftArrow_; }
  QToolButton* RightArrow() const { return rightArrow_; }
  QWidget* PageArea() const;

 signals:
  void ScrollRequested(bool left);
  // A page was shown (its dialog number).
  void PageShown(int pageDialog);

 private:
  QToolButton* MakeArrow(int command, int icon, bool left);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The arrow keys on a bar button: focus the next shown button that way (scrolling the bar),
  // and show its page when it has one.
  bool MoveAlongBar(QToolButton* from, int step);

  QWidget* bar_;
  QStackedWidget* pages_;
  QToolButton* leftArrow_;
  QToolButton* rightArrow_;
  std::array<QToolButton*, 2> blanks_{};
  std::array<QToolButton*, mainwindow::kBarButtonCount> buttons_{};
  std::map<int, QWidget*> pageOfCommand_;
  std::function<bool(mainwindow::BarButton)> present_;
};

}  // namespace kavo9
