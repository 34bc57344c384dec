#include "platform/copydata.h"
#include "platform/devicemonitor.h"
#include "platform/pause.h"
#include "platform/restore.h"

#include <QSignalSpy>
#include <QThread>
#include <QWidget>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace platform;

class TestPlatform : public QObject {
  Q_OBJECT

private slots:
  void pauseRecorder();
  void restoreIsQueued();
  void restoreBadWindow();
  void notifyAllReachesMonitors();
  void notifyAllUsesMonitorThread();
  void udevStart();
  void copyDataFrames_data();
  void copyDataFrames();
};

void TestPlatform::pauseRecorder() {
  {
    PauseLog log;
    pauseMs(10);
    pauseMs(0);
    std::thread worker([] { pauseMs(200); });
    worker.join();
    pauseMs(-5);
    QCOMPARE(log.pauses(), (QList<int>{10, 0, 200, -5}));
    log.clear();
    QVERIFY(log.pauses().isEmpty());
    pauseMs(3);
    QCOMPARE(log.pauses(), QList<int>{3});
  }

  // After the log is gone nothing is recorded any more, and a bad value
  // must not sleep forever.
  int calls = 0;
  setPauseRecorder([&calls](int) { ++calls; });
  setPauseRecorder({});
  pauseMs(-1);
  pauseMs(0);
  QCOMPARE(calls, 0);

  // Only real sleeps add to the total: recorded, zero and negative pauses do not.
  const long long before = pausedMsTotal();
  pauseMs(2);
  std::thread sleeper([] { pauseMs(1); });
  sleeper.join();
  pauseMs(-4);
  QCOMPARE(pausedMsTotal() - before, 3LL);
  {
    PauseLog log;
    pauseMs(500);
  }
  QCOMPARE(pausedMsTotal() - before, 3LL);
}

void TestPlatform::restoreIsQueued() {
  QWidget window;
  postRestore(&window);
  QVERIFY(!window.isVisible());
  QTRY_VERIFY(window.isVisible());

  window.showMinimized();
  window.hide();
  postRestore(&window);
  QVERIFY(!window.isVisible());
  QTRY_VERIFY(window.isVisible());
  QVERIFY(!(window.windowState() & Qt::WindowMinimized));
}

void TestPlatform::restoreBadWindow() {
  postRestore(nullptr);

  auto *window = new QWidget;
  postRestore(window);
  delete window;
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
}

void TestPlatform::notifyAllReachesMonitors() {
  DeviceChangeMonitor first;
  DeviceChangeMonitor second;
  QSignalSpy firstSpy(&first, &DeviceChangeMonitor::deviceChanged);
  QSignalSpy secondSpy(&second, &DeviceChangeMonitor::deviceChanged);

  {
    // Destroyed before its queued call runs: must simply be skipped.
    DeviceChangeMonitor shortLived;
    DeviceChangeMonitor::notifyAll();
  }
  QCOMPARE(firstSpy.count(), 0); // queued, never inside the caller
  QTRY_COMPARE(firstSpy.count(), 1);
  QTRY_COMPARE(secondSpy.count(), 1);

  QSignalSpy actions(&first, &DeviceChangeMonitor::deviceAction);
  std::thread other([] { DeviceChangeMonitor::notifyAll(QStringLiteral("change")); });
  other.join();
  QTRY_COMPARE(firstSpy.count(), 2);
  QTRY_COMPARE(secondSpy.count(), 2);
  QCOMPARE(actions.count(), 1);
  QCOMPARE(actions.first().first().toString(), QStringLiteral("change"));
}

void TestPlatform::notifyAllUsesMonitorThread() {
  QThread worker;
  worker.start();
  auto *monitor = new DeviceChangeMonitor;
  monitor->moveToThread(&worker);
  std::atomic<QThread *> emittedOn = nullptr;
  connect(
      monitor, &DeviceChangeMonitor::deviceChanged, monitor,
      [&emittedOn] { emittedOn = QThread::currentThread(); }, Qt::DirectConnection);

  DeviceChangeMonitor::notifyAll();
  QTRY_VERIFY(emittedOn.load() != nullptr);
  QCOMPARE(emittedOn.load(), &worker);

  QMetaObject::invokeMethod(monitor, &QObject::deleteLater);
  worker.quit();
  QVERIFY(worker.wait(30000));
}

void TestPlatform::udevStart() {
  // Containers and build machines may have no udev; both answers are fine
  // but they must be stable and harmless.
  DeviceChangeMonitor monitor;
  const bool started = monitor.start();
  QCOMPARE(monitor.start(), started);
  QSignalSpy spy(&monitor, &DeviceChangeMonitor::deviceChanged);
  DeviceChangeMonitor::notifyAll();
  QTRY_VERIFY(spy.count() >= 1);
}

void TestPlatform::copyDataFrames_data() {
  QTest::addColumn<QByteArray>("received");
  QTest::addColumn<int>("status");
  QTest::addColumn<QByteArray>("bytes");
  const QByteArray header = QByteArray::fromHex("000000000000250f00000003");
  QTest::newRow("short header") << header.left(11) << int(CopyDataFrame::Incomplete)
                                << QByteArray();
  QTest::newRow("short body") << header + "ab" << int(CopyDataFrame::Incomplete) << QByteArray();
  QTest::newRow("whole") << header + "abc" << int(CopyDataFrame::Complete) << QByteArray("abc");
  QTest::newRow("and more") << header + "abcdef" << int(CopyDataFrame::Complete)
                            << QByteArray("abc");
  QTest::newRow("empty") << QByteArray::fromHex("000000000000250f00000000")
                         << int(CopyDataFrame::Complete) << QByteArray();
  QTest::newRow("over the limit") << QByteArray::fromHex("000000000000250f00010001")
                                  << int(CopyDataFrame::TooLarge) << QByteArray();
  QTest::newRow("huge") << QByteArray::fromHex("000000000000250fffffffff") + "x"
                        << int(CopyDataFrame::TooLarge) << QByteArray();
}

void TestPlatform::copyDataFrames() {
  QFETCH(QByteArray, received);
  QFETCH(int, status);
  QFETCH(QByteArray, bytes);
  const CopyDataFrame frame = decodeCopyData(received);
  QCOMPARE(int(frame.status), status);
  QCOMPARE(frame.bytes, bytes);
  if (status == CopyDataFrame::Complete) {
    QCOMPARE(frame.dwData, quintptr(0x250f));
    QCOMPARE(frame.size, 12 + bytes.size());
  }
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
