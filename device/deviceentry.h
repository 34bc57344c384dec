#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// One configured device, as the global configuration lists it, plus the two
// hidapi paths found by enumeration.
struct DeviceEntry {
  int type = -1;
  uint16_t vid = 0;
  uint16_t pid = 0;
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  uint16_t usagePage2 = 0;
  uint16_t usage2 = 0;
  int reportLength = 32;
  bool isEncode = false;
  QString sCode = QStringLiteral("482193");
  QString mainPath;
  QString eventPath;
};

// The device list of a global configuration file, in configuration order.
QList<DeviceEntry> readDeviceList(const QString &configFile);
