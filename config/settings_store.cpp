// Generic reads and writes of the configuration files, the current profile
// and the replacement of a settings file by its factory copy.
#include "shell/myqquickview.h"

#include "file_replace.h"

#include <QDebug>
#include <QJSValue>

namespace {

const QString factoryGlobalConfigFile = QStringLiteral("./modules/setting/apConfigD.bin");

// A list written with one item reads back as a plain string, which is not a
// list; only values stored as lists convert.
QVariantList asList(const QVariant &value) {
  const int type = value.typeId();
  if (type == QMetaType::QStringList || type == QMetaType::QVariantList)
    return value.toList();
  return {};
}

// The interface hands JavaScript arrays and objects over wrapped as a
// QJSValue, which QSettings cannot write; they are stored as plain values.
QVariant plainValue(const QVariant &value) {
  if (value.metaType() == QMetaType::fromType<QJSValue>())
    return value.value<QJSValue>().toVariant();
  return value;
}

} // namespace

QVariant myQQuickView::getData(QVariant key, bool isRecovery) {
  return profileSource(isRecovery)->value(key.toString());
}

QVariant myQQuickView::getGlobalData(QVariant key) { return globalConfig->value(key.toString()); }

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery) {
  return asList(profileSource(isRecovery)->value(key.toString()));
}

void myQQuickView::setData(QVariant key, QVariant data) {
  currentProfileSettings()->setValue(key.toString(), plainValue(data));
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata) {
  globalConfig->setValue(key.toString(), plainValue(tmpdata));
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist) {
  currentProfileSettings()->setValue(key.toString(), datalist);
}

void myQQuickView::setCurrentProfile(int profile) {
  if (profile < 0 || profile >= profileList.size()) {
    qDebug().noquote() << "setCurrentProfile refused:" << profile << "is not a profile (0 to"
                       << QString::number(profileList.size() - 1) + ")";
    return;
  }
  currentProfile = profile;
}

void myQQuickView::resetApconfig() {
  // The four device flags keep the values read at start.
  replaceSettingsFile(globalConfig, factoryGlobalConfigFile);
}

bool myQQuickView::replaceSettingsFile(QSettings *&handle, const QString &source) {
  // Pending writes go to the old file first, so none can reach the
  // replacement later and none are lost if the replacement fails.
  handle->sync();
  const QString target = handle->fileName();
  if (!replaceFileWithCopy(source, target))
    return false;
  // Released at once rather than later: a second live handle on the same
  // file would share Qt's cache with the new one.
  delete handle;
  handle = new QSettings(target, QSettings::IniFormat);
  return true;
}
