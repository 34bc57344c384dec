// Keeping the profiles' button bindings in step when a macro is renamed or
// deleted. Only the profiles the interface offers (p1 to p6) are visited.
#include "shell/myqquickview.h"

#include "macro_path.h"

#include <QDebug>
#include <QFile>

namespace {

constexpr int boundProfiles = 6;
constexpr int buttons = 16;
constexpr int macroCategory = 4;

} // namespace

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName) {
  const QString macro = macroName.toString();
  for (int p = 0; p < boundProfiles && p < profileList.size(); ++p) {
    QSettings *profile = profileList.at(p);
    bool changed = false;
    for (int k = 0; k < buttons; ++k) {
      const QString matrixKey = QStringLiteral("mouseKeyMatrix/") + QString::number(k);
      const QVariantList entry = profile->value(matrixKey).toList();
      // A short entry cannot name a macro slot.
      if (entry.size() < 3 || entry.at(0).toInt() != macroCategory)
        continue;
      const QString bound =
          profile->value(QStringLiteral("mouseMacroKey/") + entry.at(2).toString()).toString();
      if (bound != macro)
        continue;
      const QVariant factory = defaultProfile->value(matrixKey);
      if (!factory.isValid()) {
        qDebug().noquote() << "deleteMacroUpdateProfile: no factory assignment for" << matrixKey;
        continue;
      }
      profile->setValue(matrixKey, factory);
      changed = true;
    }
    if (changed)
      profile->sync();
  }
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname) {
  const QString from = oldname.toString();
  const QString to = newname.toString();
  if (!isSafeMacroName(from, "modifyMacroNameUpdateProfile") ||
      !isSafeMacroName(to, "modifyMacroNameUpdateProfile"))
    return false;
  if (!QFile::exists(macroFilePath(from)))
    return false;
  // Checked first so that a refused rename leaves the bindings alone.
  if (QFile::exists(macroFilePath(to))) {
    qDebug().noquote() << "modifyMacroNameUpdateProfile refused:" << to << "exists already";
    return false;
  }
  if (!QFile::rename(macroFilePath(from), macroFilePath(to))) {
    qDebug().noquote() << "modifyMacroNameUpdateProfile: cannot rename" << from << "to" << to;
    return false;
  }
  for (int p = 0; p < boundProfiles && p < profileList.size(); ++p) {
    QSettings *profile = profileList.at(p);
    bool changed = false;
    profile->beginGroup(QStringLiteral("mouseMacroKey"));
    const QStringList keys = profile->childKeys();
    for (const QString &key : keys) {
      if (profile->value(key).toString() == from) {
        profile->setValue(key, to);
        changed = true;
      }
    }
    profile->endGroup();
    if (changed)
      profile->sync();
  }
  return true;
}
