#include "platform/x11input.h"

#include <QDebug>
#include <QSocketNotifier>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <algorithm>
#include <array>
#include <vector>

namespace platform {

namespace {

// evdev codes of the keys whose set-1 code differs from their own number.
enum : unsigned {
  evRightShift = 54,
  evLeftAlt = 56,
  evLeftCtrl = 29,
  evNumLock = 69,
  evScrollLock = 70,
  evKey102nd = 86,
  evF11 = 87,
  evF12 = 88,
  evRo = 89,
  evKpEnter = 96,
  evRightCtrl = 97,
  evKpSlash = 98,
  evSysRq = 99,
  evRightAlt = 100,
  evHome = 102,
  evUp = 103,
  evPageUp = 104,
  evLeft = 105,
  evRight = 106,
  evEnd = 107,
  evDown = 108,
  evPageDown = 109,
  evInsert = 110,
  evDelete = 111,
  evPause = 119,
  evKpComma = 121,
  evLeftMeta = 125,
  evRightMeta = 126,
  evCompose = 127,
  evF13 = 183,
  evF24 = 194,
};

struct EvdevScan {
  unsigned evdev;
  ScanCode code;
};

// Keys outside the block where evdev and set 1 agree (1..83 but for these).
constexpr std::array<EvdevScan, 27> otherKeys{{
    {evRightShift, {0x36, true}}, // low-level hooks flag it as extended
    {evNumLock, {0x45, true}},
    {evKey102nd, {0x56, false}},
    {evF11, {0x57, false}},
    {evF12, {0x58, false}},
    {evRo, {0x73, false}},
    {evKpEnter, {0x1C, true}},
    {evRightCtrl, {0x1D, true}},
    {evKpSlash, {0x35, true}},
    {evSysRq, {0x37, true}},
    {evRightAlt, {0x38, true}},
    {evHome, {0x47, true}},
    {evUp, {0x48, true}},
    {evPageUp, {0x49, true}},
    {evLeft, {0x4B, true}},
    {evRight, {0x4D, true}},
    {evEnd, {0x4F, true}},
    {evDown, {0x50, true}},
    {evPageDown, {0x51, true}},
    {evInsert, {0x52, true}},
    {evDelete, {0x53, true}},
    {evPause, {0x45, false}},
    {evKpComma, {0x7E, false}},
    {evLeftMeta, {0x5B, true}},
    {evRightMeta, {0x5C, true}},
    {evCompose, {0x5D, true}},
    {evF24, {0x76, false}},
}};

// F13 to F23 run on from 0x64.
constexpr unsigned evF23 = evF24 - 1;

XIOErrorHandler previousIoHandler = nullptr;
std::vector<Display *> ownDisplays;

} // namespace

std::optional<ScanCode> evdevToScanCode(unsigned evdev) {
  for (const EvdevScan &key : otherKeys)
    if (key.evdev == evdev)
      return key.code;
  if (evdev >= 1 && evdev <= 83)
    return ScanCode{evdev, false};
  if (evdev >= evF13 && evdev <= evF23)
    return ScanCode{0x64 + (evdev - evF13), false};
  return std::nullopt;
}

std::optional<KeyTranslator::Message> KeyTranslator::translate(unsigned evdev, bool pressed) {
  switch (evdev) {
  case evLeftAlt: leftAlt = pressed; break;
  case evRightAlt: rightAlt = pressed; break;
  case evLeftCtrl: leftCtrl = pressed; break;
  case evRightCtrl: rightCtrl = pressed; break;
  default: break;
  }
  const bool altDown = leftAlt || rightAlt;
  std::optional<ScanCode> code = evdevToScanCode(evdev);
  if (!code)
    return std::nullopt;
  // What a keyboard sends for these two while the modifier is held.
  if (evdev == evSysRq && altDown)
    code = ScanCode{0x54, false};
  else if (evdev == evPause && (leftCtrl || rightCtrl))
    code = ScanCode{0x46, true};

  Message m;
  m.message = pressed ? (altDown ? hook::sysKeyDown : hook::keyDown)
                      : (altDown ? hook::sysKeyUp : hook::keyUp);
  m.data.scanCode = code->scan;
  m.data.flags = (code->extended ? hook::extendedFlag : 0) | (altDown ? hook::altDownFlag : 0);
  return m;
}

std::optional<unsigned> buttonMessage(unsigned xButton, bool pressed) {
  switch (xButton) {
  case 1: return pressed ? hook::leftButtonDown : hook::leftButtonUp;
  case 2: return pressed ? hook::middleButtonDown : hook::middleButtonUp;
  case 3: return pressed ? hook::rightButtonDown : hook::rightButtonUp;
  default: return std::nullopt;
  }
}

X11Input::X11Input(KeyHandler onKey, ButtonHandler onButton, QObject *parent)
    : QObject(parent), onKey(std::move(onKey)), onButton(std::move(onButton)) {}

X11Input::~X11Input() { stop(); }

// Xlib ends the process when a connection breaks. For our own connection
// the exit handler below runs instead, and capture just stops.
int X11Input::onIoError(Display *display) {
  if (std::find(ownDisplays.begin(), ownDisplays.end(), display) != ownDisplays.end())
    return 0;
  return previousIoHandler ? previousIoHandler(display) : 0;
}

void X11Input::onConnectionLost(Display *, void *self) {
  static_cast<X11Input *>(self)->connectionLost = true;
}

bool X11Input::start(QString *whyNot) {
  if (display)
    return true;
  Display *opened = XOpenDisplay(nullptr);
  if (!opened) {
    *whyNot = QStringLiteral("no X server");
    return false;
  }
  int event = 0, error = 0, major = 2, minor = 2;
  if (!XQueryExtension(opened, "XInputExtension", &xiOpcode, &event, &error) ||
      XIQueryVersion(opened, &major, &minor) != Success || major < 2) {
    XCloseDisplay(opened);
    *whyNot = QStringLiteral("the X server has no XInput 2");
    return false;
  }

  display = opened;
  connectionLost = false;
  if (ownDisplays.empty())
    previousIoHandler = XSetIOErrorHandler(&X11Input::onIoError);
  ownDisplays.push_back(display);
  XSetIOErrorExitHandler(display, &X11Input::onConnectionLost, this);

  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XISetMask(bits, XI_RawButtonRelease);
  XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
  XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
  XFlush(display);

  notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &X11Input::readEvents);
  // Xlib may already hold events read while setting up.
  readEvents();
  return display != nullptr;
}

void X11Input::stop() {
  if (!display)
    return;
  delete notifier;
  notifier = nullptr;
  ownDisplays.erase(std::remove(ownDisplays.begin(), ownDisplays.end(), display),
                    ownDisplays.end());
  // A broken connection is left alone: closing it would only fail again.
  if (!connectionLost)
    XCloseDisplay(display);
  display = nullptr;
  if (ownDisplays.empty())
    XSetIOErrorHandler(previousIoHandler);
}

void X11Input::readEvents() {
  while (display && !connectionLost && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    XGenericEventCookie *cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != xiOpcode ||
        !XGetEventData(display, cookie))
      continue;
    handleRawEvent(cookie->evtype, cookie->data);
    XFreeEventData(display, cookie);
  }
  if (display && connectionLost) {
    qDebug() << "Input capture stopped: the X connection was lost";
    stop();
  }
}

void X11Input::handleRawEvent(int type, const void *data) {
  const auto *raw = static_cast<const XIRawEvent *>(data);
  switch (type) {
  case XI_RawKeyPress:
  case XI_RawKeyRelease: {
    // X key codes are evdev codes plus 8.
    if (raw->detail < 8)
      return;
    const auto m = translator.translate(unsigned(raw->detail - 8), type == XI_RawKeyPress);
    if (m && onKey)
      onKey(m->message, m->data);
    return;
  }
  case XI_RawButtonPress:
  case XI_RawButtonRelease: {
    const auto message = buttonMessage(unsigned(raw->detail), type == XI_RawButtonPress);
    if (!message || !onButton)
      return;
    // Raw events carry no position; the pointer's is close enough.
    hook::MouseData where;
    Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &where.x, &where.y, &windowX,
                  &windowY, &buttons);
    onButton(*message, where);
    return;
  }
  default:
    return;
  }
}

} // namespace platform
