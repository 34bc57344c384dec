// The system pointer settings: the page steps' mapping onto the layer, the
// failure lines, and the desktop backend on a private schema directory.
// GIO first: its headers use the word `signals`, which Qt defines as a macro.
#include <gio/gio.h>

#include "platform/pointersettings.h"
#include "shell/myqquickview.h"
#include "testsupport.h"

#include <QTest>

using namespace testsupport;
using platform::PointerSetting;
using Entry = platform::PointerSettingsLog::Entry;

Q_DECLARE_METATYPE(PointerSetting)

namespace {

const char mouseSchema[] = "org.gnome.desktop.peripherals.mouse";

void callOperation(myQQuickView &view, const QString &operation, uint value) {
  if (operation == "speed")
    view.mouseSetCursorSpeed(value);
  else if (operation == "double-click")
    view.mouseSetDoubleClickSpeed(value);
  else
    view.mouseSetVerticalScrollLines(value);
}

bool withoutSchemas() { return qEnvironmentVariable("NORVANE_NO_SCHEMAS") == "1"; }

} // namespace

class tst_pointer : public QObject {
  Q_OBJECT

private slots:
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void mapping_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<uint>("step");
    QTest::addColumn<PointerSetting>("setting");
    QTest::addColumn<qint64>("value");
    QTest::newRow("speed 0") << "speed" << 0u << PointerSetting::Speed << qint64(1);
    QTest::newRow("speed 1") << "speed" << 1u << PointerSetting::Speed << qint64(2);
    QTest::newRow("speed 5") << "speed" << 5u << PointerSetting::Speed << qint64(10);
    QTest::newRow("speed 10") << "speed" << 10u << PointerSetting::Speed << qint64(20);
    QTest::newRow("double-click 0")
        << "double-click" << 0u << PointerSetting::DoubleClickTime << qint64(900);
    QTest::newRow("double-click 1")
        << "double-click" << 1u << PointerSetting::DoubleClickTime << qint64(830);
    QTest::newRow("double-click 5")
        << "double-click" << 5u << PointerSetting::DoubleClickTime << qint64(550);
    QTest::newRow("double-click 10")
        << "double-click" << 10u << PointerSetting::DoubleClickTime << qint64(200);
    QTest::newRow("double-click 12")
        << "double-click" << 12u << PointerSetting::DoubleClickTime << qint64(60);
    QTest::newRow("lines 1") << "lines" << 1u << PointerSetting::WheelScrollLines << qint64(1);
    QTest::newRow("lines 1000") << "lines" << 1000u << PointerSetting::WheelScrollLines
                                << qint64(1000);
  }

  void mapping() {
    QFETCH(QString, operation);
    QFETCH(uint, step);
    QFETCH(PointerSetting, setting);
    QFETCH(qint64, value);
    WorkDir dir;
    myQQuickView view(nullptr);
    platform::PointerSettingsLog log;
    callOperation(view, operation, step);
    QCOMPARE(log.entries(), (QList<Entry>{{setting, value}}));
    QVERIFY(messages.isEmpty());

    // A refusing desktop gets the same value and the failure line.
    log.clear();
    log.setAccept(false);
    callOperation(view, operation, step);
    QCOMPARE(log.entries(), (QList<Entry>{{setting, value}}));
    const QString line = operation == "speed"          ? "setCursorSpeed Failed"
                         : operation == "double-click" ? "setDoubleClickSpeed Failed"
                                                       : "setVerticalScrollLines Failed";
    QCOMPARE(messages, QStringList{line});
  }

  // Steps the page never sends: no value outside the layer's range reaches it.
  void outOfRangeSteps_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<uint>("step");
    QTest::addColumn<QString>("logged");
    QTest::newRow("speed 11") << "speed" << 11u << "setCursorSpeed Failed";
    QTest::newRow("speed wraps") << "speed" << 0x80000000u << "setCursorSpeed Failed";
    QTest::newRow("double-click 13") << "double-click" << 13u << "setDoubleClickSpeed Failed";
    QTest::newRow("double-click huge")
        << "double-click" << 0xFFFFFFFFu << "setDoubleClickSpeed Failed";
  }

  void outOfRangeSteps() {
    QFETCH(QString, operation);
    QFETCH(uint, step);
    QFETCH(QString, logged);
    WorkDir dir;
    myQQuickView view(nullptr);
    platform::PointerSettingsLog log;
    callOperation(view, operation, step);
    QVERIFY(log.entries().isEmpty());
    QCOMPARE(messages, QStringList{logged});
  }

  // The desktop backend under GSETTINGS_BACKEND=memory.
  void desktopBackend() {
    if (withoutSchemas())
      QSKIP("schemas hidden for this run");
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    GSettingsSchema *schema =
        source ? g_settings_schema_source_lookup(source, mouseSchema, TRUE) : nullptr;
    if (!schema)
      QSKIP("the test schema directory is not set");
    g_settings_schema_unref(schema);
    GSettings *settings = g_settings_new(mouseSchema);

    QVERIFY(platform::setPointerSpeed(1));
    QCOMPARE(g_settings_get_double(settings, "speed"), -1.0);
    QVERIFY(platform::setPointerSpeed(20));
    QCOMPARE(g_settings_get_double(settings, "speed"), 1.0);
    WorkDir dir;
    myQQuickView view(nullptr);
    view.mouseSetCursorSpeed(5);
    QCOMPARE(g_settings_get_double(settings, "speed"), -1.0 + 18.0 / 19.0);
    view.mouseSetDoubleClickSpeed(10);
    QCOMPARE(g_settings_get_int(settings, "double-click"), 200);
    QVERIFY(messages.isEmpty());

    // Refused values leave what was set.
    QVERIFY(!platform::setPointerSpeed(0));
    QVERIFY(!platform::setPointerSpeed(21));
    QVERIFY(!platform::setDoubleClickTime(0));
    QCOMPARE(g_settings_get_double(settings, "speed"), -1.0 + 18.0 / 19.0);
    QCOMPARE(g_settings_get_int(settings, "double-click"), 200);

    // No desktop key holds the wheel lines.
    QVERIFY(!platform::setWheelScrollLines(3));
    view.mouseSetVerticalScrollLines(3);
    QCOMPARE(messages, QStringList{"setVerticalScrollLines Failed"});
    g_object_unref(settings);
  }

  // Without the desktop's schema every setting fails and the program lives.
  void noSchemas() {
    if (!withoutSchemas())
      QSKIP("runs with NORVANE_NO_SCHEMAS=1");
    QVERIFY(!platform::setPointerSpeed(10));
    QVERIFY(!platform::setDoubleClickTime(400));
    QVERIFY(!platform::setWheelScrollLines(3));
    WorkDir dir;
    myQQuickView view(nullptr);
    view.mouseSetCursorSpeed(5);
    view.mouseSetDoubleClickSpeed(5);
    view.mouseSetVerticalScrollLines(1000);
    QCOMPARE(messages, QStringList({"setCursorSpeed Failed", "setDoubleClickSpeed Failed",
                                    "setVerticalScrollLines Failed"}));
  }
};

QTEST_MAIN(tst_pointer)
#include "tst_pointer.moc"
