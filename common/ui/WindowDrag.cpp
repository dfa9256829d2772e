#include "common/ui/WindowDrag.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "common/ui/Accessibility.h"

namespace kavo9 {

namespace {

// Only where a program cannot place its own windows is the move handed to the compositor; there
// the button is known to be held when it starts.
bool CompositorMoves() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

WindowDrag::WindowDrag(QWidget* window) : QObject(window), window_(window) {}

void WindowDrag::Watch(QWidget* widget) {
  if (!widget) return;
  widget->installEventFilter(this);
  // Moves without a button reach only widgets that track the mouse; they are how a release that
  // went elsewhere shows.
  widget->setMouseTracking(true);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      if (OnMouse(event->type(), static_cast<QMouseEvent*>(event))) return true;
      break;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
      if (watched == window_) End();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool WindowDrag::OnMouse(QEvent::Type type, QMouseEvent* mouse) {
  const QPoint global = mouse->globalPosition().toPoint();
  if (type == QEvent::MouseButtonPress) {
    if (mouse->button() != Qt::LeftButton) return false;
    armed_ = true;
    dragging_ = false;
    pressAt_ = global;
    offset_ = global - window_->frameGeometry().topLeft();
    return true;
  }
  if (type == QEvent::MouseButtonRelease) {
    const bool mine = armed_ || dragging_;
    if (mouse->button() == Qt::LeftButton || !(mouse->buttons() & Qt::LeftButton)) End();
    return mine;
  }
  // A move.
  if (!armed_ && !dragging_) return false;
  if (!(mouse->buttons() & Qt::LeftButton)) {
    End();  // the release never reached us
    return false;
  }
  if (!dragging_) {
    if ((global - pressAt_).manhattanLength() < QApplication::startDragDistance()) return true;
    if (CompositorMoves() && window_->windowHandle() &&
        window_->windowHandle()->startSystemMove()) {
      End();
      return true;
    }
    dragging_ = true;
  }
  const QRect available = AvailableGeometry(window_);
  QPoint frameTopLeft = global - offset_;
  if (!available.isEmpty())
    frameTopLeft = PositionOnScreen(frameTopLeft, window_->frameGeometry().size(), available);
  window_->move(window_->pos() + (frameTopLeft - window_->frameGeometry().topLeft()));
  return true;
}

void WindowDrag::End() {
  armed_ = false;
  dragging_ = false;
}

}  // namespace kavo9
