// Gun presets in their file, the per-profile sensitivity and gun selection,
// and sending a gun slot to the device.
#include "shell/myqquickview.h"

#include "device/hid_thread.h"

#include <QDebug>
#include <QFile>

namespace {

const QString gunFile = QStringLiteral("./modules/gun/gunData.bin");
const QString gunGroup = QStringLiteral("gunData");

// An empty part would address the whole group (removing every preset), and
// a separator would address a subgroup that the key list never shows.
bool isPresetKey(const QString &part, const char *operation) {
  if (!part.isEmpty() && !part.contains(QLatin1Char('/')) && !part.contains(QLatin1Char('\\')))
    return true;
  qDebug().noquote() << operation << "refused: not a preset name:" << part;
  return false;
}

bool hasLength(const QVariantList &list, int expected, const char *operation) {
  if (list.size() == expected)
    return true;
  qDebug().noquote() << operation << "refused:" << expected << "values expected, got"
                     << list.size();
  return false;
}

QString presetKey(const QString &part) { return gunGroup + QLatin1Char('/') + part; }

void syncOrLog(QSettings &file, const char *operation) {
  file.sync();
  if (file.status() != QSettings::NoError)
    qDebug().noquote() << operation << "failed: cannot write" << file.fileName();
}

uchar lowByte(const QVariant &value) { return uchar(value.toLongLong() & 0xFF); }

} // namespace

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6) {
  if (!QFile::exists(gunFile))
    return;
  const QString name = index.toString();
  if (!isPresetKey(name, "mouseSaveGundata") || !hasLength(src6, 6, "mouseSaveGundata"))
    return;
  QSettings file(gunFile, QSettings::IniFormat);
  file.setValue(presetKey(name), src6);
  syncOrLog(file, "mouseSaveGundata");
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6) {
  if (!QFile::exists(gunFile))
    return;
  const int type = modifyType.toInt();
  if (type == 0) {
    if (src6.isEmpty()) {
      qDebug().noquote() << "modifyGundata refused: no preset name";
      return;
    }
    const QString name = src6.at(0).toString();
    if (!isPresetKey(name, "modifyGundata"))
      return;
    QSettings file(gunFile, QSettings::IniFormat);
    file.remove(presetKey(name));
    syncOrLog(file, "modifyGundata");
  } else if (type == 1) {
    if (!hasLength(src6, 7, "modifyGundata"))
      return;
    const QString name = src6.at(0).toString();
    const QString oldName = src6.at(6).toString();
    if (!isPresetKey(name, "modifyGundata") || !isPresetKey(oldName, "modifyGundata"))
      return;
    QSettings file(gunFile, QSettings::IniFormat);
    file.remove(presetKey(oldName));
    file.setValue(presetKey(name), src6.mid(1, 5));
    syncOrLog(file, "modifyGundata");
  }
}

QVariantList myQQuickView::getGunData(QVariant name) {
  if (!QFile::exists(gunFile))
    return {};
  const QSettings file(gunFile, QSettings::IniFormat);
  const QVariant value = file.value(presetKey(name.toString()));
  // A single plain value is not a preset.
  const int type = value.typeId();
  if (type == QMetaType::QStringList || type == QMetaType::QVariantList)
    return value.toList();
  return {};
}

QStringList myQQuickView::getGunDataKey() {
  if (!QFile::exists(gunFile))
    return {};
  QSettings file(gunFile, QSettings::IniFormat);
  file.beginGroup(gunGroup);
  return file.childKeys();
}

QVariant myQQuickView::getXYSensitive(QVariant index) {
  return currentProfileSettings()->value(QStringLiteral("XYSensitive/") + index.toString(), 4);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData) {
  currentProfileSettings()->setValue(QStringLiteral("XYSensitive/") + index.toString(), xyData);
}

QVariant myQQuickView::getselectGun(QVariant index) {
  return currentProfileSettings()->value(QStringLiteral("selectGun/") + index.toString(),
                                         QStringLiteral(""));
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData) {
  currentProfileSettings()->setValue(QStringLiteral("selectGun/") + index.toString(), xyData);
}

void myQQuickView::mouseSendGundata(int slot, QVariantList values) {
  if (!isGun)
    return;
  if (slot < 1 || slot > 3) {
    qDebug().noquote() << "mouseSendGundata refused: gun slot" << slot << "is not 1 to 3";
    return;
  }
  if (!hasLength(values, 3, "mouseSendGundata"))
    return;
  if (!link) {
    qDebug() << "mouseSendGundata: no device link";
    return;
  }
  const uchar times = lowByte(values.at(0));
  const uchar x = lowByte(values.at(1));
  uchar y = lowByte(values.at(2));
  if (is560()) {
    ProfileBlock &block = profileBlocks[size_t(slot + 1)];
    block[65] &= uchar(~0x04);
    block[78] = 0xF0;
    block[79] = times;
    block[80] = x;
    block[81] = y;
    link->hid560_0CH_setProfile(block.data(), uchar(slot + 1));
    return;
  }
  // A failed read leaves the bytes at 0, so y then keeps its sign.
  uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
  link->hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
  if (byte3 != 0)
    y = uchar(-y);
  link->hid553_04H_SetGunData(times, x, y, uchar(slot - 1));
}
