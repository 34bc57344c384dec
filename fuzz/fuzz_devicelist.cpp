// The device list of a fuzzed global configuration, then discovery, the
// handshake and a 128-byte read and write on the first entry, so damaged
// report lengths and secrecy codes reach the transport.
#include "device/hid_thread.h"
#include "fuzzsupport.h"
#include "platform/pause.h"
#include "vmouse.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::writeFile(QStringLiteral("modules/setting/apConfig.bin"), data, size);
  static platform::PauseLog noSleeping;
  noSleeping.clear();
  vmouse::Config c;
  c.family = "560";
  vmouse::configure(c);

  {
    Hid_Thread link;
    link.loadDeviceList();
    FUZZ_CHECK(link.devices().size() <= 64);
    for (const DeviceEntry &e : link.devices())
      FUZZ_CHECK(e.reportLength >= 1 && e.reportLength <= 256);
    link.discoverInterfaces();
    if (link.devices().isEmpty())
      return 0;
    link.chkDeviceIsEnCode(0);
    uchar block[128] = {};
    link.hid560_8CH_readProfile(block, 1);
    link.hid560_0CH_setProfile(block, 1);
    FUZZ_CHECK(link.isTransportFree());
    FUZZ_CHECK(vmouse::openHandles() <= 1);
  }
  // The link holds the command interface while it lives, no longer.
  FUZZ_CHECK(vmouse::openHandles() == 0);
  return 0;
}
