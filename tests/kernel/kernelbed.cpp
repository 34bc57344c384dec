// The real norvane on an emulated kernel HID interface. Run under
// umockdev-wrapper and dbus-run-session:
//   kernelbed <scenario> <553|560> <folder of the programs>
// Prints PASS, SKIP with the reason (exit status 77), or FAIL with the
// reason and the program's output.
// GLib headers first: they use the names Qt defines as keywords.
#include "kernelmouse.h"

#include "harness.h"
#include "scenario.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <hidapi.h>
#include <linux/hidraw.h>
#include <map>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace kernelbed;
using namespace std::chrono_literals;

namespace {

vmouse::Config mouseConfig(const QString &family) {
  vmouse::Config c; // the shipped device entry
  c.isEncode = true;
  c.family = family.toStdString();
  return c;
}

// The HID requests an operation sends, as "<op> <hex>" lines.
using Operations = std::vector<std::pair<QStringList, std::vector<std::string>>>;
const std::vector<QStringList> driven = {{QStringLiteral("rate"), QStringLiteral("500")},
                                         {QStringLiteral("dpi-stage"), QStringLiteral("3")},
                                         {QStringLiteral("profile"), QStringLiteral("0")},
                                         {QStringLiteral("rate"), QStringLiteral("125")}};

// The same operations through norvane-demo on the virtual mouse.
Operations onVirtualMouse(const QString &bin, const QString &family) {
  Harness demo(bin, family);
  const QString traceFile = demo.workDir() + QStringLiteral("/vmouse.trace");
  demo.start(QStringLiteral("norvane-demo"), {QStringLiteral("VMOUSE_TRACE=") + traceFile});
  check(Harness::waitFor([&] { return connected(demo); }),
        QStringLiteral("the demo never connected"));
  const auto traced = [&] { return traceOf(traceFile); };
  Operations ops;
  for (const QStringList &args : driven) {
    waitQuiet([&] { return traced().size(); });
    const qsizetype before = traced().size();
    check(demo.ctlWhenReady(args), QStringLiteral("the demo refused ") +
                                       args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                                       demo.lastRefusal);
    ops.push_back({args, requestsIn(traced().mid(before))});
  }
  demo.stop();
  return ops;
}

void sameBytesAsVirtualMouse(Harness &h, KernelMouse &mouse, const QString &bin,
                             const QString &family) {
  const Operations expected = onVirtualMouse(bin, family);
  startConnected(h, mouse);
  const auto traced = [&] { return traceOf(mouse); };
  for (const auto &[args, requests] : expected) {
    waitQuiet([&] { return traced().size(); });
    const qsizetype before = traced().size();
    check(h.ctlWhenReady(args), QStringLiteral("norvane refused ") + args.join(QLatin1Char(' ')));
    const auto got = requestsIn(traced().mid(before));
    if (got != requests) {
      QString detail;
      for (const auto &r : requests)
        detail += QStringLiteral("\n  virtual: ") + QString::fromStdString(r);
      for (const auto &r : got)
        detail += QStringLiteral("\n  kernel:  ") + QString::fromStdString(r);
      throw Failure{args.join(QLatin1Char(' ')) + QStringLiteral(" sent other bytes") + detail};
    }
    check(!requests.empty() || args[0] == QLatin1String("profile"),
          args.join(QLatin1Char(' ')) + QStringLiteral(" sent nothing"));
  }
  check(mouse.settings().unknownCommands.empty(), QStringLiteral("the mouse got unknown commands"));
}

int balloons(const Harness &h) { return h.logCount(QStringLiteral("Balloon: DPI Switch to")); }

void dpiButton(Harness &h, KernelMouse &mouse) {
  startConnected(h, mouse);
  Harness::pause(300); // the watch has its node open
  mouse.pressDpiButton(3);
  check(Harness::waitFor([&] { return balloons(h) >= 1; }), QStringLiteral("no DPI balloon"));
  check(Harness::waitFor([&] { return status(h).value(QStringLiteral("dpiStage")).toInt() == 3; }),
        QStringLiteral("the bus does not show stage 3"));
}

void replug(Harness &h, KernelMouse &mouse) {
  startConnected(h, mouse);
  mouse.unplug();
  check(Harness::waitFor([&] { return h.logCount(QStringLiteral("Device removed")) >= 1; }),
        QStringLiteral("the removal went unnoticed"));
  mouse.plug();
  check(Harness::waitFor([&] { return h.logCount(QStringLiteral("Device Connect")) >= 2; }),
        QStringLiteral("the mouse did not connect again"));
  check(Harness::waitFor([&] { return connected(h); }), QStringLiteral("the bus is not connected"));
  check(h.ctlWhenReady({QStringLiteral("rate"), QStringLiteral("250")}),
        QStringLiteral("rate refused after the re-plug"));
}

void noAccess(Harness &h, KernelMouse &mouse) {
  mouse.setAccessible(false, false);
  mouse.plug();
  h.start();
  check(Harness::waitFor([&] { return h.logCount(QStringLiteral("cannot be opened")) >= 1; }),
        QStringLiteral("no-access was not reported"));
  check(h.logCount(QStringLiteral("Mouse found but not accessible")) >= 1,
        QStringLiteral("no no-access balloon"));
  check(!connected(h), QStringLiteral("the bus says connected without access"));
  mouse.setAccessible(true, true);
  check(Harness::waitFor([&] { return h.logCount(QStringLiteral("Device Connect")) >= 1; }),
        QStringLiteral("a change event with access did not connect"));
  check(Harness::waitFor([&] { return connected(h); }), QStringLiteral("the bus is not connected"));
}

// The 560 family reads five profile blocks at connect, four data reports
// each; the mouse sends them `delay` after each command's feature report.
void replyDelay(Harness &h, KernelMouse &mouse, std::chrono::microseconds delay) {
  mouse.setReplyDelay(delay);
  startConnected(h, mouse);
  check(h.ctlWhenReady({QStringLiteral("rate"), QStringLiteral("1000")}),
        QStringLiteral("the program never took a command"));
  const KernelMouse::Counts c = mouse.counts();
  check(c.commandSent == 20,
        QStringLiteral("the mouse sent %1 data reports, not 20").arg(c.commandSent));
  check(c.commandRead == c.commandSent, QStringLiteral("the program read %1 of %2 data reports")
                                            .arg(c.commandRead)
                                            .arg(c.commandSent));
}

// Two DPI-button reports 1 ms apart, five times.
void dpiBurst(Harness &h, KernelMouse &mouse) {
  startConnected(h, mouse);
  check(h.ctlWhenReady({QStringLiteral("status")}), QStringLiteral("no status"));
  for (int i = 0; i < 5; ++i) {
    mouse.pressDpiButton(2, std::chrono::milliseconds(200 * i));
    mouse.pressDpiButton(3, std::chrono::milliseconds(200 * i + 1));
  }
  Harness::waitFor([&] { return balloons(h) >= 10; }, 5000);
  const KernelMouse::Counts c = mouse.counts();
  check(c.eventRead == 10 && balloons(h) == 10,
        QStringLiteral("%1 of 10 DPI reports read, %2 shown").arg(c.eventRead).arg(balloons(h)));
}

// A command fails on the wire while the node cannot be opened for a moment,
// as while udev re-applies its access rule: that command fails to its
// caller unless it reached the mouse after all, and the next ones reach it.
void openFailure(Harness &h, KernelMouse &mouse) {
  startConnected(h, mouse);
  check(h.ctlWhenReady({QStringLiteral("rate"), QStringLiteral("1000")}),
        QStringLiteral("the program never took a command"));
  waitQuiet([&] { return qsizetype(mouse.trace().size()); });
  const size_t before = mouse.trace().size();
  mouse.failNextFeature();
  mouse.setAccessible(false, false);
  const int during = h.ctl({QStringLiteral("rate"), QStringLiteral("500")});
  mouse.setAccessible(true, false);
  const bool reached = mouse.trace().size() > before;
  check(during == 1 || (during == 0 && reached),
        QStringLiteral("a command that reached no mouse exited %1, not 1").arg(during));
  const size_t after = mouse.trace().size();
  check(h.ctl({QStringLiteral("rate"), QStringLiteral("250")}) == 0,
        QStringLiteral("the next command failed"));
  check(mouse.trace().size() > after, QStringLiteral("the next command never reached the mouse"));
  Harness::pause(600); // a watch cycle, were it still opening per cycle
  mouse.pressDpiButton(4);
  check(Harness::waitFor([&] { return balloons(h) >= 1; }, 5000),
        QStringLiteral("the DPI button is no longer watched"));
}

// The emulation itself, without the program: a host that keeps its files
// open gets every report at every reply delay and in every burst, and the
// nodes answer the hidraw information requests.
void steadyHost(KernelMouse &mouse) {
  mouse.plug();
  const std::vector<std::string> nodes = mouse.nodes();
  const int fd = ::open(nodes[0].c_str(), O_RDWR | O_CLOEXEC);
  check(fd >= 0, QStringLiteral("the command node does not open"));
  int size = 0;
  hidraw_devinfo info{};
  check(::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 8 &&
            ::ioctl(fd, HIDIOCGRAWINFO, &info) == 0 && info.vendor == 0x3b1f,
        QStringLiteral("the information requests fail"));
  hidraw_report_descriptor desc{};
  desc.size = uint32_t(size);
  check(::ioctl(fd, HIDIOCGRDESC, &desc) == 0 && desc.value[0] == 0x06 && desc.value[2] == 0xff,
        QStringLiteral("the report descriptor does not start with the vendor page"));
  ::close(fd);

  hid_device *command = hid_open_path(nodes[0].c_str());
  hid_device *event = hid_open_path(nodes[1].c_str());
  check(command && event, QStringLiteral("the nodes do not open through hidapi"));
  uint8_t code[8] = {};
  const std::string sCode = vmouse::Config{}.sCode;
  for (size_t i = 0; i < 6; ++i)
    code[i + 1] = uint8_t(sCode[i]);
  for (auto delay : {0us, 500us, 5000us, 50000us}) {
    mouse.setReplyDelay(delay);
    const vmouse::Block block = vmouse::sealed({0x8C, 1, 0, 0, 0, 0, 0, 0});
    uint8_t report[9] = {0};
    std::copy(block.begin(), block.end(), report + 1);
    vmouse::scramble(report + 1, code);
    check(hid_send_feature_report(command, report, 9) == 9,
          QStringLiteral("feature report failed"));
    check(hid_get_feature_report(command, report, 9) == 9, QStringLiteral("reply failed"));
    for (int piece = 0; piece < 4; ++piece) {
      uint8_t data[33] = {};
      const int n = hid_read_timeout(command, data, sizeof data, 5000);
      check(n == 32, QStringLiteral("data report %1 lost (%2: %3)")
                         .arg(piece)
                         .arg(n)
                         .arg(QString::fromWCharArray(hid_error(command))));
    }
  }
  mouse.pressDpiButton(2);
  mouse.pressDpiButton(3, 1ms);
  for (int stage : {2, 3}) {
    uint8_t data[4] = {};
    check(hid_read_timeout(event, data, sizeof data, 5000) == 4 && data[3] == stage,
          QStringLiteral("DPI report %1 lost").arg(stage));
  }
  mouse.unplug();
  uint8_t data[4] = {};
  check(hid_read_timeout(event, data, sizeof data, 5000) == -1,
        QStringLiteral("no hang-up on unplug"));
  check(!hid_open_path(nodes[1].c_str()), QStringLiteral("an unplugged node opens"));
  hid_close(command);
  hid_close(event);
}

void printLost(const std::string &figure, int sent, int read) {
  const int lost = sent - read;
  // The target is none lost, so any loss is infinitely over it.
  std::printf("RESULT %s %d 0 %s\n", figure.c_str(), lost, lost ? "inf" : "0.000");
  std::printf("%s: %d of %d reports read\n", figure.c_str(), read, sent);
  std::fflush(stdout);
}

// Figures through the real stack: data reports lost at each reply delay
// (the 560 family's profile reads at connect) and DPI-button reports lost
// in bursts of two 1 ms apart. Each connect is a fresh program.
void benchmark(KernelMouse &mouse, const QString &bin, const QString &family) {
  const std::vector<std::pair<std::string, std::chrono::microseconds>> delays = {
      {"0.5ms", 500us}, {"5ms", 5ms}, {"50ms", 50ms}};
  for (const auto &[label, delay] : delays) {
    if (family != QLatin1String("560"))
      break;
    Harness h(bin, family);
    mouse.setReplyDelay(delay);
    const KernelMouse::Counts before = mouse.counts();
    startConnected(h, mouse);
    check(h.ctlWhenReady({QStringLiteral("status")}), QStringLiteral("no status"));
    const KernelMouse::Counts after = mouse.counts();
    printLost("kernel_data_reports_lost_" + label, after.commandSent - before.commandSent,
              after.commandRead - before.commandRead);
    h.stop();
    mouse.unplug();
  }
  Harness h(bin, family);
  mouse.setReplyDelay({});
  startConnected(h, mouse);
  check(h.ctlWhenReady({QStringLiteral("status")}), QStringLiteral("no status"));
  const KernelMouse::Counts before = mouse.counts();
  for (int i = 0; i < 10; ++i) {
    mouse.pressDpiButton(2, std::chrono::milliseconds(200 * i));
    mouse.pressDpiButton(3, std::chrono::milliseconds(200 * i + 1));
  }
  Harness::waitFor([&] { return mouse.counts().eventRead - before.eventRead >= 20; }, 5000);
  const KernelMouse::Counts after = mouse.counts();
  printLost("kernel_dpi_burst_reports_lost_" + family.toStdString(),
            after.eventSent - before.eventSent, after.eventRead - before.eventRead);
  h.stop();
}

} // namespace

int runScenario(const QString &name, Harness &h, KernelMouse &mouse, const QString &bin,
                const QString &family);

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 4 || !qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("umockdev"))) {
    std::fprintf(stderr, "usage: umockdev-wrapper kernelbed <scenario> <553|560> <bin folder>\n");
    return 2;
  }
  const QString family = args[2], bin = args[3];
  UMockdevTestbed *testbed = umockdev_testbed_new();
  int result = 1;
  {
    KernelMouse mouse(testbed, mouseConfig(family));
    Harness h(bin, family);
    try {
      result = runScenario(args[1], h, mouse, bin, family);
      if (result == 0 && args[1] != QLatin1String("bench"))
        std::printf("PASS\n");
    } catch (const Skip &s) {
      std::printf("SKIP: %s\n", qPrintable(s.why));
      result = 77;
    } catch (const Failure &f) {
      std::printf("FAIL: %s\n--- program output ---\n%s\n", qPrintable(f.what),
                  qPrintable(h.log()));
    }
    h.stop();
    mouse.unplug();
  }
  g_object_unref(testbed);
  return result;
}

int runScenario(const QString &name, Harness &h, KernelMouse &mouse, const QString &bin,
                const QString &family) {
  const std::map<QString, std::function<void()>> scenarios = {
      {QStringLiteral("commands"), [&] { sameBytesAsVirtualMouse(h, mouse, bin, family); }},
      {QStringLiteral("save"), [&] { saveByHand(h, mouse, bin, family); }},
      {QStringLiteral("dpi_button"), [&] { dpiButton(h, mouse); }},
      {QStringLiteral("replug"), [&] { replug(h, mouse); }},
      {QStringLiteral("no_access"), [&] { noAccess(h, mouse); }},
      {QStringLiteral("reply_0.5ms"), [&] { replyDelay(h, mouse, 500us); }},
      {QStringLiteral("reply_5ms"), [&] { replyDelay(h, mouse, 5ms); }},
      {QStringLiteral("reply_50ms"), [&] { replyDelay(h, mouse, 50ms); }},
      {QStringLiteral("dpi_burst"), [&] { dpiBurst(h, mouse); }},
      {QStringLiteral("open_failure"), [&] { openFailure(h, mouse); }},
      {QStringLiteral("late_reply"), [&] { lateReply(h, mouse); }},
  };
  if (name == QLatin1String("steady_host")) {
    steadyHost(mouse);
    return 0;
  }
  if (name == QLatin1String("bench")) {
    benchmark(mouse, bin, family);
    return 0;
  }
  const auto it = scenarios.find(name);
  if (it == scenarios.end()) {
    std::fprintf(stderr, "no scenario %s\n", qPrintable(name));
    return 2;
  }
  it->second();
  return 0;
}
