// Sending a macro's block and a gun slot.
#include "mouse_device.h"

#include "device/hid_thread.h"
#include "gun_presets.h"
#include "macro_files.h"

#include <QDebug>

namespace {

uchar lowByte(const QVariant &value) { return uchar(value.toLongLong() & 0xFF); }

} // namespace

void MouseDevice::sendMacro(uint index, const QVariantList &macroData) {
  if (index >= deviceMacroSlots)
    return;
  if (macroData.size() > macroBlockSize)
    qDebug().noquote() << "mouseSendMacroData: macro of" << macroData.size() << "bytes cut to"
                       << macroBlockSize;
  std::array<uchar, macroBlockSize> block{};
  for (int i = 0; i < macroData.size() && i < macroBlockSize; ++i)
    block[size_t(i)] = lowByte(macroData.at(i));
  if (!link) {
    qDebug() << "mouseSendMacroData: no device link";
    return;
  }
  const uchar macroId = uchar(index + 1);
  if (is560())
    link->hid560_0FH_SetMacroKey(macroId, block.data());
  else
    link->hid553_13H_SetMacroKey(macroId, block.data());
}

void MouseDevice::sendGun(int slot, const QVariantList &values) {
  if (!isGun)
    return;
  if (slot < 1 || slot > 3) {
    qDebug().noquote() << "mouseSendGundata refused: gun slot" << slot << "is not 1 to 3";
    return;
  }
  if (!hasGunValues(values, 3, "mouseSendGundata"))
    return;
  if (!link) {
    qDebug() << "mouseSendGundata: no device link";
    return;
  }
  const uchar times = lowByte(values.at(0));
  const uchar x = lowByte(values.at(1));
  uchar y = lowByte(values.at(2));
  if (is560()) {
    ProfileBlock &block = profileBlocks[size_t(slot + 1)];
    block[65] &= uchar(~0x04);
    block[78] = 0xF0;
    block[79] = times;
    block[80] = x;
    block[81] = y;
    link->hid560_0CH_setProfile(block.data(), uchar(slot + 1));
    return;
  }
  // A failed read leaves the bytes at 0, so y then keeps its sign.
  uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
  link->hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
  if (byte3 != 0)
    y = uchar(-y);
  link->hid553_04H_SetGunData(times, x, y, uchar(slot - 1));
}
