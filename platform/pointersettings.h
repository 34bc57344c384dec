// The system's pointer settings for the current user: pointer speed,
// double-click time and wheel scroll lines. Each operation is persistent and
// announced to other applications, and returns false when the desktop cannot
// take the value. Tests install a recorder that answers instead.
#pragma once

#include <QList>
#include <functional>
#include <memory>

namespace platform {

enum class PointerSetting { Speed, DoubleClickTime, WheelScrollLines };

// Pointer speed 1 (slowest) to 20 (fastest).
bool setPointerSpeed(int speed);
// Longest interval between the clicks of a double click, in milliseconds.
bool setDoubleClickTime(int ms);
bool setWheelScrollLines(uint lines);

// Whether this desktop has a backend for the setting at all; where it has
// none every value of it fails, so there is no point offering it.
bool canChangePointerSetting(PointerSetting setting);

// While a recorder is set, the operations hand it the value instead of
// changing the desktop, and return its answer; canChangePointerSetting asks
// it with the lowest qint64. An empty function restores the desktop backend.
using PointerSettingsRecorder = std::function<bool(PointerSetting, qint64 value)>;
void setPointerSettingsRecorder(PointerSettingsRecorder recorder);

// Records every setting made while it lives and answers with `accept`;
// the settings in `unsupported` are neither offered nor taken.
class PointerSettingsLog {
public:
  struct Entry {
    PointerSetting setting;
    qint64 value;
    bool operator==(const Entry &) const = default;
  };

  explicit PointerSettingsLog(bool accept = true);
  ~PointerSettingsLog();
  PointerSettingsLog(const PointerSettingsLog &) = delete;
  PointerSettingsLog &operator=(const PointerSettingsLog &) = delete;

  QList<Entry> entries() const { return record->entries; }
  void clear() { record->entries.clear(); }
  void setAccept(bool accept) { record->accept = accept; }
  void setUnsupported(const QList<PointerSetting> &settings) { record->unsupported = settings; }

private:
  struct Record {
    QList<Entry> entries;
    bool accept = true;
    QList<PointerSetting> unsupported;
  };
  std::shared_ptr<Record> record;
};

} // namespace platform
