// The report watch: a pool job reading the event interface while a device is
// connected.
#include "hid_thread.h"

#include <QDebug>

void Hid_Thread::startReportWatch(uint index) {
  // The watch itself arrives with the command set; until then a connected
  // device is not watched, so device-change broadcasts keep scheduling checks.
  Q_UNUSED(index);
  watchRunning = false;
}

void Hid_Thread::reportWatch(uint index) { Q_UNUSED(index); }

void Hid_Thread::stopReportWatch() {
  if (watchRunning)
    watchRunning = false;
}

void Hid_Thread::waitForReportWatch() {
  if (watchFuture.isRunning())
    watchFuture.waitForFinished();
}
