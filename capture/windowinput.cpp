#include "capture/windowinput.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace {

// A window's system events reach its QWindow first; Qt then forwards the
// same event to widgets and to a QQuickWidget's offscreen window, which has
// no platform window. Taking it at the platform window counts it once.
bool isPlatformWindow(QObject *object) {
  if (!object->isWindowType())
    return false;
  const auto *window = static_cast<QWindow *>(object);
  return window->handle() != nullptr;
}

} // namespace

WindowInput::WindowInput(platform::X11Input::KeyHandler onKey,
                         platform::X11Input::ButtonHandler onButton, QObject *parent)
    : QObject(parent), onKey(std::move(onKey)), onButton(std::move(onButton)) {}

WindowInput::~WindowInput() { stop(); }

bool WindowInput::start(QString *whyNot) {
  if (running)
    return true;
  auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
  if (!app) {
    *whyNot = QStringLiteral("no windows to watch");
    return false;
  }
  app->installEventFilter(this);
  // A key let go while another program has the focus never reaches us.
  connect(app, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s != Qt::ApplicationActive)
      releaseHeldKeys();
  });
  running = true;
  return true;
}

void WindowInput::stop() {
  if (!running)
    return;
  running = false;
  if (QCoreApplication *app = QCoreApplication::instance()) {
    app->removeEventFilter(this);
    disconnect(app, nullptr, this, nullptr);
  }
  heldKeys.clear();
}

// Only watches: every event goes on to its window unchanged.
bool WindowInput::eventFilter(QObject *watched, QEvent *event) {
  switch (event->type()) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
    if (isPlatformWindow(watched))
      handleKey(*static_cast<QKeyEvent *>(event));
    break;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
    if (isPlatformWindow(watched))
      handleButton(*static_cast<QMouseEvent *>(event));
    break;
  default:
    break;
  }
  return false;
}

void WindowInput::handleKey(const QKeyEvent &event) {
  // Auto-repeat never changes a key's state (X11 sends it as release and
  // press pairs); a code below 8 is not a key (text from an input method).
  const quint32 native = event.nativeScanCode();
  if (event.isAutoRepeat() || native < 8)
    return;
  const unsigned evdev = native - 8; // evdev + 8 on both xcb and wayland
  const bool pressed = event.type() == QEvent::KeyPress;
  if (pressed)
    heldKeys.insert(evdev);
  else
    heldKeys.erase(evdev);
  const auto m = translator.translate(evdev, pressed);
  if (m && onKey)
    onKey(m->message, m->data);
}

void WindowInput::handleButton(const QMouseEvent &event) {
  unsigned xButton = 0;
  switch (event.button()) {
  case Qt::LeftButton:
    xButton = 1;
    break;
  case Qt::MiddleButton:
    xButton = 2;
    break;
  case Qt::RightButton:
    xButton = 3;
    break;
  default:
    return;
  }
  const auto message = platform::buttonMessage(xButton, event.type() == QEvent::MouseButtonPress);
  if (!message || !onButton)
    return;
  const QPoint at = event.globalPosition().toPoint();
  onButton(*message, platform::hook::MouseData{at.x(), at.y()});
}

void WindowInput::releaseHeldKeys() {
  const std::set<unsigned> held = std::exchange(heldKeys, {});
  for (unsigned evdev : held)
    if (const auto m = translator.translate(evdev, false); m && onKey)
      onKey(m->message, m->data);
}
