#include "common/ui/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kavo9 {

namespace {

bool HasRole(const QObject* object, const char* role) {
  return object->property("role").toString() == QLatin1String(role);
}

// A page button: a tab of the bar, selected while its page is shown. Buttons of the bar without a
// page (radio, help) stay plain buttons.
class PageTabAccessible : public QAccessibleWidget {
 public:
  explicit PageTabAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::PageTab) {}

  QAccessible::Role role() const override {
    return button()->isCheckable() ? QAccessible::PageTab : QAccessible::Button;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return WithoutMnemonic(button()->text());
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
      return widget()->toolTip();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (button()->isCheckable()) {
      s.selectable = true;
      s.selected = button()->isChecked();
      s.checkable = false;
      s.checked = false;
    }
    return s;
  }
  QStringList actionNames() const override {
    return {QAccessibleActionInterface::pressAction(),
            QAccessibleActionInterface::setFocusAction()};
  }
  void doAction(const QString& action) override {
    if (action == QAccessibleActionInterface::pressAction()) {
      if (button()->isEnabled()) button()->click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* PageBarFactory(const QString&, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (HasRole(object, "pageButton") && qobject_cast<QAbstractButton*>(object))
    return new PageTabAccessible(widget);
  if (HasRole(object, "bar")) return new QAccessibleWidget(widget, QAccessible::PageTabList);
  return nullptr;
}

bool IsMnemonicCandidate(QChar c) {
  return c.isLetterOrNumber();
}

// The index of the character a mark stands before, or -1.
int MarkedIndex(const QString& text) {
  for (int i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return i + 1;
  }
  return -1;
}

}  // namespace

void NameControl(QWidget* control, const QString& name, const QString& description) {
  if (!control) return;
  control->setAccessibleName(WithoutMnemonic(name));
  if (!description.isEmpty()) {
    control->setAccessibleDescription(description);
    control->setToolTip(description);
  }
}

void NameByLabel(QLabel* label, QWidget* control, const QString& description) {
  if (!label || !control) return;
  label->setBuddy(control);
  NameControl(control, label->text(), description);
}

QString WithoutMnemonic(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      if (i + 1 < text.size()) out += text[++i];  // "&&" is a literal "&"
      continue;
    }
    out += text[i];
  }
  return out;
}

void MnemonicLetters::Reserve(const QString& text) {
  const int marked = MarkedIndex(text);
  if (marked >= 0) taken_ += text[marked].toLower();
}

bool MnemonicLetters::Taken(QChar letter) const {
  return taken_.contains(letter.toLower());
}

QString MnemonicLetters::Mark(const QString& text) {
  if (MarkedIndex(text) >= 0) {
    Reserve(text);
    return text;
  }
  // First letters of words first, then any letter.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      if (c == u'&') {
        ++i;  // the character after a literal "&&"
        continue;
      }
      if (!IsMnemonicCandidate(c) || Taken(c)) continue;
      const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
      if (pass == 0 && !wordStart) continue;
      taken_ += c.toLower();
      QString marked = text;
      marked.insert(i, u'&');
      return marked;
    }
  }
  return text;
}

void AssignMnemonics(QWidget* root, MnemonicLetters& letters) {
  if (!root) return;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      if (button->text().isEmpty() || button->focusPolicy() == Qt::NoFocus) continue;
      const QString name = button->accessibleName().isEmpty() ? WithoutMnemonic(button->text())
                                                              : button->accessibleName();
      button->setText(letters.Mark(button->text()));
      if (button->accessibleName().isEmpty()) button->setAccessibleName(name);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (!label->buddy() || label->buddy()->focusPolicy() == Qt::NoFocus ||
          label->text().isEmpty() || label->textFormat() == Qt::RichText)
        continue;
      label->setText(letters.Mark(label->text()));
    }
  }
}

void InstallAccessibleFactories() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(PageBarFactory);
}

QSize FittingSize(const QSize& wanted, const QSize& frameExtra, const QRect& available) {
  return QSize(std::max(1, std::min(wanted.width(), available.width() - frameExtra.width())),
               std::max(1, std::min(wanted.height(), available.height() - frameExtra.height())));
}

QPoint PositionOnScreen(const QPoint& topLeft, const QSize& frameSize, const QRect& available) {
  const int x = std::clamp(topLeft.x(), available.left(),
                           std::max(available.left(), available.right() + 1 - frameSize.width()));
  const int y = std::clamp(topLeft.y(), available.top(),
                           std::max(available.top(), available.bottom() + 1 - frameSize.height()));
  return {x, y};
}

QRect AvailableGeometry(const QWidget* window) {
  QScreen* screen = window ? window->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void KeepOnScreen(QWidget* window) {
  if (!window || !window->isWindow()) return;
  const QRect available = AvailableGeometry(window);
  if (available.isEmpty()) return;
  const QRect frame = window->frameGeometry();
  const QPoint wanted = PositionOnScreen(frame.topLeft(), frame.size(), available);
  if (wanted != frame.topLeft()) window->move(window->pos() + (wanted - frame.topLeft()));
}

}  // namespace kavo9
