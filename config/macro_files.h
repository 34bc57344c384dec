#pragma once

#include "macro_limits.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class ProfileStore;

constexpr int macroBlockSize = macro_limits::blockSize;
constexpr int maxMacroEvents = macro_limits::maxEvents;
constexpr unsigned deviceMacroSlots = 12;

// One INI file per macro, "<dir>/<name>.bin": a "config" header (index,
// total, repeat, did) and the events under "macro/0".."total-1". Every call
// opens and closes its file, and refuses unsafe names.
class MacroFiles {
public:
  explicit MacroFiles(const QString &dir = QStringLiteral("./modules/macro")) : dir(dir) {}

  QString path(const QString &name) const;
  // A new, empty macro; never in place of one that exists.
  bool create(const QString &name, uint index);
  bool save(const QString &name, const QStringList &events, const QVariant &repeat);
  // The events, then the repeat count; empty for a missing macro.
  QStringList load(const QString &name) const;
  bool remove(const QString &name);
  // The file part of a rename; the target must not exist.
  bool rename(const QString &from, const QString &to);
  // An ".mc" file copied in as a new macro, or a macro copied out.
  bool importFrom(const QString &name, const QString &file);
  bool exists(const QString &name, const char *operation) const;
  bool exportTo(const QString &name, const QString &file) const;

private:
  QString dir;
};

// The name lists of macros (type 0), gun presets (1), profiles (2) and the
// gun selection (3) in one file.
class NameLists {
public:
  explicit NameLists(const QString &file = QStringLiteral("./modules/setting/name.bin"))
      : file(file) {}

  QVariantList names(int type) const;
  bool update(int type, const QStringList &names);

private:
  QString file;
};

// Keeping the profiles' button bindings in step with a deleted or renamed
// macro. Only the profiles the interface offers (p1 to p6) are visited.
void unbindMacro(ProfileStore &store, const QString &macro);
// The buttons bound to the macro, as (profile index, button) pairs.
QList<QPair<int, int>> macroBindings(ProfileStore &store, const QString &macro);
void renameMacroBindings(ProfileStore &store, const QString &from, const QString &to);
