// The device list as the global configuration file keeps it. No hidapi here:
// tools that only read the list use this file alone.
#include "deviceentry.h"

#include <QSettings>

namespace {

// Hexadecimal text; text that is not valid hexadecimal reads as 0.
int hexValue(const QSettings &s, const QString &key, int fallback) {
  const QVariant v = s.value(key);
  if (!v.isValid())
    return fallback;
  bool ok = false;
  const uint value = v.toString().toUInt(&ok, 16);
  return ok ? int(value) : 0;
}

// A device list larger than this is taken as damaged; no mouse has more
// interfaces than a handful of entries.
constexpr int maxDeviceCount = 64;

} // namespace

QList<DeviceEntry> readDeviceList(const QString &configFile) {
  QSettings s(configFile, QSettings::IniFormat);
  QList<DeviceEntry> list;
  const int count = s.value(QStringLiteral("common/deviceCount"), 0).toInt();
  if (count > maxDeviceCount)
    qWarning("device list: deviceCount %d is out of range, reading %d entries", count,
             maxDeviceCount);
  for (int i = 0; i < qMin(count, maxDeviceCount); ++i) {
    const QString g = QString::number(i);
    DeviceEntry e;
    e.type = hexValue(s, g + "/type", -1);
    e.vid = uint16_t(hexValue(s, g + "/vid", 0));
    e.pid = uint16_t(hexValue(s, g + "/pid", 0));
    e.usagePage = uint16_t(hexValue(s, g + "/usagePage", 0));
    e.usage = uint16_t(hexValue(s, g + "/usage", 0));
    e.usagePage2 = uint16_t(hexValue(s, g + "/usagePage2", 0));
    e.usage2 = uint16_t(hexValue(s, g + "/usage2", 0));
    e.reportLength = s.value(g + "/reportLength", 32).toInt();
    e.isEncode = s.value(g + "/isEncode", false).toBool();
    e.sCode = s.value(g + "/sCode", QStringLiteral("482193")).toString();
    if (e.reportLength < 1 || e.reportLength > 256) {
      // A report length outside what one HID report can carry would make the
      // transactions overrun their buffers.
      qWarning("device list: entry %d has reportLength %d, using 32", i, e.reportLength);
      e.reportLength = 32;
    }
    list.append(e);
  }
  return list;
}
