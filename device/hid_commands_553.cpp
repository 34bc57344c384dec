// The 553 family's commands: one command per setting.
#include "hid_thread.h"

#include <QDebug>

bool Hid_Thread::readOptions553(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4) {
  if (!readCommand("cmd Failed 83", 0x83, {}, {byte1, byte2, byte3, byte4}))
    return false;
  byte1 = reply(1);
  byte2 = reply(2);
  byte3 = reply(3);
  byte4 = reply(4);
  return true;
}

bool Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3,
                                              uchar &byte4) {
  return readOptions553(byte1, byte2, byte3, byte4);
}

bool Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1) {
  if (!readCommand("cmd Failed 8BH", 0x8B, {}, {byte1}))
    return false;
  byte1 = reply(1);
  return true;
}

bool Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
  return writeCommand("cmd Failed 03", 0x03, {byte1, byte2, byte3, byte4}, nullptr, 0, 0, false,
                      true);
}

bool Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
  return writeCommand("cmd Failed 04", 0x04, {0, byte1, byte2, byte3, byte4}, nullptr, 0, 0, false,
                      true);
}

bool Hid_Thread::hid553_01H_SetReportRate(uchar rate) {
  return writeCommand("cmd Failed 01", 0x01, {rate}, nullptr, 0, 0, true, false);
}

bool Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage) {
  return writeCommand("cmd Failed 0B", 0x0B, {stage}, nullptr, 0, 0, true, false);
}

bool Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne) {
  return writeCommand("cmd Failed 12", 0x12, {indexAddOne, 0x40, 0x08}, src64, 64, 64, true, false);
}

bool Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128) {
  return writeCommand("cmd Failed 13", 0x13, {macroId, 0x80}, src128, 128, 128, true, false);
}

bool Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8) {
  return writeCommand("cmd Failed 11", 0x11, {dpiStage, 0x08}, src8, 8, 8, true, false);
}

bool Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix) {
  return writeCommand("cmd Failed 02", 0x02, {currentKeyMatrix}, nullptr, 0, 0, true, false);
}

bool Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2) {
  return writeCommand("cmd Failed 0D", 0x0D, {effect, option1, option2}, nullptr, 0, 0, true,
                      false);
}

bool Hid_Thread::hid553_0CH_SetFixLEDColor(uchar *src3) {
  if (!src3) { // the colour is in the block itself
    qDebug() << "cmd Failed 0C";
    return false;
  }
  return writeCommand("cmd Failed 0C", 0x0C, {src3[0], src3[1], src3[2]}, nullptr, 0, 0, true,
                      false);
}

bool Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24) {
  const uchar n = type == 2 ? 4 : 24;
  return writeCommand("cmd Failed 10", 0x10, {type, n}, src24, n, n, true, false);
}
