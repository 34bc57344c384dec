// Moves the frameless main window for the controller's drag calls. A drag
// first asks the window system to move the window itself
// (QWindow::startSystemMove): a Wayland client cannot place its own window,
// and some X11 window managers ignore a client's moves. Where that is not
// supported the window follows the offsets the interface sends.
#pragma once

#include <QObject>
#include <functional>

class QWidget;
class QWindow;

class WindowMover : public QObject {
  Q_OBJECT
public:
  using SystemMove = std::function<bool(QWindow *)>;

  // Watches the presses on `pressSource` (the view that holds the interface).
  WindowMover(QWidget *window, QWidget *pressSource);

  void moveBy(int dx, int dy);
  bool systemMoveActive() const { return mode == Mode::System; }

  // Replaces QWindow::startSystemMove, for tests.
  void setSystemMove(SystemMove fn) { systemMove = std::move(fn); }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  enum class Mode { Undecided, System, Offsets };

  QWidget *window;
  SystemMove systemMove;
  bool leftHeld = false;
  Mode mode = Mode::Offsets;
};
