#pragma once
// What makes a window usable without a mouse and without sight, in one place: naming a control
// for screen readers, mnemonics that do not clash, labels tied to the controls they describe,
// page-bar buttons announced as page tabs, and windows kept inside the screen's available area.
//
// The rules every window follows are written in docs/station-windows.md ("Window conventions").

#include <QRect>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace kavo9 {

// Names `control` for screen readers and, when `description` is given, describes it and shows
// the description as its tooltip. The name is the visible text without its mnemonic mark.
void NameControl(QWidget* control, const QString& name, const QString& description = {});

// Ties `label` to `control`: the label's mnemonic focuses the control, and the control is named
// by the label's text (with `description` as above).
void NameByLabel(QLabel* label, QWidget* control, const QString& description = {});

// The text without its mnemonic marks ("&Rescan" -> "Rescan", "R&&D" -> "R&D").
QString WithoutMnemonic(const QString& text);

// Mnemonic letters handed out within one window, so that no two visible controls share one.
class MnemonicLetters {
 public:
  // Reserves the letter `text` already marks, if any.
  void Reserve(const QString& text);
  // `text` with a mark before the first letter or digit not taken yet (the first letter of a
  // word is preferred); `text` unchanged when it has a mark already or every letter is taken.
  QString Mark(const QString& text);
  bool Taken(QChar letter) const;

 private:
  QString taken_;
};

// Gives every button and buddied label below `root` that has no mnemonic yet one from `letters`,
// in the order of the widget tree.
void AssignMnemonics(QWidget* root, MnemonicLetters& letters);

// Page-bar buttons (a checkable button whose property "role" is "pageButton") are announced as
// page tabs, selected while their page is shown, and the bar around them as a page tab list.
// Installed once per process by ApplyTheme.
void InstallAccessibleFactories();

// The largest size of `window` (its frame included) that fits `available`.
QSize FittingSize(const QSize& wanted, const QSize& frameExtra, const QRect& available);
// The top-left corner that keeps a frame of `frameSize` at `topLeft` inside `available`,
// moving it as little as possible.
QPoint PositionOnScreen(const QPoint& topLeft, const QSize& frameSize, const QRect& available);
// The available geometry of the screen `window` is on (or the primary screen).
QRect AvailableGeometry(const QWidget* window);
// Moves a top-level `window` back inside the available geometry of its screen.
void KeepOnScreen(QWidget* window);

}  // namespace kavo9
