#pragma once
// The station utility's main window: the page bar and pages above, the More/Less button, and the
// lower frame with its eleven panels.

#include <QDialog>
#include <array>
#include <functional>

#include "common/ui/Accessibility.h"
#include "common/ui/WindowDrag.h"
#include "station/shell/mainwindow/MainWindowHost.h"
#include "station/shell/mainwindow/MainWindowView.h"
#include "station/shell/mainwindow/MoreLess.h"
#include "station/shell/mainwindow/PageBar.h"

class QPushButton;
class QScrollArea;
class QToolButton;

namespace kavo9 {

class CTabDialog;

class CLinkora2007Dlg : public QDialog, public MainWindowView {
  Q_OBJECT
 public:
  // Makes the page or panel of dialog number `dialog` as a child of `parent`; null when it cannot
  // be made, which ends the window's creation there.
  using PartFactory = std::function<QWidget*(int dialog, QWidget* parent)>;

  explicit CLinkora2007Dlg(MainWindowHost& host, PartFactory createPart = {},
                           QWidget* parent = nullptr);
  ~CLinkora2007Dlg() override;

  // MainWindowView.
  bool IsOpen() const override { return !closed_; }
  void SetExpanded(bool expanded) override;
  void BringToFront() override;
  void SetPanelVisible(int number, bool visible) override;
  void RefreshMoreLess() override;
  void SetWindowIcon(uint32_t icon) override;
  void SetConfigToolButtonsEnabled(bool enabled) override;
  void RefreshRadioControls() override;
  void PressFirstPageButton() override;
  void Close() override;

  // False when a page or a panel could not be made.
  bool complete() const { return complete_; }
  bool expanded() const { return expand_.expanded(); }
  CTabDialog* Tabs() const { return tabs_; }
  const PageBar& Bar() const { return bar_; }
  // Lays the bar out again (after scrolling, or when the settings changed).
  void LayOutBar();
  // The next (`step` 1) or previous (-1) page a user can go to, wrapping round, shown with its
  // button brought into view (Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown, Ctrl+PgUp).
  void CyclePage(int step);
  // Shows page `pageDialog` when the user can reach it now; false otherwise.
  bool ShowPageIfReachable(int pageDialog);
  // Called with the page's dialog number whenever a page is shown.
  void SetPageShownCallback(std::function<void(int pageDialog)> shown) {
    pageShown_ = std::move(shown);
  }
  // How a message reaches the user (the program message box unless a test says otherwise).
  void SetMessageShower(std::function<void(const QString&)> show) {
    showMessage_ = std::move(show);
  }
  // Everything inside the window: it scrolls when the screen is smaller than the window.
  QScrollArea* Scroller() const { return scroll_; }
  QWidget* Content() const { return content_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  QString Text(std::string_view key) const;
  bool CreatePagesAndButtons(const PartFactory& createPart);
  bool CreatePanels(const PartFactory& createPart);
  void OnRadio();
  void OnHelp();
  void OnMoreLess();
  void ApplyExpanded();
  void WatchBackground(QWidget* widget);
  void InstallPageShortcuts();
  void OrderTabs();
  void MarkMnemonics();
  // Sizes the window to its content, or to the screen's available area when that is smaller.
  void FitToScreen();
  QWidget* Find(int number) const;

  MainWindowHost& host_;
  PageBarOptions barOptions_;
  PageBar bar_;
  ExpandState expand_;
  QScrollArea* scroll_ = nullptr;
  QWidget* content_ = nullptr;
  QWidget* upperFrame_ = nullptr;
  CTabDialog* tabs_ = nullptr;
  QPushButton* moreLess_ = nullptr;
  int moreLessIcon_ = 0;  // the icon the More/Less button shows
  QWidget* lowerFrame_ = nullptr;
  std::array<QWidget*, mainwindow::kPanelCount> panels_{};
  bool complete_ = true;
  bool closed_ = false;
  WindowDrag* drag_ = nullptr;
  MnemonicLetters letters_;
  std::function<void(int)> pageShown_;
  std::function<void(const QString&)> showMessage_;
};

// A page or panel that is still to be built: its number as object name, its title, if any.
QWidget* MakePlaceholder(int dialog, const QString& title, int icon, QWidget* parent);
// The placeholder of page or panel `dialog`, titled with its page button's text.
QWidget* MakeStandInPart(const MainWindowHost& host, int dialog, QWidget* parent);

}  // namespace kavo9
