#include "platform/restore.h"

#include <QMetaObject>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

void postRestore(QWidget *window) {
  if (!window)
    return;
#ifdef Q_OS_WIN
  // The window's native hook shows it on SC_RESTORE; the system restores.
  PostMessageW(reinterpret_cast<HWND>(window->winId()), WM_SYSCOMMAND,
               SC_RESTORE, 0);
#else
  QMetaObject::invokeMethod(
      window,
      [window] {
        window->setVisible(true);
        window->showNormal();
        window->raise();
        window->activateWindow();
      },
      Qt::QueuedConnection);
#endif
}

} // namespace platform
