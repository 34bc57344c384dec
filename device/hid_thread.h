#pragma once

#include "deviceentry.h"

#include <QList>
#include <QThread>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

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
  // The system reported the mouse's node added or changed (its access rule
  // re-applied, say): find the current device again and, when the command
  // interface is not open, try it now. Runs while the watch runs too.
  void rediscover();
  // The mouse enumerates but its command interface cannot be opened, even
  // after looking for it again: commands fail until that changes.
  bool hasNoAccess() const { return noAccess; }
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
  void setTransportFree() { releaseTransport(); }
  // Work that must not run inside a command (the device check): true when a
  // command holds the link, and `task` then runs on this object's thread once
  // the link is given back. A later deferral replaces an earlier one.
  bool deferWhileBusy(std::function<void()> task);
  void dropDeferred() { deferred = nullptr; }

  // Report watch.
  void startReportWatch(uint index);
  void stopReportWatch();
  bool isWatchRunning() const { return watchRunning; }
  void waitForReportWatch();
  // One read of the event interface: `length` is what the read returned for
  // a 4-byte buffer. A DPI stage report queues its effects on the GUI
  // thread; anything else is ignored. Safe to call from the watch's thread.
  void handleEventReport(const uchar *report, int length);

  // How long one data read of a read transaction may wait for its report.
  static constexpr int dataReadTimeoutMs = 1000;

signals:
  void noAccessChanged(bool noAccess);

public slots:
  // Every command returns true when its exchange with the mouse completed:
  // the link was taken and every report went through.
  uchar hidCS(uchar *cmd);
  bool chkDeviceIsEnCode(int index);
  void USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode);
  void USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode);
  bool hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
  bool hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
  bool hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2);
  bool hid560_82H_GetCurrentProfile(uchar &byte1);
  bool hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2);
  bool hid553_8BH_GetCurrentDPI(uchar &byte1);
  bool hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
  bool hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
  bool hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
  bool hid553_01H_SetReportRate(uchar rate);
  bool hid560_03H_SetReportRate(uchar rate);
  bool hid560_04H_SetCurrentDPI(uchar stage);
  bool hid553_0BH_SetCurrentDPI(uchar stage);
  bool hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
  bool hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne);
  bool hid560_0CH_setProfile(uchar *src128, uchar profileData);
  bool hid560_8CH_readProfile(uchar *src128, uchar profileNo);
  bool hid560_02H_SetCurrentProfile(uchar profile);
  bool hid553_13H_SetMacroKey(uchar macroId, uchar *src128);
  bool hid560_0FH_SetMacroKey(uchar macroId, uchar *src128);
  bool hid553_11H_SetDPISet(uchar dpiStage, uchar *src8);
  bool hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
  bool hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
  bool hid553_0CH_SetFixLEDColor(uchar *src3);
  bool hid553_10H_SetLED8StageColor(uchar type, uchar *src24);

private:
  friend class tst_transport;
  friend class tst_commands;
  friend class tst_watch;
  friend class TransportBench;

  // The shared steps of a write command: lock, block, data (copied bytes of
  // data, zero up to dataLength), transaction, optional 8 ms pause. False
  // when the lock was not taken (the failure line is written then) or the
  // transaction failed.
  bool writeCommand(const char *failure, uchar code, std::initializer_list<uchar> args,
                    const uchar *data, int copied, int dataLength, bool settle, bool pauseAfter);
  // The same once the link is held.
  bool writeTaken(uchar code, std::initializer_list<uchar> args, const uchar *data, int copied,
                  int dataLength, bool settle, bool pauseAfter);
  // A write of `code` with profile numbers 1..4 (1 alone for gun devices);
  // false when any of them failed.
  bool writePerProfile(const char *failure, uchar code, uchar value);
  // The shared steps of a read command without data: lock, block, reply
  // preset, transaction. False when the lock was not taken or the exchange
  // failed; the reply then holds the preset.
  bool readCommand(const char *failure, uchar code, std::initializer_list<uchar> args,
                   std::initializer_list<uchar> preset);
  uchar reply(int i) const { return replyReport[1 + i]; }
  // 00H; false when the lock was not taken or the exchange failed.
  bool exchangeSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
  bool readOptions553(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
  bool readOptions560(uchar &byte1, uchar &byte2);

  // Report watch, GUI side.
  void armReportOption();
  void showDpiStage(int stage);
  void onWatchedDeviceRemoved(uint index, const QString &path);
  // What the watch found, carried to the GUI thread in order: a DPI stage,
  // or (stage -1) the loss of the interface of entry `index` at `path`.
  struct WatchEvent {
    int stage = 0;
    uint index = 0;
    QString path;
  };
  void postWatchEvent(WatchEvent event);
  Q_INVOKABLE void deliverWatchEvents();

  void reportWatch(uint index);
  void closeMain();
  // Enumerates the entry's device again and sets both of its paths.
  void discoverEntry(DeviceEntry &e);
  hid_device *openPathOf(const DeviceEntry &e);
  void setNoAccess(bool value);
  void buildBlock(uchar code, std::initializer_list<uchar> args);
  bool endTransaction(bool result);
  // A data read that ended before its last report: the link may still get
  // that report later, when it would be taken for the next read's data.
  bool abandonDataRead();
  // Reads whatever the command interface has queued, without waiting.
  void dropQueuedInput(hid_device *h, int reportLength);
  void releaseTransport();
  void runDeferred();
  DeviceEntry *entry(int index);

  LinkOwner *owner = nullptr;
  QList<DeviceEntry> deviceList;
  int currentDevice = 1;
  // The command interface stays open while the mouse is connected: the
  // kernel drops what arrives while no file is open and what an open file
  // had not read when it closes. Closed at removal and after a failed call.
  hid_device *mainHandle = nullptr;
  int mainHandleIndex = -1;
  QString mainHandlePath;
  // The entry whose command path a failed open cleared: its next open
  // enumerates the device again first.
  int lostEntry = -1;
  bool noAccess = false;
  hid_device *eventHandle = nullptr; // openEventInterface; the watch keeps its own
  bool transportFree = true;
  std::function<void()> deferred;
  std::atomic_bool watchRunning = false;
  std::mutex watchEventsMutex;
  QList<WatchEvent> watchEvents;
  bool settleFlag = true;
  // Set once a data read was abandoned; later data reads drain first.
  bool lateDataPossible = false;
  std::thread watchThread;
  // The event interface the running watch reads; set on the GUI thread
  // before the job starts, so the job never reads the device list.
  QString watchPath;
  uchar sendReport[9] = {};
  uchar replyReport[9] = {};
  uchar bulkBuffer[512] = {};
};
