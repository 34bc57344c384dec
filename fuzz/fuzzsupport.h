// What the fuzz targets share: one Qt application for the whole run, a
// private working directory with a modules/ tree, and file writes that Qt's
// settings cache always sees as new.
#pragma once

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A finding: libFuzzer keeps the input that led here.
#define FUZZ_CHECK(condition)                                                                      \
  do {                                                                                             \
    if (!(condition)) {                                                                            \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);          \
      std::abort();                                                                                \
    }                                                                                              \
  } while (0)

inline void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

// Becomes the current directory for the whole run.
inline void setUp() {
  static int argc = 1;
  static char name[] = "fuzz";
  static char *argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  static QTemporaryDir dir;
  QDir(dir.path()).mkpath(QStringLiteral("modules/setting"));
  QDir(dir.path()).mkpath(QStringLiteral("modules/i18n"));
  QDir(dir.path()).mkpath(QStringLiteral("modules/macro"));
  QDir::setCurrent(dir.path());
  // The failure lines of millions of inputs would drown the fuzzer's output.
  if (qEnvironmentVariableIsEmpty("FUZZ_VERBOSE"))
    qInstallMessageHandler(quiet);
}

// Qt caches settings files by size and time stamp: each rewrite gets a
// later stamp so that it is read again.
inline void writeFile(const QString &path, const uint8_t *data, size_t size) {
  static int rewrites = 0;
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    std::abort();
  f.write(reinterpret_cast<const char *>(data), qint64(size));
  f.flush();
  f.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000).addSecs(++rewrites),
                QFileDevice::FileModificationTime);
}

} // namespace fuzz
