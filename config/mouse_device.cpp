// Profile blocks, DPI stages, report rate, keyboard options and the switch
// between key matrices.
#include "mouse_device.h"

#include "device/hid_thread.h"
#include "device_family.h"

#include <QDebug>

#include <algorithm>

namespace {

bool validBlock(uint profileNo, const char *operation) {
  if (profileNo <= 4)
    return true;
  qDebug().noquote() << operation << "refused: no profile block" << profileNo;
  return false;
}

} // namespace

MouseDevice::MouseDevice() : chosenFamily(&deviceFamily(icType)) {}

MouseDevice::MouseDevice(const QSettings &global)
    : isColorful(global.value(QStringLiteral("mouse/isColorful")).toBool()),
      isGun(global.value(QStringLiteral("mouse/isGun")).toBool()),
      icType(global.value(QStringLiteral("mouse/icType")).toString()),
      is55328(global.value(QStringLiteral("mouse/is55328")).toBool()),
      chosenFamily(&deviceFamily(icType)) {}

bool MouseDevice::sendProfileBlock(uint profileNo) {
  return link && validBlock(profileNo, "mouseSetProfile") && haveBlocks({profileNo}) &&
         link->hid560_0CH_setProfile(profileBlocks[profileNo].data(), uchar(profileNo));
}

bool MouseDevice::readProfileBlock(uint profileNo) {
  if (!link || !validBlock(profileNo, "mouseReadProfile"))
    return false;
  // Part of a block is no block: the one held stays as it was.
  ProfileBlock read = profileBlocks[profileNo];
  if (!link->hid560_8CH_readProfile(read.data(), uchar(profileNo))) {
    qDebug().noquote() << "Profile block" << profileNo << "not read from the mouse";
    return false;
  }
  profileBlocks[profileNo] = read;
  blockRead[profileNo] = true;
  return true;
}

bool MouseDevice::haveBlocks(std::initializer_list<uint> blocks) {
  for (uint b : blocks) {
    if (b >= profileBlocks.size() || (!blockRead[b] && !readProfileBlock(b)))
      return false;
  }
  return true;
}

bool MouseDevice::readCurrentProfile(int &profile) {
  uchar read = 0;
  const bool ok = link && link->hid560_82H_GetCurrentProfile(read);
  profile = read;
  return ok;
}

bool MouseDevice::readAtStart() {
  // Whatever was read belongs to the mouse of an earlier connection.
  blockRead.fill(false);
  return link && chosenFamily->readAtStart(*this);
}

bool MouseDevice::prepareScreenStart() { return link && chosenFamily->prepareScreenStart(*this); }

bool MouseDevice::setDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValues) {
  if (!link)
    return false;
  // Eight values are expected; extra ones are ignored and missing ones
  // count as 0, so nothing is read or written beyond the eight stages.
  if (dpiValues.size() != dpiStageCount)
    qDebug().noquote() << "mouseSetDpi: expected 8 DPI values, got" << dpiValues.size();
  if (dpiCount < 0 || dpiCount > dpiStageCount) {
    qDebug().noquote() << "mouseSetDpi: stage count" << dpiCount << "limited to 0..8";
    dpiCount = std::clamp(dpiCount, 0, dpiStageCount);
  }
  std::array<int, dpiStageCount> values{};
  for (int i = 0; i < dpiStageCount && i < dpiValues.size(); ++i)
    values[size_t(i)] = dpiValues.at(i).toInt();
  return chosenFamily->setDpi(*this, dpiCount, sensorType, dpiStageCodes(sensorType, values));
}

bool MouseDevice::setCurrentDpi(uchar stage) {
  return link && chosenFamily->setCurrentDpi(*link, stage);
}

bool MouseDevice::currentDpi(int &stage) {
  stage = 0;
  return link && chosenFamily->currentDpi(*link, stage);
}

bool MouseDevice::setReportRate(uchar rate) {
  return link && chosenFamily->setReportRate(*link, rate);
}

bool MouseDevice::setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
  return link && link->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

bool MouseDevice::keyboardOption(std::array<uchar, 4> &bytes) {
  bytes = {};
  return link && link->hid553_83H_GetKeyboardoption(bytes[0], bytes[1], bytes[2], bytes[3]);
}

bool MouseDevice::switchKeyMatrix(int indexNo) {
  return link && chosenFamily->switchKeyMatrix(*link, indexNo);
}
