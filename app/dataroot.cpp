#include "dataroot.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool writableDir(const QString &path) {
  const QFileInfo info(path);
  return info.isDir() && info.isWritable();
}

QString factoryTree(const QString &appDir) {
  const QString installed =
      QDir(appDir).absoluteFilePath(QStringLiteral("../share/norvane/modules"));
  if (QFileInfo(installed).isDir())
    return QDir::cleanPath(installed);
  return QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                QStringLiteral("norvane/modules"), QStandardPaths::LocateDirectory);
}

} // namespace

bool seedDataRoot(const QString &root, const QString &factoryModules) {
  const QDir target(QDir(root).filePath(QStringLiteral("modules")));
  if (!target.mkpath(QStringLiteral(".")))
    return false;
  bool ok = true;
  QDirIterator it(factoryModules, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString from = it.next();
    const QString relative = QDir(factoryModules).relativeFilePath(from);
    const QString to = target.filePath(relative);
    if (it.fileInfo().isDir()) {
      ok = target.mkpath(relative) && ok;
      continue;
    }
    if (QFileInfo::exists(to))
      continue;
    target.mkpath(QFileInfo(relative).path());
    if (!QFile::copy(from, to)) {
      qWarning() << "Cannot seed" << to << "from" << from;
      ok = false;
      continue;
    }
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                  QFile::ReadOther);
  }
  return ok;
}

QString chooseDataRoot(const QString &appDir) {
  if (writableDir(QDir(appDir).filePath(QStringLiteral("modules/setting"))))
    return appDir;
  const QString factory = factoryTree(appDir);
  const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (factory.isEmpty() || user.isEmpty() || !seedDataRoot(user, factory)) {
    // Settings could not be kept per user; run on what is beside the
    // executable rather than not at all.
    qWarning() << "Per-user data folder unavailable; using" << appDir;
    return appDir;
  }
  return user;
}

QString findDataRoot(const QString &appDir, const QString &userRoot) {
  if (writableDir(QDir(appDir).filePath(QStringLiteral("modules/setting"))))
    return appDir;
  if (QFileInfo::exists(QDir(userRoot).filePath(QStringLiteral("modules/setting/apConfig.bin"))))
    return userRoot;
  const QString factory = factoryTree(appDir);
  return factory.isEmpty() ? appDir : QFileInfo(factory).path();
}
