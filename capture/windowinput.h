// Key and button events of the program's own windows, handed on in the
// vocabulary of low-level hooks like the X11 backend. The capture source for
// sessions where the global one cannot see the program's own keys: a native
// Wayland session, or an X server without XInput2.
#pragma once

#include "platform/x11input.h"

#include <QObject>
#include <set>

class QKeyEvent;
class QMouseEvent;

class WindowInput : public QObject {
  Q_OBJECT
public:
  WindowInput(platform::X11Input::KeyHandler onKey, platform::X11Input::ButtonHandler onButton,
              QObject *parent = nullptr);
  ~WindowInput() override;
  WindowInput(const WindowInput &) = delete;
  WindowInput &operator=(const WindowInput &) = delete;

  // Watches every event of the application; needs a QGuiApplication.
  bool start(QString *whyNot);
  void stop();
  bool isRunning() const { return running; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void handleKey(const QKeyEvent &event);
  void handleButton(const QMouseEvent &event);
  void releaseHeldKeys();

  platform::X11Input::KeyHandler onKey;
  platform::X11Input::ButtonHandler onButton;
  platform::KeyTranslator translator;
  std::set<unsigned> heldKeys; // evdev codes pressed while a window had focus
  bool running = false;
};
