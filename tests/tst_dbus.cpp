// The session-bus control service and norvanectl, on a private bus (the test
// runs under dbus-run-session) against the window on the virtual mouse.
#include "device/deviceentry.h"
#include "shell/controlservice.h"
#include "shell/myqquickview.h"
#include "shell/widget.h"
#include "testsupport.h"
#include "vmouse_entry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QQuickItem>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>

#include <functional>
#include <memory>

using namespace testsupport;

namespace {

void copyTree(const QString &from, const QString &to) {
  QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = to + source.mid(from.size());
    QDir().mkpath(QFileInfo(target).path());
    QFile::copy(source, target);
  }
}

// Signals seen by a client, as "Name arg" ("PropertiesChanged" lists the
// changed names).
class SignalLog : public QObject {
  Q_OBJECT
public:
  QStringList seen;
public slots:
  void onSignal(const QDBusMessage &m) {
    QString line = m.member();
    if (m.member() == QLatin1String("PropertiesChanged")) {
      QStringList names = qdbus_cast<QVariantMap>(m.arguments().value(1)).keys();
      line += QLatin1Char(' ') + names.join(QLatin1Char(','));
    } else if (!m.arguments().isEmpty() && m.arguments()[0].canConvert<int>()) {
      line += QLatin1Char(' ') + m.arguments()[0].toString();
    }
    seen << line;
  }
};

} // namespace

class tst_dbus : public QObject {
  Q_OBJECT

  QTemporaryDir root;
  QString previousDir;
  std::unique_ptr<Widget> window;
  std::unique_ptr<ControlService> service;
  QDBusConnection client{QString()};
  SignalLog log;

  QQuickItem *ui() const { return window->view()->rootObject(); }
  QObject *part(const char *name) const { return ui()->property(name).value<QObject *>(); }

  // An asynchronous call from a second connection, so the service on this
  // thread can answer while the test waits.
  QDBusMessage call(const QString &method, const QVariantList &args = {},
                    const QString &iface = controlbus::interface) {
    QDBusMessage m =
        QDBusMessage::createMethodCall(controlbus::service, controlbus::path, iface, method);
    m.setArguments(args);
    QDBusPendingCall pending = client.asyncCall(m, 60000);
    while (!pending.isFinished())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    return pending.reply();
  }
  QVariantMap properties() {
    const QDBusMessage r = call(QStringLiteral("GetAll"), {controlbus::interface},
                                QStringLiteral("org.freedesktop.DBus.Properties"));
    return qdbus_cast<QVariantMap>(r.arguments().value(0));
  }
  // Every property as text, to compare before and after.
  QString propertyText() {
    const QVariantMap p = properties();
    QStringList rows;
    for (const controlbus::ProfileRow &row : qdbus_cast<controlbus::ProfileRows>(p["Profiles"]))
      rows << QStringLiteral("%1 %2").arg(row.number).arg(row.name);
    QStringList stages;
    for (int dpi : qdbus_cast<QList<int>>(p["DpiStages"]))
      stages << QString::number(dpi);
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(p["Connected"].toString(), p["Profile"].toString(), rows.join(','),
             p["DpiStage"].toString(), stages.join(','), p["ReportRate"].toString());
  }
  // norvanectl's exit status, output and errors.
  struct Run {
    int status = -1;
    QString out, err;
  };
  Run ctl(const QStringList &args) {
    QProcess p;
    p.start(qEnvironmentVariable("NORVANE_BIN_DIR") + QStringLiteral("/norvanectl"), args);
    while (p.state() != QProcess::NotRunning)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
  }
  void waitUntilReady() {
    QTRY_VERIFY_WITH_TIMEOUT(ui()->property("isPownOn").toBool(), 20000);
    // The power-on lock ends on its timer.
    QTRY_VERIFY_WITH_TIMEOUT(
        call(QStringLiteral("SetDpiStage"), {0}).errorName() != controlbus::errorBusy, 20000);
  }
  QString profileText(int number) {
    return QString::fromUtf8(readFile(QStringLiteral("modules/setting/p%1.bin").arg(number + 1)));
  }

private slots:
  void initTestCase() {
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    previousDir = QDir::currentPath();
    for (const char *sub : {"setting", "i18n", "gun", "macro", "img"})
      copyTree(qEnvironmentVariable("NORVANE_SOURCE_DIR") + "/modules/" + sub,
               root.filePath(QStringLiteral("modules/") + sub));
    QDir::setCurrent(root.path());
    {
      // A second row, profile 2, with three stages and 250 Hz.
      QSettings names(QStringLiteral("./modules/setting/name.bin"), QSettings::IniFormat);
      names.setValue(QStringLiteral("profile/profileName"), QStringList{"Standard0", "Shooter2"});
      QSettings p3(QStringLiteral("./modules/setting/p3.bin"), QSettings::IniFormat);
      p3.setValue(QStringLiteral("mouse/reportRate"), 4);
      p3.setValue(QStringLiteral("mouse/currentDpiCount"), 3);
      p3.setValue(QStringLiteral("mouse/dpiValueArray"),
                  QVariantList{400, 900, 1800, 3200, 5000, 6400, 8000, 12000});
    }
    const QList<DeviceEntry> devices =
        readDeviceList(QStringLiteral("./modules/setting/apConfig.bin"));
    QVERIFY(!devices.isEmpty());
    const vmouse::Config c = vmouse::configFor(devices.first());
    vmouse::configure(c);

    window = std::make_unique<Widget>();
    service = std::make_unique<ControlService>(*window);
    QVERIFY(service->registerOn(QDBusConnection::sessionBus()));
    client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
    QVERIFY(client.isConnected());
    for (const char *name : {"ConnectedChanged", "ProfileChanged", "ProfilesChanged",
                             "DpiStageChanged", "DpiStagesChanged", "ReportRateChanged"})
      QVERIFY(client.connect(controlbus::service, controlbus::path, controlbus::interface,
                             QLatin1String(name), &log, SLOT(onSignal(QDBusMessage))));
    QVERIFY(client.connect(
        controlbus::service, controlbus::path, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"), &log, SLOT(onSignal(QDBusMessage))));

    // Shown even before a mouse: the window is never out of reach.
    QCOMPARE(call(QStringLiteral("Show")).type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY(window->isVisible());
    window->checkDevice();
    waitUntilReady();
    QTRY_VERIFY(log.seen.contains(QStringLiteral("ConnectedChanged 1")) ||
                log.seen.contains(QStringLiteral("ConnectedChanged true")));
  }
  void cleanupTestCase() {
    service.reset();
    window.reset();
    QDir::setCurrent(previousDir);
  }

  void propertiesAndTheDpiButton() {
    const QVariantMap p = properties();
    QCOMPARE(p.value("Connected").toBool(), true);
    QCOMPARE(p.value("Profile").toInt(), 0);
    const controlbus::ProfileRows rows = qdbus_cast<controlbus::ProfileRows>(p.value("Profiles"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1], (controlbus::ProfileRow{2, QStringLiteral("Shooter")}));
    QCOMPARE(qdbus_cast<QList<int>>(p.value("DpiStages")), (QList<int>{400, 800, 1600, 3200}));
    QCOMPARE(p.value("ReportRate").toInt(), 1000);

    // The mouse's own DPI button: a queued event report.
    log.seen.clear();
    vmouse::queueEvent({0x06, 0x07, 0x00, 0x03});
    QTRY_VERIFY_WITH_TIMEOUT(log.seen.contains(QStringLiteral("DpiStageChanged 3")), 10000);
    QTRY_VERIFY(log.seen.contains(QStringLiteral("PropertiesChanged DpiStage")));
    QCOMPARE(properties().value("DpiStage").toInt(), 3);
    QCOMPARE(log.seen.filter(QStringLiteral("Profile")), QStringList());
  }

  void profileRowsFollowTheDialog() {
    auto rename = [this](const char *name) {
      QVariant ok;
      QMetaObject::invokeMethod(part("profile"), "renameRow", Q_RETURN_ARG(QVariant, ok),
                                Q_ARG(QVariant, 1), Q_ARG(QVariant, QString::fromLatin1(name)));
      QVERIFY(ok.toBool());
    };
    log.seen.clear();
    rename("Racer");
    QTRY_VERIFY(log.seen.contains(QStringLiteral("PropertiesChanged Profiles")));
    QVERIFY(log.seen.contains(QStringLiteral("ProfilesChanged")));
    const QVariantMap p = properties();
    QCOMPARE(qdbus_cast<controlbus::ProfileRows>(p.value("Profiles")).value(1).name,
             QStringLiteral("Racer"));
    rename("Shooter");
  }

  void switchProfile() {
    vmouse::clearCommands();
    log.seen.clear();
    QCOMPARE(call(QStringLiteral("SwitchProfile"), {2}).type(), QDBusMessage::ReplyMessage);
    // Files, mouse and window in step; the drop-down shows the new row.
    QCOMPARE(window->view()->currentProfileIndex(), 2);
    QCOMPARE(part("profile")->property("profileNo").toInt(), 2);
    QObject *menu = part("menuUp")->property("profileBtn").value<QObject *>();
    QCOMPARE(menu->property("currentSelect").toInt(), 1);
    QTRY_VERIFY(
        QString::fromUtf8(readFile("modules/setting/apConfig.bin")).contains("profileNo=2"));
    const QStringList sent = sentBlocks();
    QVERIFY(!sent.filter(QRegularExpression("^01 04")).isEmpty()); // 250 Hz
    QVERIFY(!sent.filter(QRegularExpression("^11 03")).isEmpty()); // three stages
    QCOMPARE(vmouse::deviceState().reportRate, 4);
    QVERIFY(log.seen.contains(QStringLiteral("ProfileChanged 2")));
    QVERIFY(log.seen.contains(QStringLiteral("ReportRateChanged 250")));
    QVERIFY(log.seen.filter("PropertiesChanged").join(' ').contains("Profile"));
    const QVariantMap p = properties();
    QCOMPARE(qdbus_cast<QList<int>>(p.value("DpiStages")), (QList<int>{400, 900, 1800}));

    // The active profile again: nothing to do, nothing sent.
    vmouse::clearCommands();
    QCOMPARE(call(QStringLiteral("SwitchProfile"), {2}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(sentBlocks(), QStringList());
  }

  void dpiStageAndRate() {
    vmouse::clearCommands();
    log.seen.clear();
    QCOMPARE(call(QStringLiteral("SetDpiStage"), {2}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(sentBlocks().value(0).left(5), QStringLiteral("0b 02"));
    QCOMPARE(part("dpiSetting")->property("currentDPI").toInt(), 1);
    QVERIFY(log.seen.contains(QStringLiteral("DpiStageChanged 2")));

    vmouse::clearCommands();
    const QString before = profileText(2);
    QCOMPARE(call(QStringLiteral("SetReportRate"), {500}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(sentBlocks().value(0).left(5), QStringLiteral("01 02"));
    QObject *rates = part("dpiSetting")->property("reportRateList").value<QObject *>();
    QCOMPARE(rates->property("currentSelect").toInt(), 2);
    QTRY_VERIFY(profileText(2) != before);
    QVERIFY(profileText(2).contains(QStringLiteral("reportRate=2")));
    QCOMPARE(properties().value("ReportRate").toInt(), 500);
  }

  void refusalsChangeNothing() {
    auto refused = [this](const QString &method, int arg, const QString &error) {
      vmouse::clearCommands();
      const QString files =
          profileText(2) + QString::fromUtf8(readFile("modules/setting/apConfig.bin"));
      const QString before = propertyText();
      const QDBusMessage r = call(method, {arg});
      QCOMPARE(r.errorName(), error);
      QVERIFY(!r.errorMessage().isEmpty());
      QCOMPARE(sentBlocks(), QStringList());
      QCOMPARE(propertyText(), before);
      QCOMPARE(profileText(2) + QString::fromUtf8(readFile("modules/setting/apConfig.bin")), files);
    };
    refused(QStringLiteral("SwitchProfile"), 1, controlbus::errorNoProfile);
    refused(QStringLiteral("SwitchProfile"), 11, controlbus::errorNoProfile);
    refused(QStringLiteral("SetDpiStage"), 0, controlbus::errorStage);
    refused(QStringLiteral("SetDpiStage"), 4, controlbus::errorStage);
    refused(QStringLiteral("SetReportRate"), 300, controlbus::errorRate);

    // Unsaved edits in the window.
    part("dpiSetting")->setProperty("isSave", true);
    refused(QStringLiteral("SwitchProfile"), 0, controlbus::errorUnsaved);
    refused(QStringLiteral("SetDpiStage"), 1, controlbus::errorUnsaved);
    refused(QStringLiteral("SetReportRate"), 1000, controlbus::errorUnsaved);
    part("dpiSetting")->setProperty("isSave", false);

    // A dialog whose OK acts on the current profile: named in the refusal.
    const QList<std::pair<QString, std::function<void()>>> dialogs = {
        {QStringLiteral("factory reset"), [this] { QMetaObject::invokeMethod(ui(), "openReset"); }},
        {QStringLiteral("profile"), [this] { QMetaObject::invokeMethod(ui(), "openProfile"); }},
        {QStringLiteral("button assignment"),
         [this] { QMetaObject::invokeMethod(part("keyAssigment"), "show", Q_ARG(QVariant, 1)); }},
        {QStringLiteral("macro editor"),
         [this] { QMetaObject::invokeMethod(ui(), "openMacroEditor"); }},
        {QStringLiteral("gun editor"), [this] { QMetaObject::invokeMethod(ui(), "openGun"); }},
        {QStringLiteral("system settings"), [this] {
           QMetaObject::invokeMethod(ui(), "openDialog",
                                     Q_ARG(QVariant, QVariant::fromValue(part("systemSetting"))),
                                     Q_ARG(QVariant, true));
         }}};
    for (const auto &[name, open] : dialogs) {
      open();
      refused(QStringLiteral("SwitchProfile"), 0, controlbus::errorDialogOpen);
      QVERIFY2(call(QStringLiteral("SetDpiStage"), {1}).errorMessage().contains(name),
               qPrintable(name));
      refused(QStringLiteral("SetReportRate"), 1000, controlbus::errorDialogOpen);
      for (const char *dialog :
           {"resetBox", "profile", "keyAssigment", "macroEditor", "gunControl", "systemSetting"})
        part(dialog)->setProperty("visible", false);
      QMetaObject::invokeMethod(ui(), "hideMask");
    }
    QCOMPARE(call(QStringLiteral("SetDpiStage"), {1}).type(), QDBusMessage::ReplyMessage);

    // The busy lock.
    QMetaObject::invokeMethod(ui(), "controlUIEnable", Q_ARG(QVariant, false));
    refused(QStringLiteral("SwitchProfile"), 0, controlbus::errorBusy);
    refused(QStringLiteral("SetReportRate"), 1000, controlbus::errorBusy);
    QMetaObject::invokeMethod(ui(), "controlUIEnable", Q_ARG(QVariant, true));

    // No mouse: the watch notices the removal.
    log.seen.clear();
    vmouse::unplug();
    QTRY_VERIFY_WITH_TIMEOUT(!properties().value("Connected").toBool(), 10000);
    QVERIFY(log.seen.contains(QStringLiteral("PropertiesChanged Connected")));
    refused(QStringLiteral("SwitchProfile"), 0, controlbus::errorNoDevice);
    refused(QStringLiteral("SetDpiStage"), 1, controlbus::errorNoDevice);
    refused(QStringLiteral("SetReportRate"), 1000, controlbus::errorNoDevice);
    // Show still works, and the window says what to do.
    window->hide();
    QCOMPARE(call(QStringLiteral("Show")).type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY(window->isVisible());
    QCOMPARE(ui()->property("deviceState").toInt(), 1);
    vmouse::plug();
    window->checkDevice();
    waitUntilReady();
    QVERIFY(properties().value("Connected").toBool());

    // Only the interface's own members are reachable.
    QCOMPARE(call(QStringLiteral("mouseSetCurrentDPI"), {1}).type(), QDBusMessage::ErrorMessage);
    QCOMPARE(call(QStringLiteral("Set"),
                  {controlbus::interface, QStringLiteral("Profile"),
                   QVariant::fromValue(QDBusVariant(0))},
                  QStringLiteral("org.freedesktop.DBus.Properties"))
                 .type(),
             QDBusMessage::ErrorMessage);
  }

  void commandLine() {
    Run r = ctl({QStringLiteral("status"), QStringLiteral("--json")});
    QCOMPARE(r.status, 0);
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(o.value("connected").toBool(), true);
    QCOMPARE(o.value("profile").toInt(), 2);
    QCOMPARE(o.value("profiles").toArray().at(1).toObject().value("name").toString(),
             QStringLiteral("Shooter"));
    QCOMPARE(o.value("reportRate").toInt(), 500);
    QCOMPARE(o.value("dpiStages").toArray().size(), 3);

    r = ctl({QStringLiteral("status")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Profile:     2 (Shooter)")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("Report rate: 500 Hz")));

    // By name; then the next stage wraps round.
    r = ctl({QStringLiteral("profile"), QStringLiteral("standard")});
    QCOMPARE(r.status, 0);
    QCOMPARE(window->view()->currentProfileIndex(), 0);
    QCOMPARE(ctl({QStringLiteral("dpi-stage"), QStringLiteral("4")}).status, 0);
    QCOMPARE(ctl({QStringLiteral("dpi-stage"), QStringLiteral("next")}).status, 0);
    QCOMPARE(part("dpiSetting")->property("currentDPI").toInt(), 0);
    QCOMPARE(ctl({QStringLiteral("rate"), QStringLiteral("125")}).status, 0);
    QCOMPARE(vmouse::deviceState().reportRate, 8);

    // Refused by the program: 1 with its reason; wrong usage: 2.
    r = ctl({QStringLiteral("rate"), QStringLiteral("300")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("125, 250, 500 or 1000")), qPrintable(r.err));
    QCOMPARE(ctl({QStringLiteral("profile"), QStringLiteral("Nothing")}).status, 1);
    QCOMPARE(ctl({}).status, 2);
    QCOMPARE(ctl({QStringLiteral("rate")}).status, 2);
    QCOMPARE(ctl({QStringLiteral("dpi-stage"), QStringLiteral("up")}).status, 2);
    QCOMPARE(ctl({QStringLiteral("fly")}).status, 2);
    QCOMPARE(ctl({QStringLiteral("show")}).status, 0);
    QCOMPARE(ctl({QStringLiteral("doctor"), QStringLiteral("-v")}).status, 2);

    // doctor names the copy that owns the bus name, and what it reports.
    const QString owner = QStringLiteral("(pid %1) owns example.norvane.N1 and reports the mouse "
                                         "connected.")
                              .arg(QCoreApplication::applicationPid());
    r = ctl({QStringLiteral("doctor")});
    QVERIFY2(r.out.contains(owner), qPrintable(r.out));

    // Not running: nobody owns the name.
    QVERIFY(QDBusConnection::sessionBus().unregisterService(controlbus::service));
    r = ctl({QStringLiteral("status")});
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains(QStringLiteral("not running")));
    r = ctl({QStringLiteral("doctor")});
    QVERIFY2(r.out.contains(QStringLiteral("no program owns example.norvane.N1")),
             qPrintable(r.out));
    QVERIFY(QDBusConnection::sessionBus().registerService(controlbus::service));
  }

  void failuresReachTheCaller() {
    const QString before = propertyText();
    const QString file = profileText(0);
    QObject *note = ui()->findChild<QObject *>(QStringLiteral("settingsRefusedNote"));
    QVERIFY(note && !note->property("visible").toBool());

    // A report-rate change the mouse does not take: an error, and the bus,
    // the page, the file and the mouse keep 125 Hz.
    vmouse::failNext(vmouse::Fault::Feature);
    QDBusMessage r = call(QStringLiteral("SetReportRate"), {250});
    QCOMPARE(r.errorName(), controlbus::errorNotTaken);
    QCOMPARE(propertyText(), before);
    QCOMPARE(part("dpiSetting")->property("reportRate").toInt(), 8);
    QObject *rates = part("dpiSetting")->property("reportRateList").value<QObject *>();
    QCOMPARE(rates->property("currentSelect").toInt(), 0);
    QTRY_COMPARE(profileText(0), file);
    QCOMPARE(vmouse::deviceState().reportRate, 8);
    vmouse::failNext(vmouse::Fault::Feature);
    const Run run = ctl({QStringLiteral("rate"), QStringLiteral("500")});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(QStringLiteral("did not take")), qPrintable(run.err));
    QCOMPARE(propertyText(), before);
    vmouse::failNext(vmouse::Fault::Feature);
    QCOMPARE(call(QStringLiteral("SwitchProfile"), {2}).errorName(), controlbus::errorNotTaken);
    QCOMPARE(propertyText(), before);
    QCOMPARE(window->view()->currentProfileIndex(), 0);
    QCOMPARE(vmouse::deviceState().reportRate, 8);

    // Save: the window says so and Save stays lit; a retry clears it.
    part("dpiSetting")->setProperty("isSave", true);
    vmouse::failNext(vmouse::Fault::Feature);
    QMetaObject::invokeMethod(ui(), "save");
    QVERIFY(note->property("visible").toBool());
    QVERIFY(ui()->property("isPending").toBool());
    QVERIFY(part("dpiSetting")->property("isSave").toBool());
    QMetaObject::invokeMethod(ui(), "save");
    QVERIFY(!note->property("visible").toBool());
    QVERIFY(!ui()->property("isPending").toBool());

    // A command node that cannot be opened again: the no-access screen and
    // tray line, and the bus refuses with that reason without sending.
    vmouse::failNext(vmouse::Fault::Feature);
    QCOMPARE(call(QStringLiteral("SetDpiStage"), {2}).errorName(), controlbus::errorNotTaken);
    vmouse::failNext(vmouse::Fault::Open);
    vmouse::failNext(vmouse::Fault::Open);
    QCOMPARE(call(QStringLiteral("SetDpiStage"), {2}).errorName(), controlbus::errorNoAccess);
    QTRY_COMPARE(ui()->property("deviceState").toInt(), 2);
    QVERIFY(window->tray()->toolTip().endsWith(QStringLiteral("Mouse found but not accessible")));
    vmouse::clearCommands();
    QCOMPARE(call(QStringLiteral("SetReportRate"), {250}).errorName(), controlbus::errorNoAccess);
    QCOMPARE(sentBlocks(), QStringList());
    QCOMPARE(propertyText(), before);
    // Access granted again (the node changed).
    window->hidLink().rediscover();
    QTRY_COMPARE(ui()->property("deviceState").toInt(), 0);
    QCOMPARE(call(QStringLiteral("SetReportRate"), {250}).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(vmouse::deviceState().reportRate, 4);
  }
};

QTEST_MAIN(tst_dbus)
#include "tst_dbus.moc"
