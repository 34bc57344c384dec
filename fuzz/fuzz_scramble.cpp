// The link's block transform against the device's: a block scrambled by
// one side comes out whole on the other, for any block and secrecy code.
#include "device/hid_thread.h"
#include "fuzzsupport.h"
#include "vmouse.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  uchar block[8] = {}, code[8] = {};
  std::memcpy(block, data, std::min<size_t>(size, 8));
  if (size > 8)
    std::memcpy(code, data + 8, std::min<size_t>(size - 8, 8));
  static Hid_Thread *link = new Hid_Thread;

  uchar wire[8];
  std::memcpy(wire, block, 8);
  link->USBDataEncryption(wire, code);
  uchar back[8];
  std::memcpy(back, wire, 8);
  vmouse::unscramble(back, code);
  FUZZ_CHECK(std::memcmp(back, block, 8) == 0);

  uchar expected[8];
  std::memcpy(expected, block, 8);
  vmouse::scramble(expected, code);
  FUZZ_CHECK(std::memcmp(expected, wire, 8) == 0);

  link->USBDataDecipher(wire, code);
  FUZZ_CHECK(std::memcmp(wire, block, 8) == 0);
  return 0;
}
