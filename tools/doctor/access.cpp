#include "access.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace doctor {

namespace {

const QString ruleName = QStringLiteral("71-norvane.rules");
// udev reads these in this order of precedence.
const QStringList ruleDirs = {
    QStringLiteral("/etc/udev/rules.d"), QStringLiteral("/run/udev/rules.d"),
    QStringLiteral("/usr/lib/udev/rules.d"), QStringLiteral("/lib/udev/rules.d")};
const QString reload =
    QStringLiteral("sudo udevadm control --reload-rules && "
                   "sudo udevadm trigger --subsystem-match=hidraw --action=change");

QString userName(uid_t uid) {
  const passwd *pw = getpwuid(uid);
  return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid) {
  const group *gr = getgrgid(gid);
  return gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(gid);
}

QStringList myGroups() {
  QList<gid_t> ids(qMax(0, getgroups(0, nullptr)));
  ids.resize(qMax(0, getgroups(int(ids.size()), ids.data())));
  if (!ids.contains(getegid()))
    ids.prepend(getegid());
  QStringList names;
  for (gid_t id : ids)
    names << groupName(id);
  return names;
}

// What the installed rule file says about this mouse.
struct Rule {
  QString file; // empty: not installed
  bool covers = false;
  bool uaccess = false;
  QString group;
};

Rule findRule(quint16 vid, quint16 pid) {
  Rule rule;
  for (const QString &dir : ruleDirs) {
    QFile f(QDir(dir).filePath(ruleName));
    if (!f.open(QIODevice::ReadOnly))
      continue;
    rule.file = f.fileName();
    const QString v = QStringLiteral("ATTRS{idVendor}==\"%1\"").arg(hex4(vid));
    const QString p = QStringLiteral("ATTRS{idProduct}==\"%1\"").arg(hex4(pid));
    static const QRegularExpression groupRe(QStringLiteral("GROUP:?=\"([^\"]+)\""));
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
      if (line.trimmed().startsWith(QLatin1Char('#')) || !line.contains(v, Qt::CaseInsensitive) ||
          !line.contains(p, Qt::CaseInsensitive))
        continue;
      rule.covers = true;
      rule.uaccess = rule.uaccess || line.contains(QStringLiteral("TAG+=\"uaccess\""));
      if (const auto m = groupRe.match(line); m.hasMatch())
        rule.group = m.captured(1);
    }
    break; // a file in an earlier folder hides the later ones
  }
  return rule;
}

} // namespace

int tryOpen(const QString &devnode) {
  const int fd = ::open(QFile::encodeName(devnode).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0)
    return errno;
  ::close(fd);
  return 0;
}

QString describeNode(const QString &devnode) {
  struct stat st {};
  if (::stat(QFile::encodeName(devnode).constData(), &st) != 0)
    return QString::fromLocal8Bit(strerror(errno));
  QString mode = S_ISCHR(st.st_mode) ? QStringLiteral("c") : QStringLiteral("-");
  const char *flags = "rwxrwxrwx";
  for (int bit = 0; bit < 9; ++bit)
    mode += (st.st_mode & (0400 >> bit)) ? QLatin1Char(flags[bit]) : QLatin1Char('-');
  return QStringLiteral("%1 %2 %3").arg(mode, userName(st.st_uid), groupName(st.st_gid));
}

QString ruleLine(quint16 vid, quint16 pid) {
  return QStringLiteral("SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                        "TAG+=\"uaccess\"")
      .arg(hex4(vid), hex4(pid));
}

QStringList explainNoAccess(const HidNode &node) {
  QStringList out;
  const QStringList groups = myGroups();
  out << QStringLiteral("node: %1; you are %2, in the groups %3")
             .arg(describeNode(node.devnode), userName(geteuid()), groups.join(QLatin1Char(' ')));
  const Rule rule = findRule(node.vid, node.pid);
  const QString line = ruleLine(node.vid, node.pid);
  const QString apply = QStringLiteral("%1 (or unplug the mouse and plug it in again)").arg(reload);
  const QString replug = QStringLiteral("then run: ") + apply;
  if (rule.file.isEmpty()) {
    out << QStringLiteral("why: the udev rule %1 is not installed (looked in %2)")
               .arg(ruleName, ruleDirs.join(QStringLiteral(", ")))
        << QStringLiteral("fix: install the norvane package, or put this line into "
                          "/etc/udev/rules.d/%1:")
               .arg(ruleName)
        << QStringLiteral("  ") + line << replug;
  } else if (!rule.covers) {
    out << QStringLiteral("why: %1 has no line for %2:%3")
               .arg(rule.file, hex4(node.vid), hex4(node.pid))
        << QStringLiteral("fix: add this line to /etc/udev/rules.d/%1:").arg(ruleName)
        << QStringLiteral("  ") + line << replug;
  } else if (!rule.group.isEmpty() && !groups.contains(rule.group)) {
    out << QStringLiteral("why: %1 gives the node to the group %2, and you are not in it")
               .arg(rule.file, rule.group)
        << QStringLiteral("fix: sudo usermod -aG %1 %2, then log out and in again")
               .arg(rule.group, userName(geteuid()));
  } else if (rule.uaccess && node.uaccessTag) {
    out << QStringLiteral("why: udev tagged the node \"uaccess\" (%1), which gives it to the "
                          "user of the active session at the seat only; not to a login over "
                          "ssh, a second session or another user (su, sudo -u)")
               .arg(rule.file)
        << QStringLiteral("fix: run norvane in the desktop session at the seat; or, in %1, "
                          "replace TAG+=\"uaccess\" by GROUP=\"plugdev\", MODE=\"0660\" and run "
                          "sudo usermod -aG plugdev %2 (log in again)")
               .arg(rule.file, userName(geteuid()))
        << replug;
  } else {
    out << QStringLiteral("why: %1 covers %2:%3 (%4), but udev has not applied it to this node: "
                          "the rule came after the mouse, or udev's rules were not reloaded")
               .arg(rule.file, hex4(node.vid), hex4(node.pid),
                    rule.group.isEmpty() ? QStringLiteral("uaccess tag")
                                         : QStringLiteral("group ") + rule.group)
        << QStringLiteral("fix: ") + apply;
  }
  return out;
}

QString processName(qint64 pid) {
  QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
  const QString name =
      comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QString();
  return QStringLiteral("%1 (pid %2)").arg(name.isEmpty() ? QStringLiteral("?") : name).arg(pid);
}

Holders holdersOf(const QString &devnode) {
  Holders holders;
  struct stat node {};
  if (::stat(QFile::encodeName(devnode).constData(), &node) != 0)
    return holders;
  const QString self = QString::number(getpid());
  const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
  for (const QString &pid : pids) {
    if (pid.isEmpty() || !pid.at(0).isDigit() || pid == self)
      continue;
    const QByteArray dir = QStringLiteral("/proc/%1/fd").arg(pid).toLocal8Bit();
    DIR *fds = opendir(dir.constData());
    if (!fds) {
      ++holders.hidden;
      continue;
    }
    // Same file, whether the link names /dev/hidrawN or where it really is.
    while (const dirent *fd = readdir(fds)) {
      struct stat st {};
      if (fd->d_name[0] == '.' || fstatat(dirfd(fds), fd->d_name, &st, 0) != 0 ||
          st.st_dev != node.st_dev || st.st_ino != node.st_ino)
        continue;
      holders.names << processName(pid.toLongLong());
      break;
    }
    closedir(fds);
  }
  return holders;
}

} // namespace doctor
