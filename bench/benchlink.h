// The device side the link benchmarks share: a factory-fresh virtual mouse
// of one family, scrambling on, handshaken by the link.
#pragma once

#include "device/hid_thread.h"
#include "vmouse.h"

namespace bench {

inline bool connectTo(Hid_Thread &link, const char *family = "553") {
  vmouse::Config c;
  c.family = family;
  c.isEncode = true;
  vmouse::configure(c);
  link.loadDeviceList();
  link.discoverInterfaces();
  return link.chkDeviceIsEnCode(0);
}

} // namespace bench
