#include "platform/pointersettings.h"
#include "platform/pointerbackends.h"

#include <QStringList>

#include <limits>

namespace platform {

namespace {

PointerSettingsRecorder &recorder() {
  static PointerSettingsRecorder r;
  return r;
}

// The value a recorder is asked with by canChangePointerSetting.
constexpr qint64 offeredQuestion = std::numeric_limits<qint64>::min();

// The desktops' scale runs from -1 (slowest) to 1 (fastest).
double acceleration(int speed) { return -1.0 + 2.0 * (speed - 1) / 19.0; }

bool isWaylandSession() {
  const QString type = qEnvironmentVariable("XDG_SESSION_TYPE").toLower();
  if (type == QLatin1String("wayland") || type == QLatin1String("x11"))
    return type == QLatin1String("wayland");
  return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

PointerDesktop pointerDesktop() {
  const QStringList desktops =
      qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(':', Qt::SkipEmptyParts);
  for (const QString &d : desktops) {
    if (d.compare(QLatin1String("KDE"), Qt::CaseInsensitive) == 0)
      return isWaylandSession() ? PointerDesktop::PlasmaWayland : PointerDesktop::PlasmaX11;
  }
  // Desktops whose settings daemon reads GNOME's mouse schema; Budgie and
  // the GNOME variants also name GNOME itself. Cinnamon and MATE keep their
  // own schemas, which this layer does not write.
  for (const QString &d : desktops) {
    if (d.compare(QLatin1String("GNOME"), Qt::CaseInsensitive) == 0 ||
        d.startsWith(QLatin1String("GNOME-"), Qt::CaseInsensitive) ||
        d.compare(QLatin1String("Unity"), Qt::CaseInsensitive) == 0 ||
        d.compare(QLatin1String("Pantheon"), Qt::CaseInsensitive) == 0)
      return PointerDesktop::Gnome;
  }
  return PointerDesktop::Other;
}

bool setPointerSpeed(int speed) {
  if (recorder())
    return recorder()(PointerSetting::Speed, speed);
  if (speed < 1 || speed > 20)
    return false;
  switch (pointerDesktop()) {
  case PointerDesktop::Gnome:
    return gnome::setSpeed(acceleration(speed));
  case PointerDesktop::PlasmaWayland:
    return plasma::setWaylandAcceleration(acceleration(speed));
  case PointerDesktop::PlasmaX11:
    return plasma::setX11Acceleration(acceleration(speed));
  case PointerDesktop::Other:
    break;
  }
  return false;
}

bool setDoubleClickTime(int ms) {
  if (recorder())
    return recorder()(PointerSetting::DoubleClickTime, ms);
  if (ms <= 0)
    return false;
  switch (pointerDesktop()) {
  case PointerDesktop::Gnome:
    return gnome::setDoubleClick(ms);
  case PointerDesktop::PlasmaWayland:
  case PointerDesktop::PlasmaX11:
    return plasma::setDoubleClickInterval(ms);
  case PointerDesktop::Other:
    break;
  }
  return false;
}

bool setWheelScrollLines(uint lines) {
  if (recorder())
    return recorder()(PointerSetting::WheelScrollLines, lines);
  // 1000 is the page's "one screen", passed on unchanged.
  if (lines < 1 || lines > 1000)
    return false;
  switch (pointerDesktop()) {
  case PointerDesktop::PlasmaWayland:
  case PointerDesktop::PlasmaX11:
    return plasma::setWheelScrollLines(lines);
  case PointerDesktop::Gnome: // no GNOME key holds a line count per notch
  case PointerDesktop::Other:
    break;
  }
  return false;
}

bool canChangePointerSetting(PointerSetting setting) {
  if (recorder())
    return recorder()(setting, offeredQuestion);
  switch (pointerDesktop()) {
  case PointerDesktop::Gnome:
    return setting != PointerSetting::WheelScrollLines &&
           gnome::hasKey(setting == PointerSetting::Speed ? "speed" : "double-click");
  case PointerDesktop::PlasmaWayland:
  case PointerDesktop::PlasmaX11:
    return true;
  case PointerDesktop::Other:
    break;
  }
  return false;
}

void setPointerSettingsRecorder(PointerSettingsRecorder r) { recorder() = std::move(r); }

PointerSettingsLog::PointerSettingsLog(bool accept) : record(std::make_shared<Record>()) {
  record->accept = accept;
  setPointerSettingsRecorder([record = record](PointerSetting setting, qint64 value) {
    if (record->unsupported.contains(setting))
      return false;
    if (value == offeredQuestion)
      return true;
    record->entries.append({setting, value});
    return record->accept;
  });
}

PointerSettingsLog::~PointerSettingsLog() { setPointerSettingsRecorder({}); }

} // namespace platform
