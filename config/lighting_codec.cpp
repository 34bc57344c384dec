#include "lighting_codec.h"

#include <array>

namespace {

using uchar = unsigned char;

uchar brightness(uchar b) {
  static constexpr uchar levels[] = {64, 128, 192, 255};
  return b >= 1 && b <= 4 ? levels[b - 1] : 0;
}

// Speed tables are indexed by the page's speed 0..4; anything else is 0.
uchar bySpeed(const std::array<uchar, 5> &table, uchar index) {
  return index < table.size() ? table[index] : 0;
}

} // namespace

LightTriple colourfulLightTriple(uchar effect, uchar speed, uchar level) {
  static constexpr std::array<uchar, 5> pulse{10, 7, 5, 3, 1};
  switch (effect) {
  case 0:
    return {1, brightness(level), 0};
  case 1:
    return {3, 0, bySpeed(pulse, speed)};
  case 2:
    return {4, 0, bySpeed(pulse, speed)};
  case 4:
    return {2, brightness(level), 0};
  case 5:
    return {5, brightness(level), bySpeed(pulse, speed)};
  case 6:
    return {6, 0, 0};
  case 7:
    return {7, brightness(level), 0};
  case 8:
    return {8, brightness(level), bySpeed({20, 17, 15, 13, 11}, speed)};
  case 9:
    return {9, brightness(level), bySpeed({15, 13, 10, 7, 5}, speed)};
  case 10:
    return {10, brightness(level), bySpeed({30, 27, 24, 22, 20}, speed)};
  default:
    return {};
  }
}

LightTriple singleColourLightTriple(uchar effect, uchar speed, uchar level) {
  switch (effect) {
  case 0:
    return {1, bySpeed({1, 3, 5, 7, 10}, level), 1};
  case 1:
    return {2, uchar(speed + 1), 1};
  case 2:
    return {3, bySpeed({30, 24, 18, 12, 6}, speed), 1};
  case 4:
    return {2, uchar(speed + 1), 3};
  default:
    return {};
  }
}
