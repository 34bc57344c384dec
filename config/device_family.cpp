// The family table and what the families share.
#include "device_family.h"

#include "platform/pause.h"

#include <QDebug>

const DeviceFamily &family553();
const DeviceFamily &family560();

namespace {

// Pause before the one retry of a failed option read.
constexpr int optionRetryPauseMs = 100;

struct FamilyRow {
  const char *name;
  const DeviceFamily &(*family)();
};

// Any name not listed selects the first row's family.
constexpr FamilyRow familyTable[] = {
    {"553", family553},
    {"560", family560},
};

} // namespace

const DeviceFamily &deviceFamily(const QString &name) {
  for (const FamilyRow &row : familyTable) {
    if (name == QLatin1String(row.name))
      return row.family();
  }
  return familyTable[0].family();
}

bool DeviceFamily::armReports(Hid_Thread &link) const {
  // A guessed option byte would clobber the mouse's other options.
  OptionBytes bytes{};
  if (!readOptions(link, bytes)) {
    platform::pauseMs(optionRetryPauseMs);
    if (!readOptions(link, bytes)) {
      qDebug() << "Report option not read: DPI-button reports stay off until the next watch start";
      return false;
    }
  }
  return writeArmedOptions(link, bytes);
}
