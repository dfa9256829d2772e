#pragma once
// Small helpers the editor's tabs share: numbered controls, buttons that open a menu of choices,
// and language texts.

#include <QPushButton>
#include <QString>
#include <functional>
#include <vector>

#include "station/shell/LangKeys.h"

class QMenu;
class QAction;

namespace kavo9 {

using EditorTextLookup = std::function<QString(LangKey)>;

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

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
