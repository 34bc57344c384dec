#include "macro_files.h"
#include "profile_store.h"

#include <QDebug>

namespace {

constexpr int boundProfiles = 6;
constexpr int buttons = 16;
constexpr int macroCategory = 4;

QString matrixKey(int k) { return QStringLiteral("mouseKeyMatrix/") + QString::number(k); }

bool isBound(QSettings &profile, int k, const QString &macro) {
  const QVariantList entry = profile.value(matrixKey(k)).toList();
  // A short entry cannot name a macro slot.
  if (entry.size() < 3 || entry.at(0).toInt() != macroCategory)
    return false;
  return profile.value(QStringLiteral("mouseMacroKey/") + entry.at(2).toString()).toString() ==
         macro;
}

} // namespace

QList<QPair<int, int>> macroBindings(ProfileStore &store, const QString &macro) {
  QList<QPair<int, int>> out;
  for (int p = 0; p < boundProfiles && p < ProfileStore::profileCount; ++p)
    for (int k = 0; k < buttons; ++k)
      if (isBound(store.profile(p), k, macro))
        out.append({p, k});
  return out;
}

void unbindMacro(ProfileStore &store, const QString &macro) {
  for (int p = 0; p < boundProfiles && p < ProfileStore::profileCount; ++p) {
    QSettings &profile = store.profile(p);
    bool changed = false;
    for (int k = 0; k < buttons; ++k) {
      if (!isBound(profile, k, macro))
        continue;
      const QString key = matrixKey(k);
      const QVariant factory = store.factory().value(key);
      if (!factory.isValid()) {
        qDebug().noquote() << "deleteMacroUpdateProfile: no factory assignment for" << key;
        continue;
      }
      profile.setValue(key, factory);
      changed = true;
    }
    if (changed)
      profile.sync();
  }
}

void renameMacroBindings(ProfileStore &store, const QString &from, const QString &to) {
  for (int p = 0; p < boundProfiles && p < ProfileStore::profileCount; ++p) {
    QSettings &profile = store.profile(p);
    bool changed = false;
    profile.beginGroup(QStringLiteral("mouseMacroKey"));
    const QStringList keys = profile.childKeys();
    for (const QString &key : keys) {
      if (profile.value(key).toString() == from) {
        profile.setValue(key, to);
        changed = true;
      }
    }
    profile.endGroup();
    if (changed)
      profile.sync();
  }
}
