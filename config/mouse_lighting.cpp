// Lighting effect and colours.
#include "mouse_device.h"

#include "device/hid_thread.h"
#include "lighting_codec.h"

#include <QDebug>

void MouseDevice::setLightEffect(uchar effect, uchar option1, uchar option2) {
  if (!link)
    return;
  if (isColorful) {
    const LightTriple t = colourfulLightTriple(effect, option1, option2);
    if (!is560()) {
      link->hid553_0DH_SetRGBLedEffect(t.effect, t.option1, t.option2);
      return;
    }
    for (int b = 1; b <= 4; ++b) {
      profileBlocks[size_t(b)][71] = t.effect;
      profileBlocks[size_t(b)][72] = t.option1;
      profileBlocks[size_t(b)][73] = t.option2;
    }
    sendModeBlocks();
    return;
  }

  const LightTriple t = singleColourLightTriple(effect, option1, option2);
  if (!is560()) {
    link->hid553_0DH_SetRGBLedEffect(t.effect, t.option1, is55328 ? t.option2 : 2);
    return;
  }
  for (int b = 1; b <= 4; ++b) {
    profileBlocks[size_t(b)][71] = t.effect;
    profileBlocks[size_t(b)][72] = t.option1;
    profileBlocks[size_t(b)][73] = 2;
  }
  if (isGun) {
    sendModeBlocks();
    return;
  }
  profileBlocks[1][73] = 3;
  link->hid560_0CH_setProfile(profileBlocks[1].data(), 1);
}

void MouseDevice::setLightColours(uchar type, const QVariantList &src24) {
  if (!link)
    return;
  // Eight colours of R, G, B; a longer list is cut, a shorter one leaves zeros.
  if (src24.size() > 24)
    qDebug().noquote() << "mouseSetRGBColor: colour list of" << src24.size() << "cut to 24";
  std::array<uchar, 24> colours{};
  for (int i = 0; i < 24 && i < src24.size(); ++i)
    colours[size_t(i)] = uchar(src24.at(i).toInt());

  if (is560()) {
    const int b = isColorful ? 0 : 1;
    std::copy(colours.begin(), colours.end(),
              profileBlocks[size_t(b)].begin() + (isColorful ? 24 : 104));
    link->hid560_0CH_setProfile(profileBlocks[size_t(b)].data(), uchar(b));
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
