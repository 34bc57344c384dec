// Shared set-up for tests: a private working directory with a modules/ tree
// and the virtual mouse configured to match its device list.
#pragma once

#include "device/hid_thread.h"
#include "vmouse.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtGlobal>

#include <mutex>

namespace testsupport {

// Lines of the shipped device entry, for tests that write their own lists.
inline QString deviceEntry(int index, const vmouse::Config &c) {
  return QStringLiteral("[%1]\ntype=1\nvid=%2\npid=%3\nusagePage=%4\nusage=%5\n"
                        "usagePage2=%6\nusage2=%7\nreportLength=%8\nisEncode=%9\nsCode=%10\n")
      .arg(index)
      .arg(c.vid, 4, 16, QLatin1Char('0'))
      .arg(c.pid, 4, 16, QLatin1Char('0'))
      .arg(c.usagePage, 4, 16, QLatin1Char('0'))
      .arg(c.usage, 4, 16, QLatin1Char('0'))
      .arg(c.usagePage2, 4, 16, QLatin1Char('0'))
      .arg(c.usage2, 4, 16, QLatin1Char('0'))
      .arg(c.reportLength)
      .arg(c.isEncode ? "true" : "false")
      .arg(QString::fromStdString(c.sCode));
}

inline int rewrites = 0;

// Writes a file as another program would, with a fresh time stamp so that
// Qt's INI cache sees it as new even within the same second.
inline void writeFile(const QString &path, const QByteArray &text) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text);
  f.flush();
  f.setFileTime(QDateTime::currentDateTime().addSecs(++rewrites),
                QFileDevice::FileModificationTime);
}

inline QByteArray readFile(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A temporary working directory holding modules/setting/apConfig.bin.
class WorkDir {
public:
  WorkDir() : previous(QDir::currentPath()) {
    QDir(dir.path()).mkpath(QStringLiteral("modules/setting"));
    QDir::setCurrent(dir.path());
  }
  ~WorkDir() { QDir::setCurrent(previous); }

  void writeConfig(const QString &text) {
    writeFile(QStringLiteral("modules/setting/apConfig.bin"), text.toUtf8());
  }
  // One device entry matching the virtual mouse's configuration.
  void writeDeviceList(const vmouse::Config &c, const QString &extra = {}) {
    writeConfig(QStringLiteral("[common]\ndeviceCount=1\n") + deviceEntry(0, c) + extra);
  }
  QString path() const { return dir.path(); }

private:
  QTemporaryDir dir;
  QString previous;
};

// Configures the virtual mouse, writes its device list and handshakes the
// link; the trace and the command log then start empty.
inline void connectLink(Hid_Thread &link, WorkDir &dir, const vmouse::Config &c) {
  vmouse::configure(c);
  dir.writeDeviceList(c);
  link.loadDeviceList();
  link.discoverInterfaces();
  QVERIFY(link.chkDeviceIsEnCode(0));
  vmouse::clearTrace();
  vmouse::clearCommands();
}

// Trace lines whose op is one of ops.
inline QStringList traceOf(std::initializer_list<const char *> ops) {
  QStringList out;
  for (const std::string &line : vmouse::trace()) {
    const QString l = QString::fromStdString(line);
    for (const char *op : ops)
      if (l == QLatin1String(op) || l.startsWith(QLatin1String(op) + QLatin1Char(' ')))
        out << l;
  }
  return out;
}

inline QString hex(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex(' ')); }

// The command blocks the virtual mouse received, in order, as hex.
inline QStringList sentBlocks() {
  QStringList out;
  for (const vmouse::Command &c : vmouse::commands())
    out << hex(QByteArray(reinterpret_cast<const char *>(c.block.data()), int(c.block.size())));
  return out;
}

// Every logged line since the last capture() start; qDebug output is the
// program's failure channel, so tests read it back from here.
inline QStringList messages;
inline std::mutex messagesMutex;

inline void collectMessage(QtMsgType, const QMessageLogContext &, const QString &text) {
  // Lines from the report watch thread join on the GUI thread, so the
  // list is only ever touched by the thread the checks run on. Posting under
  // a mutex the call takes again makes Qt's hand-over visible to
  // ThreadSanitizer.
  QCoreApplication *app = QCoreApplication::instance();
  if (app && QThread::currentThread() != app->thread()) {
    std::lock_guard lock(messagesMutex);
    QMetaObject::invokeMethod(
        app,
        [text] {
          std::lock_guard lock(messagesMutex);
          messages << text;
        },
        Qt::QueuedConnection);
    return;
  }
  messages << text;
}

inline void captureMessages() {
  messages.clear();
  qInstallMessageHandler(collectMessage);
}

} // namespace testsupport
