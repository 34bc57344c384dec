// The report watch against the virtual mouse's event interface: arming the
// device, DPI-stage reports reaching the window on the GUI thread, removal,
// and stopping.
#include "config/device_family.h"
#include "device/hid_thread.h"
#include "device/linkowner.h"
#include "platform/pause.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

using namespace testsupport;
using Bytes = std::vector<uint8_t>;

namespace {

// Records what the watch asks of the window, and on which thread.
class FakeOwner : public LinkOwner {
public:
  QString icType = QStringLiteral("553");
  QStringList calls;
  bool offGuiThread = false;

  bool linkArmReports(Hid_Thread &link) override { return deviceFamily(icType).armReports(link); }
  bool linkIsGun() const override { return false; }
  void linkSetCurrentDPI(int stage) override { record(QStringLiteral("dpi %1").arg(stage)); }
  void linkShowBalloon(const QString &text) override { record("balloon " + text); }
  void linkDisableView() override { record(QStringLiteral("disable")); }

private:
  void record(const QString &call) {
    offGuiThread =
        offGuiThread || QThread::currentThread() != QCoreApplication::instance()->thread();
    calls << call;
  }
};

} // namespace

class tst_watch : public QObject {
  Q_OBJECT

  void connect(Hid_Thread &link, WorkDir &dir, const vmouse::Config &c) {
    vmouse::configure(c);
    dir.writeDeviceList(c);
    link.loadDeviceList();
    link.discoverInterfaces();
    QVERIFY(link.chkDeviceIsEnCode(0));
    vmouse::clearCommands();
    vmouse::clearTrace();
  }

  // A connected link whose watch has its event node open.
  void startWatching(Hid_Thread &link, WorkDir &dir, FakeOwner &owner) {
    link.setOwner(&owner);
    connect(link, dir, vmouse::Config());
    link.startReportWatch(0);
    QTRY_COMPARE(vmouse::openHandles(vmouse::Role::Event), 1);
  }

  static void stop(Hid_Thread &link) {
    link.stopReportWatch();
    link.waitForReportWatch();
  }

private slots:
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void startArmsTheDevice_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("553") << QStringLiteral("553")
                         << QStringList{"83 00 00 00 00 00 00 7c", "03 11 22 33 44 00 00 52"};
    QTest::newRow("560") << QStringLiteral("560")
                         << QStringList{"81 00 00 00 00 00 00 7e", "01 19 22 00 00 00 00 c3"};
  }

  void startArmsTheDevice() {
    QFETCH(QString, family);
    QFETCH(QStringList, sent);
    WorkDir dir;
    Hid_Thread link;
    FakeOwner owner;
    owner.icType = family;
    link.setOwner(&owner);
    vmouse::Config c;
    c.family = family.toStdString();
    c.isEncode = true;
    connect(link, dir, c);
    vmouse::DeviceState s = vmouse::deviceState();
    s.options = {0x11, 0x22, 0x33, 0x04}; // the other bits are written back as read
    vmouse::setDeviceState(s);

    link.startReportWatch(0);
    QVERIFY(link.isWatchRunning());
    QCOMPARE(sentBlocks(), sent);
    // Armed before the event interface is first read.
    QTRY_VERIFY(!traceOf({"open"}).filter(QStringLiteral("3a 31")).isEmpty());
    const QStringList order = traceOf({"send_feature", "open"});
    qsizetype lastFeature = -1, firstEventOpen = -1;
    for (qsizetype i = 0; i < order.size(); ++i) {
      if (order[i].startsWith(QLatin1String("send_feature")))
        lastFeature = i;
      else if (firstEventOpen < 0 && order[i].endsWith(QLatin1String("3a 31")))
        firstEventOpen = i;
    }
    QVERIFY(lastFeature >= 0 && firstEventOpen > lastFeature);
    stop(link);

    // A failed option read is tried once more, 100 ms later.
    vmouse::clearCommands();
    vmouse::failNext(vmouse::Fault::GetFeature);
    {
      platform::PauseLog pauses;
      link.startReportWatch(0);
      QCOMPARE(pauses.pauses().value(0), 100);
    }
    QCOMPARE(sentBlocks(), QStringList{sent[0]} + sent);
    stop(link);

    // Unread twice: nothing written, one line, and the next start arms.
    vmouse::clearCommands();
    QVERIFY(link.acquireTransport());
    {
      platform::PauseLog pauses;
      link.startReportWatch(0);
    }
    QVERIFY(vmouse::commands().empty());
    QCOMPARE(messages.filter(QStringLiteral("cmd Failed 8")).size(), 2);
    QCOMPARE(messages.filter(QStringLiteral("DPI-button reports stay off")).size(), 1);
    QVERIFY(link.isWatchRunning()); // watched all the same
    link.setTransportFree();
    stop(link);
    link.startReportWatch(0);
    QCOMPARE(sentBlocks(), sent);
    stop(link);
    QVERIFY(owner.calls.isEmpty());
  }

  void dpiReports() {
    WorkDir dir;
    Hid_Thread link;
    FakeOwner owner;
    link.setOwner(&owner);
    connect(link, dir, vmouse::Config());
    const QString saved = dpiSwitchTexts[0];
    for (int i = 0; i < 8; ++i)
      dpiSwitchTexts[i] = QStringLiteral("text%1").arg(i + 1);

    link.startReportWatch(0);
    QStringList expected;
    for (int stage : {1, 2, 3, 4, 5, 6, 7, 0, 9}) {
      vmouse::queueEvent({0x06, 0x07, 0xaa, uint8_t(stage)});
      // Reports other than a DPI stage are ignored.
      vmouse::queueEvent({0x06, 0x08, 0x00, uint8_t(stage)});
      vmouse::queueEvent({0x06, 0x07, 0x00});
      vmouse::queueEvent({0x05, 0x07, 0x00, 0x03});
      expected << QStringLiteral("dpi %1").arg(stage)
               << QStringLiteral("balloon text%1 ").arg(stage >= 1 && stage <= 7 ? stage : 8);
    }
    QTRY_COMPARE_WITH_TIMEOUT(owner.calls, expected, 30000);
    QVERIFY(!owner.offGuiThread);
    QVERIFY(link.isWatchRunning());
    stop(link);
    for (QString &text : dpiSwitchTexts)
      text = saved;

    // Before a language is loaded the balloon reads "DPI Switch to ".
    owner.calls.clear();
    link.startReportWatch(0);
    vmouse::queueEvent({0x06, 0x07, 0x00, 0x03});
    QTRY_COMPARE(owner.calls, (QStringList{"dpi 3", "balloon DPI Switch to "}));
    stop(link);
  }

  // A burst sent back to back, one report at each call on the event node:
  // the kernel gives each to the files open at that moment only.
  void burstLosesNothing() {
    WorkDir dir;
    Hid_Thread link;
    FakeOwner owner;
    startWatching(link, dir, owner);
    if (QTest::currentTestFailed())
      return;
    QStringList expected;
    for (int i = 0; i < 10; ++i) {
      const int stage = 1 + i % 7;
      vmouse::sendInputAfter(vmouse::Role::Event, {0x06, 0x07, 0x00, uint8_t(stage)}, i);
      expected << QStringLiteral("dpi %1").arg(stage) << QStringLiteral("balloon DPI Switch to ");
    }
    QTRY_COMPARE(owner.calls, expected);
    // One file for the whole watch.
    QCOMPARE(traceOf({"open"}).size(), 1);
    stop(link);
    QCOMPARE(traceOf({"close"}).size(), 1);
  }

  void removal() {
    WorkDir dir;
    Hid_Thread link;
    FakeOwner owner;
    startWatching(link, dir, owner);
    if (QTest::currentTestFailed())
      return;

    vmouse::unplug();
    QTRY_VERIFY(!link.isWatchRunning());
    QTRY_COMPARE(owner.calls, QStringList{"disable"});
    QCOMPARE(messages.count(QStringLiteral("Device removed")), 1);
    QVERIFY(link.devices()[0].eventPath.isEmpty());
    QVERIFY(!link.devices()[0].mainPath.isEmpty()); // the command side is not the watch's
    link.waitForReportWatch();
    QCOMPARE(vmouse::openHandles(), 0);
    vmouse::plug();

    // No event interface: nothing to watch, and device changes are not ignored.
    vmouse::configure(vmouse::Config());
    vmouse::Config c;
    c.usage2 = 0x0002; // the list names an event interface the mouse does not have
    dir.writeDeviceList(c);
    link.loadDeviceList();
    link.discoverInterfaces();
    QVERIFY(link.devices()[0].eventPath.isEmpty());
    link.startReportWatch(0);
    QVERIFY(!link.isWatchRunning());
    link.waitForReportWatch();
    QVERIFY(traceOf({"open"}).filter(QStringLiteral("3a 31")).isEmpty());
    link.startReportWatch(7); // no such entry
    QVERIFY(!link.isWatchRunning());

    // Both collections on one node: one line, no arming, no watch on it.
    c = vmouse::Config();
    c.usagePage2 = c.usagePage;
    c.usage2 = c.usage;
    dir.writeDeviceList(c);
    link.loadDeviceList();
    messages.clear();
    link.discoverInterfaces();
    QCOMPARE(messages.filter(QStringLiteral("DPI-button reports are off")).size(), 1);
    QVERIFY(!link.devices()[0].mainPath.isEmpty());
    QVERIFY(link.chkDeviceIsEnCode(0));
    vmouse::clearCommands();
    vmouse::clearTrace();
    link.startReportWatch(0);
    QVERIFY(!link.isWatchRunning());
    link.waitForReportWatch();
    QVERIFY(vmouse::commands().empty());
    QVERIFY(traceOf({"open", "read"}).isEmpty());
  }

  // hidapi's process-wide state is never touched by the watch and the GUI
  // thread at once: each call dwells, and the watch cycles fast.
  void hidapiGlobalCallsNeverOverlap() {
    WorkDir dir;
    Hid_Thread link;
    FakeOwner owner;
    link.setOwner(&owner);
    connect(link, dir, vmouse::Config());
    for (int i = 0; i < 200; ++i)
      vmouse::queueEvent({0x05, 0x00, 0x00, 0x00}); // ignored, but each ends a read
    const int before = vmouse::globalCallOverlaps();
    vmouse::setGlobalCallDwell(10);
    link.startReportWatch(0);
    for (int i = 0; i < 40; ++i)
      link.discoverInterfaces();
    vmouse::setGlobalCallDwell(0);
    stop(link);
    QCOMPARE(vmouse::globalCallOverlaps() - before, 0);
    QVERIFY(owner.calls.isEmpty());
  }

  void stopping() {
    WorkDir dir;
    vmouse::Config c;
    vmouse::configure(c);
    dir.writeDeviceList(c);
    FakeOwner owner;
    QElapsedTimer elapsed;
    {
      Hid_Thread link;
      link.setOwner(&owner);
      link.loadDeviceList();
      link.discoverInterfaces();
      link.startReportWatch(0);
      // A second start waits for the first job: one reader at a time.
      link.startReportWatch(0);
      QTRY_COMPARE(vmouse::openHandles(vmouse::Role::Event), 1);
      vmouse::queueEvent({0x06, 0x07, 0x00, 0x02});
      QTRY_COMPARE(owner.calls.size(), 2);

      link.stopReportWatch();
      QVERIFY(!link.isWatchRunning());
      elapsed.start();
    } // the destructor waits for the job's last cycle
    // One read of at most 500 ms; the bound only guards against a hang.
    QVERIFY(elapsed.elapsed() < 5000);
    QCOMPARE(vmouse::openHandles(), 0);
    vmouse::clearTrace();
    QTest::qWait(50);
    QVERIFY(vmouse::trace().empty()); // no new cycle started
  }
};

QTEST_GUILESS_MAIN(tst_watch)
#include "tst_watch.moc"
