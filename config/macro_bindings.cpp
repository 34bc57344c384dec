#include "macro_files.h"
#include "profile_store.h"

#include <QDebug>

namespace {

constexpr int boundProfiles = 6;
constexpr int buttons = 16;
constexpr int macroCategory = 4;

} // namespace

void unbindMacro(ProfileStore &store, const QString &macro) {
  for (int p = 0; p < boundProfiles && p < ProfileStore::profileCount; ++p) {
    QSettings &profile = store.profile(p);
    bool changed = false;
    for (int k = 0; k < buttons; ++k) {
      const QString matrixKey = QStringLiteral("mouseKeyMatrix/") + QString::number(k);
      const QVariantList entry = profile.value(matrixKey).toList();
      // A short entry cannot name a macro slot.
      if (entry.size() < 3 || entry.at(0).toInt() != macroCategory)
        continue;
      const QString bound =
          profile.value(QStringLiteral("mouseMacroKey/") + entry.at(2).toString()).toString();
      if (bound != macro)
        continue;
      const QVariant factory = store.factory().value(matrixKey);
      if (!factory.isValid()) {
        qDebug().noquote() << "deleteMacroUpdateProfile: no factory assignment for" << matrixKey;
        continue;
      }
      profile.setValue(matrixKey, factory);
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
