#include "platform/notifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace platform {

namespace {
NotificationRecorder &recorder() {
  static NotificationRecorder r;
  return r;
}
} // namespace

bool notify(const Notification &n) {
  if (recorder()) {
    recorder()(n);
    return true;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected())
    return false;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  // Urgency 1: normal, as the tray's own balloons.
  QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
  call << QCoreApplication::applicationName() << uint(0)
       << QString::fromLatin1(n.warning ? "dialog-warning" : "dialog-information") << n.title
       << n.text << QStringList() << hints << qint32(n.timeoutMs);
  return bus.send(call);
}

void setNotificationRecorder(NotificationRecorder r) { recorder() = std::move(r); }

NotificationLog::NotificationLog() : list(std::make_shared<QList<Notification>>()) {
  setNotificationRecorder([l = list](const Notification &n) { l->append(n); });
}

NotificationLog::~NotificationLog() { setNotificationRecorder({}); }

} // namespace platform
