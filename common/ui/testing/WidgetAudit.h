#pragma once
// Checks every window test can make of a widget tree: the focusable controls a screen reader
// cannot name, and the order Tab visits controls in.

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace kavo9::testing {

// How a test names a widget in a failure: class, object name and the object names above it.
inline QString DescribeWidget(const QWidget* widget) {
  QString path = QString::fromLatin1(widget->metaObject()->className());
  if (!widget->objectName().isEmpty()) path += " '" + widget->objectName() + "'";
  QStringList parents;
  for (const QWidget* p = widget->parentWidget(); p; p = p->parentWidget()) {
    if (!p->objectName().isEmpty()) parents.prepend(p->objectName());
  }
  if (!parents.isEmpty()) path += " in " + parents.join('/');
  return path;
}

// Whether the user can give `widget` the keyboard focus (ignoring whether it is shown now).
inline bool TakesFocus(const QWidget* widget) {
  if (widget->focusPolicy() == Qt::NoFocus || widget->focusProxy()) return false;
  // The viewport of a list or table belongs to the view, which carries the name.
  if (auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget()))
    if (area->viewport() == widget) return false;
  return true;
}

// Every focusable control below `root` whose accessible name (what a screen reader says: its
// name, text or buddy label) is empty, described for the failure message.
inline QStringList UnnamedFocusableControls(const QWidget* root) {
  QStringList unnamed;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (!TakesFocus(widget)) continue;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    const QString name = face ? face->text(QAccessible::Name) : widget->accessibleName();
    if (name.trimmed().isEmpty()) unnamed << DescribeWidget(widget);
  }
  return unnamed;
}

// The shown, enabled controls Tab reaches from `start`, in order, once round the chain.
inline std::vector<QWidget*> TabChain(QWidget* start) {
  std::vector<QWidget*> chain;
  QWidget* window = start->window();
  QWidget* w = start;
  do {
    if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && TakesFocus(w) &&
        w->window() == window)
      chain.push_back(w);
    w = w->nextInFocusChain();
  } while (w && w != start);
  return chain;
}

}  // namespace kavo9::testing
