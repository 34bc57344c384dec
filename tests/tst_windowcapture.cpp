// Capture from the program's own windows (native Wayland, or X without
// XInput2): key events with native scan codes reach the same procedures,
// tables and repeat rule; one source runs at a time.
#include "capture/inputhook.h"
#include "evdevkeys.h"
#include "hookrecorder.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

using namespace hookrecorder;

namespace {

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

} // namespace

class tst_windowcapture : public QObject {
  Q_OBJECT

  std::unique_ptr<InputHook> hook;

private slots:
  void initTestCase() {
    hook = std::make_unique<InputHook>(false);
    // Each test installs the source it checks; none reads the X server in between.
    hook->removeHooks();
    hook->setKeyboardCallback(recordKey, nullptr);
    hook->setMouseCallback(recordMouse, nullptr);
  }
  void init() {
    reports.clear();
    mouseReports.clear();
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
    windowKey(window, 88, true);
    windowKey(window, 88, false);
    QVERIFY(reports.isEmpty());
    QVERIFY(hook->installSources({InputHook::Source::Window}));
    QCOMPARE(hook->activeSource(), InputHook::Source::Window);
    windowKey(window, 88, true);
    windowKey(window, 88, false);
    QCOMPARE(reports, QList<Report>({{0x45, 1}, {0x45, 0}}));
    hook->removeHooks();
  }

  void cleanupTestCase() { hook.reset(); }
};

QTEST_MAIN(tst_windowcapture)
#include "tst_windowcapture.moc"
