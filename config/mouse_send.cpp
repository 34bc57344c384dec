// Sending a macro's block and a gun slot.
#include "mouse_device.h"

#include "device_family.h"
#include "gun_presets.h"
#include "macro_files.h"

#include <QDebug>

namespace {

uchar lowByte(const QVariant &value) { return uchar(value.toLongLong() & 0xFF); }

} // namespace

bool MouseDevice::sendMacro(uint index, const QVariantList &macroData) {
  if (index >= deviceMacroSlots)
    return false;
  if (macroData.size() > macroBlockSize)
    qDebug().noquote() << "mouseSendMacroData: macro of" << macroData.size() << "bytes cut to"
                       << macroBlockSize;
  std::array<uchar, macroBlockSize> block{};
  for (int i = 0; i < macroData.size() && i < macroBlockSize; ++i)
    block[size_t(i)] = lowByte(macroData.at(i));
  if (!link) {
    qDebug() << "mouseSendMacroData: no device link";
    return false;
  }
  return chosenFamily->sendMacro(*link, uchar(index + 1), block.data());
}

bool MouseDevice::sendGun(int slot, const QVariantList &values) {
  if (!isGun)
    return false;
  if (slot < 1 || slot > 3) {
    qDebug().noquote() << "mouseSendGundata refused: gun slot" << slot << "is not 1 to 3";
    return false;
  }
  if (!hasGunValues(values, 3, "mouseSendGundata"))
    return false;
  if (!link) {
    qDebug() << "mouseSendGundata: no device link";
    return false;
  }
  return chosenFamily->sendGun(*this, slot, lowByte(values.at(0)), lowByte(values.at(1)),
                               lowByte(values.at(2)));
}
