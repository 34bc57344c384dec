#include "trayhost.h"

#include "platform/notifications.h"

#include <QDebug>

namespace trayhost {

namespace {
std::optional<bool> &forced() {
  static std::optional<bool> value;
  return value;
}
} // namespace

bool available() {
  if (forced())
    return *forced();
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void overrideAvailable(std::optional<bool> value) { forced() = value; }

bool restoresWindow(QSystemTrayIcon::ActivationReason reason) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  return reason == QSystemTrayIcon::DoubleClick;
#else
  return reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger;
#endif
}

QString toolTip(DeviceState state) {
  const char *line = state == DeviceState::Connected  ? "Mouse connected"
                     : state == DeviceState::NoAccess ? "Mouse found but not accessible"
                                                      : "No mouse found";
  return QStringLiteral("NORVANE MOUSE N1\n") + QLatin1String(line);
}

void showMessage(QSystemTrayIcon *tray, const QString &title, const QString &text,
                 QSystemTrayIcon::MessageIcon icon, int msecs) {
  if (tray && tray->isVisible() && available() && QSystemTrayIcon::supportsMessages()) {
    tray->showMessage(title, text, icon, msecs);
    return;
  }
  if (!platform::notify({title, text, icon == QSystemTrayIcon::Warning, msecs}))
    qDebug() << "No tray and no notification service for:" << text;
}

} // namespace trayhost
