#pragma once

#include "device/deviceentry.h"
#include "vmouse.h"

namespace vmouse {

// The virtual mouse presenting the interfaces of one configured device.
inline Config configFor(const DeviceEntry &e) {
  Config c;
  c.vid = e.vid;
  c.pid = e.pid;
  c.usagePage = e.usagePage;
  c.usage = e.usage;
  c.usagePage2 = e.usagePage2;
  c.usage2 = e.usage2;
  c.reportLength = e.reportLength;
  c.isEncode = e.isEncode;
  c.sCode = e.sCode.toStdString();
  return c;
}

} // namespace vmouse
