#pragma once
// The page container over the main window's upper frame: the bar of page buttons with its arrows
// and blank buttons, and the pages, one shown at a time.

#include <QWidget>
#include <array>
#include <map>

#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/mainwindow/PageBar.h"

class QToolButton;
class QStackedWidget;
class QButtonGroup;

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
  // Shows the page of `command` and marks its button.
  void ShowPageOf(int command);
  // The dialog number of the page shown, or 0.
  int CurrentPage() const;
  void ShowPage(int pageDialog);

  QToolButton* Button(mainwindow::BarButton button) const;
  QToolButton* LeftArrow() const { return leftArrow_; }
  QToolButton* RightArrow() const { return rightArrow_; }
  QWidget* PageArea() const;

 signals:
  void ScrollRequested(bool left);

 private:
  QToolButton* MakeArrow(int command, int icon, bool left);

  QWidget* bar_;
  QStackedWidget* pages_;
  QButtonGroup* group_;
  QToolButton* leftArrow_;
  QToolButton* rightArrow_;
  std::array<QToolButton*, 2> blanks_{};
  std::array<QToolButton*, mainwindow::kBarButtonCount> buttons_{};
  std::map<int, QWidget*> pageOfCommand_;
};

}  // namespace kavo9
