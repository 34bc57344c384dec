// The main window's device check, debounce, restore paths and tray menu.
#include "platform/devicemonitor.h"
#include "platform/messagebox.h"
#include "platform/notifications.h"
#include "platform/pause.h"
#include "shell/controlservice.h"
#include "shell/myqquickview.h"
#include "shell/ui_controler.h"
#include "shell/widget.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QQuickItem>
#include <QTest>

using namespace testsupport;

namespace {

int handshakes() {
  const auto commands = vmouse::commands();
  return int(std::count_if(commands.begin(), commands.end(),
                           [](const vmouse::Command &c) { return c.block[0] == 0x00; }));
}

// The event loop's exit code, or 7 when nothing ended it within `ms`.
int runLoop(int ms) {
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  guard.start(ms);
  return QCoreApplication::exec();
}

// The mouse's command node fails the next open and its retry.
void unopenable() {
  vmouse::failNext(vmouse::Fault::Open);
  vmouse::failNext(vmouse::Fault::Open);
}

QString noMouseLine(Widget &w) {
  QQuickItem *root = w.view()->rootObject();
  auto *line = root ? root->findChild<QObject *>(QStringLiteral("noMouseLine")) : nullptr;
  return line && root->isVisible() ? line->property("text").toString() : QString();
}

} // namespace

class tst_widget : public QObject {
  Q_OBJECT

  vmouse::Config mouse;

private slots:
  void init() {
    mouse = vmouse::Config();
    mouse.isEncode = true;
    vmouse::configure(mouse);
    captureMessages();
    trayhost::overrideAvailable(true);
  }
  void cleanup() {
    qInstallMessageHandler(nullptr);
    trayhost::overrideAvailable(std::nullopt);
  }

  void deviceCheck() {
    WorkDir dir;
    dir.writeDeviceList(mouse, QStringLiteral("[mouse]\nicType=553\n"));
    Widget w;
    w.showNormal();
    w.checkDevice();
    QVERIFY(messages.contains(QStringLiteral("Device Connect")));
    QVERIFY(deviceConnected);
    QVERIFY(w.isVisible()); // the check never hides a found device's window
    QVERIFY(w.hidLink().isTransportFree());
    QCOMPARE(vmouse::openHandles(vmouse::Role::Command), 1); // held while connected

    vmouse::unplug();
    messages.clear();
    w.checkDevice();
    QVERIFY(messages.contains(QStringLiteral("Device DisConnect")));
    QVERIFY(!deviceConnected);
    QVERIFY(!w.isVisible());

    // Found again while hidden: the window stays hidden until restored.
    vmouse::plug();
    w.checkDevice();
    QVERIFY(deviceConnected);
    QVERIFY(!w.isVisible());
  }

  // A profile block the mouse does not send at connect: connected all the
  // same, and the failure counts like that of any other command.
  void startReadFailureIsReported() {
    WorkDir dir;
    mouse.family = "560";
    vmouse::configure(mouse);
    dir.writeDeviceList(mouse, QStringLiteral("[mouse]\nicType=560\n"));
    Widget w;
    vmouse::failNext(vmouse::Fault::StallRead);
    w.checkDevice();
    QVERIFY(deviceConnected);
    QCOMPARE(w.view()->commandFailures(), 1);
    QVERIFY(messages.contains(QStringLiteral("Profile block 0 not read from the mouse")));
  }

  void checkNeverRunsInsideACommand() {
    WorkDir dir;
    vmouse::Config noEvents = mouse;
    noEvents.usage2 = 0x0002; // no event interface: no watch ignores the broadcasts
    dir.writeDeviceList(noEvents, QStringLiteral("[mouse]\nicType=553\n"));
    Widget w;
    platform::PauseLog quiet;
    w.checkDevice();
    QVERIFY(deviceConnected && !w.hidLink().isWatchRunning());

    // Due during the key-matrix write, which pumps events with the link held.
    vmouse::clearCommands();
    w.deviceCheckTimer().start(0);
    uchar matrix[64];
    for (int i = 0; i < 64; ++i)
      matrix[i] = uchar(0x80 + i);
    w.hidLink().hid553_12H_SetKeyMatrix(matrix, 1);
    QTRY_COMPARE(handshakes(), 1);
    const auto sent = vmouse::commands();
    QCOMPARE(sent[0].block[0], uint8_t(0x12));
    QCOMPARE(sent[0].data, std::vector<uint8_t>(matrix, matrix + 64));
    QCOMPARE(sent[1].block[0], uint8_t(0x00));
    QVERIFY(w.hidLink().isTransportFree());

    // Due while the check's own arming write runs: dropped once the device
    // is open, like a scheduled one.
    dir.writeDeviceList(mouse, QStringLiteral("[mouse]\nicType=553\n"));
    vmouse::clearCommands();
    w.deviceCheckTimer().start(0);
    w.checkDevice();
    QVERIFY(w.hidLink().isWatchRunning());
    w.deviceCheckTimer().start(2048);
    w.checkDevice();
    QVERIFY(!w.deviceCheckTimer().isActive());
    QTest::qWait(50);
    QCOMPARE(handshakes(), 2);
    w.hidLink().stopReportWatch();
    w.hidLink().waitForReportWatch();
    deviceConnected = false;
  }

  void inaccessibleMouseIsReportedOnce() {
    WorkDir dir;
    dir.writeDeviceList(mouse);
    Widget w;
    const QString line = QStringLiteral(
        "Device found but cannot be opened: check access to its hidraw node (udev rule)");
    // The link looks for the mouse again and retries once: twice is for good.
    unopenable();
    w.checkDevice();
    QCOMPARE(messages.count(line), 1);
    QVERIFY(!deviceConnected);
    unopenable();
    w.checkDevice();
    QCOMPARE(messages.count(line), 1);
    w.checkDevice(); // opens now
    QVERIFY(deviceConnected);
    deviceConnected = false;
  }

  void emptyOrMissingList() {
    WorkDir dir;
    Widget w;
    w.showNormal();
    w.checkDevice();
    QVERIFY(messages.contains(QStringLiteral("Device DisConnect")));
    QVERIFY(!w.isVisible());
    QVERIFY(w.windowTitle().isEmpty());
  }

  void deviceChangeBurstGivesOneCheck() {
    WorkDir dir;
    dir.writeDeviceList(mouse);
    Widget w;
    vmouse::clearCommands();
    for (int i = 0; i < 5; ++i) {
      w.onDeviceChange();
      QTest::qWait(20);
    }
    QVERIFY(w.deviceCheckTimer().isActive());
    QCOMPARE(w.deviceCheckTimer().interval(), 2048);
    QVERIFY(w.deviceCheckTimer().isSingleShot());
    QTRY_VERIFY_WITH_TIMEOUT(!w.deviceCheckTimer().isActive(), 10000);
    QCOMPARE(handshakes(), 1);

    // Plug and unplug of the virtual mouse reach the same handler.
    vmouse::setChangeListener([] { platform::DeviceChangeMonitor::notifyAll(); });
    // While the watch runs the removal broadcast is ignored; the watch
    // notices the removal itself, and the next broadcast schedules a check.
    vmouse::unplug();
    QTRY_VERIFY(!w.hidLink().isWatchRunning());
    vmouse::plug();
    QTRY_VERIFY(w.deviceCheckTimer().isActive());
    vmouse::setChangeListener(nullptr);
  }

  // A tray click and a second start bring the window back with or without a
  // mouse; without one it shows the no-mouse screen and stays until closed.
  void restoreWithOrWithoutMouse() {
    WorkDir dir;
    dir.writeDeviceList(mouse);
    vmouse::unplug();
    Widget w;
    w.showNormal();
    w.checkDevice();
    QVERIFY(!deviceConnected && !w.isVisible());
    w.trayIconActivated(QSystemTrayIcon::Context);
    w.trayIconActivated(QSystemTrayIcon::MiddleClick);
    QTest::qWait(50);
    QVERIFY(!w.isVisible());
    w.trayIconActivated(QSystemTrayIcon::DoubleClick);
    QVERIFY(!w.isVisible()); // posted, not immediate
    QTRY_VERIFY(w.isVisible());
    QTRY_VERIFY(noMouseLine(w).startsWith(QStringLiteral("No mouse found.")));
    w.checkDevice(); // a later check leaves it to the user
    QVERIFY(w.isVisible());
    w.close();
    QVERIFY(!w.isVisible());
    w.receiveMessage(QString());
    QTRY_VERIFY(w.isVisible());
    // StatusNotifier trays send Activate (Trigger), never a double click.
    w.hide();
    w.trayIconActivated(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(w.isVisible());

    vmouse::plug();
    w.checkDevice();
    QVERIFY(deviceConnected);
    w.showMinimized();
    w.hide();
    w.receiveMessage(QStringLiteral("anything"));
    QTRY_VERIFY(w.isVisible());
    QVERIFY(!w.isMinimized());
    w.hidLink().stopReportWatch();
    deviceConnected = false;
  }

  // A mouse found while the window is hidden: the screen is built all the
  // same, so the bus shows and changes the real state and the DPI button
  // is followed, without the window ever being shown.
  void screenBuiltWhileHidden() {
    WorkDir dir;
    dir.writeDeviceList(mouse);
    Widget w;
    ControlService bus(w);
    w.checkDevice();
    QVERIFY(deviceConnected && !w.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(bus.state().profile, 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(bus.setDpiStage(2).error.isEmpty(), 10000); // after the power-on lock
    QCOMPARE(bus.state().dpiStage, 2);
    QCOMPARE(vmouse::deviceState().dpiStage, 2);
    vmouse::queueEvent({0x06, 0x07, 0x00, 3});
    QTRY_COMPARE(bus.state().dpiStage, 3);
    QVERIFY(!w.isVisible());
    w.hidLink().stopReportWatch();
    deviceConnected = false;
  }

  // Ctrl+S reaches the interface's shortcut through the widget that hosts
  // it: the pending DPI edit goes to the mouse and Save goes out.
  void ctrlSSavesThroughTheHost() {
    WorkDir dir;
    dir.writeDeviceList(mouse);
    Widget w;
    w.showNormal();
    w.activateWindow();
    w.checkDevice();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QQuickItem *root = w.view()->rootObject();
    QTRY_VERIFY_WITH_TIMEOUT(root->property("isRevealed").toBool(), 10000);
    QObject *busy = root->findChild<QObject *>(QStringLiteral("busy"));
    QTRY_VERIFY_WITH_TIMEOUT(!busy->property("isBusy").toBool(), 10000);
    QObject *dpi = root->findChild<QObject *>(QStringLiteral("dpiSetting"));
    QMetaObject::invokeMethod(dpi, "setStage", Q_ARG(QVariant, 0), Q_ARG(QVariant, 1000));
    dpi->setProperty("isSave", true);
    // Save is lit once no lock of the start-up is left.
    QObject *shortcut = root->findChild<QObject *>(QStringLiteral("saveShortcut"));
    QTRY_VERIFY(shortcut->property("enabled").toBool());
    vmouse::clearCommands();
    QTest::keyClick(w.windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!dpi->property("isSave").toBool());
    const auto commands = vmouse::commands();
    QVERIFY(std::any_of(commands.begin(), commands.end(),
                        [](const vmouse::Command &c) { return c.block[0] == 0x11; })); // DPI table
    w.hidLink().stopReportWatch();
    deviceConnected = false;
  }

  void trayMenuAndQuit() {
    WorkDir dir;
    Widget w;
    QVERIFY(w.tray()->contextMenu());
    const QList<QAction *> actions = w.tray()->contextMenu()->actions();
    QCOMPARE(actions.size(), 1);
    QCOMPARE(actions[0]->text(), QStringLiteral("Quit (&Q)"));
    QCOMPARE(w.tray()->toolTip(), QStringLiteral("NORVANE MOUSE N1"));
    QVERIFY(
        w.tray()->contextMenu()->styleSheet().endsWith(QStringLiteral("padding-right: 2px; } ")));
    QTimer::singleShot(0, actions[0], &QAction::trigger);
    QCOMPARE(QCoreApplication::exec(), 0);
  }

  // No tray host: the window never hides into nothing, it shows which case
  // it is, and closing it (button or window manager) ends the program.
  void withoutTray() {
    trayhost::overrideAvailable(false);
    platform::NotificationLog notes;
    WorkDir dir;
    dir.writeDeviceList(mouse);
    vmouse::unplug();
    Widget w;
    w.showNormal();
    w.checkDevice();
    QVERIFY(w.isVisible());
    QTRY_VERIFY(noMouseLine(w).startsWith(QStringLiteral("No mouse found.")));
    QCOMPARE(w.tray()->toolTip(), QStringLiteral("NORVANE MOUSE N1\nNo mouse found"));
    QVERIFY(notes.sent().isEmpty()); // the window says it; no balloon

    w.hide(); // e.g. hidden into a tray that has gone since
    vmouse::plug();
    unopenable();
    w.checkDevice();
    QVERIFY(w.isVisible());
    QTRY_VERIFY(noMouseLine(w).startsWith(QStringLiteral("A mouse was found but cannot")));
    QQuickItem *root = w.view()->rootObject();
    QCOMPARE(root->findChild<QObject *>(QStringLiteral("noMouseFix4"))->property("text").toString(),
             QStringLiteral("sudo udevadm trigger --subsystem-match=hidraw --action=change"));
    QCOMPARE(w.tray()->toolTip(),
             QStringLiteral("NORVANE MOUSE N1\nMouse found but not accessible"));

    w.checkDevice();
    QVERIFY(deviceConnected);
    QTRY_VERIFY(!root->findChild<QObject *>(QStringLiteral("noMouseLine")));
    QCOMPARE(w.tray()->toolTip(), QStringLiteral("NORVANE MOUSE N1\nMouse connected"));
    QCOMPARE(notes.sent().last().title, QStringLiteral("Info"));
    QCOMPARE(notes.sent().last().text, QStringLiteral("Detect Device"));
    w.linkShowBalloon(QStringLiteral("DPI Switch to "));
    QCOMPARE(notes.sent().last().text, QStringLiteral("DPI Switch to "));

    QTimer::singleShot(0, w.uiControler(), &Ui_Controler::onClose);
    QCOMPARE(runLoop(5000), 0);
    w.showNormal();
    QTimer::singleShot(0, &w, &QWidget::close); // the window manager's close
    QCOMPARE(runLoop(5000), 0);

    // Edits waiting for Save: a close asks first, and the question takes
    // input even where the view is off because the mouse went. Cancel keeps
    // the program; Discard lets the close end it.
    QTRY_VERIFY_WITH_TIMEOUT(root->property("isPownOn").toBool(), 10000);
    // The lock of the last connect ends first: its end enables the view.
    QTRY_VERIFY_WITH_TIMEOUT(
        !root->findChild<QObject *>(QStringLiteral("lockTimer"))->property("running").toBool(),
        10000);
    QObject *box = root->findChild<QObject *>(QStringLiteral("unsavedBox"));
    root->findChild<QObject *>(QStringLiteral("dpiSetting"))->setProperty("isSave", true);
    w.showNormal();
    w.linkDisableView();
    QTimer::singleShot(0, w.uiControler(), &Ui_Controler::onClose);
    QCOMPARE(runLoop(300), 7);
    QVERIFY(w.isVisible() && box->property("visible").toBool() && w.view()->isEnabled());
    QMetaObject::invokeMethod(box, "cancel");
    QVERIFY(!box->property("visible").toBool() && !w.view()->isEnabled());
    QTimer::singleShot(0, &w, &QWidget::close);
    QCOMPARE(runLoop(300), 7);
    QVERIFY(w.isVisible() && box->property("visible").toBool());
    // A Save the mouse does not take: the program stays and says why.
    vmouse::failNext(vmouse::Fault::Feature);
    QTimer::singleShot(0, box, [box] { QMetaObject::invokeMethod(box, "save"); });
    QCOMPARE(runLoop(300), 7);
    QVERIFY(box->property("visible").toBool());
    QVERIFY(
        root->findChild<QObject *>(QStringLiteral("unsavedFailed"))->property("visible").toBool());
    QTimer::singleShot(0, box, [box] { QMetaObject::invokeMethod(box, "discard"); });
    QCOMPARE(runLoop(5000), 0);
    w.hidLink().stopReportWatch();
    deviceConnected = false;
  }

  // With a tray a first start without a mouse hides the window and says so
  // once; closing only hides; and a dialog closed while the window is hidden
  // never ends the program.
  void withTray() {
    WorkDir dir;
    dir.writeDeviceList(mouse);
    vmouse::unplug();
    Widget w;
    w.showNormal();
    w.checkDevice();
    QVERIFY(!w.isVisible());
    w.checkDevice();
    const QString waiting = QStringLiteral("Balloon: No mouse found: waiting in the tray");
    QCOMPARE(messages.count(waiting), 1);

    w.showNormal();
    QTimer::singleShot(0, w.uiControler(), &Ui_Controler::onClose);
    QCOMPARE(runLoop(300), 7);
    QVERIFY(!w.isVisible());

    QTimer::singleShot(50, [] {
      if (QWidget *box = QApplication::activeModalWidget())
        if (auto *ok = box->findChild<QAbstractButton *>())
          ok->click();
    });
    QTimer::singleShot(0, [] { platform::warning(nullptr, QString(), QStringLiteral("abc")); });
    QCOMPARE(runLoop(600), 7);
    QTimer::singleShot(0, [] {
      QFileDialog dialog;
      dialog.setOption(QFileDialog::DontUseNativeDialog);
      QTimer::singleShot(50, &dialog, &QDialog::reject);
      dialog.exec();
    });
    QCOMPARE(runLoop(600), 7);
  }

  void windowLook() {
    WorkDir dir;
    dir.writeConfig(QStringLiteral("[common]\nname=NORVANE N1\n"));
    Widget w;
    QCOMPARE(w.objectName(), QStringLiteral("Widget"));
    QCOMPARE(int(w.windowFlags()), 0x02000801);
    QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(w.windowTitle(), QStringLiteral("NORVANE N1"));
    QCOMPARE(w.size(), QSize(1024, 640));
    QCOMPARE(w.view()->objectName(), QStringLiteral("ui_View"));
  }
};

QTEST_MAIN(tst_widget)
#include "tst_widget.moc"
