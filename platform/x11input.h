// Global keyboard and mouse events on X11 (XInput2 raw events on the root
// window), handed on in the vocabulary of low-level hooks: key messages with
// set-1 scan codes and button messages.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QSocketNotifier;
struct _XDisplay;

namespace platform {

namespace hook {
constexpr int action = 0; // the only hook code that carries an event
constexpr unsigned keyDown = 0x100;
constexpr unsigned keyUp = 0x101;
constexpr unsigned sysKeyDown = 0x104;
constexpr unsigned sysKeyUp = 0x105;
constexpr unsigned leftButtonDown = 0x201;
constexpr unsigned leftButtonUp = 0x202;
constexpr unsigned leftButtonDoubleClick = 0x203;
constexpr unsigned rightButtonDown = 0x204;
constexpr unsigned rightButtonUp = 0x205;
constexpr unsigned rightButtonDoubleClick = 0x206;
constexpr unsigned middleButtonDown = 0x207;
constexpr unsigned middleButtonUp = 0x208;
constexpr quint32 extendedFlag = 0x01;
constexpr quint32 altDownFlag = 0x20;

struct KeyboardData {
  quint32 vkCode = 0;
  quint32 scanCode = 0;
  quint32 flags = 0;
};

struct MouseData {
  qint32 x = 0;
  qint32 y = 0;
};
} // namespace hook

struct ScanCode {
  quint32 scan = 0;
  bool extended = false;
};

// The set-1 make code a PC keyboard sends for an evdev key code; none for
// keys without one.
std::optional<ScanCode> evdevToScanCode(unsigned evdev);

// Turns evdev key changes into key messages. Keeps the Alt and Ctrl state,
// because Alt+Print Screen and Ctrl+Pause have scan codes of their own.
class KeyTranslator {
public:
  struct Message {
    unsigned message = 0;
    hook::KeyboardData data;
  };
  std::optional<Message> translate(unsigned evdev, bool pressed);

private:
  bool leftAlt = false, rightAlt = false, leftCtrl = false, rightCtrl = false;
};

// The button message of an X button (1 left, 2 middle, 3 right); none for
// the wheel and the extra buttons.
std::optional<unsigned> buttonMessage(unsigned xButton, bool pressed);

// Reads the raw events on the GUI thread through the X connection's socket.
class X11Input : public QObject {
  Q_OBJECT
public:
  using KeyHandler = std::function<void(unsigned message, const hook::KeyboardData &)>;
  using ButtonHandler = std::function<void(unsigned message, const hook::MouseData &)>;

  X11Input(KeyHandler onKey, ButtonHandler onButton, QObject *parent = nullptr);
  ~X11Input() override;
  X11Input(const X11Input &) = delete;
  X11Input &operator=(const X11Input &) = delete;

  // False, with the reason, when there is no X server or no XInput2.
  bool start(QString *whyNot);
  void stop();
  bool isRunning() const { return display != nullptr; }

private:
  void readEvents();
  void handleRawEvent(int type, const void *raw);
  static int onIoError(_XDisplay *display);
  static void onConnectionLost(_XDisplay *display, void *self);

  KeyHandler onKey;
  ButtonHandler onButton;
  KeyTranslator translator;
  _XDisplay *display = nullptr;
  QSocketNotifier *notifier = nullptr;
  int xiOpcode = 0;
  bool connectionLost = false;
};

} // namespace platform
