// Round trip of `norvanectl status`, from the process start to its exit,
// against norvane-demo on a private session bus. Status sends nothing to the
// mouse, so the target holds no device pauses. Prints figures; never fails
// on a time.
#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString binDir = QStringLiteral(NORVANE_RUNTIME_DIR);

// Stops a child process when the benchmark ends, however it ends.
struct Child {
  QProcess process;
  ~Child() {
    if (process.state() == QProcess::NotRunning)
      return;
    process.terminate();
    if (!process.waitForFinished(5000))
      process.kill();
    process.waitForFinished(2000);
  }
};

int runCtl(const QProcessEnvironment &env, const QStringList &args, QByteArray *out = nullptr) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(binDir + QStringLiteral("/norvanectl"), args);
  if (!p.waitForFinished(30000))
    return -1;
  if (out)
    *out = p.readAllStandardOutput();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const int runs = qEnvironmentVariableIsSet("BENCH_SHORT") ? 10 : 50;

  // A private bus: nothing of the user's session is touched.
  Child bus;
  bus.process.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
  if (!bus.process.waitForReadyRead(10000)) {
    std::fprintf(stderr, "bench_ctl: cannot start dbus-daemon\n");
    return 1;
  }
  const QString address = QString::fromUtf8(bus.process.readLine()).trimmed();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

  Child demo;
  demo.process.setProcessEnvironment(env);
  demo.process.setWorkingDirectory(binDir);
  demo.process.setStandardOutputFile(QProcess::nullDevice());
  demo.process.setStandardErrorFile(QProcess::nullDevice());
  demo.process.start(binDir + QStringLiteral("/norvane-demo"));
  // Ready once the window's screen is built and publishes its profile.
  bool ready = false;
  for (int i = 0; i < 300 && !ready; ++i) {
    QByteArray json;
    if (runCtl(env, {QStringLiteral("status"), QStringLiteral("--json")}, &json) == 0) {
      const QJsonObject o = QJsonDocument::fromJson(json).object();
      ready = o.value(QStringLiteral("connected")).toBool() &&
              o.value(QStringLiteral("profile")).toInt(-1) >= 0;
    }
    if (!ready)
      QThread::msleep(100);
  }
  if (!ready) {
    std::fprintf(stderr, "bench_ctl: norvane-demo did not come up on the bus\n");
    return 1;
  }

  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer clock;
    clock.start();
    if (runCtl(env, {QStringLiteral("status")}) != 0) {
      std::fprintf(stderr, "bench_ctl: norvanectl status failed\n");
      return 1;
    }
    ms.push_back(double(clock.nsecsElapsed()) / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2];
  std::printf("norvanectl status: %d runs, median %.1f ms, fastest %.1f ms, slowest %.1f ms "
              "(process start to exit)\n",
              runs, median, ms.front(), ms.back());
  bench::result("norvanectl_status_round_trip", median, 50, "ms");
  return 0;
}
