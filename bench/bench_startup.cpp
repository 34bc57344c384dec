// Start-up to the first interface frame and resident memory of norvane-demo,
// each as a ratio to a minimal QQuickWidget window measured in the same run.
// Prints figures; never fails on a time.
#include "benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The reference: one QQuickWidget with a trivial scene, first frame, quit.
int runMinimal(int argc, char **argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString qml = dir.filePath(QStringLiteral("minimal.qml"));
  QFile f(qml);
  f.open(QIODevice::WriteOnly);
  f.write("import QtQuick\nRectangle { width: 1024; height: 640; color: \"#1a1a1a\" }\n");
  f.close();
  QQuickWidget view;
  view.setResizeMode(QQuickWidget::SizeRootObjectToView);
  view.setSource(QUrl::fromLocalFile(qml));
  QObject::connect(
      view.quickWindow(), &QQuickWindow::afterRendering, &app,
      [] {
        std::printf("first-frame rss-kb %ld\n", bench::residentKb());
        std::fflush(stdout);
        QCoreApplication::exit(0);
      },
      Qt::QueuedConnection);
  view.show();
  return app.exec();
}

struct Sample {
  double ms = -1;
  long rssKb = -1;
  double pausedMs = 0;
};

// Runs a program until its first report line: time to it, and its figures.
Sample measure(const QString &program, const QStringList &args, const QString &workDir,
               const QByteArray &tag) {
  QProcess p;
  p.setWorkingDirectory(workDir);
  QElapsedTimer clock;
  clock.start();
  p.start(program, args);
  Sample s;
  if (!p.waitForStarted(10000))
    return s;
  QByteArray out;
  while (!out.contains('\n') && p.waitForReadyRead(30000))
    out += p.readAllStandardOutput();
  s.ms = double(clock.nsecsElapsed()) / 1e6;
  for (const QByteArray &line : out.split('\n')) {
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.value(0) != tag)
      continue;
    for (int i = 1; i + 1 < words.size(); i += 2) {
      if (words[i] == "rss-kb")
        s.rssKb = words[i + 1].toLong();
      else if (words[i] == "paused-ms")
        s.pausedMs = words[i + 1].toDouble();
    }
  }
  if (s.rssKb < 0)
    s.ms = -1;
  p.waitForFinished(10000);
  if (p.state() != QProcess::NotRunning)
    p.kill();
  p.waitForFinished(2000);
  return s;
}

double median(std::vector<double> v) {
  if (v.empty())
    return -1;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
  if (argc > 1 && QByteArray(argv[1]) == "--minimal")
    return runMinimal(argc, argv);

  QCoreApplication app(argc, argv);
  const bool shortMode = qEnvironmentVariableIsSet("BENCH_SHORT");
  const int runs = shortMode ? 2 : 7;
  const QString demoDir = QStringLiteral(NORVANE_RUNTIME_DIR);
  const QString demo = demoDir + QStringLiteral("/norvane-demo");

  // The demo's time includes its device check; the share the mouse's own
  // protocol pauses take is reported and taken out, as in the device benchmarks.
  std::vector<double> demoMs, demoNetMs, minMs, demoRss, minRss, readyRss;
  for (int i = 0; i < runs; ++i) {
    const Sample m = measure(QCoreApplication::applicationFilePath(), {QStringLiteral("--minimal")},
                             demoDir, "first-frame");
    const Sample d = measure(demo, {QStringLiteral("--first-frame")}, demoDir, "first-frame");
    const Sample r = measure(demo, {QStringLiteral("--ready")}, demoDir, "ready");
    if (m.ms >= 0) {
      minMs.push_back(m.ms);
      minRss.push_back(double(m.rssKb));
    }
    if (d.ms >= 0) {
      demoMs.push_back(d.ms);
      demoNetMs.push_back(d.ms - d.pausedMs);
      demoRss.push_back(double(d.rssKb));
    }
    if (r.ms >= 0)
      readyRss.push_back(double(r.rssKb));
  }
  // A second run on another platform names its figures with a suffix.
  const QByteArray label = qgetenv("BENCH_STARTUP_LABEL");
  const auto figure = [&label](const char *name) {
    return label.isEmpty() ? QByteArray(name) : QByteArray(name) + '_' + label;
  };
  const double dm = median(demoMs), dn = median(demoNetMs), mm = median(minMs);
  const double dr = median(demoRss), mr = median(minRss), rr = median(readyRss);
  std::printf("startup%s%s: %d runs (median)\n", label.isEmpty() ? "" : " on ", label.constData(),
              runs);
  std::printf("  first frame   norvane-demo %.1f ms (%.1f ms without the mouse's mandated "
              "pauses), minimal QQuickWidget %.1f ms\n",
              dm, dn, mm);
  std::printf("  resident      norvane-demo %.0f kB at the first frame, %.0f kB with the whole "
              "screen built; minimal QQuickWidget %.0f kB\n",
              dr, rr, mr);
  if (dm > 0 && mm > 0 && dr > 0 && mr > 0) {
    std::printf("  ratios        start-up %.2f (%.2f with the pauses), memory %.2f (%.2f built); "
                "targets 1.3\n",
                dn / mm, dm / mm, dr / mr, rr > 0 ? rr / mr : -1.0);
    bench::result(figure("startup_first_frame_over_minimal").constData(), dn / mm, 1.3, "");
    bench::result(figure("startup_with_device_pauses_over_minimal").constData(), dm / mm, 1.3, "");
    bench::result(figure("startup_memory_over_minimal").constData(), dr / mr, 1.3, "");
    if (rr > 0)
      bench::result(figure("built_screen_memory_over_minimal").constData(), rr / mr, 1.3, "");
    else
      bench::notMeasured(figure("built_screen_memory_over_minimal").constData(), 1.3, "");
  } else {
    std::printf("  ratios        not measured (a program did not show its first frame)\n");
    bench::notMeasured(figure("startup_first_frame_over_minimal").constData(), 1.3, "");
    bench::notMeasured(figure("startup_memory_over_minimal").constData(), 1.3, "");
  }
  return 0;
}
