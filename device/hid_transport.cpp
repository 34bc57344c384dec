// The transport lock and the two transactions: an 8-byte command block as a
// feature report, then data as output reports, or a reply block and data
// read back.
#include "hid_thread.h"

#include "platform/pause.h"

#include <QCoreApplication>
#include <QList>
#include <hidapi.h>

bool Hid_Thread::acquireTransport() {
  for (int poll = 0; poll < 255; ++poll) {
    if (transportFree) {
      transportFree = false;
      return true;
    }
    platform::pauseMs(8);
    QCoreApplication::processEvents();
  }
  return false;
}

void Hid_Thread::settlePause() {
  settleFlag = false;
  platform::pauseMs(64);
  if (!settleFlag) {
    settleFlag = true;
    platform::pauseMs(64);
  }
}

bool Hid_Thread::endTransaction(bool result) {
  // After a failure the file goes, with whatever of the exchange it still
  // holds; the next command opens the interface again.
  if (!result)
    closeMain();
  releaseTransport();
  return result;
}

void Hid_Thread::releaseTransport() {
  transportFree = true;
  if (deferred)
    QMetaObject::invokeMethod(
        this, [this] { runDeferred(); }, Qt::QueuedConnection);
}

bool Hid_Thread::deferWhileBusy(std::function<void()> task) {
  if (transportFree)
    return false;
  deferred = std::move(task);
  return true;
}

void Hid_Thread::runDeferred() {
  // Taken again meanwhile: the next release posts this once more.
  if (!transportFree || !deferred)
    return;
  std::exchange(deferred, nullptr)();
}

bool Hid_Thread::sendCommand(int dataLength, bool settle) {
  QCoreApplication::processEvents();
  hid_device *h = openMainInterface(currentDevice);
  if (!h) {
    releaseTransport();
    return false;
  }
  const DeviceEntry &e = deviceList[currentDevice];
  if (e.isEncode)
    USBDataEncryption(sendReport + 1, SecrecyCode);

  if (hid_send_feature_report(h, sendReport, sizeof sendReport) < 0)
    return endTransaction(false);
  if (settle)
    settlePause();
  if (dataLength <= 0)
    return endTransaction(true);

  const int reportLength = e.reportLength;
  const int piece = qMin(dataLength, reportLength);
  QList<uchar> report(reportLength + 1, 0);
  for (int offset = 0; offset < dataLength; offset += piece) {
    report[0] = 0;
    std::copy_n(bulkBuffer + offset, piece, report.begin() + 1);
    if (hid_write(h, report.constData(), report.size()) < 0)
      return endTransaction(false);
    platform::pauseMs(120);
  }
  if (settle)
    settlePause();
  return endTransaction(true);
}

bool Hid_Thread::queryCommand(int dataLength) {
  hid_device *h = openMainInterface(currentDevice);
  if (!h) {
    releaseTransport();
    return false;
  }
  const DeviceEntry &e = deviceList[currentDevice];
  if (e.isEncode)
    USBDataEncryption(sendReport + 1, SecrecyCode);
  if (dataLength > 0 && lateDataPossible)
    dropQueuedInput(h, e.reportLength);

  if (hid_send_feature_report(h, sendReport, sizeof sendReport) < 0)
    return endTransaction(false);
  if (hid_get_feature_report(h, replyReport, sizeof replyReport) < 0)
    return dataLength > 0 ? abandonDataRead() : endTransaction(false);

  if (dataLength <= 0) {
    endTransaction(true);
    if (e.isEncode)
      USBDataDecipher(replyReport + 1, SecrecyCode);
    return true;
  }

  const int reportLength = e.reportLength;
  const int piece = qMin(dataLength, reportLength);
  QList<uchar> report(reportLength + 1, 0);
  for (int offset = 0; offset < dataLength; offset += piece) {
    report.fill(0);
    // A device that never sends its data must not hang the GUI thread: each
    // read is bounded, and a timeout fails the transaction like an error.
    if (hid_read_timeout(h, report.data(), report.size(), dataReadTimeoutMs) <= 0)
      return abandonDataRead();
    std::copy_n(report.constData(), piece, bulkBuffer + offset);
  }
  return endTransaction(true);
}

bool Hid_Thread::abandonDataRead() {
  // The mouse may still send the rest, into whichever file is open then;
  // data reads from now on first drop what is queued.
  lateDataPossible = true;
  return endTransaction(false);
}

void Hid_Thread::dropQueuedInput(hid_device *h, int reportLength) {
  // The kernel queues at most 64 reports per open file.
  QList<uchar> report(reportLength + 1, 0);
  for (int i = 0; i < 64; ++i) {
    if (hid_read_timeout(h, report.data(), report.size(), 0) <= 0)
      return;
  }
}
