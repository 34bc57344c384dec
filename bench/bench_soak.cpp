// Soak: plug, handshake and report watch, a round of commands, DPI-button
// reports through the watch, unplug; over and over on the virtual mouse,
// alternating the two command families. Prints resident memory and open
// file descriptors after every 100 cycles and their growth from cycle 100
// (past the allocator's warm-up) to the end, and over the
// second half, which must be flat. Pauses are recorded, not slept: the
// figures are about what a cycle leaves behind, not its speed.
//   bench_soak [cycles]      default 10000; BENCH_SHORT=1: 400
#include "benchsupport.h"
#include "config/device_family.h"
#include "device/hid_thread.h"
#include "device/linkowner.h"
#include "platform/pause.h"
#include "vmouse.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <atomic>
#include <functional>

namespace {

class Owner : public LinkOwner {
public:
  QString family = QStringLiteral("553");
  int stages = 0;
  int removals = 0;

  bool linkArmReports(Hid_Thread &link) override { return deviceFamily(family).armReports(link); }
  bool linkIsGun() const override { return false; }
  void linkSetCurrentDPI(int) override { ++stages; }
  void linkShowBalloon(const QString &) override {}
  void linkDisableView() override { ++removals; }
};

int openFds() {
  return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot).size());
}

// Runs the GUI thread's events until `done`, for at most 5 s.
bool waitFor(const std::function<bool()> &done) {
  QDeadlineTimer deadline(5000);
  while (!done()) {
    if (deadline.hasExpired())
      return false;
    QCoreApplication::processEvents();
    QThread::usleep(100);
  }
  return true;
}

std::atomic<int> debugLines{0};

void countMessage(QtMsgType type, const QMessageLogContext &, const QString &text) {
  ++debugLines;
  if (type != QtDebugMsg) // the expected "Device removed" lines stay quiet
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// One plug-to-unplug life of the mouse; false with a reason on stderr.
bool cycle(Hid_Thread &link, Owner &owner, int n) {
  vmouse::Config c;
  c.family = n % 2 ? "560" : "553";
  c.isEncode = true;
  owner.family = QString::fromStdString(c.family);
  vmouse::configure(c); // a fresh mouse, plugged
  link.loadDeviceList();
  link.discoverInterfaces();
  if (!link.chkDeviceIsEnCode(0)) {
    std::fprintf(stderr, "cycle %d: no handshake\n", n);
    return false;
  }
  link.startReportWatch(0);

  static uchar data[128];
  for (int i = 0; i < 128; ++i)
    data[i] = uchar(n + i);
  uchar b1 = 0, b2 = 0;
  if (c.family == "553") {
    link.hid553_0BH_SetCurrentDPI(2);
    link.hid553_12H_SetKeyMatrix(data, 1);
    link.hid553_13H_SetMacroKey(1, data);
    link.hid553_8BH_GetCurrentDPI(b1);
  } else {
    link.hid560_04H_SetCurrentDPI(2);
    link.hid560_0CH_setProfile(data, 1);
    link.hid560_8CH_readProfile(data, 1);
    link.hid560_84H_GetCurrentDPI(b1, b2);
  }

  const int stages = owner.stages;
  for (uchar stage = 1; stage <= 3; ++stage)
    vmouse::queueEvent({0x06, 0x07, 0x00, stage});
  if (!waitFor([&] { return owner.stages == stages + 3; })) {
    std::fprintf(stderr, "cycle %d: DPI reports did not arrive\n", n);
    return false;
  }

  const int removals = owner.removals;
  vmouse::unplug();
  if (!waitFor([&] { return owner.removals == removals + 1 && !link.isWatchRunning(); })) {
    std::fprintf(stderr, "cycle %d: removal not noticed\n", n);
    return false;
  }
  link.waitForReportWatch();
  // The mouse's own record of the traffic is the harness's, not the link's.
  vmouse::clearTrace();
  vmouse::clearCommands();
  return vmouse::openHandles() == 0;
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const int cycles = argc > 1 ? QByteArray(argv[1]).toInt()
                              : (qEnvironmentVariableIsSet("BENCH_SHORT") ? 400 : 10000);
  if (cycles < 400) {
    std::fprintf(stderr, "bench_soak: at least 400 cycles\n");
    return 2;
  }
  qInstallMessageHandler(countMessage);
  platform::setPauseRecorder([](int) {});
  bench::WorkDir dir(true);
  Hid_Thread link;
  Owner owner;
  link.setOwner(&owner);

  long rssAt100 = 0, rssHalf = 0;
  int fdsAt100 = 0;
  for (int n = 1; n <= cycles; ++n) {
    if (!cycle(link, owner, n)) {
      bench::notMeasured("soak_rss_growth", 512, "kB");
      bench::notMeasured("soak_rss_growth_second_half", 64, "kB");
      bench::notMeasured("soak_fd_growth", 1, "");
      return 1;
    }
    if (n % 100 == 0) {
      const long rss = bench::residentKb();
      const int fds = openFds();
      std::printf("bench_soak: cycle %5d: resident %ld kB, %d open file descriptors\n", n, rss,
                  fds);
      std::fflush(stdout);
      if (n == 100) {
        rssAt100 = rss;
        fdsAt100 = fds;
      }
      if (n == (cycles / 200) * 100)
        rssHalf = rss;
    }
  }
  const long rss = bench::residentKb();
  const int fds = openFds();
  std::printf("bench_soak: %d cycles, %d debug lines; from cycle 100 to the end: resident "
              "%+ld kB, file descriptors %+d; over the second half: resident %+ld kB\n",
              cycles, debugLines.load(), rss - rssAt100, fds - fdsAt100, rss - rssHalf);
  // Growth targets: resident memory under 512 kB in all (allocator noise)
  // and under 64 kB over the second half, no file descriptor at all.
  bench::result("soak_rss_growth", double(qMax(0L, rss - rssAt100)), 512, "kB");
  bench::result("soak_rss_growth_second_half", double(qMax(0L, rss - rssHalf)), 64, "kB");
  bench::result("soak_fd_growth", double(qMax(0, fds - fdsAt100)), 1, "");
  return 0;
}
