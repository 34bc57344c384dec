// The system pointer settings: the page steps' mapping onto the layer, the
// failure lines, the choice of desktop, GNOME's backend on a private schema
// directory and KDE Plasma's on private files and a private session bus.
// GIO first: its headers use the word `signals`, which Qt defines as a macro.
#include <gio/gio.h>

#include "fakekde.h"
#include "platform/pointerbackends.h"
#include "platform/pointersettings.h"
#include "shell/myqquickview.h"
#include "testsupport.h"

#include <QLockFile>
#include <QTest>

using namespace testsupport;
using platform::PointerDesktop;
using platform::PointerSetting;
using Entry = platform::PointerSettingsLog::Entry;

Q_DECLARE_METATYPE(PointerSetting)
Q_DECLARE_METATYPE(PointerDesktop)

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
bool onPrivateBus() { return qEnvironmentVariable("NORVANE_PRIVATE_BUS") == "1"; }

// Sets the desktop's variables for one test and puts them back after it.
class Desktop {
public:
  Desktop(const QByteArray &desktop, const QByteArray &session = "x11",
          const QByteArray &waylandDisplay = {}) {
    set("XDG_CURRENT_DESKTOP", desktop);
    set("XDG_SESSION_TYPE", session);
    set("WAYLAND_DISPLAY", waylandDisplay);
    set("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  }
  ~Desktop() {
    for (auto it = saved.begin(); it != saved.end(); ++it)
      it.value().isNull() ? qunsetenv(it.key()) : qputenv(it.key(), it.value());
  }
  QString file(const QString &name) const { return config.filePath(name); }
  QTemporaryDir config;

private:
  void set(const char *name, const QByteArray &value) {
    saved.insert(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
    value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
  }
  QHash<const char *, QByteArray> saved;
};

const QByteArray kdeglobals = "[General]\n"
                              "WheelScrollLines=7\n"
                              "\n"
                              "[KDE]\n"
                              "DoubleClickInterval[de]=123\n"
                              "DoubleClickInterval=400\n"
                              "SingleClick=false\n"
                              "\n"
                              "[Icons]\n"
                              "Theme=breeze\n";

const QByteArray kcminputrc = "[Libinput][1133][49271][Logitech USB Optical Mouse]\n"
                              "PointerAcceleration=0.200\n"
                              "\n"
                              "[Mouse]\n"
                              "XLbInptPointerAcceleration=0.4\n"
                              "cursorTheme=breeze_cursors\n";

QByteArray replaced(QByteArray text, const QByteArray &from, const QByteArray &to) {
  const qsizetype at = text.indexOf(from);
  return at < 0 ? QByteArray("<not found>") : text.replace(at, from.size(), to);
}

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

  void desktopChoice_data() {
    QTest::addColumn<QByteArray>("desktop");
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<PointerDesktop>("chosen");
    QTest::newRow("GNOME") << QByteArray("GNOME") << QByteArray("wayland") << QByteArray()
                           << PointerDesktop::Gnome;
    QTest::newRow("Ubuntu") << QByteArray("ubuntu:GNOME") << QByteArray("x11") << QByteArray()
                            << PointerDesktop::Gnome;
    QTest::newRow("GNOME Classic") << QByteArray("GNOME-Classic") << QByteArray("x11")
                                   << QByteArray() << PointerDesktop::Gnome;
    QTest::newRow("Unity") << QByteArray("Unity") << QByteArray() << QByteArray()
                           << PointerDesktop::Gnome;
    QTest::newRow("Plasma X11") << QByteArray("KDE") << QByteArray("x11") << QByteArray()
                                << PointerDesktop::PlasmaX11;
    QTest::newRow("Plasma Wayland") << QByteArray("KDE") << QByteArray("wayland") << QByteArray()
                                    << PointerDesktop::PlasmaWayland;
    QTest::newRow("Plasma, session by display")
        << QByteArray("kde") << QByteArray() << QByteArray("wayland-0")
        << PointerDesktop::PlasmaWayland;
    QTest::newRow("Cinnamon") << QByteArray("X-Cinnamon") << QByteArray("x11") << QByteArray()
                              << PointerDesktop::Other;
    QTest::newRow("XFCE") << QByteArray("XFCE") << QByteArray("x11") << QByteArray()
                          << PointerDesktop::Other;
    QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray() << PointerDesktop::Other;
  }

  void desktopChoice() {
    QFETCH(QByteArray, desktop);
    QFETCH(QByteArray, session);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(PointerDesktop, chosen);
    Desktop d(desktop, session, waylandDisplay);
    QCOMPARE(platform::pointerDesktop(), chosen);
  }

  // A desktop no backend knows: every setting fails and no file is written.
  void unknownDesktop() {
    Desktop d("XFCE");
    WorkDir dir;
    myQQuickView view(nullptr);
    QCOMPARE(view.pointerSettingsOffered(), QVariantList({false, false, false}));
    QVERIFY(!view.mouseSetCursorSpeed(5));
    QVERIFY(!view.mouseSetDoubleClickSpeed(5));
    QVERIFY(!view.mouseSetVerticalScrollLines(3));
    QCOMPARE(messages, QStringList({"setCursorSpeed Failed", "setDoubleClickSpeed Failed",
                                    "setVerticalScrollLines Failed"}));
    QVERIFY(QDir(d.config.path()).isEmpty());
  }

  // Plasma's files: one line changes, the notices KDE's programs listen to
  // follow, and the same holds on Wayland for the two kdeglobals keys.
  void plasmaFiles() {
    if (!onPrivateBus())
      QSKIP("runs on a private session bus");
    for (const QByteArray session : {"x11", "wayland"}) {
      Desktop d("KDE", session);
      writeFile(d.file("kdeglobals"), kdeglobals);
      WorkDir dir;
      myQQuickView view(nullptr);
      NoticeLog log;
      view.mouseSetDoubleClickSpeed(10);
      QByteArray expected =
          replaced(kdeglobals, "DoubleClickInterval=400", "DoubleClickInterval=200");
      QCOMPARE(readFile(d.file("kdeglobals")), expected);
      view.mouseSetVerticalScrollLines(1000);
      expected =
          replaced(expected, "SingleClick=false\n", "SingleClick=false\nWheelScrollLines=1000\n");
      QCOMPARE(readFile(d.file("kdeglobals")), expected);
      QVERIFY(messages.isEmpty());
      QTRY_COMPARE(log.notices,
                   QStringList({"/kdeglobals: ConfigChanged a{saay} KDE=DoubleClickInterval",
                                "/KGlobalSettings: notifyChange ii 3 0",
                                "/kdeglobals: ConfigChanged a{saay} KDE=WheelScrollLines",
                                "/KGlobalSettings: notifyChange ii 3 0"}));
    }

    Desktop d("KDE", "x11");
    writeFile(d.file("kcminputrc"), kcminputrc);
    WorkDir dir;
    myQQuickView view(nullptr);
    NoticeLog log;
    view.mouseSetCursorSpeed(5);
    QCOMPARE(readFile(d.file("kcminputrc")), replaced(kcminputrc, "=0.4", "=-0.053"));
    QVERIFY(messages.isEmpty());
    QTRY_COMPARE(log.notices,
                 QStringList({"/kcminputrc: ConfigChanged a{saay} Mouse=XLbInptPointerAcceleration",
                              "/KGlobalSettings: notifyChange ii 3 0"}));

    // An immutable entry is not written and nothing is announced.
    writeFile(d.file("kdeglobals"), "[KDE]\nDoubleClickInterval[$i]=400\n");
    view.mouseSetDoubleClickSpeed(0);
    QCOMPARE(messages, QStringList{"setDoubleClickSpeed Failed"});
    QCOMPARE(readFile(d.file("kdeglobals")), QByteArray("[KDE]\nDoubleClickInterval[$i]=400\n"));
    QTest::qWait(100);
    QCOMPARE(log.notices.size(), 2);

    // While a KDE program holds a file's lock the setting fails and neither
    // file changes.
    messages.clear();
    writeFile(d.file("kdeglobals"), kdeglobals);
    QLockFile kdeglobalsLock(d.file("kdeglobals") + ".lock");
    QLockFile kcminputrcLock(d.file("kcminputrc") + ".lock");
    QVERIFY(kdeglobalsLock.tryLock() && kcminputrcLock.tryLock());
    view.mouseSetVerticalScrollLines(3);
    view.mouseSetCursorSpeed(10);
    QCOMPARE(messages, QStringList({"setVerticalScrollLines Failed", "setCursorSpeed Failed"}));
    QCOMPARE(readFile(d.file("kdeglobals")), kdeglobals);
    QCOMPARE(readFile(d.file("kcminputrc")), replaced(kcminputrc, "=0.4", "=-0.053"));
    QTest::qWait(100);
    QCOMPARE(log.notices.size(), 2);
  }

  // Plasma on Wayland: the speed goes to KWin's mice, never to touchpads or
  // keyboards, and only what KWin took counts.
  void plasmaWayland() {
    if (!onPrivateBus())
      QSKIP("runs on a private session bus");
    Desktop d("KDE", "wayland");
    WorkDir dir;
    myQQuickView view(nullptr);
    view.mouseSetCursorSpeed(10);
    QCOMPARE(messages, QStringList{"setCursorSpeed Failed"}); // no KWin on the bus
    messages.clear();

    auto *mouse = new FakeInputDevice(true, false, true);
    auto *touchpad = new FakeInputDevice(true, true, true);
    auto *keyboard = new FakeInputDevice(false, false, false);
    auto *refusing = new FakeInputDevice(true, false, true);
    {
      FakeKWin kwin;
      kwin.add("event3", keyboard);
      kwin.add("event5", touchpad);
      kwin.add("event7", mouse);
      QVERIFY(kwin.start());
      view.mouseSetCursorSpeed(10);
      QCOMPARE(mouse->value, 1.0);
      view.mouseSetCursorSpeed(0);
      QCOMPARE(mouse->value, -1.0);
      QCOMPARE(touchpad->value, 0.0);
      QCOMPARE(keyboard->value, 0.0);
      QVERIFY(messages.isEmpty());
    }
    {
      FakeKWin kwin;
      kwin.add("event8", refusing);
      refusing->refuses = true;
      QVERIFY(kwin.start());
      view.mouseSetCursorSpeed(10);
      QCOMPARE(messages, QStringList{"setCursorSpeed Failed"});
    }
    // KWin keeps the setting in its own files; this layer writes none.
    QVERIFY(QDir(d.config.path()).isEmpty());
  }

  // The desktop backend under GSETTINGS_BACKEND=memory.
  void desktopBackend() {
    if (withoutSchemas())
      QSKIP("schemas hidden for this run");
    Desktop d("ubuntu:GNOME");
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
    // GNOME keeps no wheel lines: that one setting is not offered.
    QCOMPARE(view.pointerSettingsOffered(), QVariantList({true, true, false}));
    QVERIFY(view.mouseSetCursorSpeed(5));
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
    Desktop d("GNOME");
    QVERIFY(!platform::setPointerSpeed(10));
    QVERIFY(!platform::setDoubleClickTime(400));
    QVERIFY(!platform::setWheelScrollLines(3));
    WorkDir dir;
    myQQuickView view(nullptr);
    QCOMPARE(view.pointerSettingsOffered(), QVariantList({false, false, false}));
    view.mouseSetCursorSpeed(5);
    view.mouseSetDoubleClickSpeed(5);
    view.mouseSetVerticalScrollLines(1000);
    QCOMPARE(messages, QStringList({"setCursorSpeed Failed", "setDoubleClickSpeed Failed",
                                    "setVerticalScrollLines Failed"}));
  }
};

QTEST_MAIN(tst_pointer)
#include "tst_pointer.moc"
