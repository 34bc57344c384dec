// Device-change notifications (WM_DEVICECHANGE on Windows): a libudev
// monitor on the hidraw subsystem, read on the owning thread.
#pragma once

#include <QObject>

struct udev;
struct udev_monitor;
class QSocketNotifier;

namespace platform {

class DeviceChangeMonitor : public QObject {
  Q_OBJECT
public:
  explicit DeviceChangeMonitor(QObject *parent = nullptr);
  ~DeviceChangeMonitor() override;

  // Starts watching hidraw add/remove/change events. False when udev is
  // unavailable; notifyAll() still reaches the monitor then.
  bool start();

  // Makes every live monitor emit deviceAction(action), when one is given,
  // and deviceChanged() on its own thread; safe from any thread. The virtual
  // mouse calls it on plug and unplug.
  static void notifyAll(const QString &action = QString());

signals:
  // The udev action of the event ("add", "remove", "change", ...), right
  // before its deviceChanged().
  void deviceAction(const QString &action);
  void deviceChanged();

private:
  void readEvents();

  struct udev *context = nullptr;
  struct udev_monitor *monitor = nullptr;
  QSocketNotifier *notifier = nullptr;
};

} // namespace platform
