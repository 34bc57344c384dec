#include "platform/pause.h"

#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <atomic>

#if defined(Q_OS_LINUX)
#include <sys/prctl.h>
#endif

namespace platform {

namespace {
QMutex recorderMutex;
PauseRecorder currentRecorder;
std::atomic<long long> sleptMs{0};
} // namespace

void pauseMs(int ms) {
  PauseRecorder recorder;
  {
    QMutexLocker lock(&recorderMutex);
    recorder = currentRecorder;
  }
  // Called outside the lock so a recorder may itself take locks.
  if (recorder) {
    recorder(ms);
    return;
  }
  if (ms <= 0)
    return;
#if defined(Q_OS_LINUX)
  // The default 50 us timer slack is most of what an 8 ms pause overshoots.
  thread_local const bool tightSlack = prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0) == 0;
  Q_UNUSED(tightSlack);
#endif
  QThread::msleep(static_cast<unsigned long>(ms));
  sleptMs.fetch_add(ms, std::memory_order_relaxed);
}

long long pausedMsTotal() { return sleptMs.load(std::memory_order_relaxed); }

void setPauseRecorder(PauseRecorder recorder) {
  QMutexLocker lock(&recorderMutex);
  currentRecorder = std::move(recorder);
}

struct PauseLog::Record {
  QMutex mutex;
  QList<int> values;
};

PauseLog::PauseLog() : record(std::make_shared<Record>()) {
  setPauseRecorder([record = record](int ms) {
    QMutexLocker lock(&record->mutex);
    record->values.append(ms);
  });
}

PauseLog::~PauseLog() { setPauseRecorder({}); }

QList<int> PauseLog::pauses() const {
  QMutexLocker lock(&record->mutex);
  return record->values;
}

void PauseLog::clear() {
  QMutexLocker lock(&record->mutex);
  record->values.clear();
}

} // namespace platform
