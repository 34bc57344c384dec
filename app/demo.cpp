#include "demo.h"

#include "config/device_family.h"
#include "device/deviceentry.h"
#include "platform/devicemonitor.h"
#include "platform/pause.h"
#include "shell/myqquickview.h"
#include "shell/widget.h"
#include "vmouse_entry.h"

#include <QCoreApplication>
#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QShortcut>
#include <QTimer>

#include <cstdio>

namespace demo {

void plugVirtualMouse(const QStringList &args) {
  // The virtual mouse presents the first configured mouse entry (type 1).
  const QString configFile = QStringLiteral("./modules/setting/apConfig.bin");
  const QList<DeviceEntry> devices = readDeviceList(configFile);
  vmouse::Config c;
  if (!devices.isEmpty()) {
    auto mouse = std::find_if(devices.begin(), devices.end(),
                              [](const DeviceEntry &e) { return e.type == 1; });
    c = vmouse::configFor(mouse != devices.end() ? *mouse : devices.first());
  }
  const QSettings s(configFile, QSettings::IniFormat);
  const QLatin1String family =
      deviceFamily(s.value(QStringLiteral("mouse/icType")).toString()).name();
  c.family = std::string(family.data(), size_t(family.size()));
  vmouse::configure(c);
  if (args.contains(QStringLiteral("--unplugged")))
    vmouse::unplug();
  // The mouse is there but its first open and the retry fail, as without
  // access rights.
  if (args.contains(QStringLiteral("--no-access"))) {
    vmouse::failNext(vmouse::Fault::Open);
    vmouse::failNext(vmouse::Fault::Open);
  }
  vmouse::setChangeListener([] { platform::DeviceChangeMonitor::notifyAll(); });
}

namespace {

QString optionValue(const QStringList &args, const QString &name) {
  const int at = args.indexOf(name);
  return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
}

// A named state: a function of the root, or of one of its children (by
// object name), with its arguments.
struct State {
  const char *child = nullptr;
  const char *function = nullptr;
  QVariantList args;
};

State stateOf(const QString &state) {
  if (state == QLatin1String("reset"))
    return {nullptr, "openReset", {}};
  if (state == QLatin1String("about"))
    return {nullptr, "openAbout", {}};
  if (state == QLatin1String("profile"))
    return {nullptr, "openProfile", {}};
  if (state == QLatin1String("gun"))
    return {nullptr, "openGun", {}};
  if (state == QLatin1String("macro"))
    return {nullptr, "openMacroEditor", {}};
  if (state == QLatin1String("light"))
    return {nullptr, "openLightEffects", {}};
  // Slot 1: slot 0 is the only left button and is never re-assigned.
  if (state == QLatin1String("assignment"))
    return {"mouseMain", "chooseKey", {1}};
  // Eight stages, chosen as the stage-count drop-down would.
  if (state == QLatin1String("dpi"))
    return {"stageCount", "choose", {7}};
  if (state == QLatin1String("system"))
    return {nullptr, "openDialog", {QStringLiteral("systemSetting"), true}};
  return {};
}

void enterState(QQuickItem *root, const State &state) {
  QObject *target = state.child ? root->findChild<QObject *>(QLatin1String(state.child)) : root;
  if (!target)
    return;
  QVariantList args = state.args;
  // A dialog argument is named; the function takes the object itself.
  if (!args.isEmpty() && args.first().typeId() == QMetaType::QString)
    if (QObject *dialog = root->findChild<QObject *>(args.first().toString()))
      args.first() = QVariant::fromValue(dialog);
  QGenericArgument a0, a1;
  if (args.size() > 0)
    a0 = Q_ARG(QVariant, args[0]);
  if (args.size() > 1)
    a1 = Q_ARG(QVariant, args[1]);
  QMetaObject::invokeMethod(target, state.function, a0, a1);
}

// Without a screenshot the state is entered once the screen shows and is
// unlocked, with one line that scripts wait for; the program goes on.
void enterStateWhenReady(Widget &window, const State &state) {
  auto *poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, &window, [&window, state, poll] {
    QQuickItem *root = window.view()->rootObject();
    QObject *busy = root ? root->findChild<QObject *>(QStringLiteral("busy")) : nullptr;
    if (!root || !root->property("isRevealed").toBool() || !busy ||
        busy->property("isBusy").toBool())
      return;
    poll->deleteLater();
    enterState(root, state);
    qDebug() << "Demo state entered:" << state.function;
  });
  poll->start(50);
}

} // namespace

// Resident memory of this process, in kB.
long residentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:"))
      return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

// For the start-up benchmark: the first frame that shows the interface
// (the root turns visible in initUI) ends the program. The line also gives
// how long the device protocol's own pauses held the start up.
void reportFirstFrame(Widget &window) {
  myQQuickView *view = window.view();
  QObject::connect(
      view->quickWindow(), &QQuickWindow::afterRendering, &window,
      [view] {
        QQuickItem *root = view->rootObject();
        if (!root || !root->isVisible())
          return;
        std::printf("first-frame rss-kb %ld paused-ms %lld\n", residentKb(),
                    platform::pausedMsTotal());
        std::fflush(stdout);
        QCoreApplication::exit(0);
      },
      Qt::QueuedConnection);
}

// For the benchmark's second figure: memory once the whole screen is built
// and initialised (the root's isPownOn), then the program ends.
void reportReady(Widget &window) {
  auto *poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, &window, [&window] {
    QQuickItem *root = window.view()->rootObject();
    if (!root || !root->property("isPownOn").toBool())
      return;
    std::printf("ready rss-kb %ld\n", residentKb());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
  poll->start(5);
}

// Ctrl+D presses the mouse's DPI button: the virtual mouse reports the next
// stage on its event interface, as the real one does.
void addDpiButton(Widget &window) {
  auto *shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+D")), &window);
  shortcut->setContext(Qt::ApplicationShortcut);
  QObject::connect(shortcut, &QShortcut::activated, &window, [] {
    static uint8_t stage = 1;
    stage = stage % 7 + 1;
    vmouse::queueEvent({0x06, 0x07, 0x00, stage});
  });
}

void runOptions(const QStringList &args, Widget &window) {
  addDpiButton(window);
  if (args.contains(QStringLiteral("--first-frame")))
    reportFirstFrame(window);
  if (args.contains(QStringLiteral("--ready")))
    reportReady(window);
  const QString file = optionValue(args, QStringLiteral("--screenshot"));
  bool ok = false;
  int after = optionValue(args, QStringLiteral("--after")).toInt(&ok);
  if (!ok || after < 0)
    after = 1500;
  const State state = stateOf(optionValue(args, QStringLiteral("--state")));
  if (file.isEmpty()) {
    if (state.function)
      enterStateWhenReady(window, state);
    return;
  }
  // A state is entered first and given a moment to draw before the grab.
  const int settle = state.function ? 300 : 0;
  QTimer::singleShot(after, &window, [&window, state] {
    if (QQuickItem *root = window.view()->rootObject(); root && state.function)
      enterState(root, state);
  });
  QTimer::singleShot(after + settle, &window, [&window, file] {
    const bool saved = window.grab().save(file);
    qDebug() << (saved ? "Screenshot saved to" : "Screenshot failed:") << file;
    QCoreApplication::exit(saved ? 0 : 2);
  });
}

} // namespace demo
