#pragma once
// The station utility's main window: the page bar and pages above, the More/Less button, and the
// lower frame with its eleven panels.

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <array>
#include <functional>

#include "station/shell/mainwindow/MainWindowHost.h"
#include "station/shell/mainwindow/MainWindowView.h"
#include "station/shell/mainwindow/MoreLess.h"
#include "station/shell/mainwindow/PageBar.h"

class QPushButton;
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
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

  MainWindowHost& host_;
  PageBar bar_;
  ExpandState expand_;
  QWidget* upperFrame_ = nullptr;
  CTabDialog* tabs_ = nullptr;
  QPushButton* moreLess_ = nullptr;
  QWidget* lowerFrame_ = nullptr;
  std::array<QWidget*, mainwindow::kPanelCount> panels_{};
  bool complete_ = true;
  bool closed_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};

// A page or panel that is still to be built: its number as object name, its title, if any.
QWidget* MakePlaceholder(int dialog, const QString& title, int icon, QWidget* parent);
// The placeholder of page or panel `dialog`, titled with its page button's text.
QWidget* MakeStandInPart(const MainWindowHost& host, int dialog, QWidget* parent);

}  // namespace kavo9
