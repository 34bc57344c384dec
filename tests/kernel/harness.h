// Runs the programs under test beside the emulated mouse: a private copy of
// the program folder, norvane itself (offscreen, its own HOME) and
// norvanectl, all on the session bus this process runs on.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace kernelbed {

class Harness {
public:
  // binDir holds norvane, norvane-demo, norvanectl and modules/.
  Harness(const QString &binDir, const QString &family);
  ~Harness();

  void start(const QString &program = QStringLiteral("norvane"), const QStringList &env = {});
  void stop();

  // norvanectl with these arguments; its exit status, output in `out`.
  int ctl(const QStringList &args, QString *out = nullptr) const;
  // Until norvanectl carries the command out (the program refuses while it
  // starts up); false when it never does.
  bool ctlWhenReady(const QStringList &args);
  // What norvanectl said the last time it refused.
  QString lastRefusal;

  // Lines the program wrote to its debug output that contain `text`.
  int logCount(const QString &text) const;
  QString log() const;

  // Repeats `condition` until it holds; false after a generous limit that
  // only a broken program reaches.
  static bool waitFor(const std::function<bool()> &condition, int limitMs = 20000);
  static void pause(int ms);

  QString workDir() const { return dir.path(); }
  qint64 processId() const { return process.processId(); }

private:
  QString binDir;
  QTemporaryDir dir;
  QProcess process;
  QString logFile;
};

} // namespace kernelbed
