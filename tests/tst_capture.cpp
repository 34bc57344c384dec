// Input capture: the two key tables, the hook procedures fed directly and
// through the evdev translation, the X11 backend under Xvfb with xdotool,
// capture off without X, and the copy-data warning channel.
#include "capture/inputhook.h"
#include "capture/qmlcallbacks.h"
#include "evdevkeys.h"
#include "hookrecorder.h"
#include "platform/messagebox.h"
#include "shell/myqquickview.h"
#include "testsupport.h"

#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

using namespace testsupport;
using platform::hook::KeyboardData;

using namespace hookrecorder;

namespace {

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
