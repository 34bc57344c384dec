// Keyboard and mouse capture for recording macros and assigning keys, and
// the channel through which another process raises a warning.
//
// Two sources feed the same hook procedures, one at a time: the global X11
// capture, or the events of the program's own windows where the global one
// cannot see them (native Wayland, no XInput2). The hook procedures are plain
// functions, so the state is process-wide: one InputHook lives for the whole run.
#pragma once

#include "capture/keytables.h"
#include "platform/copydata.h"
#include "platform/x11input.h"

#include <QList>
#include <array>
#include <memory>

class WindowInput;

class InputHook {
public:
  using KeyboardCallback = void (*)(unsigned code, unsigned pressed, void *context);
  using MouseCallback = void (*)(unsigned code, unsigned pressed, int x, int y, void *context);
  using CopyDataCallback = void (*)(platform::CopyDataStruct *data, void *context);

  // Builds both tables, then installs the hooks; capture may be off.
  explicit InputHook(bool layoutOption);
  ~InputHook();
  InputHook(const InputHook &) = delete;
  InputHook &operator=(const InputHook &) = delete;

  enum class Source { None, Global, Window };

  // The sources that can serve a Qt platform, in the order they are tried:
  // on Wayland the global capture never sees keys sent to Wayland windows,
  // the program's own included; offscreen there are no windows to watch.
  static QList<Source> sourcesFor(const QString &platformName);

  // Starts the first source of sourcesFor(the running platform) that works.
  // False, with one debug line, when none does.
  bool installHooks();
  bool installSources(const QList<Source> &order);
  void removeHooks();
  bool hooksInstalled() const;
  Source activeSource() const;

  void setKeyboardCallback(KeyboardCallback fn, void *context);
  void setMouseCallback(MouseCallback fn, void *context);
  // Also opens the copy-data channel of the current user.
  void setCopyDataCallback(CopyDataCallback fn, void *context);

  // The procedures the backend runs for every event; never swallow one.
  static void keyboardHookProc(int nCode, unsigned wParam,
                               const platform::hook::KeyboardData &data);
  static void mouseHookProc(int nCode, unsigned wParam, const platform::hook::MouseData &data);
  // True when the message was consumed (a callback is registered).
  static bool copyDataFilter(platform::CopyDataStruct *data);

  static const keytables::ScanToVirtualKey &scanToVirtualKey();
  static const keytables::VirtualKeyToUsage &virtualKeyToUsage();

private:
  bool layoutOption;
  std::unique_ptr<platform::X11Input> input;
  std::unique_ptr<WindowInput> windowInput;
  std::unique_ptr<platform::CopyDataServer> copyDataServer;
};
