// Lighting effect and colours.
#include "mouse_device.h"

#include "device_family.h"

#include <QDebug>

bool MouseDevice::setLightEffect(uchar effect, uchar option1, uchar option2) {
  return link && chosenFamily->setLightEffect(*this, effect, option1, option2);
}

bool MouseDevice::setLightColours(uchar type, const QVariantList &src24) {
  if (!link)
    return false;
  // Eight colours of R, G, B; a longer list is cut, a shorter one leaves zeros.
  if (src24.size() > 24)
    qDebug().noquote() << "mouseSetRGBColor: colour list of" << src24.size() << "cut to 24";
  std::array<uchar, 24> colours{};
  for (int i = 0; i < 24 && i < src24.size(); ++i)
    colours[size_t(i)] = uchar(src24.at(i).toInt());
  return chosenFamily->setLightColours(*this, type, colours);
}
