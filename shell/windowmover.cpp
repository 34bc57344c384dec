#include "shell/windowmover.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowMover::WindowMover(QWidget *window, QWidget *pressSource)
    : QObject(pressSource), window(window),
      systemMove([](QWindow *w) { return w && w->startSystemMove(); }) {
  pressSource->installEventFilter(this);
}

// Each press of the left button starts a new drag; its first move decides
// who moves the window for the rest of it. Widgets get a double click's
// second press as a double-click event instead of a press, and a drag may
// start from it all the same.
bool WindowMover::eventFilter(QObject *, QEvent *event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
      type == QEvent::MouseButtonRelease) {
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() == Qt::LeftButton) {
      leftHeld = type != QEvent::MouseButtonRelease;
      if (leftHeld)
        mode = Mode::Undecided;
    }
  }
  return false;
}

void WindowMover::moveBy(int dx, int dy) {
  // The window system's move needs the press that is still held.
  if (mode == Mode::Undecided)
    mode = leftHeld && systemMove(window->windowHandle()) ? Mode::System : Mode::Offsets;
  if (mode == Mode::System)
    return; // the window system follows the pointer until the button is let go
  window->move(window->x() + dx, window->y() + dy);
}
