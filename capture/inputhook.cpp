#include "capture/inputhook.h"

#include "capture/windowinput.h"

#include <QDebug>
#include <QGuiApplication>

namespace {

struct MouseButton {
  unsigned code;
  unsigned pressed;
};

// Indexed by the button message minus the left-button-down message; the
// double-click messages are not reported.
constexpr std::array<MouseButton, 8> mouseButtons{{
    {0xF0, 1},
    {0xF0, 0},
    {0, 0},
    {0xF1, 1},
    {0xF1, 0},
    {0, 0},
    {0xF2, 1},
    {0xF2, 0},
}};

struct HookState {
  InputHook *instance = nullptr;
  keytables::ScanToVirtualKey scanToVirtualKey;
  keytables::VirtualKeyToUsage virtualKeyToUsage;
  std::array<quint8, 256> keyDownState{};
  InputHook::KeyboardCallback keyboardCallback = nullptr;
  void *keyboardContext = nullptr;
  InputHook::MouseCallback mouseCallback = nullptr;
  void *mouseContext = nullptr;
  InputHook::CopyDataCallback copyDataCallback = nullptr;
  void *copyDataContext = nullptr;
};

HookState &state() {
  static HookState s;
  return s;
}

constexpr quint8 virtualKeyPause = 0x13;
constexpr quint8 virtualKeySnapshot = 0x2C;

} // namespace

InputHook::InputHook(bool layoutOption) : layoutOption(layoutOption) {
  HookState &s = state();
  s.instance = this;
  s.scanToVirtualKey = keytables::buildScanToVirtualKey();
  s.virtualKeyToUsage = keytables::buildVirtualKeyToUsage(layoutOption);
  installHooks();
}

InputHook::~InputHook() {
  removeHooks();
  copyDataServer.reset();
  if (state().instance == this)
    state().instance = nullptr;
}

QList<InputHook::Source> InputHook::sourcesFor(const QString &platformName) {
  if (platformName.startsWith(QLatin1String("wayland")))
    return {Source::Window};
  if (platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal") ||
      platformName.isEmpty())
    return {Source::Global};
  return {Source::Global, Source::Window};
}

bool InputHook::installHooks() {
  return installSources(sourcesFor(QGuiApplication::platformName()));
}

bool InputHook::installSources(const QList<Source> &order) {
  removeHooks();
  const auto onKey = [](unsigned message, const platform::hook::KeyboardData &data) {
    keyboardHookProc(platform::hook::action, message, data);
  };
  const auto onButton = [](unsigned message, const platform::hook::MouseData &data) {
    mouseHookProc(platform::hook::action, message, data);
  };
  QStringList whyNot;
  for (Source source : order) {
    QString reason;
    if (source == Source::Global) {
      input = std::make_unique<platform::X11Input>(onKey, onButton);
      if (input->start(&reason))
        return true;
      input.reset();
    } else if (source == Source::Window) {
      windowInput = std::make_unique<WindowInput>(onKey, onButton);
      if (windowInput->start(&reason)) {
        qDebug() << "Input capture: keys are recorded while the program's window has focus";
        return true;
      }
      windowInput.reset();
    }
    whyNot << reason;
  }
  qDebug().noquote() << "Input capture is off:" << whyNot.join(QStringLiteral("; "));
  return false;
}

void InputHook::removeHooks() {
  input.reset();
  windowInput.reset();
}

bool InputHook::hooksInstalled() const { return activeSource() != Source::None; }

InputHook::Source InputHook::activeSource() const {
  if (input && input->isRunning())
    return Source::Global;
  if (windowInput && windowInput->isRunning())
    return Source::Window;
  return Source::None;
}

void InputHook::setKeyboardCallback(KeyboardCallback fn, void *context) {
  state().keyboardCallback = fn;
  state().keyboardContext = context;
}

void InputHook::setMouseCallback(MouseCallback fn, void *context) {
  state().mouseCallback = fn;
  state().mouseContext = context;
}

void InputHook::setCopyDataCallback(CopyDataCallback fn, void *context) {
  state().copyDataCallback = fn;
  state().copyDataContext = context;
  if (copyDataServer)
    return;
  copyDataServer = std::make_unique<platform::CopyDataServer>(
      [](platform::CopyDataStruct *data) { copyDataFilter(data); });
  QString whyNot;
  if (!copyDataServer->listen(platform::copyDataSocketName(), &whyNot)) {
    copyDataServer.reset();
    qDebug().noquote() << "Copy-data channel is off:" << whyNot;
  }
}

// Events are only watched, never taken from the focused window, so there is
// nothing to pass on after each early end.
void InputHook::keyboardHookProc(int nCode, unsigned wParam,
                                 const platform::hook::KeyboardData &data) {
  using namespace platform::hook;
  HookState &s = state();
  const unsigned pressed = (nCode == action && (wParam == keyDown || wParam == sysKeyDown)) ? 1 : 0;
  const quint32 scan = data.scanCode > 255 ? 0 : data.scanCode;
  const quint16 key = quint16((scan << 8) | (data.flags & extendedFlag));

  quint8 vk = s.scanToVirtualKey[key];
  if (scan == 0x46 && (data.flags & extendedFlag))
    vk = virtualKeyPause; // Ctrl+Break
  else if (scan == 0x54 && (data.flags & altDownFlag))
    vk = virtualKeySnapshot; // Alt+Print Screen
  if (vk == 0)
    return;

  const quint8 code = s.virtualKeyToUsage[vk];
  if (code == 0 || s.keyDownState[code] == pressed)
    return; // not a key of the device, or a repeat
  s.keyDownState[code] = quint8(pressed);
  if (s.keyboardCallback)
    s.keyboardCallback(code, pressed, s.keyboardContext);
}

void InputHook::mouseHookProc(int, unsigned wParam, const platform::hook::MouseData &data) {
  using namespace platform::hook;
  HookState &s = state();
  if (wParam < leftButtonDown || wParam > middleButtonUp)
    return;
  const MouseButton button = mouseButtons[wParam - leftButtonDown];
  if (button.code != 0 && s.mouseCallback)
    s.mouseCallback(button.code, button.pressed, data.x, data.y, s.mouseContext);
}

bool InputHook::copyDataFilter(platform::CopyDataStruct *data) {
  HookState &s = state();
  if (!s.copyDataCallback)
    return false;
  s.copyDataCallback(data, s.copyDataContext);
  return true;
}

const keytables::ScanToVirtualKey &InputHook::scanToVirtualKey() {
  return state().scanToVirtualKey;
}

const keytables::VirtualKeyToUsage &InputHook::virtualKeyToUsage() {
  return state().virtualKeyToUsage;
}
