// One entry of a KDE configuration file (kdeglobals, kcminputrc), written
// the way KDE's own programs leave such files readable: KDE's format is not
// the INI dialect of QSettings, so the file is never re-serialised. Only the
// entry's line changes; every other byte stays as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Sets `key` in `[group]` to `value` in the file's text: replaces the line
// that KDE reads for it (the last plain `key=` or `key[$e]=` line of the
// group, never a locale variant `key[de]=`), or adds the line at the end of
// the group, or adds the group at the end. Returns false, leaving `text` as
// it was, when the group or the entry is marked immutable (`[$i]`).
bool setKdeConfigEntry(QByteArray &text, const QByteArray &group, const QByteArray &key,
                       const QString &value);

// The same on a file, which is replaced whole through a temporary file and a
// rename, keeping its permissions; a missing file (and its folder) is
// created. The read, the edit and the rename happen under KConfig's lock
// (kdeConfigLockPath), waited for a short while. False when the lock cannot
// be taken, the file cannot be read or written or the entry is immutable;
// the file is then untouched.
bool writeKdeConfigEntry(const QString &path, const QByteArray &group, const QByteArray &key,
                         const QString &value);

// The lock file KDE's programs take around writing the file at `path`.
QString kdeConfigLockPath(const QString &path);

// The user's file of that name: $XDG_CONFIG_HOME/name, by default
// ~/.config/name.
QString kdeConfigPath(const QString &name);

} // namespace platform
