#include "macro_files.h"

#include <QDebug>
#include <QSettings>

namespace {

// Stored after a lone name so that the entry reads back as a list; readers
// drop it.
const QString listPad = QStringLiteral("vornakelpish");

QString nameListKey(int type) {
  switch (type) {
  case 0:
    return QStringLiteral("macro/macroName");
  case 1:
    return QStringLiteral("gun/gunName");
  case 2:
    return QStringLiteral("profile/profileName");
  case 3:
    return QStringLiteral("gun/selectGun");
  default:
    return {};
  }
}

} // namespace

QVariantList NameLists::names(int type) const {
  const QString key = nameListKey(type);
  if (key.isEmpty())
    return {};
  const QVariant value = QSettings(file, QSettings::IniFormat).value(key);
  if (value.typeId() == QMetaType::QString) {
    // One name written by hand, without the pad.
    const QString single = value.toString();
    return single.isEmpty() ? QVariantList() : QVariantList{single};
  }
  // The pad stays: the pages drop it themselves.
  return value.toList();
}

bool NameLists::update(int type, const QStringList &names) {
  const QString key = nameListKey(type);
  if (key.isEmpty())
    return true;
  QSettings settings(file, QSettings::IniFormat);
  if (names.isEmpty())
    settings.remove(key);
  else if (names.size() == 1)
    settings.setValue(key, QStringList{names.first(), listPad});
  else
    settings.setValue(key, names);
  settings.sync();
  if (settings.status() != QSettings::NoError) {
    qDebug().noquote() << "updataNameList failed: cannot write" << file;
    return false;
  }
  return true;
}
