// The system's pointer settings, from the steps of the system-settings page.
#include "shell/myqquickview.h"

#include "platform/pointersettings.h"

#include <QDebug>

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed) {
  // Wide steps must not wrap into the valid range.
  const qint64 speed = cursorSpeed == 0 ? 1 : 2 * qint64(cursorSpeed);
  if (speed > 20 || !platform::setPointerSpeed(int(speed)))
    qDebug() << "setCursorSpeed Failed";
}

void myQQuickView::mouseSetDoubleClickSpeed(uint speed) {
  // Steps above 12 would give no time at all; the layer refuses those.
  const qint64 ms = 900 - 70 * qint64(speed);
  if (ms <= 0 || !platform::setDoubleClickTime(int(ms)))
    qDebug() << "setDoubleClickSpeed Failed";
}

void myQQuickView::mouseSetVerticalScrollLines(uint lines) {
  if (!platform::setWheelScrollLines(lines))
    qDebug() << "setVerticalScrollLines Failed";
}
