// Whether this user can open a hidraw node, and when not, why and what to do.
#pragma once

#include "hidnodes.h"

#include <QStringList>

namespace doctor {

// errno of a read-write open as hidapi does it; 0 when the node opens.
int tryOpen(const QString &devnode);

// "crw-rw---- root plugdev", as ls shows a node.
QString describeNode(const QString &devnode);

// The reasons an open refused with EACCES, then the fix, one line each.
QStringList explainNoAccess(const HidNode &node);

// The udev line that gives the seat's user the mouse.
QString ruleLine(quint16 vid, quint16 pid);

// Other processes that have the node open: "name (pid N)" each, and how many
// processes could not be looked into (other users').
struct Holders {
  QStringList names;
  int hidden = 0;
};
Holders holdersOf(const QString &devnode);

// "name (pid N)" from /proc.
QString processName(qint64 pid);

} // namespace doctor
