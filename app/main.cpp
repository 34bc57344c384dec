// Entry point: single instance (per user, then the session bus name),
// working directory at the data root (beside the executable, or the per-user
// folder of an installed program), main window, input capture, one device
// check, then the event loop.
#include "capture/inputhook.h"
#include "capture/qmlcallbacks.h"
#include "dataroot.h"
#include "shell/controlname.h"
#include "shell/controlservice.h"
#include "shell/qtsinglecoreapplication.h"
#include "shell/widget.h"

#include <QDebug>
#include <QDir>
#include <QFontDatabase>
#include <QImageReader>
#include <QThreadPool>

#ifdef NORVANE_DEMO
#include "demo.h"
#endif

namespace {

// The first frame needs the font database and the image-format plugins,
// which take several milliseconds to set up; a pool thread does it while the
// window is built. Both are thread-safe and guarded by Qt's own locks, so the
// GUI thread waits for the work instead of doing it twice.
void warmUpForFirstFrame() {
  QThreadPool::globalInstance()->start([] {
    QFontDatabase::families();
    QImageReader::supportedImageFormats();
  });
}

} // namespace

int main(int argc, char **argv) {
  QtSingleCoreApplication app(argc, argv);
  if (app.isRunning()) {
    app.sendMessage(QString(), 5000);
    return 1;
  }
  if (claimControlName(QDBusConnection::sessionBus()) == ControlNameClaim::Taken) {
    qDebug() << "Another copy of the program owns the session bus name; it keeps the mouse";
    askControlNameOwnerToShow(QDBusConnection::sessionBus());
    return 1;
  }

  warmUpForFirstFrame();

  QString appDir = QCoreApplication::applicationFilePath();
  appDir.truncate(appDir.lastIndexOf(QLatin1Char('/')));
  QDir::setCurrent(chooseDataRoot(appDir));

#ifdef NORVANE_DEMO
  demo::plugVirtualMouse(app.arguments());
#endif

  Widget window;
  QObject::connect(&app, &QtSingleCoreApplication::messageReceived, &window,
                   &Widget::receiveMessage);
  ControlService control(window);
  control.registerOn(QDBusConnection::sessionBus());
  InputHook hook(false);
  hook.setKeyboardCallback(keyboardCallback, &window);
  hook.setMouseCallback(mouseCallback, &window);
  hook.setCopyDataCallback(copyDataCallback, &window);
  showCaptureScope(&window, hook.activeSource() == InputHook::Source::Window);

  window.showNormal();
  window.checkDevice();

#ifdef NORVANE_DEMO
  demo::runOptions(app.arguments(), window);
#endif

  return app.exec();
}
