// The report watch: a thread of its own reading the event interface, open
// once for as long as the watch runs. It touches only its own event handle
// and its own copy of the event path; everything it changes on the window
// goes to the GUI thread.
#include "hid_thread.h"
#include "hidapi_global.h"
#include "linkowner.h"

#include "platform/pause.h"

#include <QDebug>

namespace {

constexpr int eventReadTimeoutMs = 500;

} // namespace

void Hid_Thread::startReportWatch(uint index) {
  if (watchRunning)
    watchRunning = false;
  // A job still finishing its cycle must not share the event handle with
  // the new one.
  waitForReportWatch();
  const DeviceEntry *e = entry(int(index));
  watchPath = e ? e->eventPath : QString();
  // The mouse sends DPI-button reports only when there is a reader for them;
  // on a node shared with the commands they would land in command replies.
  if (!watchPath.isEmpty())
    armReportOption();
  // Without an event interface there is nothing to watch; leaving the flag
  // set would make the window ignore every later device change.
  watchRunning = !watchPath.isEmpty();
  // A plain thread per start rather than a pool job: starting and joining
  // it are hand-overs ThreadSanitizer sees, where a reused pool thread gets
  // its job through Qt's locks, which it cannot see.
  watchThread = std::thread(&Hid_Thread::reportWatch, this, index);
}

void Hid_Thread::armReportOption() {
  // How the option is set depends on the device's family, which the owner
  // knows; without an owner the mouse is watched unarmed.
  if (owner)
    owner->linkArmReports(*this);
}

void Hid_Thread::reportWatch(uint index) {
  if (watchPath.isEmpty())
    return;
  // Its own handle, open for the whole watch: the kernel gives a report only
  // to the files open when it arrives. The link's eventHandle belongs to the
  // GUI thread.
  hid_device *handle = hidapi::openPath(watchPath.toLocal8Bit().constData());
  if (handle)
    hid_set_nonblocking(handle, 0);
  while (handle && watchRunning) {
    uchar report[4] = {};
    const int n = hid_read_timeout(handle, report, sizeof report, eventReadTimeoutMs);
    // A failed read is a hung-up node: the mouse is gone.
    if (n < 0) {
      hid_close(handle);
      handle = nullptr;
      break;
    }
    handleEventReport(report, n);
  }
  if (handle) {
    hid_close(handle);
    return;
  }
  qDebug() << "Device removed";
  postWatchEvent({-1, index, watchPath});
  watchRunning = false;
}

void Hid_Thread::handleEventReport(const uchar *report, int length) {
  if (length != 4 || report[0] != 0x06 || report[1] != 0x07)
    return;
  postWatchEvent({report[3], 0, {}});
}

void Hid_Thread::postWatchEvent(WatchEvent event) {
  // The call is posted under the mutex that deliverWatchEvents takes first:
  // Qt's event queue hands the call over through locks ThreadSanitizer
  // cannot see, and this makes the hand-over, and the call's own memory,
  // visible to it.
  std::lock_guard lock(watchEventsMutex);
  watchEvents.append(std::move(event));
  if (watchEvents.size() == 1)
    QMetaObject::invokeMethod(this, "deliverWatchEvents", Qt::QueuedConnection);
}

void Hid_Thread::deliverWatchEvents() {
  QList<WatchEvent> events;
  {
    std::lock_guard lock(watchEventsMutex);
    events.swap(watchEvents);
  }
  for (const WatchEvent &e : events) {
    if (e.stage < 0)
      onWatchedDeviceRemoved(e.index, e.path);
    else
      showDpiStage(e.stage);
  }
}

void Hid_Thread::showDpiStage(int stage) {
  if (!owner)
    return;
  owner->linkSetCurrentDPI(stage);
  const int text = stage >= 1 && stage <= 7 ? stage - 1 : 7;
  owner->linkShowBalloon(dpiSwitchTexts[text] + QLatin1Char(' '));
}

void Hid_Thread::onWatchedDeviceRemoved(uint index, const QString &path) {
  if (owner)
    owner->linkDisableView();
  // The command interface of a removed mouse is hung up. A command in
  // flight finds that out itself and closes it.
  if (transportFree && mainHandleIndex == int(index))
    closeMain();
  // A device check may have rebuilt the list meanwhile; leave a new entry be.
  if (DeviceEntry *e = entry(int(index)); e && e->eventPath == path)
    e->eventPath.clear();
}

void Hid_Thread::stopReportWatch() {
  if (watchRunning)
    watchRunning = false;
}

void Hid_Thread::waitForReportWatch() {
  if (watchThread.joinable())
    watchThread.join();
}
