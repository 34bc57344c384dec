// Input capture: the two key tables, the hook procedures fed directly and
// through the evdev translation, the X11 backend under Xvfb with xdotool,
// capture off without X, and the copy-data warning channel.
#include "capture/inputhook.h"
#include "capture/qmlcallbacks.h"
#include "platform/messagebox.h"
#include "shell/myqquickview.h"
#include "testsupport.h"

#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>
#include <QtEndian>

using namespace testsupport;
using platform::hook::KeyboardData;

namespace {

struct Report {
  unsigned code;
  unsigned pressed;
  bool operator==(const Report &o) const { return code == o.code && pressed == o.pressed; }
};

QList<Report> reports;
QList<QList<int>> mouseReports;

void recordKey(unsigned code, unsigned pressed, void *) { reports.append({code, pressed}); }
void recordMouse(unsigned code, unsigned pressed, int x, int y, void *) {
  mouseReports.append({int(code), int(pressed), x, y});
}

void key(quint32 scan, bool extended, bool pressed, quint32 extraFlags = 0) {
  KeyboardData d;
  d.scanCode = scan;
  d.flags = (extended ? platform::hook::extendedFlag : 0) | extraFlags;
  InputHook::keyboardHookProc(platform::hook::action,
                              pressed ? platform::hook::keyDown : platform::hook::keyUp, d);
}

// An evdev key change through the translation, as the X11 backend does it.
void evdev(platform::KeyTranslator &t, unsigned code, bool pressed) {
  if (const auto m = t.translate(code, pressed))
    InputHook::keyboardHookProc(platform::hook::action, m->message, m->data);
}

// evdev code and the device code (HID usage) its key must give.
struct EvdevKey {
  unsigned evdev;
  unsigned usage;
};
// clang-format off
const EvdevKey everyKey[] = {
  {1, 0x29}, {2, 0x1E}, {3, 0x1F}, {4, 0x20}, {5, 0x21}, {6, 0x22}, {7, 0x23}, {8, 0x24},
  {9, 0x25}, {10, 0x26}, {11, 0x27}, {12, 0x2D}, {13, 0x2E}, {14, 0x2A}, {15, 0x2B},
  {16, 0x14}, {17, 0x1A}, {18, 0x08}, {19, 0x15}, {20, 0x17}, {21, 0x1C}, {22, 0x18},
  {23, 0x0C}, {24, 0x12}, {25, 0x13}, {26, 0x2F}, {27, 0x30}, {28, 0x28}, {29, 0xE0},
  {30, 0x04}, {31, 0x16}, {32, 0x07}, {33, 0x09}, {34, 0x0A}, {35, 0x0B}, {36, 0x0D},
  {37, 0x0E}, {38, 0x0F}, {39, 0x33}, {40, 0x34}, {41, 0x35}, {42, 0xE1}, {43, 0x31},
  {44, 0x1D}, {45, 0x1B}, {46, 0x06}, {47, 0x19}, {48, 0x05}, {49, 0x11}, {50, 0x10},
  {51, 0x36}, {52, 0x37}, {53, 0x38}, {54, 0xE5}, {55, 0x55}, {56, 0xE2}, {57, 0x2C},
  {58, 0x39}, {59, 0x3A}, {60, 0x3B}, {61, 0x3C}, {62, 0x3D}, {63, 0x3E}, {64, 0x3F},
  {65, 0x40}, {66, 0x41}, {67, 0x42}, {68, 0x43}, {69, 0x53}, {70, 0x47}, {71, 0x5F},
  {72, 0x60}, {73, 0x61}, {74, 0x56}, {75, 0x5C}, {76, 0x5D}, {77, 0x5E}, {78, 0x57},
  {79, 0x59}, {80, 0x5A}, {81, 0x5B}, {82, 0x62}, {83, 0x63}, {86, 0x64}, {87, 0x44},
  {88, 0x45}, {96, 0x58}, {97, 0xE4}, {98, 0x54}, {99, 0x46}, {100, 0xE6}, {102, 0x4A},
  {103, 0x52}, {104, 0x4B}, {105, 0x50}, {106, 0x4F}, {107, 0x4D}, {108, 0x51}, {109, 0x4E},
  {110, 0x49}, {111, 0x4C}, {119, 0x48}, {125, 0xE3}, {127, 0x65}, {193, 0x72},
};
// clang-format on

// What the platform delivers to a window for a key: the native scan code is
// the evdev code + 8 on both the xcb and the wayland backends.
void windowKey(QWindow &window, unsigned evdevCode, bool pressed, bool repeat = false) {
  QKeyEvent e(pressed ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier,
              evdevCode + 8, 0, 0, QString(), repeat);
  QCoreApplication::sendEvent(&window, &e);
}

void windowButton(QObject &receiver, QEvent::Type type, Qt::MouseButton button) {
  QMouseEvent e(type, QPointF(1, 2), QPointF(30, 40), button,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
  QCoreApplication::sendEvent(&receiver, &e);
}

struct RootCall {
  QString function;
  Qt::ConnectionType type;
  QVariantList args;
};

// A window holding the view, and every call into the view's root while it
// lives; the observer goes with it even when a check fails half-way.
struct RecordedWindow {
  QWidget window;
  QList<RootCall> calls;

  RecordedWindow() {
    auto *view = new myQQuickView(&window);
    view->setObjectName(QStringLiteral("ui_View"));
    myQQuickView::setRootCallObserver(
        [this](const QString &f, Qt::ConnectionType type, const QVariantList &args) {
          calls.append({f, type, args});
        });
  }
  ~RecordedWindow() { myQQuickView::setRootCallObserver({}); }
};

} // namespace

class tst_capture : public QObject {
  Q_OBJECT

  std::unique_ptr<InputHook> hook;

private slots:
  void initTestCase() {
    // Capture is checked under X below; here the procedures are fed directly.
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    captureMessages();
    hook = std::make_unique<InputHook>(false);
    qputenv("DISPLAY", display);
    QVERIFY(!hook->hooksInstalled());
    QCOMPARE(messages.filter("Input capture is off").size(), 1);
    qInstallMessageHandler(nullptr);
    hook->setKeyboardCallback(recordKey, nullptr);
    hook->setMouseCallback(recordMouse, nullptr);
  }
  void init() {
    reports.clear();
    mouseReports.clear();
  }

  void captureOffWithoutX() {
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    captureMessages();
    QVERIFY(!hook->installHooks());
    qputenv("DISPLAY", display);
    qInstallMessageHandler(nullptr);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].startsWith("Input capture is off"));
    QVERIFY(!hook->hooksInstalled());
  }

  void tables() {
    const auto &scan = InputHook::scanToVirtualKey();
    const auto &usage = InputHook::virtualKeyToUsage();
    QCOMPARE(scan.size(), size_t(105));
    QCOMPARE(usage.size(), size_t(121));
    const QList<std::tuple<int, int, int>> rows{
        {0x1E00, 0x41, 0x04}, {0x2C00, 0x5A, 0x1D}, {0x0200, 0x31, 0x1E}, {0x0B00, 0x30, 0x27},
        {0x3B00, 0x70, 0x3A}, {0x4400, 0x79, 0x43}, {0x5700, 0x7A, 0x44}, {0x5800, 0x7B, 0x45},
        {0x6E00, 0x86, 0x72}, {0x4700, 0x67, 0x5F}, {0x4701, 0x24, 0x4A}, {0x5200, 0x60, 0x62},
        {0x5201, 0x2D, 0x49}, {0x5300, 0x6E, 0x63}, {0x5301, 0x2E, 0x4C}, {0x1C00, 0x0D, 0x28},
        {0x1C01, 0x0E, 0x58}, {0x3500, 0xBF, 0x38}, {0x3501, 0x6F, 0x54}, {0x1D00, 0xA2, 0xE0},
        {0x1D01, 0xA3, 0xE4}, {0x3800, 0xA4, 0xE2}, {0x3801, 0xA5, 0xE6}, {0x3601, 0xA1, 0xE5},
        {0x4801, 0x26, 0x52}, {0x4B01, 0x25, 0x50}, {0x4D01, 0x27, 0x4F}, {0x5001, 0x28, 0x51},
        {0x4500, 0x13, 0x48}, {0x4501, 0x90, 0x53}, {0x4600, 0x91, 0x47}, {0x3701, 0x2C, 0x46},
        {0x5B01, 0x5B, 0xE3}, {0x5D01, 0x5D, 0x65}, {0x5600, 0xE2, 0x64}, {0x2B00, 0xDC, 0x31}};
    for (const auto &[key, vk, code] : rows) {
      QVERIFY2(scan.count(quint16(key)), qPrintable(QString::number(key, 16)));
      QCOMPARE(int(scan.at(quint16(key))), vk);
      QCOMPARE(int(usage.at(quint8(vk))), code);
    }
    for (int missing : {0x3600, 0x5C01, 0x4601, 0x5400, 0x6400})
      QVERIFY(!scan.count(quint16(missing)));
    const QList<std::pair<int, int>> onlyUsage{{0x5C, 0xE7}, {0x7C, 0x68}, {0x85, 0x71},
                                               {0x87, 0x73}, {0xC1, 0x87}, {0xC2, 0x85},
                                               {0xEB, 0x8B}, {0xFF, 0x66}};
    for (const auto &[vk, code] : onlyUsage)
      QCOMPARE(int(usage.at(quint8(vk))), code);
    QCOMPARE(int(keytables::buildVirtualKeyToUsage(true).at(0xDC)), 0x32);
    QCOMPARE(keytables::buildVirtualKeyToUsage(true).size(), size_t(121));
  }

  void everyKeyThroughEvdev() {
    platform::KeyTranslator t;
    QSet<unsigned> codes;
    for (const EvdevKey &k : everyKey) {
      reports.clear();
      evdev(t, k.evdev, true);
      evdev(t, k.evdev, false);
      QCOMPARE(reports.size(), 2);
      QVERIFY2(reports[0] == (Report{k.usage, 1}), qPrintable(QString::number(k.evdev)));
      QVERIFY(reports[1] == (Report{k.usage, 0}));
      codes.insert(k.usage);
    }
    // One key for every row of the scan table.
    QCOMPARE(codes.size(), 105);
    // Keys with a scan code but no row: the right Windows key, F13, F24.
    reports.clear();
    for (unsigned silent : {126u, 183u, 194u, 89u, 121u, 200u}) {
      evdev(t, silent, true);
      evdev(t, silent, false);
    }
    QVERIFY(reports.isEmpty());
  }

  void repeatAndOverrides() {
    // Holding A: one press, one release.
    key(0x1E, false, true);
    key(0x1E, false, true);
    key(0x1E, false, true);
    key(0x1E, false, false);
    key(0x1E, false, false);
    QCOMPARE(reports, QList<Report>({{0x04, 1}, {0x04, 0}}));

    // A release is only reported after a press.
    reports.clear();
    key(0x1F, false, false);
    QVERIFY(reports.isEmpty());

    // Keypad Enter against Enter; extended bit and scan codes above 255.
    key(0x1C, true, true);
    key(0x1C, false, true);
    key(0x1C, true, false);
    key(0x1C, false, false);
    KeyboardData wide;
    wide.scanCode = 0x11E;
    InputHook::keyboardHookProc(platform::hook::action, platform::hook::keyDown, wide);
    // Only the action code presses.
    InputHook::keyboardHookProc(1, platform::hook::keyDown, KeyboardData{0, 0x1E, 0});
    QCOMPARE(reports, QList<Report>({{0x58, 1}, {0x28, 1}, {0x58, 0}, {0x28, 0}}));

    // Alt+Print Screen and Ctrl+Break through the translation.
    reports.clear();
    platform::KeyTranslator t;
    evdev(t, 56, true);
    evdev(t, 99, true);
    evdev(t, 99, false);
    evdev(t, 56, false);
    evdev(t, 29, true);
    evdev(t, 119, true);
    evdev(t, 119, false);
    evdev(t, 29, false);
    QCOMPARE(reports, QList<Report>({{0xE2, 1},
                                     {0x46, 1},
                                     {0x46, 0},
                                     {0xE2, 0},
                                     {0xE0, 1},
                                     {0x48, 1},
                                     {0x48, 0},
                                     {0xE0, 0}}));
    key(0x54, false, true, platform::hook::altDownFlag);
    key(0x46, true, true);
    QCOMPARE(reports.mid(8), QList<Report>({{0x46, 1}, {0x48, 1}}));
    key(0x54, false, false, platform::hook::altDownFlag);
    key(0x46, true, false);
  }

  void mouseButtons() {
    using namespace platform::hook;
    platform::hook::MouseData at{-5, 7};
    for (unsigned m = 0x200; m <= 0x20A; ++m)
      InputHook::mouseHookProc(action, m, at);
    // A double click: no report for the double-click message itself.
    InputHook::mouseHookProc(action, leftButtonDown, at);
    InputHook::mouseHookProc(action, leftButtonUp, at);
    InputHook::mouseHookProc(action, leftButtonDoubleClick, at);
    InputHook::mouseHookProc(action, leftButtonUp, at);
    QCOMPARE(mouseReports, QList<QList<int>>({{0xF0, 1, -5, 7},
                                              {0xF0, 0, -5, 7},
                                              {0xF1, 1, -5, 7},
                                              {0xF1, 0, -5, 7},
                                              {0xF2, 1, -5, 7},
                                              {0xF2, 0, -5, 7},
                                              {0xF0, 1, -5, 7},
                                              {0xF0, 0, -5, 7},
                                              {0xF0, 0, -5, 7}}));
    QCOMPARE(platform::buttonMessage(1, true), std::optional<unsigned>(leftButtonDown));
    QCOMPARE(platform::buttonMessage(2, false), std::optional<unsigned>(middleButtonUp));
    QCOMPARE(platform::buttonMessage(3, true), std::optional<unsigned>(rightButtonDown));
    QVERIFY(!platform::buttonMessage(4, true));
    QVERIFY(!platform::buttonMessage(8, true));
  }

  void callbacksQueueIntoTheRoot() {
    WorkDir dir;
    RecordedWindow recorded;
    QWidget &window = recorded.window;
    const QList<RootCall> &calls = recorded.calls;
    keyboardCallback(0x104, 0x101, &window);
    mouseCallback(0xF1, 1, -1, 20, &window);
    keyboardCallback(4, 1, nullptr);
    mouseCallback(0xF0, 1, 0, 0, nullptr);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].function, QStringLiteral("detectKeyboard"));
    QCOMPARE(calls[0].type, Qt::QueuedConnection);
    QCOMPARE(calls[0].args, QVariantList({true, 4}));
    QCOMPARE(calls[1].function, QStringLiteral("detectMouse"));
    QCOMPARE(calls[1].type, Qt::QueuedConnection);
    QCOMPARE(calls[1].args, QVariantList({true, 0xF1u, 0xFFFFFFFFu, 20u}));
  }

  void xdotoolUnderX() {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
      QSKIP("needs an X server (run under xvfb-run)");
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
      QSKIP("needs xdotool");
    WorkDir dir;
    RecordedWindow recorded;
    QWidget &window = recorded.window;
    const QList<RootCall> &calls = recorded.calls;
    QVERIFY(hook->installHooks());
    QVERIFY(hook->hooksInstalled());
    hook->setKeyboardCallback(keyboardCallback, &window);
    hook->setMouseCallback(mouseCallback, &window);
    QProcess::execute(xdotool, {"mousemove", "30", "40"});
    for (const QStringList &args :
         {QStringList{"key", "a"}, QStringList{"key", "KP_Enter"}, QStringList{"click", "1"}})
      QCOMPARE(QProcess::execute(xdotool, args), 0);
    QTRY_COMPARE(calls.size(), 6);
    hook->removeHooks();
    hook->setKeyboardCallback(recordKey, nullptr);
    hook->setMouseCallback(recordMouse, nullptr);

    const QList<std::pair<QString, QVariantList>> expected{
        {"detectKeyboard", {true, 4}},
        {"detectKeyboard", {false, 4}},
        {"detectKeyboard", {true, 0x58}},
        {"detectKeyboard", {false, 0x58}},
        {"detectMouse", {true, 0xF0u, 30u, 40u}},
        {"detectMouse", {false, 0xF0u, 30u, 40u}}};
    for (int i = 0; i < expected.size(); ++i) {
      QCOMPARE(calls[i].function, expected[i].first);
      QCOMPARE(calls[i].type, Qt::QueuedConnection);
      QCOMPARE(calls[i].args, expected[i].second);
    }
  }

  void sourcesBySession() {
    using S = InputHook::Source;
    QCOMPARE(InputHook::sourcesFor("wayland"), QList<S>({S::Window}));
    QCOMPARE(InputHook::sourcesFor("wayland-egl"), QList<S>({S::Window}));
    QCOMPARE(InputHook::sourcesFor("xcb"), QList<S>({S::Global, S::Window}));
    QCOMPARE(InputHook::sourcesFor("offscreen"), QList<S>({S::Global}));
  }

  // The source of the program's own windows: the same procedures, tables and
  // repeat rule as the global one, each event counted once.
  void windowSource() {
    QVERIFY(hook->installSources({InputHook::Source::Window}));
    QCOMPARE(hook->activeSource(), InputHook::Source::Window);
    QWindow window;
    window.create();
    QSet<unsigned> codes;
    for (const EvdevKey &k : everyKey) {
      reports.clear();
      windowKey(window, k.evdev, true);
      windowKey(window, k.evdev, false);
      QVERIFY2(reports == QList<Report>({{k.usage, 1}, {k.usage, 0}}),
               qPrintable(QString::number(k.evdev)));
      codes.insert(k.usage);
    }
    QCOMPARE(codes.size(), 105);

    // Auto-repeat (X11 sends it as release and press pairs) is dropped; so
    // are keys without a native code and events forwarded to widgets or to
    // a view's offscreen window, which have no platform window.
    reports.clear();
    windowKey(window, 30, true);
    windowKey(window, 30, false, true);
    windowKey(window, 30, true, true);
    windowKey(window, 30, false);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 0, 0, 0, "a");
    QCoreApplication::sendEvent(&window, &typed);
    QWindow offscreen;
    windowKey(offscreen, 31, true);
    QWidget widget;
    QKeyEvent forwarded(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, 31 + 8, 0, 0);
    QCoreApplication::sendEvent(&widget, &forwarded);
    QCOMPARE(reports, QList<Report>({{0x04, 1}, {0x04, 0}}));

    // A key still held when the program loses the focus is let go then.
    windowKey(window, 32, true);
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    windowKey(window, 32, false);
    QCOMPARE(reports.mid(2), QList<Report>({{0x07, 1}, {0x07, 0}}));

    // Buttons: left, right and middle; not double clicks or the extra buttons.
    windowButton(window, QEvent::MouseButtonPress, Qt::LeftButton);
    windowButton(window, QEvent::MouseButtonDblClick, Qt::LeftButton);
    windowButton(window, QEvent::MouseButtonRelease, Qt::LeftButton);
    windowButton(window, QEvent::MouseButtonPress, Qt::RightButton);
    windowButton(window, QEvent::MouseButtonPress, Qt::BackButton);
    windowButton(widget, QEvent::MouseButtonPress, Qt::MiddleButton);
    QCOMPARE(mouseReports,
             QList<QList<int>>({{0xF0, 1, 30, 40}, {0xF0, 0, 30, 40}, {0xF1, 1, 30, 40}}));
    windowButton(window, QEvent::MouseButtonRelease, Qt::RightButton);

    hook->removeHooks();
    reports.clear();
    windowKey(window, 30, true);
    QVERIFY(reports.isEmpty());
    QCOMPARE(hook->activeSource(), InputHook::Source::None);
  }

  // With the global source running, the window source stays off: a key
  // typed into the program is reported once, by the global source.
  void oneSourceAtATime() {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
      QSKIP("needs an X server (run under xvfb-run)");
    QVERIFY(hook->installSources({InputHook::Source::Global, InputHook::Source::Window}));
    QCOMPARE(hook->activeSource(), InputHook::Source::Global);
    QWindow window;
    window.create();
    windowKey(window, 30, true);
    windowKey(window, 30, false);
    QVERIFY(reports.isEmpty());
    QVERIFY(hook->installSources({InputHook::Source::Window}));
    QCOMPARE(hook->activeSource(), InputHook::Source::Window);
    windowKey(window, 30, true);
    windowKey(window, 30, false);
    QCOMPARE(reports, QList<Report>({{0x04, 1}, {0x04, 0}}));
    hook->removeHooks();
  }

  void copyDataChecks() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Norvane N1"));
    platform::MessageBoxLog boxes;
    const auto send = [&](quintptr tag, const QByteArray &bytes, quint32 cbData) {
      platform::CopyDataStruct d;
      d.dwData = tag;
      d.cbData = cbData;
      d.lpData = bytes.constData();
      copyDataCallback(&d, &window);
    };
    send(0x250F, QByteArray("abc", 3), 3);
    QCOMPARE(boxes.requests().size(), 1);
    const platform::MessageBoxRequest box = boxes.requests().first();
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.parent, nullptr);
    QCOMPARE(box.title, QStringLiteral("Norvane N1"));
    QCOMPARE(box.text, QStringLiteral("abc"));
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    boxes.clear();
    send(0x250F, QByteArray("abc\0", 4), 4);
    send(0x2510, QByteArray("abc", 3), 3);
    send(0x250F, QByteArray("\xff\xfe", 2), 2);
    send(0x250F, QByteArray("ab\0c", 4), 4);
    copyDataCallback(nullptr, &window);
    QByteArray abc("abc");
    platform::CopyDataStruct d{0x250F, 3, abc.constData()};
    copyDataCallback(&d, nullptr);
    QVERIFY(boxes.requests().isEmpty());
    // Non-ASCII text is taken by its UTF-8 length.
    send(0x250F, QStringLiteral("Überhitzt").toUtf8(),
         quint32(QStringLiteral("Überhitzt").toUtf8().size()));
    QCOMPARE(boxes.requests().size(), 1);
    QCOMPARE(boxes.requests()[0].text, QStringLiteral("Überhitzt"));
  }

  void copyDataChannel() {
    QTemporaryDir runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QWidget window;
    window.setWindowTitle(QStringLiteral("Norvane N1"));
    platform::MessageBoxLog boxes;
    hook->setCopyDataCallback(copyDataCallback, &window);

    QProcess warn;
    warn.start(QStringLiteral(NORVANE_WARN), {QStringLiteral("Mouse overheated")});
    QTRY_COMPARE(boxes.requests().size(), 1);
    QTRY_COMPARE(warn.state(), QProcess::NotRunning);
    QCOMPARE(warn.readAllStandardError(), QByteArray());
    QCOMPARE(warn.exitCode(), 0);
    QCOMPARE(boxes.requests()[0].title, QStringLiteral("Norvane N1"));
    QCOMPARE(boxes.requests()[0].text, QStringLiteral("Mouse overheated"));

    // An oversized message is dropped unread, and the channel keeps working.
    captureMessages();
    QLocalSocket raw;
    raw.connectToServer(platform::copyDataSocketName());
    QVERIFY(raw.waitForConnected(2000));
    QByteArray header(12, '\0');
    qToBigEndian<quint64>(0x250F, header.data());
    qToBigEndian<quint32>(1u << 30, header.data() + 8);
    raw.write(header + QByteArray(100, 'x'));
    raw.flush();
    QTRY_VERIFY(!messages.filter("dropped").isEmpty());
    qInstallMessageHandler(nullptr);

    QProcess bad;
    bad.start(QStringLiteral(NORVANE_WARN), {});
    QVERIFY(bad.waitForFinished(5000));
    QCOMPARE(bad.exitCode(), 2);

    warn.start(QStringLiteral(NORVANE_WARN), {QStringLiteral("again")});
    QTRY_COMPARE(boxes.requests().size(), 2);
    QTRY_COMPARE(warn.state(), QProcess::NotRunning);
    QCOMPARE(warn.exitCode(), 0);
    QCOMPARE(boxes.requests()[1].text, QStringLiteral("again"));
    if (oldRuntime.isNull())
      qunsetenv("XDG_RUNTIME_DIR");
    else
      qputenv("XDG_RUNTIME_DIR", oldRuntime);
  }

  void cleanupTestCase() { hook.reset(); }
};

QTEST_MAIN(tst_capture)
#include "tst_capture.moc"
