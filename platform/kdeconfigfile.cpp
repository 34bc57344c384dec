#include "platform/kdeconfigfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

// KDE's escapes for a value: backslash, line breaks and tabs, spaces at
// either end (which the reader would trim) and other control characters.
QByteArray printable(const QString &value) {
  const QByteArray utf8 = value.toUtf8();
  QByteArray out;
  for (qsizetype i = 0; i < utf8.size(); ++i) {
    const char c = utf8.at(i);
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\r')
      out += "\\r";
    else if (c == ' ' && (i == 0 || i == utf8.size() - 1))
      out += "\\s";
    else if (uchar(c) < 0x20)
      out += "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
    else
      out += c;
  }
  return out;
}

enum class KeyMatch { Other, Plain, Immutable };

// Reads `name[opt][opt]` before the '=' of an entry line: a locale option
// (`[de]`) makes another entry; `$i` among the flags makes it immutable.
KeyMatch matchKey(const QByteArray &keyPart, const QByteArray &key) {
  const qsizetype bracket = keyPart.indexOf('[');
  if ((bracket < 0 ? keyPart : keyPart.left(bracket).trimmed()) != key)
    return KeyMatch::Other;
  KeyMatch match = KeyMatch::Plain;
  for (qsizetype open = bracket; open >= 0; open = keyPart.indexOf('[', open + 1)) {
    const qsizetype close = keyPart.indexOf(']', open);
    if (close < 0)
      return KeyMatch::Other;
    const QByteArray option = keyPart.mid(open + 1, close - open - 1);
    if (!option.startsWith('$'))
      return KeyMatch::Other;
    if (option.contains('i'))
      match = KeyMatch::Immutable;
  }
  return match;
}

// KConfig holds its lock only while it re-reads and rewrites a file; a
// lock held longer belongs to a program that hangs, and the setting fails
// instead of freezing the page.
constexpr int lockTimeoutMs = 1000;

} // namespace

QString kdeConfigLockPath(const QString &path) {
  // KConfig locks the file it resolved, so a symlinked file shares the
  // target's lock.
  const QFileInfo info(path);
  return (info.exists() ? info.canonicalFilePath() : info.absoluteFilePath()) +
         QStringLiteral(".lock");
}

bool setKdeConfigEntry(QByteArray &text, const QByteArray &group, const QByteArray &key,
                       const QString &value) {
  const QByteArray header = '[' + group + ']';
  const QByteArray line = key + '=' + printable(value);
  bool inGroup = false, groupSeen = false, anyHeader = false;
  qsizetype insertAt = -1, replaceFrom = -1, replaceTo = -1;
  for (qsizetype start = 0; start < text.size();) {
    qsizetype end = text.indexOf('\n', start);
    const qsizetype next = end < 0 ? text.size() : end + 1;
    if (end < 0)
      end = text.size();
    qsizetype contentEnd = end;
    if (contentEnd > start && text.at(contentEnd - 1) == '\r')
      --contentEnd;
    const QByteArray trimmed = text.mid(start, contentEnd - start).trimmed();
    if (trimmed.startsWith('[')) {
      // `[$i]` above every group locks the whole file, after a group's name
      // the group.
      if (!anyHeader && trimmed == "[$i]")
        return false;
      anyHeader = true;
      if (trimmed == header + "[$i]")
        return false;
      inGroup = trimmed == header;
      if (inGroup) {
        groupSeen = true;
        insertAt = next;
      }
    } else if (inGroup && !trimmed.isEmpty() && !trimmed.startsWith('#')) {
      const qsizetype eq = trimmed.indexOf('=');
      if (eq > 0) {
        const KeyMatch match = matchKey(trimmed.left(eq).trimmed(), key);
        if (match == KeyMatch::Immutable)
          return false;
        if (match == KeyMatch::Plain) {
          // A later line of the same key wins when KDE reads the file.
          replaceFrom = start;
          replaceTo = contentEnd;
        }
        insertAt = next;
      }
    }
    start = next;
  }

  if (replaceFrom >= 0) {
    text.replace(replaceFrom, replaceTo - replaceFrom, line);
  } else if (groupSeen) {
    QByteArray insert = line + '\n';
    if (insertAt > 0 && text.at(insertAt - 1) != '\n')
      insert.prepend('\n');
    text.insert(insertAt, insert);
  } else {
    if (!text.isEmpty() && !text.endsWith('\n'))
      text += '\n';
    if (!text.isEmpty())
      text += '\n';
    text += header + '\n' + line + '\n';
  }
  return true;
}

bool writeKdeConfigEntry(const QString &path, const QByteArray &group, const QByteArray &key,
                         const QString &value) {
  if (!QDir().mkpath(QFileInfo(path).path()))
    return false;
  // A KDE program that saves between our read and our rename would lose its
  // change, or we ours: read, edit and replace all happen under its lock,
  // and what the file is is looked at only once it is held.
  QLockFile lock(kdeConfigLockPath(path));
  if (!lock.tryLock(lockTimeoutMs))
    return false;

  const QFileInfo info(path);
  QByteArray text;
  if (info.exists()) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
      return false;
    text = in.readAll();
    if (in.error() != QFileDevice::NoError)
      return false;
  }
  const QByteArray before = text;
  if (!setKdeConfigEntry(text, group, key, value))
    return false;
  if (text == before)
    return true;

  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly))
    return false;
  if (info.exists())
    out.setPermissions(info.permissions());
  if (out.write(text) != text.size()) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

QString kdeConfigPath(const QString &name) {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' + name;
}

} // namespace platform
