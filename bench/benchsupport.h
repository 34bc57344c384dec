// What the benchmarks share: process CPU time, resident memory, and a
// private working directory whose device list matches the virtual mouse.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace bench {

inline double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Resident memory of this process, in kB; -1 when unknown.
inline long residentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:"))
      return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

// The line bench/run collects for its table: figure, measured, target and
// their ratio (under 1 is within a target that is an upper bound). The unit
// is appended to both values.
inline void result(const char *figure, double measured, double target, const char *unit) {
  std::printf("RESULT %s %.4g%s %.4g%s %.3f\n", figure, measured, unit, target, unit,
              measured / target);
  std::fflush(stdout);
}

// A figure this run could not measure.
inline void notMeasured(const char *figure, double target, const char *unit) {
  std::printf("RESULT %s - %.4g%s -\n", figure, target, unit);
  std::fflush(stdout);
}

// Becomes the current directory, with modules/setting/apConfig.bin holding
// the virtual mouse's default entry.
class WorkDir {
public:
  explicit WorkDir(bool isEncode) {
    QDir(dir.path()).mkpath(QStringLiteral("modules/setting"));
    QDir::setCurrent(dir.path());
    rewriteDeviceList(isEncode);
  }

  static void rewriteDeviceList(bool isEncode) {
    QFile f(QStringLiteral("modules/setting/apConfig.bin"));
    if (!f.open(QIODevice::WriteOnly))
      qFatal("cannot write the device list");
    f.write("[common]\ndeviceCount=1\n[0]\ntype=1\nvid=3b1f\npid=0a01\nusagePage=ff00\n"
            "usage=ff00\nusagePage2=ff01\nusage2=ff01\nreportLength=32\n");
    f.write(isEncode ? "isEncode=true\n" : "isEncode=false\n");
    f.write("sCode=482193\n");
  }

private:
  QTemporaryDir dir;
};

} // namespace bench
