#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QThread>

namespace kernelbed {
namespace {

void copyTree(const QString &from, const QString &to) {
  QDir().mkpath(to);
  const QDir source(from);
  for (const QFileInfo &entry : source.entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries)) {
    const QString target = to + QLatin1Char('/') + entry.fileName();
    if (entry.isDir())
      copyTree(entry.filePath(), target);
    else
      QFile::copy(entry.filePath(), target);
  }
}

} // namespace

Harness::Harness(const QString &bin, const QString &family) : binDir(bin) {
  const QString work = dir.path();
  for (const char *program : {"norvane", "norvane-demo"})
    QFile::copy(binDir + QLatin1Char('/') + QLatin1String(program),
                work + QLatin1Char('/') + QLatin1String(program));
  copyTree(binDir + QStringLiteral("/modules"), work + QStringLiteral("/modules"));
  QDir().mkpath(work + QStringLiteral("/home"));
  QDir().mkpath(work + QStringLiteral("/run"));
  QFile::setPermissions(work + QStringLiteral("/run"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QSettings config(work + QStringLiteral("/modules/setting/apConfig.bin"), QSettings::IniFormat);
  config.setValue(QStringLiteral("mouse/icType"), family);
  logFile = work + QStringLiteral("/program.log");
}

Harness::~Harness() { stop(); }

void Harness::start(const QString &program, const QStringList &extraEnv) {
  const QString work = dir.path();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), work + QStringLiteral("/home"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), work + QStringLiteral("/run"));
  env.insert(QStringLiteral("TMPDIR"), work + QStringLiteral("/run"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
  env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QString());
  for (const QString &pair : extraEnv)
    env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(work);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setStandardOutputFile(logFile, QIODevice::Append);
  process.start(work + QLatin1Char('/') + program, {});
  process.waitForStarted();
}

void Harness::stop() {
  if (process.state() == QProcess::NotRunning)
    return;
  process.terminate();
  if (!process.waitForFinished(10000)) {
    process.kill();
    process.waitForFinished();
  }
}

int Harness::ctl(const QStringList &args, QString *out) const {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(binDir + QStringLiteral("/norvanectl"), args);
  p.waitForFinished(60000);
  if (out)
    *out = QString::fromUtf8(p.readAll());
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool Harness::ctlWhenReady(const QStringList &args) {
  return waitFor([&] { return ctl(args, &lastRefusal) == 0; });
}

QString Harness::log() const {
  QFile f(logFile);
  f.open(QIODevice::ReadOnly);
  QString text = QString::fromUtf8(f.readAll());
  if (process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::CrashExit)
    text += QStringLiteral("(the program crashed)\n");
  else if (process.state() == QProcess::NotRunning)
    text += QStringLiteral("(the program exited with %1)\n").arg(process.exitCode());
  return text;
}

int Harness::logCount(const QString &text) const { return int(log().count(text)); }

bool Harness::waitFor(const std::function<bool()> &condition, int limitMs) {
  for (int waited = 0; waited < limitMs; waited += 50) {
    if (condition())
      return true;
    pause(50);
  }
  return condition();
}

void Harness::pause(int ms) {
  QCoreApplication::processEvents();
  QThread::msleep(ms);
}

} // namespace kernelbed
