#pragma once
// Moving a window by a press on its background (labels, empty areas of its pages), as a press on
// its caption would.
//
// A press only arms the move; the move starts once the pointer has travelled the desktop's drag
// distance with the button still held, and ends with the release, or with the first event that
// shows the button up (a release that went elsewhere). A click whose press and release arrive
// together, as a touchpad tap sends them, therefore never leaves a move running. The window is
// kept inside the screen's available area while it moves.

#include <QEvent>
#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

namespace kavo9 {

class WindowDrag : public QObject {
  Q_OBJECT
 public:
  explicit WindowDrag(QWidget* window);

  // Presses on `widget` itself (not on its child controls) move the window.
  void Watch(QWidget* widget);
  bool Dragging() const { return dragging_; }
  bool Armed() const { return armed_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool OnMouse(QEvent::Type type, QMouseEvent* mouse);
  void End();

  QWidget* window_;
  bool armed_ = false;
  bool dragging_ = false;
  QPoint pressAt_;
  QPoint offset_;
};

}  // namespace kavo9
