#pragma once

#include "deviceentry.h"

#include <QFuture>
#include <QList>
#include <QThread>

#include <atomic>

struct hid_device_;
typedef struct hid_device_ hid_device;

class LinkOwner;

// The secrecy code of the handshaken device, indexed like a command block:
// positions 1..6 hold the code's characters, 0 and 7 stay zero.
extern uchar SecrecyCode[8];
// Constant key of the block transform: "KvTapRen".
extern const uchar scrambleKey[8];
// The eight texts of the DPI balloon; the language loader replaces them.
extern QString dpiSwitchTexts[8];

// The device link. Its own thread is never started: the object lives on the
// GUI thread, where every command runs; only the report watch runs on a pool
// thread. Slot order is part of the interface (QML reaches the link as "hid").
class Hid_Thread : public QThread {
  Q_OBJECT

public:
  explicit Hid_Thread();
  ~Hid_Thread() override;

  void setOwner(LinkOwner *owner) { this->owner = owner; }

  // Device list and discovery.
  void loadDeviceList();
  void discoverInterfaces();
  const QList<DeviceEntry> &devices() const { return deviceList; }
  int currentDeviceIndex() const { return currentDevice; }

  // Opening; each returns the handle or null.
  hid_device *openMainInterface(int index);
  hid_device *openEventInterface(int index);

  // Transport.
  bool acquireTransport();
  bool sendCommand(int dataLength, bool settle);
  bool queryCommand(int dataLength);
  void settlePause();
  bool isTransportFree() const { return transportFree; }
  void setTransportFree() { transportFree = true; }

  // Report watch.
  void startReportWatch(uint index);
  void stopReportWatch();
  bool isWatchRunning() const { return watchRunning; }
  void waitForReportWatch();

  // How long one data read of a read transaction may wait for its report.
  static constexpr int dataReadTimeoutMs = 1000;

public slots:
  uchar hidCS(uchar *cmd);
  bool chkDeviceIsEnCode(int index);
  void USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode);
  void USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode);
  void hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);

private:
  friend class tst_transport;
  friend class TransportBench;

  void reportWatch(uint index);
  void closeMain();
  void buildBlock(uchar code, std::initializer_list<uchar> args);
  bool endTransaction(bool result);
  DeviceEntry *entry(int index);

  LinkOwner *owner = nullptr;
  QList<DeviceEntry> deviceList;
  int currentDevice = 1;
  hid_device *mainHandle = nullptr;
  hid_device *eventHandle = nullptr;
  bool transportFree = true;
  std::atomic_bool watchRunning = false;
  bool settleFlag = true;
  QFuture<void> watchFuture;
  uchar sendReport[9] = {};
  uchar replyReport[9] = {};
  uchar bulkBuffer[512] = {};
};
