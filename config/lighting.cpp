// Lighting effect and colours.
#include "shell/myqquickview.h"

#include "device/hid_thread.h"

#include <QDebug>

#include <array>

namespace {

struct Triple {
  uchar effect = 0, option1 = 0, option2 = 0;
};

uchar brightness(uchar b) {
  static constexpr uchar levels[] = {64, 128, 192, 255};
  return b >= 1 && b <= 4 ? levels[b - 1] : 0;
}

// Speed tables are indexed by the page's speed 0..4; anything else is 0.
uchar bySpeed(const std::array<uchar, 5> &table, uchar index) {
  return index < table.size() ? table[index] : 0;
}

Triple colourfulTriple(uchar effect, uchar speed, uchar level) {
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

Triple singleColourTriple(uchar effect, uchar speed, uchar level) {
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

} // namespace

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2) {
  if (!link)
    return;
  if (isColorful) {
    const Triple t = colourfulTriple(effect, option1, option2);
    if (!is560()) {
      link->hid553_0DH_SetRGBLedEffect(t.effect, t.option1, t.option2);
      return;
    }
    for (int b = 1; b <= 4; ++b) {
      profileBlocks[b][71] = t.effect;
      profileBlocks[b][72] = t.option1;
      profileBlocks[b][73] = t.option2;
    }
    sendModeBlocks();
    return;
  }

  const Triple t = singleColourTriple(effect, option1, option2);
  if (!is560()) {
    link->hid553_0DH_SetRGBLedEffect(t.effect, t.option1, is55328 ? t.option2 : 2);
    return;
  }
  for (int b = 1; b <= 4; ++b) {
    profileBlocks[b][71] = t.effect;
    profileBlocks[b][72] = t.option1;
    profileBlocks[b][73] = 2;
  }
  if (isGun) {
    sendModeBlocks();
    return;
  }
  profileBlocks[1][73] = 3;
  link->hid560_0CH_setProfile(profileBlocks[1].data(), 1);
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24) {
  if (!link)
    return;
  // Eight colours of R, G, B; a longer list is cut, a shorter one leaves zeros.
  if (src24.size() > 24)
    qDebug().noquote() << "mouseSetRGBColor: colour list of" << src24.size() << "cut to 24";
  std::array<uchar, 24> colours{};
  for (int i = 0; i < 24 && i < src24.size(); ++i)
    colours[i] = uchar(src24.at(i).toInt());

  if (is560()) {
    const int b = isColorful ? 0 : 1;
    std::copy(colours.begin(), colours.end(), profileBlocks[b].begin() + (isColorful ? 24 : 104));
    link->hid560_0CH_setProfile(profileBlocks[b].data(), uchar(b));
    return;
  }
  if (is55328) {
    if (colours[21] == 0 && colours[22] == 0 && colours[23] == 0)
      link->hid553_0CH_SetFixLEDColor(colours.data());
    else
      link->hid553_10H_SetLED8StageColor(0, colours.data());
    return;
  }
  link->hid553_10H_SetLED8StageColor(type, colours.data());
  link->hid553_10H_SetLED8StageColor(type, colours.data());
}
