#include "platform/devicemonitor.h"

#include <QDebug>
#include <QList>
#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QSocketNotifier>

#include <libudev.h>

namespace platform {

namespace {
QMutex registryMutex;
QList<DeviceChangeMonitor *> liveMonitors;
} // namespace

DeviceChangeMonitor::DeviceChangeMonitor(QObject *parent) : QObject(parent) {
  QMutexLocker lock(&registryMutex);
  liveMonitors.append(this);
}

DeviceChangeMonitor::~DeviceChangeMonitor() {
  {
    QMutexLocker lock(&registryMutex);
    liveMonitors.removeOne(this);
  }
  delete notifier;
  if (monitor)
    udev_monitor_unref(monitor);
  if (context)
    udev_unref(context);
}

bool DeviceChangeMonitor::start() {
  if (notifier)
    return true;
  context = udev_new();
  if (context)
    monitor = udev_monitor_new_from_netlink(context, "udev");
  const bool ready =
      monitor && udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) >= 0 &&
      udev_monitor_enable_receiving(monitor) >= 0 && udev_monitor_get_fd(monitor) >= 0;
  if (!ready) {
    qDebug() << "Device monitor: udev unavailable";
    if (monitor)
      udev_monitor_unref(monitor);
    if (context)
      udev_unref(context);
    monitor = nullptr;
    context = nullptr;
    return false;
  }
  notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &DeviceChangeMonitor::readEvents);
  return true;
}

void DeviceChangeMonitor::readEvents() {
  // The netlink socket is non-blocking: drain everything that is queued.
  while (udev_device *device = udev_monitor_receive_device(monitor)) {
    const char *action = udev_device_get_action(device);
    const QString text = QString::fromLatin1(action ? action : "");
    udev_device_unref(device);
    if (!text.isEmpty())
      emit deviceAction(text);
    emit deviceChanged();
  }
}

void DeviceChangeMonitor::notifyAll(const QString &action) {
  QMutexLocker lock(&registryMutex);
  // Queued with the monitor as context: Qt drops the call if the monitor
  // is destroyed before its thread gets to it.
  for (DeviceChangeMonitor *monitor : std::as_const(liveMonitors))
    QMetaObject::invokeMethod(
        monitor,
        [monitor, action] {
          if (!action.isEmpty())
            emit monitor->deviceAction(action);
          emit monitor->deviceChanged();
        },
        Qt::QueuedConnection);
}

} // namespace platform
