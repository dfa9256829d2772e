#include "station/networks/profiles/editor/ui/EditorWidgets.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMenu>

namespace kavo9 {

QButtonGroup* AddEditorTabButtons(QWidget* owner, QHBoxLayout* row,
                                  std::span<const std::pair<int, QString>> captions,
                                  std::span<QPushButton*> buttons) {
  auto* group = new QButtonGroup(owner);
  for (size_t i = 0; i < captions.size() && i < buttons.size(); ++i) {
    buttons[i] = Numbered(new QPushButton(captions[i].second, owner), captions[i].first);
    buttons[i]->setCheckable(true);
    buttons[i]->setProperty("role", "editorTab");
    group->addButton(buttons[i], int(i));
    row->addWidget(buttons[i]);
  }
  return group;
}

ChoiceButton::ChoiceButton(int number, QWidget* parent) : QPushButton(parent) {
  setObjectName(QString::number(number));
  menu_ = new QMenu(this);
  menu_->setToolTipsVisible(true);
  setMenu(menu_);
}

QAction* ChoiceButton::AddChoice(int command, const QString& text, std::function<void()> chosen) {
  QAction* action = menu_->addAction(text);
  action->setObjectName(QString::number(command));
  connect(action, &QAction::triggered, this, [chosen = std::move(chosen)] { chosen(); });
  actions_.push_back(action);
  return action;
}

QAction* ChoiceButton::Choice(int command) const {
  for (QAction* action : actions_) {
    if (action->objectName().toInt() == command) return action;
  }
  return nullptr;
}

}  // namespace kavo9
