#include "file_replace.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool refuse(const QString &source, const QString &target, const QString &why) {
  qDebug().noquote() << "Cannot replace" << target << "with" << source + ":" << why;
  return false;
}

} // namespace

bool replaceFileWithCopy(const QString &source, const QString &target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly))
    return refuse(source, target, in.errorString());
  const QByteArray content = in.readAll();
  if (in.error() != QFileDevice::NoError)
    return refuse(source, target, in.errorString());

  // Qt's settings cache takes a file of the same size and time stamp as
  // unchanged, so the replacement must never carry the old file's stamp.
  const QFileInfo old(target);
  QDateTime stamp = QDateTime::currentDateTime();
  if (old.exists() && stamp <= old.lastModified())
    stamp = old.lastModified().addMSecs(1);

  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly))
    return refuse(source, target, out.errorString());
  if (out.write(content) != content.size() || !out.flush() ||
      !out.setFileTime(stamp, QFileDevice::FileModificationTime)) {
    const QString why = out.errorString();
    out.cancelWriting();
    return refuse(source, target, why);
  }
  if (!out.commit())
    return refuse(source, target, out.errorString());
  return true;
}
