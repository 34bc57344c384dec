#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The gun presets file: named presets of five values under "gunData/".
// Without the file every call does nothing and reads give empty results.
class GunPresets {
public:
  explicit GunPresets(const QString &file = QStringLiteral("./modules/gun/gunData.bin"))
      : file(file) {}

  // Stores the six values under name.
  void save(const QString &name, const QVariantList &src6);
  // Type 0 removes the preset named by src6[0]; type 1 renames src6[6] to
  // src6[0] with the values src6[1..5].
  void modify(int type, const QVariantList &src6);
  QVariantList values(const QString &name) const;
  QStringList names() const;

private:
  QString file;
};

// A profile's sensitivity and gun selection per gun slot.
QVariant gunSensitivity(const QSettings &profile, const QString &index);
void setGunSensitivity(QSettings &profile, const QString &index, const QVariant &value);
QVariant selectedGun(const QSettings &profile, const QString &index);
void setSelectedGun(QSettings &profile, const QString &index, const QVariant &value);

// False, with one debug line naming the operation, unless list has
// expected values.
bool hasGunValues(const QVariantList &list, int expected, const char *operation);
