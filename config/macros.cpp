// Macro files: create, save, load, delete, and sending a macro's bytes.
#include "shell/myqquickview.h"

#include "device/hid_thread.h"
#include "macro_limits.h"
#include "macro_path.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <array>

namespace {

constexpr int macroBlockSize = macro_limits::blockSize;
constexpr int maxMacroEvents = macro_limits::maxEvents;
constexpr uint deviceMacroSlots = 12;

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

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex) {
  const QString macro = name.toString();
  if (!isSafeMacroName(macro, "createMacroIni"))
    return false;
  // A new macro never takes the place of one that exists: its events would
  // be lost with the header.
  if (QFile::exists(macroFilePath(macro))) {
    qDebug().noquote() << "createMacroIni refused:" << macro << "exists already";
    return false;
  }
  QDir().mkpath(QStringLiteral("./modules/macro"));
  QSettings file(macroFilePath(macro), QSettings::IniFormat);
  file.setValue(QStringLiteral("config/index"), macroIndex.toUInt());
  file.setValue(QStringLiteral("config/total"), 0);
  file.setValue(QStringLiteral("config/repeat"), 1);
  file.setValue(QStringLiteral("config/did"), -1);
  return syncOk(file, "createMacroIni");
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macros, QVariant repeat) {
  const QString macro = name.toString();
  if (!isSafeMacroName(macro, "saveMacroIni") || !QFile::exists(macroFilePath(macro)))
    return false;
  QSettings file(macroFilePath(macro), QSettings::IniFormat);
  file.remove(QStringLiteral("macro"));
  file.setValue(QStringLiteral("config/total"), int(macros.size()));
  file.setValue(QStringLiteral("config/repeat"), repeat);
  for (int i = 0; i < macros.size(); ++i)
    file.setValue(QStringLiteral("macro/") + QString::number(i), macros.at(i));
  return syncOk(file, "saveMacroIni");
}

QStringList myQQuickView::loadMacroIni(QVariant name) {
  const QString macro = name.toString();
  if (!isSafeMacroName(macro, "loadMacroIni") || !QFile::exists(macroFilePath(macro)))
    return {};
  QSettings file(macroFilePath(macro), QSettings::IniFormat);
  int total = file.value(QStringLiteral("config/total")).toInt();
  if (total > maxMacroEvents) {
    qDebug().noquote() << "loadMacroIni:" << macro << "claims" << total << "events, reading"
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

QVariant myQQuickView::deleteMacroIni(QVariant name) {
  const QString macro = name.toString();
  if (!isSafeMacroName(macro, "deleteMacroIni"))
    return false;
  return QFile::remove(macroFilePath(macro));
}

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex) {
  // Checked before narrowing, so an index of 256 never reaches macro 1.
  const uint index = macroIndex.toUInt();
  if (index >= deviceMacroSlots)
    return true;
  if (macroData.size() > macroBlockSize)
    qDebug().noquote() << "mouseSendMacroData: macro of" << macroData.size() << "bytes cut to"
                       << macroBlockSize;
  std::array<uchar, macroBlockSize> block{};
  for (int i = 0; i < macroData.size() && i < macroBlockSize; ++i)
    block[size_t(i)] = uchar(macroData.at(i).toLongLong() & 0xFF);
  if (!link) {
    qDebug() << "mouseSendMacroData: no device link";
    return true;
  }
  const uchar macroId = uchar(index + 1);
  if (icType == QLatin1String("560"))
    link->hid560_0FH_SetMacroKey(macroId, block.data());
  else
    link->hid553_13H_SetMacroKey(macroId, block.data());
  return true;
}
