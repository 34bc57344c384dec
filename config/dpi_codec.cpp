#include "dpi_codec.h"

#include <iterator>

namespace {

unsigned char code3050(int v) {
  static constexpr int thresholds[] = {250,  500,  750,  1000, 1250, 1500,
                                       1750, 2000, 2500, 3000, 3500, 4000};
  static constexpr unsigned char codes[] = {1, 2, 3, 4, 5, 6, 7, 8, 69, 70, 71, 72};
  for (size_t i = 0; i < std::size(thresholds); ++i)
    if (thresholds[i] >= v)
      return codes[i];
  return 0;
}

} // namespace

unsigned char dpiCode(const QString &sensorType, int v) {
  int code;
  if (sensorType == QLatin1String("3360"))
    code = v / 100 - 1;
  else if (sensorType == QLatin1String("3050"))
    code = code3050(v);
  else if (sensorType == QLatin1String("3389"))
    code = v / 50;
  else
    code = v > 5000 ? (v / 200) | 0x40 : v / 100 - 1;
  return (unsigned char)(code);
}

DpiStageCodes dpiStageCodes(const QString &sensorType,
                            const std::array<int, dpiStageCount> &values) {
  DpiStageCodes out;
  for (int i = 0; i < dpiStageCount; ++i) {
    out.codes[size_t(i)] = dpiCode(sensorType, values[size_t(i)]);
    if (sensorType == QLatin1String("3389") && values[size_t(i)] > 12799)
      out.highDpiMask |= (unsigned char)(1u << i);
  }
  return out;
}
