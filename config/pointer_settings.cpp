#include "pointer_settings.h"

#include "platform/pointersettings.h"

#include <QDebug>

bool applyCursorSpeedStep(unsigned step) {
  // Wide steps must not wrap into the valid range.
  const qint64 speed = step == 0 ? 1 : 2 * qint64(step);
  if (speed <= 20 && platform::setPointerSpeed(int(speed)))
    return true;
  qDebug() << "setCursorSpeed Failed";
  return false;
}

bool applyDoubleClickStep(unsigned step) {
  // Steps above 12 would give no time at all; the layer refuses those.
  const qint64 ms = 900 - 70 * qint64(step);
  if (ms > 0 && platform::setDoubleClickTime(int(ms)))
    return true;
  qDebug() << "setDoubleClickSpeed Failed";
  return false;
}

bool applyWheelScrollLines(unsigned lines) {
  if (platform::setWheelScrollLines(lines))
    return true;
  qDebug() << "setVerticalScrollLines Failed";
  return false;
}
