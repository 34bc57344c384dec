// The window and tray against a desktop's D-Bus services (tests/fakedesktop)
// on a private session bus, on an X server: a StatusNotifier tray that sends
// Activate, and a desktop with notifications but no tray.
#include "shell/myqquickview.h"
#include "shell/ui_controler.h"
#include "shell/widget.h"
#include "testsupport.h"

#include <QProcess>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

using namespace testsupport;

class tst_tray : public QObject {
  Q_OBJECT

  QProcess desktop;
  QByteArray seen;

  QByteArray output() {
    seen += desktop.readAllStandardOutput();
    return seen;
  }
  void startDesktop(const QStringList &services) {
    desktop.start(QStringLiteral(FAKEDESKTOP), services);
    QVERIFY(desktop.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(output().contains("ready\n"), 10000);
  }

private slots:
  void init() {
    QVERIFY2(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"), "run through ctest");
    vmouse::Config mouse;
    mouse.isEncode = true;
    vmouse::configure(mouse);
    captureMessages();
  }
  void cleanup() {
    qInstallMessageHandler(nullptr);
    desktop.closeWriteChannel();
    desktop.waitForFinished(5000);
  }

  // Close hides into the tray; Activate restores only while connected; the
  // tooltip tells the state; Qt's tray sends its balloons as notifications.
  void statusNotifierTray() {
    startDesktop({QStringLiteral("--watcher"), QStringLiteral("--notifications")});
    WorkDir dir;
    dir.writeDeviceList(vmouse::Config{.isEncode = true});
    Widget w;
    QVERIFY(trayhost::available());
    QTRY_VERIFY_WITH_TIMEOUT(output().contains("item "), 10000);
    QSignalSpy activations(w.tray(), &QSystemTrayIcon::activated);

    w.showNormal();
    w.checkDevice();
    QVERIFY(deviceConnected);
    QCOMPARE(w.tray()->toolTip(), QStringLiteral("NORVANE MOUSE N1\nMouse connected"));
    QTRY_VERIFY(output().contains("notify Info\tDetect Device\n"));
    w.uiControler()->onClose();
    QVERIFY(!w.isVisible());
    desktop.write("activate\n");
    QTRY_VERIFY(w.isVisible());
    QCOMPARE(activations.count(), 1);
    QCOMPARE(activations[0][0].value<QSystemTrayIcon::ActivationReason>(),
             QSystemTrayIcon::Trigger);

    vmouse::unplug();
    QTRY_VERIFY(!w.hidLink().isWatchRunning());
    w.checkDevice();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.tray()->toolTip(), QStringLiteral("NORVANE MOUSE N1\nNo mouse found"));
    // Without a mouse the click shows the no-mouse screen.
    desktop.write("activate\n");
    QTRY_COMPARE(activations.count(), 2);
    QTRY_VERIFY(w.isVisible());
    QCOMPARE(w.view()->rootObject()->property("deviceState").toInt(), 1);

    // The tray host goes away while the window is hidden: the window comes
    // back. A host that returns gets the icon again, and the user's next
    // close hides into it; a device check meanwhile leaves the window alone.
    w.uiControler()->onClose();
    QVERIFY(!w.isVisible());
    desktop.write("drop\n");
    QTRY_VERIFY(w.isVisible());
    QVERIFY(!trayhost::available());
    desktop.write("return\n");
    QTRY_COMPARE(output().count("item "), 2);
    QTRY_VERIFY(trayhost::available());
    w.checkDevice();
    QVERIFY(w.isVisible());
    w.uiControler()->onClose();
    QVERIFY(!w.isVisible());
  }

  // No tray: the window stays, and the balloons go to the notification
  // service, the DPI text included.
  void notificationsWithoutTray() {
    startDesktop({QStringLiteral("--notifications")});
    WorkDir dir;
    dir.writeDeviceList(vmouse::Config{.isEncode = true});
    vmouse::unplug();
    Widget w;
    QVERIFY(!trayhost::available());
    w.showNormal();
    w.checkDevice();
    QVERIFY(w.isVisible());
    vmouse::plug();
    w.checkDevice();
    QVERIFY(deviceConnected);
    QTRY_VERIFY(output().contains("notify Info\tDetect Device\n"));
    vmouse::queueEvent({0x06, 0x07, 0x00, 3});
    QTRY_VERIFY(output().contains("notify Info\tDPI Switch to \n"));
    QVERIFY(!output().contains("waiting in the tray"));
    w.hidLink().stopReportWatch();
    deviceConnected = false;
  }
};

QTEST_MAIN(tst_tray)
#include "tst_tray.moc"
