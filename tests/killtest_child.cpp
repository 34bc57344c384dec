// Started by tst_faults and killed at a random point: repeats one file
// operation of the view until then. Before its loop it stores every content
// the operation's files may validly hold under expected/<file>/, then
// writes "ready".
#include "platform/messagebox.h"
#include "shell/myqquickview.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QSettings>

#include <cstdio>
#include <functional>

namespace {

const QString macroFile = QStringLiteral("modules/macro/m.bin");
const QString exportFile = QStringLiteral("export/m.bin");
const QString globalFile = QStringLiteral("modules/setting/apConfig.bin");

// Stores the content of source as a valid content of file, named by its
// hash, so a later start records nothing twice.
void record(const QString &file, const QString &source = {}) {
  QFile in(source.isEmpty() ? file : source);
  if (!in.open(QIODevice::ReadOnly))
    qFatal("cannot record %s", qPrintable(file));
  const QByteArray content = in.readAll();
  const QString dir = QStringLiteral("expected/") + file;
  QDir().mkpath(dir);
  QFile out(
      dir + QLatin1Char('/') +
      QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha1).toHex()));
  if (!out.exists() && (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size()))
    qFatal("cannot record %s", qPrintable(file));
}

// Two macros of different lengths: a torn write of one cannot pass as the
// other.
QStringList macroVariant(int n) {
  QStringList events;
  for (int i = 0; i < (n % 2 ? 120 : 30); ++i)
    events << QStringLiteral("%1, %2, 0").arg(i % 2 ? 3 : 1).arg(n % 2 ? 4 + i : 50);
  return events;
}

struct Operation {
  std::function<void(myQQuickView &)> prepare; // records the variants
  std::function<void(myQQuickView &, int)> step;
};

QString profileFile(int profile) {
  return QStringLiteral("modules/setting/p%1.bin").arg(profile + 1);
}

// A profile replaced again and again by a copy of source. Each step first
// writes its round into the profile, which the replacement syncs to the old
// file: the valid contents are the source and the source with either round.
Operation profileReplacement(int profile, const QString &source,
                             std::function<void(myQQuickView &)> replace) {
  return {[=](myQQuickView &view) {
            replace(view);
            record(profileFile(profile));
            for (int n = 0; n < 2; ++n) {
              const QString variant = QStringLiteral("variant.bin");
              QFile::remove(variant);
              QFile::copy(source, variant);
              QSettings(variant, QSettings::IniFormat).setValue(QStringLiteral("kill/round"), n);
              record(profileFile(profile), variant);
            }
          },
          [=](myQQuickView &view, int n) {
            view.setCurrentProfile(profile);
            view.setData(QStringLiteral("kill/round"), n % 2);
            replace(view);
          }};
}

// One entry per operation the test's kill table names.
QMap<QString, Operation> operations() {
  QMap<QString, Operation> ops;
  ops[QStringLiteral("saveMacroIni")] = {
      [](myQQuickView &view) {
        view.createMacroIni(QStringLiteral("m"), 1);
        for (int n = 0; n < 4; ++n) {
          view.saveMacroIni(QStringLiteral("m"), macroVariant(n), n + 1);
          record(macroFile);
        }
      },
      [](myQQuickView &view, int n) {
        view.saveMacroIni(QStringLiteral("m"), macroVariant(n), n % 4 + 1);
      }};
  ops[QStringLiteral("saveMacroFile")] = {
      [](myQQuickView &view) {
        view.createMacroIni(QStringLiteral("m"), 1);
        for (int n = 0; n < 4; ++n) {
          view.saveMacroIni(QStringLiteral("m"), macroVariant(n), n + 1);
          record(macroFile);
          view.saveMacroFile(QStringLiteral("m"));
          record(exportFile);
        }
      },
      [](myQQuickView &view, int n) {
        view.saveMacroIni(QStringLiteral("m"), macroVariant(n), n % 4 + 1);
        view.saveMacroFile(QStringLiteral("m"));
      }};
  ops[QStringLiteral("resetApconfig")] = {
      [](myQQuickView &view) {
        record(globalFile);
        view.resetApconfig();
        record(globalFile);
        // The factory copy with the round written into it, as the sync
        // before the next replacement leaves it.
        for (int n = 0; n < 2; ++n) {
          const QString variant = QStringLiteral("variant.bin");
          QFile::remove(variant);
          QFile::copy(globalFile, variant);
          QSettings(variant, QSettings::IniFormat).setValue(QStringLiteral("kill/round"), n);
          record(globalFile, variant);
        }
      },
      [](myQQuickView &view, int n) {
        view.setGlobalData(QStringLiteral("kill/round"), n % 2);
        view.resetApconfig();
      }};
  ops[QStringLiteral("resetProfile")] =
      profileReplacement(2, QStringLiteral("modules/setting/pD.bin"),
                         [](myQQuickView &view) { view.resetProfile(2); });
  ops[QStringLiteral("copyProfile")] = {
      [](myQQuickView &view) {
        view.setCurrentProfile(4);
        view.setData(QStringLiteral("kill/source"), 5);
        const Operation copy =
            profileReplacement(1, profileFile(4), [](myQQuickView &v) { v.copyProfile(1, 4); });
        copy.prepare(view);
      },
      profileReplacement(1, profileFile(4), [](myQQuickView &v) { v.copyProfile(1, 4); }).step};
  ops[QStringLiteral("loadProfile")] = {
      [](myQQuickView &view) {
        QFile::remove(exportFile);
        QFile::copy(QStringLiteral("modules/setting/pD.bin"), exportFile);
        // Imports take only profiles: the mark sits in a key profiles have.
        QSettings(exportFile, QSettings::IniFormat)
            .setValue(QStringLiteral("mouseMacroKey/kill"), QStringLiteral("import"));
        profileReplacement(1, exportFile, [](myQQuickView &v) { v.loadProfile(1); }).prepare(view);
      },
      profileReplacement(1, exportFile, [](myQQuickView &v) { v.loadProfile(1); }).step};
  return ops;
}

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QMap<QString, Operation> ops = operations();
  const auto op = ops.find(app.arguments().value(1));
  if (op == ops.end()) {
    std::fprintf(stderr, "killtest_child: unknown operation\n");
    return 2;
  }
  const QString exportPath = QDir::current().absoluteFilePath(exportFile);
  myQQuickView::setFileDialogHook(
      [exportPath](bool, QString, QString, QString) { return exportPath; });
  // Questions are agreed to and notices taken, with no modal loop.
  platform::setMessageBoxRecorder(
      [](const platform::MessageBoxRequest &) { return QMessageBox::Yes; });
  myQQuickView view(nullptr);
  op->prepare(view);
  std::printf("ready\n");
  std::fflush(stdout);
  // Never outlives a test that died before killing it.
  QElapsedTimer alive;
  alive.start();
  for (int n = 0; alive.elapsed() < 120000; ++n)
    op->step(view, n);
  return 0;
}
