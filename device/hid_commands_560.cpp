// The 560 family's commands: most settings travel inside 128-byte profile
// blocks; rate and current DPI stage are sent once per profile number.
#include "hid_thread.h"

#include <QDebug>

bool Hid_Thread::readOptions560(uchar &byte1, uchar &byte2) {
  if (!readCommand("cmd Failed 81", 0x81, {}, {byte1, byte2}))
    return false;
  byte1 = reply(1);
  byte2 = reply(2);
  return true;
}

bool Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2) {
  return readOptions560(byte1, byte2);
}

bool Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1) {
  if (!readCommand("cmd Failed 82", 0x82, {}, {byte1}))
    return false;
  byte1 = reply(1);
  return true;
}

bool Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2) {
  if (!readCommand("cmd Failed 84", 0x84, {byte1}, {byte1, byte2}))
    return false;
  byte1 = reply(1);
  byte2 = reply(2);
  return true;
}

bool Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2) {
  return writeCommand("cmd Failed 01", 0x01, {byte1, byte2}, nullptr, 0, 0, false, true);
}

bool Hid_Thread::hid560_03H_SetReportRate(uchar rate) {
  return writePerProfile("cmd Failed 03", 0x03, rate);
}

bool Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage) {
  return writePerProfile("cmd Failed 04", 0x04, stage);
}

bool Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne) {
  // The device takes 128 bytes; the matrix fills the first 64.
  return writeCommand("cmd Failed 0D", 0x0D, {indexAddOne, 0x80}, src64, 64, 128, true, false);
}

bool Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData) {
  return writeCommand("cmd Failed 0C", 0x0C, {profileData, 0x80}, src128, 128, 128, true, false);
}

bool Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo) {
  if (!src128 || !acquireTransport()) {
    qDebug() << "cmd Failed 8c";
    return false;
  }
  buildBlock(0x8C, {profileNo});
  std::fill(std::begin(replyReport), std::end(replyReport), 0);
  // What is not received keeps the caller's bytes.
  std::copy_n(src128, 128, bulkBuffer);
  const bool completed = queryCommand(128);
  std::copy_n(bulkBuffer, 128, src128);
  return completed;
}

bool Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile) {
  return writeCommand("cmd Failed 02", 0x02, {profile}, nullptr, 0, 0, false, true);
}

bool Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128) {
  return writeCommand("cmd Failed 0F", 0x0F, {macroId, 0x80}, src128, 128, 128, true, false);
}
