// The name lists of macros, gun presets, profiles and the gun selection.
#include "shell/myqquickview.h"

#include <QDebug>

namespace {

const QString nameFile = QStringLiteral("./modules/setting/name.bin");
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

QVariantList myQQuickView::getNameList(QVariant type) {
  const QString key = nameListKey(type.toInt());
  if (key.isEmpty())
    return {};
  const QVariant value = QSettings(nameFile, QSettings::IniFormat).value(key);
  if (value.typeId() == QMetaType::QString) {
    // One name written by hand, without the pad.
    const QString single = value.toString();
    return single.isEmpty() ? QVariantList() : QVariantList{single};
  }
  // The pad stays: the pages drop it themselves.
  return value.toList();
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList) {
  const QString key = nameListKey(type.toInt());
  if (key.isEmpty())
    return true;
  QSettings file(nameFile, QSettings::IniFormat);
  if (nameList.isEmpty())
    file.remove(key);
  else if (nameList.size() == 1)
    file.setValue(key, QStringList{nameList.first(), listPad});
  else
    file.setValue(key, nameList);
  file.sync();
  if (file.status() != QSettings::NoError) {
    qDebug().noquote() << "updataNameList failed: cannot write" << nameFile;
    return false;
  }
  return true;
}
