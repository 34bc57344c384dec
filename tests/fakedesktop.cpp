// The D-Bus side of a desktop, for the tray tests: a StatusNotifier watcher
// with a registered host (--watcher) and a notification service
// (--notifications). It prints what it receives, one line each:
//   ready | item SERVICE | notify SUMMARY<TAB>BODY | activated
// and reads commands from its input: "activate" sends Activate to the last
// item that registered, as a StatusNotifier tray does on a click; "drop" and
// "return" give up and take back the watcher's name, as a panel restart does.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <QVariantMap>

#include <cstdio>
#include <unistd.h>

namespace {
void say(const QString &line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}
} // namespace

class Watcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  // Qt reads these through introspection before it registers its item.
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
  Q_PROPERTY(int ProtocolVersion READ protocolVersion)
  Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
  QStringList registered;
  bool hostRegistered() const { return true; }
  int protocolVersion() const { return 0; }
  QStringList items() const { return registered; }

public slots:
  void RegisterStatusNotifierItem(const QString &service) {
    registered << service;
    say(QStringLiteral("item ") + service);
    emit StatusNotifierItemRegistered(service);
  }
  void RegisterStatusNotifierHost(const QString &) {}

signals:
  void StatusNotifierItemRegistered(const QString &service);
  void StatusNotifierItemUnregistered(const QString &service);
  void StatusNotifierHostRegistered();
};

class Notifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public slots:
  uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
              const QStringList &, const QVariantMap &, int) {
    say(QStringLiteral("notify ") + summary + QLatin1Char('\t') + body);
    return ++last;
  }
  QStringList GetCapabilities() { return {QStringLiteral("body")}; }
  void CloseNotification(uint) {}
  QString GetServerInformation(QString &vendor, QString &version, QString &protocolVersion) {
    vendor = QStringLiteral("test");
    version = QStringLiteral("1");
    protocolVersion = QStringLiteral("1.2");
    return QStringLiteral("fakedesktop");
  }

signals:
  void NotificationClosed(uint id, uint reason);
  void ActionInvoked(uint id, const QString &action);

private:
  uint last = 0;
};

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  const auto all = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                   QDBusConnection::ExportAllProperties;
  Watcher watcher;
  Notifications notifications;
  if (app.arguments().contains(QStringLiteral("--watcher")) &&
      !(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher, all) &&
        bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))))
    return 2;
  if (app.arguments().contains(QStringLiteral("--notifications")) &&
      !(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications, all) &&
        bus.registerService(QStringLiteral("org.freedesktop.Notifications"))))
    return 2;

  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
    char buf[256];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
      QCoreApplication::quit();
      return;
    }
    const QByteArray command(buf, int(n));
    const QString watcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (command.contains("drop")) {
      watcher.registered.clear();
      bus.unregisterService(watcherName);
    } else if (command.contains("return")) {
      bus.registerService(watcherName);
    }
    if (command.contains("activate") && !watcher.registered.isEmpty()) {
      QDBusMessage call = QDBusMessage::createMethodCall(
          watcher.registered.last(), QStringLiteral("/StatusNotifierItem"),
          QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"));
      call << 0 << 0;
      bus.send(call);
      say(QStringLiteral("activated"));
    }
  });
  say(QStringLiteral("ready"));
  return app.exec();
}

#include "fakedesktop.moc"
