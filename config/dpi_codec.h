#pragma once

#include <QString>

#include <array>

// The device codes of the eight DPI stages for a sensor type ("3360",
// "3050", "3389", or any other for the default sensor).
constexpr int dpiStageCount = 8;

struct DpiStageCodes {
  std::array<unsigned char, dpiStageCount> codes{};
  unsigned char highDpiMask = 0; // sensor "3389" only: stages above 12799
};

unsigned char dpiCode(const QString &sensorType, int value);
DpiStageCodes dpiStageCodes(const QString &sensorType,
                            const std::array<int, dpiStageCount> &values);
