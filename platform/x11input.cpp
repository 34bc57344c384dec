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

// evdev codes the translator treats specially.
enum : unsigned {
  evLeftCtrl = 29,
  evLeftAlt = 56,
  evRightCtrl = 97,
  evSysRq = 99,
  evRightAlt = 100,
  evPause = 119,
};

constexpr bool E = true; // extended: sent after an 0xE0 prefix
constexpr bool N = false;

struct EvdevScan {
  unsigned evdev;
  quint32 scan;
  bool extended;
};

// evdev code to the set-1 make code, as low-level hooks report it (the right
// Shift and Num Lock carry the extended flag there; Pause is plain 0x45).
// Every key that has a device code is here, and a few neighbours.
constexpr EvdevScan evdevScanTable[] = {
    {1, 0x01, N},   {2, 0x02, N},   {3, 0x03, N},   {4, 0x04, N},   {5, 0x05, N},   {6, 0x06, N},
    {7, 0x07, N},   {8, 0x08, N},   {9, 0x09, N},   {10, 0x0A, N},  {11, 0x0B, N},  {12, 0x0C, N},
    {13, 0x0D, N},  {14, 0x0E, N},  {15, 0x0F, N},  {16, 0x10, N},  {17, 0x11, N},  {18, 0x12, N},
    {19, 0x13, N},  {20, 0x14, N},  {21, 0x15, N},  {22, 0x16, N},  {23, 0x17, N},  {24, 0x18, N},
    {25, 0x19, N},  {26, 0x1A, N},  {27, 0x1B, N},  {28, 0x1C, N},  {29, 0x1D, N},  {30, 0x1E, N},
    {31, 0x1F, N},  {32, 0x20, N},  {33, 0x21, N},  {34, 0x22, N},  {35, 0x23, N},  {36, 0x24, N},
    {37, 0x25, N},  {38, 0x26, N},  {39, 0x27, N},  {40, 0x28, N},  {41, 0x29, N},  {42, 0x2A, N},
    {43, 0x2B, N},  {44, 0x2C, N},  {45, 0x2D, N},  {46, 0x2E, N},  {47, 0x2F, N},  {48, 0x30, N},
    {49, 0x31, N},  {50, 0x32, N},  {51, 0x33, N},  {52, 0x34, N},  {53, 0x35, N},  {54, 0x36, E},
    {55, 0x37, N},  {56, 0x38, N},  {57, 0x39, N},  {58, 0x3A, N},  {59, 0x3B, N},  {60, 0x3C, N},
    {61, 0x3D, N},  {62, 0x3E, N},  {63, 0x3F, N},  {64, 0x40, N},  {65, 0x41, N},  {66, 0x42, N},
    {67, 0x43, N},  {68, 0x44, N},  {69, 0x45, E},  {70, 0x46, N},  {71, 0x47, N},  {72, 0x48, N},
    {73, 0x49, N},  {74, 0x4A, N},  {75, 0x4B, N},  {76, 0x4C, N},  {77, 0x4D, N},  {78, 0x4E, N},
    {79, 0x4F, N},  {80, 0x50, N},  {81, 0x51, N},  {82, 0x52, N},  {83, 0x53, N},  {86, 0x56, N},
    {87, 0x57, N},  {88, 0x58, N},  {89, 0x73, N},  {96, 0x1C, E},  {97, 0x1D, E},  {98, 0x35, E},
    {99, 0x37, E},  {100, 0x38, E}, {102, 0x47, E}, {103, 0x48, E}, {104, 0x49, E}, {105, 0x4B, E},
    {106, 0x4D, E}, {107, 0x4F, E}, {108, 0x50, E}, {109, 0x51, E}, {110, 0x52, E}, {111, 0x53, E},
    {119, 0x45, N}, {121, 0x7E, N}, {125, 0x5B, E}, {126, 0x5C, E}, {127, 0x5D, E}, {183, 0x64, N},
    {184, 0x65, N}, {185, 0x66, N}, {186, 0x67, N}, {187, 0x68, N}, {188, 0x69, N}, {189, 0x6A, N},
    {190, 0x6B, N}, {191, 0x6C, N}, {192, 0x6D, N}, {193, 0x6E, N}, {194, 0x76, N}};

XIOErrorHandler previousIoHandler = nullptr;
std::vector<Display *> ownDisplays;

} // namespace

std::optional<ScanCode> evdevToScanCode(unsigned evdev) {
  for (const EvdevScan &key : evdevScanTable)
    if (key.evdev == evdev)
      return ScanCode{key.scan, key.extended};
  return std::nullopt;
}

std::optional<KeyTranslator::Message> KeyTranslator::translate(unsigned evdev, bool pressed) {
  switch (evdev) {
  case evLeftAlt:
    leftAlt = pressed;
    break;
  case evRightAlt:
    rightAlt = pressed;
    break;
  case evLeftCtrl:
    leftCtrl = pressed;
    break;
  case evRightCtrl:
    rightCtrl = pressed;
    break;
  default:
    break;
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
  case 1:
    return pressed ? hook::leftButtonDown : hook::leftButtonUp;
  case 2:
    return pressed ? hook::middleButtonDown : hook::middleButtonUp;
  case 3:
    return pressed ? hook::rightButtonDown : hook::rightButtonUp;
  default:
    return std::nullopt;
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
