#include "station/shell/ui/TabDialog.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QToolButton>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"

namespace kavo9 {

using mainwindow::BarButton;

namespace {

// Bar geometry: eight slots between the two arrows.
constexpr int kMargin = 10;
constexpr int kArrowWidth = 28;
constexpr int kArrowHeight = 60;
constexpr int kGap = 6;
constexpr int kSlotWidth = 100;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 72;
constexpr int kButtonTop = 8;
constexpr int kFirstSlotX = kMargin + kArrowWidth + kGap;

QRect SlotRect(int slot) {
  return QRect(kFirstSlotX + slot * kSlotWidth + (kSlotWidth - kButtonWidth) / 2, kButtonTop,
               kButtonWidth, kButtonHeight);
}

}  // namespace

CTabDialog::CTabDialog(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::number(mainwindow::kPageContainer));
  int width = kFirstSlotX + PageBar::kSlotCount * kSlotWidth + kGap + kArrowWidth + kMargin;
  bar_ = new QWidget(this);
  bar_->setObjectName(QStringLiteral("bar"));
  SetRole(bar_, "bar");
  bar_->setGeometry(0, 0, width, kBarHeight);

  pages_ = new QStackedWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  SetRole(pages_, "card");
  pages_->setGeometry(12, kBarHeight + 8, width - 24, 320);
  setFixedSize(width, pages_->geometry().bottom() + 1);

  leftArrow_ = MakeArrow(mainwindow::kLeftArrow, mainwindow::kLeftArrowIcon, true);
  rightArrow_ = MakeArrow(mainwindow::kRightArrow, mainwindow::kRightArrowIcon, false);
  for (size_t i = 0; i < blanks_.size(); ++i) {
    auto* blank = new QToolButton(bar_);
    blank->setObjectName(QStringLiteral("blank%1").arg(i));
    SetRole(blank, "blank");
    blank->setEnabled(false);
    blank->setFocusPolicy(Qt::NoFocus);  // fillers, never a stop on the way
    blank->hide();
    blanks_[i] = blank;
  }
}

QToolButton* CTabDialog::MakeArrow(int command, int icon, bool left) {
  auto* arrow = new QToolButton(bar_);
  arrow->setObjectName(QString::number(command));
  SetRole(arrow, "arrow");
  arrow->setIcon(ResourceIcon(icon));
  arrow->setIconSize(QSize(18, 18));
  arrow->setAutoRaise(true);
  // The keyboard scrolls the bar by moving along it; the arrows are for the mouse.
  arrow->setFocusPolicy(Qt::NoFocus);
  NameControl(arrow, left ? QStringLiteral("Scroll the page bar left")
                          : QStringLiteral("Scroll the page bar right"));
  int x = left ? kMargin : kFirstSlotX + PageBar::kSlotCount * kSlotWidth + kGap;
  arrow->setGeometry(x, kButtonTop + (kButtonHeight - kArrowHeight) / 2, kArrowWidth, kArrowHeight);
  connect(arrow, &QToolButton::clicked, this, [this, left] { emit ScrollRequested(left); });
  arrow->hide();
  return arrow;
}

QToolButton* CTabDialog::AddButton(const mainwindow::PageButtonInfo& info, const QString& text,
                                   const QFont& font) {
  auto* button = new QToolButton(bar_);
  button->setObjectName(QString::number(info.command));
  SetRole(button, "pageButton");
  button->setText(text);
  button->setAccessibleName(WithoutMnemonic(text));
  // A label longer than its slot is set a little smaller rather than cut.
  QFont fitted = font;
  constexpr int kMinimumPixels = 11;
  const QString shown = WithoutMnemonic(text);
  while (fitted.pixelSize() > kMinimumPixels &&
         QFontMetrics(fitted).horizontalAdvance(shown) > kButtonWidth - 10) {
    fitted.setPixelSize(fitted.pixelSize() - 1);
  }
  button->setFont(fitted);
  button->setIcon(ResourceIcon(info.icon));
  button->setIconSize(QSize(40, 40));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setFocusPolicy(Qt::TabFocus);
  button->installEventFilter(this);
  button->hide();
  buttons_[static_cast<size_t>(info.button)] = button;
  return button;
}

void CTabDialog::AddPage(int command, QWidget* page) {
  QToolButton* button = findChild<QToolButton*>(QString::number(command));
  if (!button || !page) return;
  button->setCheckable(true);
  // Checked only through ShowPageOf: a click on the shown page's button leaves it marked.
  connect(button, &QToolButton::toggled, this, [this, button, command](bool on) {
    if (!on && CurrentCommand() == command) button->setChecked(true);
  });
  pages_->addWidget(page);
  pageOfCommand_[command] = page;
  connect(button, &QToolButton::clicked, this, [this, command] { ShowPageOf(command); });
}

void CTabDialog::ApplyLayout(const PageBarLayout& layout) {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    QToolButton* button = buttons_[i];
    if (!button) continue;
    int slot = layout.slot[i];
    button->setVisible(slot >= 0);
    if (slot >= 0) button->setGeometry(SlotRect(slot));
  }
  leftArrow_->setVisible(layout.arrowsShown);
  rightArrow_->setVisible(layout.arrowsShown);
  leftArrow_->setEnabled(layout.leftEnabled);
  rightArrow_->setEnabled(layout.rightEnabled);
  for (size_t i = 0; i < blanks_.size(); ++i) {
    bool shown = i < layout.blankSlots.size();
    blanks_[i]->setVisible(shown);
    if (shown) blanks_[i]->setGeometry(SlotRect(layout.blankSlots[i]));
  }
}

void CTabDialog::ShowPageOf(int command) {
  auto it = pageOfCommand_.find(command);
  if (it == pageOfCommand_.end()) return;
  pages_->setCurrentWidget(it->second);
  for (const auto& [other, page] : pageOfCommand_) {
    if (QToolButton* button = ButtonOf(other)) button->setChecked(other == command);
  }
  emit PageShown(it->second->objectName().toInt());
}

int CTabDialog::CurrentCommand() const {
  for (const auto& [command, page] : pageOfCommand_) {
    if (page == pages_->currentWidget()) return command;
  }
  return 0;
}

QToolButton* CTabDialog::ButtonOf(int command) const {
  for (QToolButton* button : buttons_) {
    if (button && button->objectName().toInt() == command) return button;
  }
  return nullptr;
}

std::vector<int> CTabDialog::ReachablePages() const {
  std::vector<int> pages;
  for (const auto& info : mainwindow::kPageButtons) {
    QToolButton* button = buttons_[static_cast<size_t>(info.button)];
    if (!button || !button->isEnabled() || !pageOfCommand_.count(info.command)) continue;
    if (present_ && !present_(info.button)) continue;
    pages.push_back(info.command);
  }
  return pages;
}

bool CTabDialog::BringIntoView(int command) {
  QToolButton* target = ButtonOf(command);
  if (!target) return false;
  for (size_t attempt = 0; attempt < buttons_.size() && target->isHidden(); ++attempt) {
    // Scroll towards the target: left when it comes before the first button in view.
    size_t firstShown = buttons_.size();
    size_t targetIndex = 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
      if (buttons_[i] == target) targetIndex = i;
      if (buttons_[i] && !buttons_[i]->isHidden() && firstShown == buttons_.size()) firstShown = i;
    }
    const bool left = targetIndex < firstShown;
    emit ScrollRequested(left);
    size_t nowFirst = buttons_.size();
    for (size_t i = 0; i < buttons_.size(); ++i) {
      if (buttons_[i] && !buttons_[i]->isHidden()) {
        nowFirst = i;
        break;
      }
    }
    if (nowFirst == firstShown) break;  // the bar cannot move further
  }
  return !target->isHidden();
}

bool CTabDialog::MoveAlongBar(QToolButton* from, int step) {
  int index = -1;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i] == from) index = int(i);
  }
  if (index < 0) return false;
  for (int i = index + step; i >= 0 && i < int(buttons_.size()); i += step) {
    QToolButton* next = buttons_[size_t(i)];
    if (!next || !next->isEnabled()) continue;
    if (present_ && !present_(mainwindow::kPageButtons[size_t(i)].button)) continue;
    const int command = next->objectName().toInt();
    if (!BringIntoView(command)) continue;
    next->setFocus(Qt::TabFocusReason);
    if (pageOfCommand_.count(command)) ShowPageOf(command);
    return true;
  }
  return true;  // at either end the focus stays where it is
}

bool CTabDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button && key->modifiers() == Qt::NoModifier) {
      switch (key->key()) {
        case Qt::Key_Left:
          return MoveAlongBar(button, -1);
        case Qt::Key_Right:
          return MoveAlongBar(button, +1);
        default:
          break;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

int CTabDialog::CurrentPage() const {
  QWidget* page = pages_->currentWidget();
  return page ? page->objectName().toInt() : 0;
}

void CTabDialog::ShowPage(int pageDialog) {
  for (const auto& [command, page] : pageOfCommand_) {
    if (page->objectName().toInt() == pageDialog) ShowPageOf(command);
  }
}

QToolButton* CTabDialog::Button(BarButton button) const {
  return buttons_[static_cast<size_t>(button)];
}

QWidget* CTabDialog::PageArea() const {
  return pages_;
}

}  // namespace kavo9
