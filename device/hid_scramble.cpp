// Checksum and the keyed transform of command and reply blocks.
#include "hid_thread.h"

#include <QtEndian>

uchar SecrecyCode[8] = {};
const uchar scrambleKey[8] = {'K', 'v', 'T', 'a', 'p', 'R', 'e', 'n'};

namespace {

uchar swapNibbles(uchar b) { return uchar((b << 4) | (b >> 4)); }

void swapPairs(uchar *p) {
  std::swap(p[0], p[5]);
  std::swap(p[1], p[4]);
  std::swap(p[2], p[7]);
  std::swap(p[3], p[6]);
}

void rotate(uchar *p, int left) {
  quint64 v = qFromBigEndian<quint64>(p);
  v = left > 0 ? (v << 3) | (v >> 61) : (v >> 3) | (v << 61);
  qToBigEndian(v, p);
}

} // namespace

uchar Hid_Thread::hidCS(uchar *cmd) {
  uchar sum = 0;
  for (int i = 0; i < 7; ++i)
    sum = uchar(sum + cmd[i]);
  return uchar(~sum);
}

void Hid_Thread::USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode) {
  swapPairs(FIFOBuf);
  for (int i = 1; i <= 6; ++i)
    FIFOBuf[i] ^= SecrecyCode[i];
  rotate(FIFOBuf, 1);
  for (int i = 0; i < 8; ++i)
    FIFOBuf[i] = uchar(FIFOBuf[i] + swapNibbles(scrambleKey[i]));
}

void Hid_Thread::USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode) {
  for (int i = 0; i < 8; ++i)
    FIFOBuf[i] = uchar(FIFOBuf[i] - swapNibbles(scrambleKey[i]));
  rotate(FIFOBuf, -1);
  for (int i = 1; i <= 6; ++i)
    FIFOBuf[i] ^= SecrecyCode[i];
  swapPairs(FIFOBuf);
}
