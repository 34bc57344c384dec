#include "hidnodes.h"

#include <QFile>

#include <libudev.h>

namespace doctor {

QString hex4(quint16 value) { return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')); }

QList<Usage> collectionUsages(const QByteArray &descriptor) {
  QList<Usage> found;
  quint16 page = 0;
  Usage inScope;
  bool haveUsage = false;
  const auto *d = reinterpret_cast<const quint8 *>(descriptor.constData());
  const qsizetype size = descriptor.size();
  for (qsizetype i = 0; i < size;) {
    const quint8 prefix = d[i];
    if (prefix == 0xFE) { // long item: size, tag, data
      if (i + 1 >= size)
        break;
      i += 3 + d[i + 1];
      continue;
    }
    const int length = (prefix & 3) == 3 ? 4 : prefix & 3;
    if (i + 1 + length > size)
      break;
    quint32 value = 0;
    for (int b = 0; b < length; ++b)
      value |= quint32(d[i + 1 + b]) << (8 * b);
    i += 1 + length;
    switch (prefix & 0xFC) {
    case 0x04: // Usage Page
      page = quint16(value);
      break;
    case 0x08: // Usage; a four-byte one carries its own page
      inScope = {length == 4 ? quint16(value >> 16) : page, quint16(value)};
      haveUsage = true;
      break;
    case 0xA0: // Collection, at any depth, named by the usage in scope
      if (haveUsage && !found.contains(inScope))
        found.append(inScope);
      haveUsage = false;
      break;
    case 0x80: // Input, Output, Feature, End Collection: local items end here
    case 0x90:
    case 0xB0:
    case 0xC0:
      haveUsage = false;
      break;
    default:
      break;
    }
  }
  // A descriptor without collections is named by its usage.
  if (found.isEmpty() && haveUsage)
    found.append(inScope);
  return found;
}

namespace {

// HID_ID is "bus:vendor:product", each in hexadecimal.
void parseHidId(const char *id, HidNode &node) {
  const QList<QByteArray> parts = QByteArray(id ? id : "").split(':');
  if (parts.size() != 3)
    return;
  node.vid = quint16(parts[1].toUInt(nullptr, 16));
  node.pid = quint16(parts[2].toUInt(nullptr, 16));
}

HidNode describe(udev_device *raw) {
  HidNode node;
  node.devnode = QString::fromLocal8Bit(udev_device_get_devnode(raw));
  node.syspath = QString::fromLocal8Bit(udev_device_get_syspath(raw));
  node.uaccessTag = udev_device_has_tag(raw, "uaccess") > 0;
  udev_device *hid = udev_device_get_parent_with_subsystem_devtype(raw, "hid", nullptr);
  if (!hid)
    return node;
  parseHidId(udev_device_get_property_value(hid, "HID_ID"), node);
  node.name = QString::fromUtf8(udev_device_get_property_value(hid, "HID_NAME"));
  // Binary: libudev's attribute cache stops at the first zero byte.
  QFile rd(QString::fromLocal8Bit(udev_device_get_syspath(hid)) +
           QStringLiteral("/report_descriptor"));
  if (rd.open(QIODevice::ReadOnly)) {
    node.usages = collectionUsages(rd.readAll());
    node.descriptorRead = true;
  }
  udev_device *intf = udev_device_get_parent_with_subsystem_devtype(raw, "usb", "usb_interface");
  if (const char *number = intf ? udev_device_get_sysattr_value(intf, "bInterfaceNumber") : nullptr)
    node.interface = QByteArray(number).trimmed().toInt(nullptr, 16);
  return node;
}

} // namespace

QList<HidNode> listHidNodes() {
  QList<HidNode> nodes;
  udev *context = udev_new();
  if (!context)
    return nodes;
  udev_enumerate *e = udev_enumerate_new(context);
  udev_enumerate_add_match_subsystem(e, "hidraw");
  udev_enumerate_scan_devices(e);
  udev_list_entry *entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e)) {
    udev_device *raw = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
    if (!raw)
      continue;
    if (udev_device_get_devnode(raw))
      nodes.append(describe(raw));
    udev_device_unref(raw);
  }
  udev_enumerate_unref(e);
  udev_unref(context);
  return nodes;
}

QStringList usbDevicesWith(quint16 vid, quint16 pid) {
  QStringList found;
  udev *context = udev_new();
  if (!context)
    return found;
  udev_enumerate *e = udev_enumerate_new(context);
  udev_enumerate_add_match_subsystem(e, "usb");
  udev_enumerate_add_match_property(e, "DEVTYPE", "usb_device");
  udev_enumerate_add_match_sysattr(e, "idVendor", qPrintable(hex4(vid)));
  udev_enumerate_add_match_sysattr(e, "idProduct", qPrintable(hex4(pid)));
  udev_enumerate_scan_devices(e);
  udev_list_entry *entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e)) {
    udev_device *usb = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
    if (!usb)
      continue;
    const char *product = udev_device_get_sysattr_value(usb, "product");
    found << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(product ? product : "?").trimmed(),
                                           QString::fromLocal8Bit(udev_device_get_sysname(usb)));
    udev_device_unref(usb);
  }
  udev_enumerate_unref(e);
  udev_unref(context);
  return found;
}

} // namespace doctor
