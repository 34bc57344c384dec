// KDE Plasma's pointer settings, as its own settings modules make them:
// - double-click time and wheel lines: kdeglobals [KDE] DoubleClickInterval
//   and WheelScrollLines, announced with KConfig's change notice and with
//   KGlobalSettings' "mouse settings changed" signal, which KDE's Qt platform
//   theme answers by reading the file again;
// - pointer speed on Wayland: the pointerAcceleration property of KWin's
//   input devices, which KWin applies and keeps in kcminputrc itself;
// - pointer speed on X11: kcminputrc [Mouse] XLbInptPointerAcceleration
//   (applied at login by the mouse module's start-up hook), the same
//   notices, and the X server's libinput pointers for the running session.
#include "platform/kdeconfigfile.h"
#include "platform/pointerbackends.h"

#include <QByteArrayList>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDBusVariant>
#include <QHash>
#include <QStringList>
#include <QVariantMap>

namespace platform {

// In xlibinputaccel.cpp: the X server's side of the X11 pointer speed.
bool applyXLibinputAcceleration(double acceleration);

namespace plasma {

namespace {

const char kwinService[] = "org.kde.KWin";
const char devicesPath[] = "/org/kde/KWin/InputDevice";
const char deviceInterface[] = "org.kde.KWin.InputDevice";
const char propertiesInterface[] = "org.freedesktop.DBus.Properties";
// KWin answers at once; a hung compositor must not freeze the page for long.
constexpr int callTimeoutMs = 2000;

// KConfig's notice for a key written with KConfig::Notify: the signal
// ConfigChanged on a path named after the file, with the changed keys by
// group (KConfigWatcher listens to it).
void notifyConfigChanged(const QString &file, const QString &group, const QByteArray &key) {
  qDBusRegisterMetaType<QByteArrayList>();
  qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
  QDBusMessage message = QDBusMessage::createSignal(
      '/' + file, QStringLiteral("org.kde.kconfig.notify"), QStringLiteral("ConfigChanged"));
  const QHash<QString, QByteArrayList> changes{{group, {key}}};
  message.setArguments({QVariant::fromValue(changes)});
  QDBusConnection::sessionBus().send(message);
}

// KGlobalSettings::emitChange(SettingsChanged, SETTINGS_MOUSE).
void notifyMouseSettingsChanged() {
  enum { SettingsChanged = 3, SettingsMouse = 0 };
  QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                    QStringLiteral("org.kde.KGlobalSettings"),
                                                    QStringLiteral("notifyChange"));
  message.setArguments({int(SettingsChanged), int(SettingsMouse)});
  QDBusConnection::sessionBus().send(message);
}

bool writeGlobal(const QByteArray &key, int value) {
  if (!writeKdeConfigEntry(kdeConfigPath(QStringLiteral("kdeglobals")), "KDE", key,
                           QString::number(value)))
    return false;
  notifyConfigChanged(QStringLiteral("kdeglobals"), QStringLiteral("KDE"), key);
  notifyMouseSettingsChanged();
  return true;
}

QDBusMessage propertiesCall(const QString &path, const QString &method) {
  return QDBusMessage::createMethodCall(QLatin1String(kwinService), path,
                                        QLatin1String(propertiesInterface), method);
}

QVariantMap deviceProperties(const QString &path) {
  QDBusMessage call = propertiesCall(path, QStringLiteral("GetAll"));
  call << QLatin1String(deviceInterface);
  const QDBusReply<QVariantMap> reply =
      QDBusConnection::sessionBus().call(call, QDBus::Block, callTimeoutMs);
  return reply.isValid() ? reply.value() : QVariantMap();
}

} // namespace

bool setDoubleClickInterval(int ms) { return writeGlobal("DoubleClickInterval", ms); }

bool setWheelScrollLines(uint lines) { return writeGlobal("WheelScrollLines", int(lines)); }

bool setWaylandAcceleration(double acceleration) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  QDBusMessage list = propertiesCall(QLatin1String(devicesPath), QStringLiteral("Get"));
  list << QStringLiteral("org.kde.KWin.InputDeviceManager") << QStringLiteral("devicesSysNames");
  const QDBusReply<QDBusVariant> names = bus.call(list, QDBus::Block, callTimeoutMs);
  if (!names.isValid())
    return false;

  // Every mouse-like device, as Plasma's mouse settings module does:
  // pointers that are not touchpads and have an acceleration setting.
  int set = 0;
  for (const QString &sysName : names.value().variant().toStringList()) {
    const QString path = QLatin1String(devicesPath) + '/' + sysName;
    const QVariantMap device = deviceProperties(path);
    if (!device.value(QStringLiteral("pointer")).toBool() ||
        device.value(QStringLiteral("touchpad")).toBool() ||
        !device.value(QStringLiteral("supportsPointerAcceleration")).toBool())
      continue;
    QDBusMessage write = propertiesCall(path, QStringLiteral("Set"));
    write << QLatin1String(deviceInterface) << QStringLiteral("pointerAcceleration")
          << QVariant::fromValue(QDBusVariant(acceleration));
    if (bus.call(write, QDBus::Block, callTimeoutMs).type() != QDBusMessage::ReplyMessage)
      return false;
    // KWin takes a value only when libinput does: read what is now in force.
    const QVariant now = deviceProperties(path).value(QStringLiteral("pointerAcceleration"));
    if (!now.isValid() || qAbs(now.toDouble() - acceleration) > 0.001)
      return false;
    ++set;
  }
  return set > 0;
}

bool setX11Acceleration(double acceleration) {
  // Three decimals, as KWin keeps the same setting on Wayland.
  const QByteArray key = "XLbInptPointerAcceleration";
  if (!writeKdeConfigEntry(kdeConfigPath(QStringLiteral("kcminputrc")), "Mouse", key,
                           QString::number(acceleration, 'f', 3)))
    return false;
  notifyConfigChanged(QStringLiteral("kcminputrc"), QStringLiteral("Mouse"), key);
  notifyMouseSettingsChanged();
  // The file holds the setting for every later session; the server's
  // devices carry it for this one (none to change under a bare X server).
  applyXLibinputAcceleration(acceleration);
  return true;
}

} // namespace plasma

} // namespace platform
