// The machine's hidraw nodes as the kernel describes them in sysfs, read
// through libudev the way hidapi's hidraw backend reads them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace doctor {

struct Usage {
  quint16 page = 0;
  quint16 usage = 0;
  bool operator==(const Usage &) const = default;
};

struct HidNode {
  QString devnode; // /dev/hidrawN
  QString syspath;
  quint16 vid = 0;
  quint16 pid = 0;
  QString name;        // HID_NAME, as the kernel names the device
  int interface = -1;  // USB bInterfaceNumber, -1 when not on USB
  QList<Usage> usages; // as hidapi enumerates them
  bool descriptorRead = false;
  bool uaccessTag = false; // udev tagged the node for the seat's user
};

// The usage pairs hidapi enumerates for a report descriptor: each collection
// with a usage in scope, once each, in descriptor order.
QList<Usage> collectionUsages(const QByteArray &descriptor);

// Every hidraw node udev knows of, in enumeration order.
QList<HidNode> listHidNodes();

// USB devices with these IDs, as "product (bus path)"; for a mouse that is
// plugged in but has no hidraw node.
QStringList usbDevicesWith(quint16 vid, quint16 pid);

QString hex4(quint16 value);

} // namespace doctor
