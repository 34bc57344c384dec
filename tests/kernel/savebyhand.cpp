// Save as a user does it: a DPI stage moved with the pointer in the real
// window on an X server, then Ctrl+S, both through xdotool. The bytes that
// reach the emulated mouse must be those the virtual mouse receives for the
// same hand moves in norvane-demo, and the profile file must hold the edit.
#include "scenario.h"

#include <QJsonArray>
#include <QProcess>
#include <QSettings>

namespace kernelbed {
namespace {

// A point on the track of the first stage's DPI slider, in window
// coordinates: a click there moves that stage's knob to it.
constexpr int stageX = 827, stageY = 150;

struct HandSave {
  std::vector<std::string> requests;
  int published = 0;  // the first stage's DPI on the bus after the Save
  QStringList stored; // the profile's DPI stages after the Save
};

int xdotool(const QStringList &args) { return QProcess::execute(QStringLiteral("xdotool"), args); }

QString windowOf(qint64 pid) {
  QProcess search;
  search.start(QStringLiteral("timeout"),
               {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"),
                QStringLiteral("--sync"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(pid)});
  search.waitForFinished(30000);
  return QString::fromLatin1(search.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0);
}

int firstStage(const Harness &h) {
  return status(h).value(QStringLiteral("dpiStages")).toArray().at(0).toInt();
}

HandSave saveIn(Harness &h, const std::function<QStringList()> &traced) {
  // The window takes commands once its power-on lock has ended.
  check(h.ctlWhenReady({QStringLiteral("rate"), QStringLiteral("1000")}),
        QStringLiteral("the window never took a command: ") + h.lastRefusal);
  const QString window = windowOf(h.processId());
  check(!window.isEmpty(), QStringLiteral("the window is not shown"));
  const int before = firstStage(h);
  // No window manager gives the focus on a click here.
  check(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}) == 0,
        QStringLiteral("the window does not take the focus"));
  check(xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                 QString::number(stageX), QString::number(stageY), QStringLiteral("click"),
                 QStringLiteral("1")}) == 0,
        QStringLiteral("xdotool cannot click"));
  // An unsaved edit makes the window refuse commands from outside.
  check(Harness::waitFor([&] {
          return h.ctl({QStringLiteral("rate"), QStringLiteral("1000")}, &h.lastRefusal) == 1 &&
                 h.lastRefusal.contains(QLatin1String("unsaved"));
        }),
        QStringLiteral("the click on the stage's slider made no edit: ") + h.lastRefusal);
  waitQuiet([&] { return traced().size(); });
  const qsizetype start = traced().size();
  check(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+s")}) == 0,
        QStringLiteral("xdotool cannot type"));
  check(Harness::waitFor([&] { return firstStage(h) != before; }),
        QStringLiteral("Ctrl+S saved no new DPI"));
  waitQuiet([&] { return traced().size(); });
  HandSave out;
  out.requests = requestsIn(traced().mid(start));
  out.published = firstStage(h);
  QSettings profile(h.workDir() + QStringLiteral("/modules/setting/p1.bin"), QSettings::IniFormat);
  out.stored = profile.value(QStringLiteral("mouse/dpiValueArray")).toStringList();
  return out;
}

} // namespace

void saveByHand(Harness &h, KernelMouse &mouse, const QString &bin, const QString &family) {
  if (qEnvironmentVariableIsEmpty("DISPLAY"))
    throw Skip{QStringLiteral("needs an X server (xvfb-run)")};
  const QString xcb = QStringLiteral("QT_QPA_PLATFORM=xcb");
  HandSave expected;
  {
    Harness demo(bin, family);
    const QString traceFile = demo.workDir() + QStringLiteral("/vmouse.trace");
    demo.start(QStringLiteral("norvane-demo"), {QStringLiteral("VMOUSE_TRACE=") + traceFile, xcb});
    try {
      check(Harness::waitFor([&] { return connected(demo); }),
            QStringLiteral("the demo never connected"));
      expected = saveIn(demo, [&] { return traceOf(traceFile); });
    } catch (const Failure &f) {
      throw Failure{QStringLiteral("norvane-demo: ") + f.what +
                    QStringLiteral("\n--- norvane-demo output ---\n") + demo.log()};
    }
  }
  startConnected(h, mouse, {xcb});
  const HandSave got = saveIn(h, [&] { return traceOf(mouse); });
  if (got.requests != expected.requests || got.requests.empty()) {
    QString detail;
    for (const auto &r : expected.requests)
      detail += QStringLiteral("\n  virtual: ") + QString::fromStdString(r);
    for (const auto &r : got.requests)
      detail += QStringLiteral("\n  kernel:  ") + QString::fromStdString(r);
    throw Failure{QStringLiteral("Save sent other bytes") + detail};
  }
  check(got.published == expected.published,
        QStringLiteral("the edit gave %1 DPI, not %2").arg(got.published).arg(expected.published));
  check(got.stored.value(0) == QString::number(got.published),
        QStringLiteral("the profile holds ") + got.stored.join(QLatin1Char(',')));
  check(mouse.settings().unknownCommands.empty(), QStringLiteral("the mouse got unknown commands"));
}

} // namespace kernelbed
