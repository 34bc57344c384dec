// Device list, interface discovery and opening.
#include "hid_thread.h"
#include "hidapi_global.h"

#include <QDebug>

void Hid_Thread::loadDeviceList() {
  deviceList = readDeviceList(QStringLiteral("./modules/setting/apConfig.bin"));
}

void Hid_Thread::discoverInterfaces() {
  // A node found now may be a new device under an old name (a replug): the
  // handshake that follows opens it afresh.
  if (transportFree)
    closeMain();
  lostEntry = -1;
  for (DeviceEntry &e : deviceList)
    discoverEntry(e);
}

void Hid_Thread::discoverEntry(DeviceEntry &e) {
  e.mainPath.clear();
  e.eventPath.clear();
  hid_device_info *all = hidapi::enumerate(e.vid, e.pid);
  for (hid_device_info *d = all; d; d = d->next) {
    const QString path = QString::fromLocal8Bit(d->path);
    if (d->usage_page == e.usagePage && d->usage == e.usage)
      e.mainPath = path;
    if (d->usage_page == e.usagePage2 && d->usage == e.usage2)
      e.eventPath = path;
  }
  hid_free_enumeration(all);
  // Both collections on one node: the watch would eat the replies and data
  // of read commands, and they its reports. Commands win; no watch.
  if (!e.eventPath.isEmpty() && e.eventPath == e.mainPath) {
    qDebug().noquote() << "Command and event interface share the node" << e.mainPath
                       << "- DPI-button reports are off";
    e.eventPath.clear();
  }
}

void Hid_Thread::rediscover() {
  DeviceEntry *e = entry(currentDevice);
  // Inside a command the next open looks again by itself.
  if (!e || !transportFree) {
    lostEntry = currentDevice;
    return;
  }
  if (mainHandle)
    return; // open and answering: a change of the node's rules does not matter
  const QString eventPath = e->eventPath;
  discoverEntry(*e);
  // The running watch keeps reading the node it has; a lost one it reports.
  if (watchRunning)
    e->eventPath = eventPath;
  transportFree = false;
  openMainInterface(currentDevice);
  releaseTransport();
}

DeviceEntry *Hid_Thread::entry(int index) {
  return index >= 0 && index < deviceList.size() ? &deviceList[index] : nullptr;
}

hid_device *Hid_Thread::openPathOf(const DeviceEntry &e) {
  if (e.mainPath.isEmpty())
    return nullptr;
  return hidapi::openPath(e.mainPath.toLocal8Bit().constData());
}

hid_device *Hid_Thread::openMainInterface(int index) {
  DeviceEntry *e = entry(index);
  if (!e)
    return nullptr;
  if (mainHandle && mainHandleIndex == index && mainHandlePath == e->mainPath &&
      !e->mainPath.isEmpty())
    return mainHandle;
  closeMain();
  if (index == lostEntry)
    discoverEntry(*e);
  if (e->mainPath.isEmpty())
    return nullptr;
  mainHandle = openPathOf(*e);
  if (!mainHandle) {
    // A node can be unopenable for a moment (udev re-applying its access
    // rule) or come back under another name: look again, try once more.
    discoverEntry(*e);
    mainHandle = openPathOf(*e);
  }
  if (!mainHandle) {
    setNoAccess(!e->mainPath.isEmpty());
    e->mainPath.clear();
    lostEntry = index;
    return nullptr;
  }
  lostEntry = -1;
  mainHandleIndex = index;
  mainHandlePath = e->mainPath;
  setNoAccess(false);
  hid_set_nonblocking(mainHandle, 0);
  return mainHandle;
}

void Hid_Thread::setNoAccess(bool value) {
  if (std::exchange(noAccess, value) != value)
    emit noAccessChanged(value);
}

hid_device *Hid_Thread::openEventInterface(int index) {
  DeviceEntry *e = entry(index);
  if (!e || e->eventPath.isEmpty())
    return nullptr;
  if (eventHandle) {
    hid_close(eventHandle);
    eventHandle = nullptr;
  }
  eventHandle = hidapi::openPath(e->eventPath.toLocal8Bit().constData());
  if (!eventHandle) {
    e->eventPath.clear();
    return nullptr;
  }
  hid_set_nonblocking(eventHandle, 0);
  return eventHandle;
}

void Hid_Thread::closeMain() {
  if (mainHandle) {
    hid_close(mainHandle);
    mainHandle = nullptr;
  }
  mainHandleIndex = -1;
  mainHandlePath.clear();
}
