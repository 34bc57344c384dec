#include "gun_presets.h"

#include <QDebug>
#include <QFile>

namespace {

const QString gunGroup = QStringLiteral("gunData");

// An empty part would address the whole group (removing every preset), and
// a separator would address a subgroup that the key list never shows.
bool isPresetKey(const QString &part, const char *operation) {
  if (!part.isEmpty() && !part.contains(QLatin1Char('/')) && !part.contains(QLatin1Char('\\')))
    return true;
  qDebug().noquote() << operation << "refused: not a preset name:" << part;
  return false;
}

QString presetKey(const QString &part) { return gunGroup + QLatin1Char('/') + part; }

void syncOrLog(QSettings &file, const char *operation) {
  file.sync();
  if (file.status() != QSettings::NoError)
    qDebug().noquote() << operation << "failed: cannot write" << file.fileName();
}

} // namespace

bool hasGunValues(const QVariantList &list, int expected, const char *operation) {
  if (list.size() == expected)
    return true;
  qDebug().noquote() << operation << "refused:" << expected << "values expected, got"
                     << list.size();
  return false;
}

void GunPresets::save(const QString &name, const QVariantList &src6) {
  if (!QFile::exists(file))
    return;
  if (!isPresetKey(name, "mouseSaveGundata") || !hasGunValues(src6, 6, "mouseSaveGundata"))
    return;
  QSettings settings(file, QSettings::IniFormat);
  settings.setValue(presetKey(name), src6);
  syncOrLog(settings, "mouseSaveGundata");
}

void GunPresets::modify(int type, const QVariantList &src6) {
  if (!QFile::exists(file))
    return;
  if (type == 0) {
    if (src6.isEmpty()) {
      qDebug().noquote() << "modifyGundata refused: no preset name";
      return;
    }
    const QString name = src6.at(0).toString();
    if (!isPresetKey(name, "modifyGundata"))
      return;
    QSettings settings(file, QSettings::IniFormat);
    settings.remove(presetKey(name));
    syncOrLog(settings, "modifyGundata");
  } else if (type == 1) {
    if (!hasGunValues(src6, 7, "modifyGundata"))
      return;
    const QString name = src6.at(0).toString();
    const QString oldName = src6.at(6).toString();
    if (!isPresetKey(name, "modifyGundata") || !isPresetKey(oldName, "modifyGundata"))
      return;
    QSettings settings(file, QSettings::IniFormat);
    settings.remove(presetKey(oldName));
    settings.setValue(presetKey(name), src6.mid(1, 5));
    syncOrLog(settings, "modifyGundata");
  }
}

QVariantList GunPresets::values(const QString &name) const {
  if (!QFile::exists(file))
    return {};
  const QSettings settings(file, QSettings::IniFormat);
  const QVariant value = settings.value(presetKey(name));
  // A single plain value is not a preset.
  const int type = value.typeId();
  if (type == QMetaType::QStringList || type == QMetaType::QVariantList)
    return value.toList();
  return {};
}

QStringList GunPresets::names() const {
  if (!QFile::exists(file))
    return {};
  QSettings settings(file, QSettings::IniFormat);
  settings.beginGroup(gunGroup);
  return settings.childKeys();
}

QVariant gunSensitivity(const QSettings &profile, const QString &index) {
  return profile.value(QStringLiteral("XYSensitive/") + index, 4);
}

void setGunSensitivity(QSettings &profile, const QString &index, const QVariant &value) {
  profile.setValue(QStringLiteral("XYSensitive/") + index, value);
}

QVariant selectedGun(const QSettings &profile, const QString &index) {
  return profile.value(QStringLiteral("selectGun/") + index, QStringLiteral(""));
}

void setSelectedGun(QSettings &profile, const QString &index, const QVariant &value) {
  profile.setValue(QStringLiteral("selectGun/") + index, value);
}
