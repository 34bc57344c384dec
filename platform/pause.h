// Pauses between device commands (Sleep on Windows). Tests install a
// recorder so that nothing waits and the pause sequence can be checked.
#pragma once

#include <QList>
#include <functional>
#include <memory>

namespace platform {

void pauseMs(int ms);

// Milliseconds this process has slept in pauseMs so far (recorded pauses do
// not count): the share of a measured time that the device protocol demands.
long long pausedMsTotal();

// While a recorder is set, pauseMs hands it the value instead of sleeping.
// An empty function restores sleeping.
using PauseRecorder = std::function<void(int)>;
void setPauseRecorder(PauseRecorder recorder);

// Collects every pause made while it lives, from any thread.
class PauseLog {
public:
  PauseLog();
  ~PauseLog();
  PauseLog(const PauseLog &) = delete;
  PauseLog &operator=(const PauseLog &) = delete;

  QList<int> pauses() const;
  void clear();

private:
  // Shared with the recorder, so the watch thread still inside pauseMs never
  // touches a destroyed log.
  struct Record;
  std::shared_ptr<Record> record;
};

} // namespace platform
