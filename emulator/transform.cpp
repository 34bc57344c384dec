// The keyed block transform the device undoes on every command block and
// applies to every reply block.
#include "vmouse.h"

#include <utility>

namespace vmouse {
namespace {

const uint8_t scrambleKey[8] = {'K', 'v', 'T', 'a', 'p', 'R', 'e', 'n'};

uint8_t swapNibbles(uint8_t b) { return static_cast<uint8_t>((b << 4) | (b >> 4)); }

uint64_t toNumber(const uint8_t b[8]) {
  uint64_t n = 0;
  for (int i = 0; i < 8; ++i)
    n = (n << 8) | b[i];
  return n;
}

void fromNumber(uint64_t n, uint8_t b[8]) {
  for (int i = 7; i >= 0; --i, n >>= 8)
    b[i] = static_cast<uint8_t>(n);
}

void swapPairs(uint8_t b[8]) {
  std::swap(b[0], b[5]);
  std::swap(b[1], b[4]);
  std::swap(b[2], b[7]);
  std::swap(b[3], b[6]);
}

} // namespace

void scramble(uint8_t block[8], const uint8_t code[8]) {
  swapPairs(block);
  for (int i = 1; i <= 6; ++i)
    block[i] ^= code[i];
  const uint64_t n = toNumber(block);
  fromNumber((n << 3) | (n >> 61), block);
  for (int i = 0; i < 8; ++i)
    block[i] = static_cast<uint8_t>(block[i] + swapNibbles(scrambleKey[i]));
}

void unscramble(uint8_t block[8], const uint8_t code[8]) {
  for (int i = 0; i < 8; ++i)
    block[i] = static_cast<uint8_t>(block[i] - swapNibbles(scrambleKey[i]));
  const uint64_t n = toNumber(block);
  fromNumber((n >> 3) | (n << 61), block);
  for (int i = 1; i <= 6; ++i)
    block[i] ^= code[i];
  swapPairs(block);
}

} // namespace vmouse
