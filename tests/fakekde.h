// Small stand-ins for KDE's side of the session bus: KWin's input devices
// (served from a thread of their own, so that the blocking calls of the code
// under test get answers) and a recorder of the change notices.
#pragma once

#include <QByteArrayList>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <memory>
#include <vector>

class FakeInputDevice : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
  Q_PROPERTY(bool pointer MEMBER pointer CONSTANT)
  Q_PROPERTY(bool touchpad MEMBER touchpad CONSTANT)
  Q_PROPERTY(bool supportsPointerAcceleration MEMBER supportsAcceleration CONSTANT)
  Q_PROPERTY(double pointerAcceleration READ acceleration WRITE setAcceleration)

public:
  FakeInputDevice(bool pointer, bool touchpad, bool supportsAcceleration)
      : pointer(pointer), touchpad(touchpad), supportsAcceleration(supportsAcceleration) {}
  double acceleration() const { return value; }
  // Like KWin, a value libinput refuses leaves the old one.
  void setAcceleration(double a) {
    if (!refuses)
      value = a;
  }

  bool pointer, touchpad, supportsAcceleration;
  bool refuses = false;
  double value = 0;
};

class FakeDeviceManager : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
  Q_PROPERTY(QStringList devicesSysNames MEMBER names CONSTANT)

public:
  QStringList names;
};

// "org.kde.KWin" with the given devices, on its own connection and thread.
class FakeKWin {
public:
  void add(const QString &sysName, FakeInputDevice *device) {
    devices.emplace_back(device);
    manager.names << sysName;
  }
  bool start() {
    for (auto &d : devices)
      d->moveToThread(&thread);
    manager.moveToThread(&thread);
    thread.start();
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    bool ok = bus.registerObject("/org/kde/KWin/InputDevice", &manager,
                                 QDBusConnection::ExportAllProperties);
    for (qsizetype i = 0; i < manager.names.size(); ++i)
      ok &= bus.registerObject("/org/kde/KWin/InputDevice/" + manager.names[i], devices[i].get(),
                               QDBusConnection::ExportAllProperties);
    return ok && bus.registerService("org.kde.KWin");
  }
  ~FakeKWin() {
    QDBusConnection::disconnectFromBus(name);
    thread.quit();
    thread.wait();
  }

private:
  const QString name = QStringLiteral("fake-kwin");
  QThread thread;
  FakeDeviceManager manager;
  std::vector<std::unique_ptr<FakeInputDevice>> devices;
};

// Every KConfig and KGlobalSettings notice on the bus, as "path: text".
class NoticeLog : public QObject {
  Q_OBJECT

public:
  NoticeLog() : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "notices")) {
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
    bus.connect({}, {}, "org.kde.kconfig.notify", "ConfigChanged", this,
                SLOT(received(QDBusMessage)));
    bus.connect({}, "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange", this,
                SLOT(received(QDBusMessage)));
  }
  ~NoticeLog() { QDBusConnection::disconnectFromBus("notices"); }

  QStringList notices;

private slots:
  void received(const QDBusMessage &m) {
    QString text = m.path() + ": " + m.member() + ' ' + m.signature();
    if (m.member() == "ConfigChanged") {
      const auto changes = qdbus_cast<QHash<QString, QByteArrayList>>(m.arguments().at(0));
      for (auto it = changes.begin(); it != changes.end(); ++it)
        text += ' ' + it.key() + '=' + QString::fromLatin1(it.value().join(','));
    } else {
      for (const QVariant &a : m.arguments())
        text += ' ' + a.toString();
    }
    notices << text;
  }

private:
  QDBusConnection bus;
};
