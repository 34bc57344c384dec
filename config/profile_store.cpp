#include "profile_store.h"

#include "file_replace.h"

#include <QDebug>

namespace {

std::unique_ptr<QSettings> open(const QString &file) {
  return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace

ProfileStore::ProfileStore(const QString &dir)
    : dir(dir), globalConfig(open(dir + QStringLiteral("/apConfig.bin"))),
      defaultProfile(open(dir + QStringLiteral("/pD.bin"))) {
  for (int i = 0; i < profileCount; ++i)
    profiles[size_t(i)] = open(dir + QStringLiteral("/p%1.bin").arg(i + 1));
}

ProfileStore::~ProfileStore() = default;

QVariantList ProfileStore::list(const QString &key, bool isRecovery) const {
  const QVariant value = source(isRecovery).value(key);
  const int type = value.typeId();
  if (type == QMetaType::QStringList || type == QMetaType::QVariantList)
    return value.toList();
  return {};
}

bool ProfileStore::isProfile(int index, const char *operation) const {
  if (index >= 0 && index < profileCount)
    return true;
  qDebug().noquote() << operation << "refused: no profile" << index;
  return false;
}

bool ProfileStore::setCurrent(int index) {
  if (index < 0 || index >= profileCount) {
    qDebug().noquote() << "setCurrentProfile refused:" << index << "is not a profile (0 to"
                       << QString::number(profileCount - 1) + ")";
    return false;
  }
  currentProfile = index;
  return true;
}

bool ProfileStore::resetGlobal() {
  return replace(globalConfig, dir + QStringLiteral("/apConfigD.bin"));
}

bool ProfileStore::importProfile(int index, const QString &file) {
  return isProfile(index, "loadProfile") && replace(profiles[size_t(index)], file);
}

bool ProfileStore::exportProfile(int index, const QString &file) {
  if (!isProfile(index, "saveProfile"))
    return false;
  // The export holds what the pages stored, and an existing target stays
  // whole until the copy is complete.
  profile(index).sync();
  return replaceFileWithCopy(profile(index).fileName(), file);
}

bool ProfileStore::resetProfile(int index) {
  return isProfile(index, "resetProfile") &&
         replace(profiles[size_t(index)], dir + QStringLiteral("/pD.bin"));
}

bool ProfileStore::copyProfile(int destination, int source) {
  if (!isProfile(destination, "copyProfile") || !isProfile(source, "copyProfile"))
    return false;
  profile(source).sync();
  return replace(profiles[size_t(destination)], profile(source).fileName());
}

bool ProfileStore::replace(std::unique_ptr<QSettings> &handle, const QString &source) {
  // Pending writes go to the old file first, so none can reach the
  // replacement later and none are lost if the replacement fails.
  handle->sync();
  const QString target = handle->fileName();
  if (!replaceFileWithCopy(source, target))
    return false;
  // Released before the new handle opens: a second live handle on the same
  // file would share Qt's cache with the new one.
  handle.reset();
  handle = open(target);
  return true;
}
