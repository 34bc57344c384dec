// Profile blocks, DPI stages, report rate, keyboard options and the switch
// between key matrices.
#include "mouse_device.h"

#include "device/hid_thread.h"
#include "dpi_codec.h"

#include <QDebug>

#include <algorithm>

namespace {

constexpr uchar unusedStage553 = 0x80;

bool validBlock(uint profileNo, const char *operation) {
  if (profileNo <= 4)
    return true;
  qDebug().noquote() << operation << "refused: no profile block" << profileNo;
  return false;
}

} // namespace

MouseDevice::MouseDevice(const QSettings &global)
    : isColorful(global.value(QStringLiteral("mouse/isColorful")).toBool()),
      isGun(global.value(QStringLiteral("mouse/isGun")).toBool()),
      icType(global.value(QStringLiteral("mouse/icType")).toString()),
      is55328(global.value(QStringLiteral("mouse/is55328")).toBool()) {}

void MouseDevice::sendModeBlocks() {
  if (!link)
    return;
  link->hid560_0CH_setProfile(profileBlocks[1].data(), 1);
  if (!isGun)
    return;
  for (uchar n = 2; n <= 4; ++n)
    link->hid560_0CH_setProfile(profileBlocks[n].data(), n);
}

void MouseDevice::sendProfileBlock(uint profileNo) {
  if (link && validBlock(profileNo, "mouseSetProfile"))
    link->hid560_0CH_setProfile(profileBlocks[profileNo].data(), uchar(profileNo));
}

void MouseDevice::readProfileBlock(uint profileNo) {
  if (link && validBlock(profileNo, "mouseReadProfile"))
    link->hid560_8CH_readProfile(profileBlocks[profileNo].data(), uchar(profileNo));
}

int MouseDevice::readCurrentProfile() {
  uchar profile = 0;
  if (link)
    link->hid560_82H_GetCurrentProfile(profile);
  return profile;
}

void MouseDevice::setDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValues) {
  if (!link)
    return;
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
  DpiStageCodes stages = dpiStageCodes(sensorType, values);

  if (!is560()) {
    for (int i = dpiCount; i < dpiStageCount; ++i)
      stages.codes[size_t(i)] = unusedStage553;
    link->hid553_11H_SetDPISet(uchar(dpiCount), stages.codes.data());
    return;
  }
  const uchar activeMask = uchar((1u << dpiCount) - 1);
  for (int b = 1; b <= 4; ++b) {
    ProfileBlock &block = profileBlocks[size_t(b)];
    std::copy(stages.codes.begin(), stages.codes.end(), block.begin() + 84);
    std::copy(stages.codes.begin(), stages.codes.end(), block.begin() + 92);
    block[100] = activeMask;
    if (sensorType == QLatin1String("3389"))
      block[82] = block[83] = stages.highDpiMask;
  }
  sendModeBlocks();
}

void MouseDevice::setCurrentDpi(uchar stage) {
  if (!link)
    return;
  if (is560())
    link->hid560_04H_SetCurrentDPI(stage);
  else
    link->hid553_0BH_SetCurrentDPI(stage);
}

int MouseDevice::currentDpi() {
  if (!link)
    return 0;
  if (is560()) {
    uchar profile = 1, stage = 0;
    link->hid560_84H_GetCurrentDPI(profile, stage);
    return stage;
  }
  uchar stage = 0;
  link->hid553_8BH_GetCurrentDPI(stage);
  return stage;
}

void MouseDevice::setReportRate(uchar rate) {
  if (!link)
    return;
  if (is560())
    link->hid560_03H_SetReportRate(rate);
  else
    link->hid553_01H_SetReportRate(rate);
}

void MouseDevice::setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
  if (link)
    link->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList MouseDevice::keyboardOption() {
  uchar bytes[4] = {};
  if (link)
    link->hid553_83H_GetKeyboardoption(bytes[0], bytes[1], bytes[2], bytes[3]);
  return {int(bytes[0]), int(bytes[1]), int(bytes[2]), int(bytes[3])};
}

void MouseDevice::switchKeyMatrix(int indexNo) {
  if (!link)
    return;
  if (is560())
    link->hid560_02H_SetCurrentProfile(uchar(indexNo));
  else
    link->hid553_02H_SetCurrentKeyMatrix(uchar(indexNo - 1));
}
