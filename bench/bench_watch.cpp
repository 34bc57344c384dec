// The idle cost of the running report watch: the share of one core the
// process uses over 10 s (BENCH_SHORT: 2 s) while the watch waits for
// reports that do not come (target: under 0.2 %).
#include "benchsupport.h"
#include "device/hid_thread.h"
#include "vmouse.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const int seconds = qEnvironmentVariableIsSet("BENCH_SHORT") ? 2 : 10;
  bench::WorkDir dir(false);
  vmouse::configure(vmouse::Config());

  Hid_Thread link;
  link.loadDeviceList();
  link.discoverInterfaces();
  if (!link.chkDeviceIsEnCode(0)) {
    qCritical("bench_watch: the virtual mouse did not answer the handshake");
    return 1;
  }
  link.startReportWatch(0);
  vmouse::clearTrace();

  QElapsedTimer wall;
  const double cpu0 = bench::cpuSeconds();
  wall.start();
  QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
  app.exec();
  const double cpu = bench::cpuSeconds() - cpu0;
  const double elapsed = double(wall.nsecsElapsed()) / 1e9;
  int cycles = 0;
  for (const std::string &line : vmouse::trace())
    cycles += line.rfind("open", 0) == 0;
  const bool running = link.isWatchRunning();
  link.stopReportWatch();
  link.waitForReportWatch();
  printf("bench_watch: idle report watch over %.1f s: %d cycles, CPU %.3f ms = %.4f %% of one "
         "core (target under 0.2 %%)%s\n",
         elapsed, cycles, cpu * 1000.0, cpu / elapsed * 100.0, running ? "" : " [watch stopped!]");
  if (running)
    bench::result("watch_idle_cpu", cpu / elapsed * 100.0, 0.2, "%");
  else
    bench::notMeasured("watch_idle_cpu", 0.2, "%");
  return running ? 0 : 1;
}
