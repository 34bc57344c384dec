#include "profile_check.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// Real profiles are a few kilobytes; anything far larger is not one.
constexpr qint64 maxProfileBytes = 256 * 1024;

struct Range {
  int low;
  int high;
};

// A key's allowed integers; keys without a rule hold bytes.
Range rangeOf(const QString &key) {
  if (key == QLatin1String("mouse/dpiValueArray"))
    return {1, 65535};
  if (key == QLatin1String("mouse/dpiCount") || key == QLatin1String("mouse/currentDpiCount"))
    return {1, 8};
  if (key == QLatin1String("mouse/scrollRate"))
    return {1, 100};
  if (key == QLatin1String("mouse/mouseRate") || key == QLatin1String("mouse/doubleRate"))
    return {0, 1000};
  return {0, 255};
}

bool isIntIn(const QVariant &value, Range range) {
  bool ok = false;
  const int n = value.toString().trimmed().toInt(&ok);
  return ok && n >= range.low && n <= range.high;
}

// Lists keep the factory's length; a lone value reads back as a string.
bool isValid(const QString &key, const QVariant &value, const QVariant &factoryValue) {
  if (key.startsWith(QLatin1String("selectGun/")))
    return value.typeId() == QMetaType::QString;
  const Range range = rangeOf(key);
  if (factoryValue.typeId() == QMetaType::QStringList) {
    const QStringList items = value.toStringList();
    if (value.typeId() != QMetaType::QStringList ||
        items.size() != factoryValue.toStringList().size())
      return false;
    for (const QString &item : items)
      if (!isIntIn(item, range))
        return false;
    return true;
  }
  if (value.typeId() != QMetaType::QString || !isIntIn(value, range))
    return false;
  return key != QLatin1String("mouse/reportRate") ||
         QList<int>{1, 2, 4, 8}.contains(value.toString().trimmed().toInt());
}

// Keys the pages add beyond the factory set.
bool isExtraKey(const QString &key, const QVariant &value) {
  if (key.startsWith(QLatin1String("mouseMacroKey/")))
    return value.typeId() == QMetaType::QString && !value.toString().contains(QLatin1Char('/'));
  if (key.startsWith(QLatin1String("XYSensitive/")))
    return isIntIn(value, {0, 255});
  if (key.startsWith(QLatin1String("selectGun/")))
    return value.typeId() == QMetaType::QString;
  return false;
}

} // namespace

bool isProfileFile(const QString &file, const QSettings &factory) {
  const QFileInfo info(file);
  if (!info.isFile() || !info.isReadable() || info.size() == 0 || info.size() > maxProfileBytes)
    return false;
  const QSettings candidate(file, QSettings::IniFormat);
  if (candidate.status() != QSettings::NoError)
    return false;
  const QStringList factoryKeys = factory.allKeys();
  if (factoryKeys.isEmpty())
    return false;
  for (const QString &key : factoryKeys)
    if (!candidate.contains(key) || !isValid(key, candidate.value(key), factory.value(key)))
      return false;
  for (const QString &key : candidate.allKeys())
    if (!factory.contains(key) && !isExtraKey(key, candidate.value(key)))
      return false;
  return true;
}
