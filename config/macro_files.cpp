#include "macro_files.h"

#include "file_replace.h"
#include "macro_path.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

// QSettings writes through a temporary file and a rename, so a failed or
// interrupted sync leaves the previous file whole.
bool syncOk(QSettings &file, const char *operation) {
  file.sync();
  if (file.status() == QSettings::NoError)
    return true;
  qDebug().noquote() << operation << "failed: cannot write" << file.fileName();
  return false;
}

} // namespace

QString MacroFiles::path(const QString &name) const {
  return dir + QLatin1Char('/') + name + QStringLiteral(".bin");
}

bool MacroFiles::create(const QString &name, uint index) {
  if (!isSafeMacroName(name, "createMacroIni"))
    return false;
  // A new macro never takes the place of one that exists: its events would
  // be lost with the header.
  if (QFile::exists(path(name))) {
    qDebug().noquote() << "createMacroIni refused:" << name << "exists already";
    return false;
  }
  QDir().mkpath(dir);
  QSettings file(path(name), QSettings::IniFormat);
  file.setValue(QStringLiteral("config/index"), index);
  file.setValue(QStringLiteral("config/total"), 0);
  file.setValue(QStringLiteral("config/repeat"), 1);
  file.setValue(QStringLiteral("config/did"), -1);
  return syncOk(file, "createMacroIni");
}

bool MacroFiles::save(const QString &name, const QStringList &events, const QVariant &repeat) {
  if (!isSafeMacroName(name, "saveMacroIni") || !QFile::exists(path(name)))
    return false;
  QSettings file(path(name), QSettings::IniFormat);
  file.remove(QStringLiteral("macro"));
  file.setValue(QStringLiteral("config/total"), int(events.size()));
  file.setValue(QStringLiteral("config/repeat"), repeat);
  for (int i = 0; i < events.size(); ++i)
    file.setValue(QStringLiteral("macro/") + QString::number(i), events.at(i));
  return syncOk(file, "saveMacroIni");
}

QStringList MacroFiles::load(const QString &name) const {
  if (!isSafeMacroName(name, "loadMacroIni") || !QFile::exists(path(name)))
    return {};
  QSettings file(path(name), QSettings::IniFormat);
  int total = file.value(QStringLiteral("config/total")).toInt();
  if (total > maxMacroEvents) {
    qDebug().noquote() << "loadMacroIni:" << name << "claims" << total << "events, reading"
                       << maxMacroEvents;
    total = maxMacroEvents;
  }
  QStringList events;
  for (int i = 0; i < total; ++i)
    events << file.value(QStringLiteral("macro/") + QString::number(i), QStringLiteral("0"))
                  .toString();
  events << file.value(QStringLiteral("config/repeat"), QStringLiteral("0")).toString();
  return events;
}

bool MacroFiles::remove(const QString &name) {
  return isSafeMacroName(name, "deleteMacroIni") && QFile::remove(path(name));
}

bool MacroFiles::rename(const QString &from, const QString &to) {
  if (!isSafeMacroName(from, "modifyMacroNameUpdateProfile") ||
      !isSafeMacroName(to, "modifyMacroNameUpdateProfile"))
    return false;
  if (!QFile::exists(path(from)))
    return false;
  if (QFile::exists(path(to))) {
    qDebug().noquote() << "modifyMacroNameUpdateProfile refused:" << to << "exists already";
    return false;
  }
  if (!QFile::rename(path(from), path(to))) {
    qDebug().noquote() << "modifyMacroNameUpdateProfile: cannot rename" << from << "to" << to;
    return false;
  }
  return true;
}

bool MacroFiles::importFrom(const QString &name, const QString &file) {
  const QString target = path(name);
  // An existing macro is never overwritten; false lets the editor create
  // an empty one instead, as on cancel.
  if (QFile::exists(target)) {
    qDebug().noquote() << "loadMacroFile refused:" << name << "exists already";
    return false;
  }
  QDir().mkpath(dir);
  return replaceFileWithCopy(file, target);
}

bool MacroFiles::exists(const QString &name, const char *operation) const {
  if (QFile::exists(path(name)))
    return true;
  qDebug().noquote() << QLatin1String(operation) + QLatin1Char(':') << "no macro" << name;
  return false;
}

bool MacroFiles::exportTo(const QString &name, const QString &file) const {
  // The old file stays whole until the copy is complete.
  return replaceFileWithCopy(path(name), file);
}
