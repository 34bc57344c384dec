// Framing, chunking, pauses, scrambling and the handshake of the device link,
// checked on the bytes that reach the virtual mouse.
#include "device/hid_thread.h"
#include "platform/pause.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace testsupport;

class tst_transport : public QObject {
  Q_OBJECT

  vmouse::Config plain() {
    vmouse::Config c;
    c.isEncode = false;
    return c;
  }

  // A link that has found the virtual mouse and holds the transport.
  void connect(Hid_Thread &link, WorkDir &dir, const vmouse::Config &c) {
    vmouse::configure(c);
    dir.writeDeviceList(c);
    link.loadDeviceList();
    link.discoverInterfaces();
    link.currentDevice = 0;
    vmouse::clearTrace();
  }

  // Sends block 11 01 08 with n data bytes 1, 2, 3, ... as a write.
  bool writeBlock(Hid_Thread &link, int n, bool settle) {
    if (!link.acquireTransport())
      return false;
    link.buildBlock(0x11, {0x01, 0x08});
    for (int i = 0; i < n; ++i)
      link.bulkBuffer[i] = uchar(i + 1);
    return link.sendCommand(n, settle);
  }

private slots:
  void checksum() {
    Hid_Thread link;
    uchar a[8] = {0x01, 0x02, 0, 0, 0, 0, 0, 0};
    uchar b[8] = {0x8B, 0, 0, 0, 0, 0, 0, 0};
    uchar c[8] = {0x84, 0x03, 0, 0, 0, 0, 0, 0};
    uchar d[8] = {0x04, 0x00, 0x01, 0x02, 0x03, 0x04, 0x00, 0};
    uchar e[8] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x55};
    QCOMPARE(link.hidCS(a), uchar(0xFC));
    QCOMPARE(link.hidCS(b), uchar(0x74));
    QCOMPARE(link.hidCS(c), uchar(0x78));
    QCOMPARE(link.hidCS(d), uchar(0xF1));
    QCOMPARE(link.hidCS(e), uchar(0x06)); // byte 7 is not summed
  }

  void scrambling() {
    Hid_Thread link;
    uchar code[8] = {0, '4', '8', '2', '1', '9', '3', 0};
    uchar block[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    link.USBDataEncryption(block, code);
    QCOMPARE(hex(QByteArray(reinterpret_cast<char *>(block), 8)),
             QStringLiteral("dd e8 3e b7 88 ee d6 f6"));
    link.USBDataDecipher(block, code);
    QCOMPARE(hex(QByteArray(reinterpret_cast<char *>(block), 8)),
             QStringLiteral("00 01 02 03 04 05 06 07"));

    QRandomGenerator random(7);
    for (int round = 0; round < 2000; ++round) {
      uchar b[8], k[8], original[8];
      for (int i = 0; i < 8; ++i) {
        b[i] = original[i] = uchar(random.bounded(256));
        k[i] = uchar(random.bounded(256));
      }
      link.USBDataEncryption(b, k);
      uchar device[8];
      std::copy_n(b, 8, device);
      vmouse::unscramble(device, k); // the device side agrees
      QVERIFY(std::equal(device, device + 8, original));
      link.USBDataDecipher(b, k);
      QVERIFY(std::equal(b, b + 8, original));
    }
  }

  void writeFraming() {
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, plain());
    platform::PauseLog pauses;

    QVERIFY(writeBlock(link, 8, false));
    const QStringList writes = traceOf({"write"});
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes[0], QStringLiteral("write 00 01 02 03 04 05 06 07 08") +
                            QStringLiteral(" 00").repeated(24));
    QCOMPARE(traceOf({"send_feature"}),
             QStringList{QStringLiteral("send_feature 00 11 01 08 00 00 00 00 e5")});
    QCOMPARE(pauses.pauses(), QList<int>{120});
    QCOMPARE(vmouse::openHandles(), 1); // kept for the next command
    QVERIFY(link.isTransportFree());

    // 128 bytes to a 64-byte interface: two 65-byte reports.
    vmouse::Config wide = plain();
    wide.reportLength = 64;
    connect(link, dir, wide);
    QVERIFY(writeBlock(link, 128, false));
    const QStringList wideWrites = traceOf({"write"});
    QCOMPARE(wideWrites.size(), 2);
    QCOMPARE(wideWrites[0].split(' ').size(), 1 + 65);
    QVERIFY(wideWrites[1].startsWith(QStringLiteral("write 00 41 42 43")));
    const auto commands = vmouse::commands();
    QCOMPARE(commands.back().data.size(), size_t(128));
    QCOMPARE(commands.back().data[127], uint8_t(128));
  }

  void settledWritePauses() {
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, plain());
    platform::PauseLog pauses;
    QVERIFY(writeBlock(link, 128, true));
    QCOMPARE(pauses.pauses(), (QList<int>{64, 64, 120, 120, 120, 120, 64, 64}));
    QCOMPARE(traceOf({"write"}).size(), 4);
    // One file for the whole exchange, and it stays open.
    QCOMPARE(traceOf({"open", "close"}), QStringList{"open 76 6d 6f 75 73 65 3a 30"});
    QCOMPARE(vmouse::openHandles(), 1);
  }

  void scrambledBlocks() {
    WorkDir dir;
    Hid_Thread link;
    vmouse::Config c = plain();
    c.isEncode = true;
    c.sCode = "N1kvRt";
    connect(link, dir, c);
    QVERIFY(link.chkDeviceIsEnCode(0));
    vmouse::clearTrace();
    QVERIFY(writeBlock(link, 0, false));
    uchar expected[8] = {0x11, 0x01, 0x08, 0, 0, 0, 0, 0xe5};
    uchar code[8] = {0, 'N', '1', 'k', 'v', 'R', 't', 0};
    link.USBDataEncryption(expected, code);
    QCOMPARE(traceOf({"send_feature"}),
             QStringList{QStringLiteral("send_feature 00 ") +
                         hex(QByteArray(reinterpret_cast<char *>(expected), 8))});
    QVERIFY(vmouse::commands().back().checksumOk);
  }

  void handshake() {
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, plain());
    QVERIFY(link.chkDeviceIsEnCode(0));
    QCOMPARE(link.currentDevice, 0);
    const QStringList feature = traceOf({"send_feature"});
    QCOMPARE(feature.size(), 1);
    QVERIFY(feature[0].startsWith(QStringLiteral("send_feature 00 00 ")));
    QVERIFY(feature[0].endsWith(QStringLiteral(" 00 00 ") + feature[0].right(2)));

    vmouse::failNext(vmouse::Fault::WrongEcho);
    QVERIFY(!link.chkDeviceIsEnCode(0));
    vmouse::failNext(vmouse::Fault::GetFeature);
    QVERIFY(!link.chkDeviceIsEnCode(0));
    QVERIFY(link.isTransportFree());
    // A link held by another command: no exchange, so no echo either.
    QVERIFY(link.acquireTransport());
    {
      platform::PauseLog quiet;
      QVERIFY(!link.chkDeviceIsEnCode(0));
    }
    link.setTransportFree();

    // A code of the wrong length keeps the previous code.
    vmouse::Config c = plain();
    c.isEncode = true;
    c.sCode = "482193";
    connect(link, dir, c);
    QVERIFY(link.chkDeviceIsEnCode(0));
    dir.writeConfig(
        QStringLiteral("[common]\ndeviceCount=1\n") +
        deviceEntry(0, c).replace(QStringLiteral("sCode=482193"), QStringLiteral("sCode=12")));
    link.loadDeviceList();
    link.discoverInterfaces();
    QVERIFY(link.chkDeviceIsEnCode(0));
  }

  void openAndFeatureFailures() {
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, plain());

    vmouse::failNext(vmouse::Fault::Feature);
    QVERIFY(!writeBlock(link, 8, false));
    QVERIFY(!link.devices()[0].mainPath.isEmpty()); // path kept: try again next time
    QVERIFY(traceOf({"write"}).isEmpty());
    QCOMPARE(vmouse::openHandles(), 0);
    QVERIFY(writeBlock(link, 8, false));

    vmouse::failNext(vmouse::Fault::Write);
    QVERIFY(!writeBlock(link, 128, false));
    QVERIFY(link.isTransportFree());
    QCOMPARE(vmouse::openHandles(), 0);

    // A failed reopen looks for the mouse again and tries once more.
    vmouse::failNext(vmouse::Fault::Open);
    QVERIFY(writeBlock(link, 8, false));
    QCOMPARE(traceOf({"open"}).filter(QStringLiteral("!fail")).size(), 1);

    // Unopenable twice: the command fails, and the next one recovers.
    vmouse::failNext(vmouse::Fault::Feature);
    QVERIFY(!writeBlock(link, 8, false));
    QSignalSpy access(&link, &Hid_Thread::noAccessChanged);
    vmouse::failNext(vmouse::Fault::Open);
    vmouse::failNext(vmouse::Fault::Open);
    QVERIFY(!writeBlock(link, 8, false));
    QVERIFY(link.devices()[0].mainPath.isEmpty());
    QVERIFY(link.isTransportFree());
    QVERIFY(link.hasNoAccess());
    vmouse::clearCommands();
    QVERIFY(writeBlock(link, 8, false));
    QCOMPARE(sentBlocks(), QStringList{"11 01 08 00 00 00 00 e5"});
    QVERIFY(!link.hasNoAccess());
    QCOMPARE(access.size(), 2);

    // Never openable: every command fails, none is reported done, and a
    // change of the node (access granted) brings it back.
    vmouse::failNext(vmouse::Fault::Feature);
    QVERIFY(!writeBlock(link, 8, false));
    for (int i = 0; i < 4; ++i)
      vmouse::failNext(vmouse::Fault::Open);
    QVERIFY(!writeBlock(link, 8, false));
    QVERIFY(!writeBlock(link, 8, false));
    QVERIFY(link.hasNoAccess());
    vmouse::failNext(vmouse::Fault::Open);
    vmouse::failNext(vmouse::Fault::Open);
    link.rediscover();
    QVERIFY(link.hasNoAccess());
    link.rediscover();
    QVERIFY(!link.hasNoAccess());
    QCOMPARE(vmouse::openHandles(), 1);
    QVERIFY(writeBlock(link, 8, false));

    // A mouse that is gone is not one without access.
    vmouse::unplug();
    QVERIFY(!writeBlock(link, 8, false));
    QVERIFY(!writeBlock(link, 8, false));
    QVERIFY(!link.hasNoAccess());
    vmouse::plug();
  }

  // The kernel gives a report only to the files open when it arrives and
  // drops what a file had not read when it closes; the mouse answers a
  // moment after the feature report, whenever that falls.
  void noDataLostAtAnyReplyDelay() {
    WorkDir dir;
    Hid_Thread link;
    vmouse::Config c = plain();
    c.family = "560";
    connect(link, dir, c);
    vmouse::DeviceState s = vmouse::deviceState();
    for (int i = 0; i < 128; ++i)
      s.profiles[1][i] = uint8_t(i * 3 + 1);
    vmouse::setDeviceState(s);
    for (int delay : {0, 1, 2, 3, 4, 6}) {
      vmouse::setReplyDelay(delay);
      uchar block[128] = {};
      QVERIFY2(link.hid560_8CH_readProfile(block, 1), qPrintable(QString::number(delay)));
      QVERIFY(std::equal(block, block + 128, s.profiles[1].begin()));
    }
    QCOMPARE(traceOf({"read"}).filter(QStringLiteral("!fail")).size(), 0);
    vmouse::setReplyDelay(0);
  }

  void boundedDataRead() {
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, plain());
    // Pieces arrive in order into the bulk buffer.
    for (int piece = 0; piece < 4; ++piece)
      vmouse::queueInput(std::vector<uint8_t>(32, uint8_t(0xa0 + piece)));
    QVERIFY(link.acquireTransport());
    link.buildBlock(0x8C, {0x01});
    QVERIFY(link.queryCommand(128));
    QCOMPARE(link.bulkBuffer[0], uchar(0xa0));
    QCOMPARE(link.bulkBuffer[127], uchar(0xa3));

    QVERIFY(link.acquireTransport());
    link.buildBlock(0x8C, {0x01});
    vmouse::failNext(vmouse::Fault::StallRead);
    QVERIFY(!link.queryCommand(128));
    QVERIFY(link.isTransportFree());
    QCOMPARE(vmouse::openHandles(), 0); // what it still held went with it

    // What arrives after a read gave up is never the next read's data.
    for (int piece = 0; piece < 4; ++piece)
      vmouse::queueInput(std::vector<uint8_t>(32, uint8_t(0xb0 + piece)));
    QVERIFY(link.acquireTransport());
    link.buildBlock(0x8C, {0x01});
    QVERIFY(!link.queryCommand(128));
  }

  void transportLock() {
    Hid_Thread link;
    platform::PauseLog pauses;
    QVERIFY(link.acquireTransport());
    QVERIFY(!link.acquireTransport());
    QCOMPARE(pauses.pauses(), QList<int>(255, 8));
    link.setTransportFree();
    QVERIFY(link.acquireTransport());
  }

  void discovery() {
    WorkDir dir;
    Hid_Thread link;
    vmouse::Config c = plain();
    vmouse::configure(c);
    vmouse::addInterface({c.usagePage, c.usage, vmouse::Role::Command});
    dir.writeDeviceList(c);
    link.loadDeviceList();
    link.discoverInterfaces();
    QCOMPARE(link.devices()[0].mainPath, QStringLiteral("vmouse:2")); // last match wins
    QCOMPARE(link.devices()[0].eventPath, QStringLiteral("vmouse:1"));

    // vid and pid 0 enumerate every interface.
    vmouse::Config any = c;
    any.vid = any.pid = 0;
    dir.writeDeviceList(any);
    link.loadDeviceList();
    link.discoverInterfaces();
    QCOMPARE(link.devices()[0].mainPath, QStringLiteral("vmouse:2"));

    vmouse::unplug();
    link.discoverInterfaces();
    QVERIFY(link.devices()[0].mainPath.isEmpty());
    vmouse::plug();
  }

  void damagedDeviceLists() {
    WorkDir dir;
    Hid_Thread link;
    dir.writeConfig(QStringLiteral("[common]\ndeviceCount=2\n[0]\nvid=zz12\npid=\n"
                                   "usagePage=ff00ff00ff\nreportLength=-5\n[1]\ntype=x\n"));
    link.loadDeviceList();
    QCOMPARE(link.devices().size(), 2);
    QCOMPARE(link.devices()[0].vid, uint16_t(0));
    QCOMPARE(link.devices()[0].pid, uint16_t(0));
    QCOMPARE(link.devices()[0].reportLength, 32);
    QCOMPARE(link.devices()[0].type, -1);
    QCOMPARE(link.devices()[1].type, 0);
    QCOMPARE(link.devices()[1].sCode, QStringLiteral("482193"));

    dir.writeConfig(QStringLiteral("[common]\ndeviceCount=-3\n"));
    link.loadDeviceList();
    QVERIFY(link.devices().isEmpty());

    dir.writeConfig(QStringLiteral("[common]\ndeviceCount=2000000000\n"));
    link.loadDeviceList();
    QVERIFY(link.devices().size() <= 64);

    QFile::remove(QStringLiteral("modules/setting/apConfig.bin"));
    link.loadDeviceList();
    QVERIFY(link.devices().isEmpty());
    link.discoverInterfaces();
    QVERIFY(!link.chkDeviceIsEnCode(0)); // no entry: no HID call, no crash
  }
};

QTEST_GUILESS_MAIN(tst_transport)
#include "tst_transport.moc"
