// DPI stages, current stage, report rate, keyboard options and the switch
// between key matrices.
#include "shell/myqquickview.h"

#include "device/hid_thread.h"

#include <QDebug>

#include <algorithm>
#include <array>

namespace {

constexpr int stageCount = 8;
constexpr uchar unusedStage553 = 0x80;

uchar code3050(int v) {
  static constexpr int thresholds[] = {250,  500,  750,  1000, 1250, 1500,
                                       1750, 2000, 2500, 3000, 3500, 4000};
  static constexpr uchar codes[] = {1, 2, 3, 4, 5, 6, 7, 8, 69, 70, 71, 72};
  for (size_t i = 0; i < std::size(thresholds); ++i)
    if (thresholds[i] >= v)
      return codes[i];
  return 0;
}

struct StageCodes {
  std::array<uchar, stageCount> codes{};
  uchar highDpiMask = 0; // sensor "3389" only
};

StageCodes stageCodes(const QString &sensorType, const std::array<int, stageCount> &values) {
  StageCodes out;
  for (int i = 0; i < stageCount; ++i) {
    const int v = values[i];
    int code;
    if (sensorType == QLatin1String("3360")) {
      code = v / 100 - 1;
    } else if (sensorType == QLatin1String("3050")) {
      code = code3050(v);
    } else if (sensorType == QLatin1String("3389")) {
      code = v / 50;
      if (v > 12799)
        out.highDpiMask |= uchar(1u << i);
    } else {
      code = v > 5000 ? (v / 200) | 0x40 : v / 100 - 1;
    }
    out.codes[i] = uchar(code);
  }
  return out;
}

} // namespace

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray) {
  if (!link)
    return;
  // Eight values are expected; extra ones are ignored and missing ones
  // count as 0, so nothing is read or written beyond the eight stages.
  if (dpiValueArray.size() != stageCount)
    qDebug().noquote() << "mouseSetDpi: expected 8 DPI values, got" << dpiValueArray.size();
  if (dpiCount < 0 || dpiCount > stageCount) {
    qDebug().noquote() << "mouseSetDpi: stage count" << dpiCount << "limited to 0..8";
    dpiCount = std::clamp(dpiCount, 0, stageCount);
  }
  std::array<int, stageCount> values{};
  for (int i = 0; i < stageCount && i < dpiValueArray.size(); ++i)
    values[i] = dpiValueArray.at(i).toInt();
  StageCodes stages = stageCodes(sensorType, values);

  if (!is560()) {
    for (int i = dpiCount; i < stageCount; ++i)
      stages.codes[i] = unusedStage553;
    link->hid553_11H_SetDPISet(uchar(dpiCount), stages.codes.data());
    return;
  }
  const uchar activeMask = uchar((1u << dpiCount) - 1);
  for (int b = 1; b <= 4; ++b) {
    ProfileBlock &block = profileBlocks[b];
    std::copy(stages.codes.begin(), stages.codes.end(), block.begin() + 84);
    std::copy(stages.codes.begin(), stages.codes.end(), block.begin() + 92);
    block[100] = activeMask;
    if (sensorType == QLatin1String("3389"))
      block[82] = block[83] = stages.highDpiMask;
  }
  sendModeBlocks();
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI) {
  if (!link)
    return;
  if (is560())
    link->hid560_04H_SetCurrentDPI(currentDPI);
  else
    link->hid553_0BH_SetCurrentDPI(currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI() {
  if (!link)
    return 0;
  if (is560()) {
    uchar profile = 1, stage = 0;
    link->hid560_84H_GetCurrentDPI(profile, stage);
    return int(stage);
  }
  uchar stage = 0;
  link->hid553_8BH_GetCurrentDPI(stage);
  return int(stage);
}

void myQQuickView::mouseSetReportRate(uchar rate) {
  if (!link)
    return;
  if (is560())
    link->hid560_03H_SetReportRate(rate);
  else
    link->hid553_01H_SetReportRate(rate);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
  if (link)
    link->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption() {
  uchar bytes[4] = {};
  if (link)
    link->hid553_83H_GetKeyboardoption(bytes[0], bytes[1], bytes[2], bytes[3]);
  return {int(bytes[0]), int(bytes[1]), int(bytes[2]), int(bytes[3])};
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo) {
  if (!link)
    return;
  if (is560())
    link->hid560_02H_SetCurrentProfile(uchar(indexNo));
  else
    link->hid553_02H_SetCurrentKeyMatrix(uchar(indexNo - 1));
}
