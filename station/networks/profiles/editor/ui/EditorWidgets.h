#pragma once
// Small helpers the editor's tabs share: numbered controls, buttons that open a menu of choices,
// the row of tab buttons, and language texts.

#include <QPushButton>
#include <QString>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "station/shell/LangKeys.h"

class QMenu;
class QAction;
class QButtonGroup;
class QHBoxLayout;

namespace kavo9 {

using EditorTextLookup = std::function<QString(LangKey)>;

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

// The editor's tab buttons, each checkable with its number and caption, added to `row` in order
// into `buttons` (as many as `captions`); the group's ids are the tabs' positions.
QButtonGroup* AddEditorTabButtons(QWidget* owner, QHBoxLayout* row,
                                  std::span<const std::pair<int, QString>> captions,
                                  std::span<QPushButton*> buttons);

// A button that opens a menu of choices; each entry's object name is its command number.
class ChoiceButton : public QPushButton {
  Q_OBJECT
 public:
  ChoiceButton(int number, QWidget* parent);
  // Adds an entry; `chosen` runs when it is picked.
  QAction* AddChoice(int command, const QString& text, std::function<void()> chosen);
  QMenu* ChoiceMenu() const { return menu_; }
  // The entry of `command`, or null.
  QAction* Choice(int command) const;

 private:
  QMenu* menu_;
  std::vector<QAction*> actions_;
};

}  // namespace kavo9
