#include "doctor.h"

#include "access.h"
#include "device/deviceentry.h"
#include "hidnodes.h"
#include "shell/controlbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace doctor {

namespace {

struct Entry {
  int index = 0;
  quint16 vid = 0, pid = 0;
  Usage command, event;
};

// The program's own reader: the same defaults, and the same refusal of a
// damaged entry count.
QList<Entry> loadEntries(const QString &file) {
  QList<Entry> entries;
  int i = 0;
  for (const DeviceEntry &d : readDeviceList(file))
    entries.append({i++, d.vid, d.pid, {d.usagePage, d.usage}, {d.usagePage2, d.usage2}});
  return entries;
}

void say(const QString &line) { std::printf("%s\n", qPrintable(line)); }

QString pair(Usage u) { return hex4(u.page) + QLatin1Char('/') + hex4(u.usage); }

QString ids(quint16 vid, quint16 pid) { return hex4(vid) + QLatin1Char(':') + hex4(pid); }

// Vendor and product 0 stand for every device, as in hidapi's enumeration.
bool matches(const Entry &e, const HidNode &n) {
  return (e.vid == 0 || e.vid == n.vid) && (e.pid == 0 || e.pid == n.pid);
}

// The last node carrying the pair, as the program's discovery picks it.
const HidNode *nodeWith(const QList<const HidNode *> &nodes, Usage wanted) {
  const HidNode *found = nullptr;
  for (const HidNode *n : nodes)
    if (n->usages.contains(wanted))
      found = n;
  return found;
}

// One device of the list; true when its command interface opens.
bool checkEntry(const Entry &e, const QList<HidNode> &all) {
  say(QStringLiteral("Device %1: %2, command interface %3, event interface %4")
          .arg(e.index)
          .arg(ids(e.vid, e.pid), pair(e.command), pair(e.event)));
  QList<const HidNode *> nodes;
  for (const HidNode &n : all)
    if (matches(e, n))
      nodes.append(&n);
  if (nodes.isEmpty() && e.vid != 0 && e.pid != 0) {
    if (const QStringList usb = usbDevicesWith(e.vid, e.pid); !usb.isEmpty()) {
      say(QStringLiteral("  Plugged in on USB: %1, but the kernel gave it no hidraw node. Is the "
                         "usbhid driver bound to it and the hidraw module loaded "
                         "(lsmod | grep hid)?")
              .arg(usb.join(QStringLiteral(", "))));
      return false;
    }
  }
  if (nodes.isEmpty()) {
    say(QStringLiteral("  Not plugged in: no hidraw node belongs to %1. Check the cable or "
                       "receiver; lsusb lists the IDs of what is connected.")
            .arg(ids(e.vid, e.pid)));
    return false;
  }
  const HidNode *first = nodes.first();
  say(QStringLiteral("  Plugged in: %1 (%2)")
          .arg(first->name.isEmpty() ? QStringLiteral("HID device") : first->name,
               ids(first->vid, first->pid)));
  QSet<QString> refusedOnce;
  QHash<QString, int> openError;
  for (const HidNode *n : nodes) {
    QStringList pages;
    for (Usage u : n->usages)
      pages << pair(u);
    QString role;
    if (n->usages.contains(e.command))
      role = QStringLiteral(", the command interface");
    if (n->usages.contains(e.event))
      role += QStringLiteral(", the event interface");
    say(QStringLiteral("  %1%2: usage pages %3%4")
            .arg(n->devnode,
                 n->interface >= 0 ? QStringLiteral(" (USB interface %1)").arg(n->interface)
                                   : QString(),
                 !n->descriptorRead ? QStringLiteral("unknown (report descriptor unreadable)")
                 : pages.isEmpty()  ? QStringLiteral("none")
                                    : pages.join(QStringLiteral(", ")),
                 role));
    // Each node is opened once: a failed open is not free under emulation.
    const int error = tryOpen(n->devnode);
    openError.insert(n->devnode, error);
    if (error == 0) {
      say(QStringLiteral("    You can open it."));
    } else {
      say(QStringLiteral("    You cannot open it: %1.")
              .arg(QString::fromLocal8Bit(strerror(error))));
      // The reasons are the same for every node of the mouse: say them once.
      if (error == EACCES && !refusedOnce.contains(QStringLiteral("EACCES"))) {
        refusedOnce.insert(QStringLiteral("EACCES"));
        for (const QString &line : explainNoAccess(*n))
          say(QStringLiteral("    ") + line);
      }
    }
    const Holders holders = holdersOf(n->devnode);
    if (!holders.names.isEmpty())
      say(QStringLiteral("    Open in: %1").arg(holders.names.join(QStringLiteral(", "))));
    else if (holders.hidden > 0)
      say(QStringLiteral("    Open in: none of your processes (other users' are not visible)"));
    else
      say(QStringLiteral("    Open in: no other process"));
  }
  const HidNode *command = nodeWith(nodes, e.command);
  const HidNode *event = nodeWith(nodes, e.event);
  if (!event)
    say(QStringLiteral("  No interface carries the event usage %1: the mouse's DPI button "
                       "will go unnoticed.")
            .arg(pair(e.event)));
  if (!command) {
    say(QStringLiteral("  Not usable: no interface carries the command usage %1. Is the "
                       "entry's usagePage/usage in apConfig.bin right for this mouse?")
            .arg(pair(e.command)));
    return false;
  }
  if (openError.value(command->devnode) != 0) {
    say(QStringLiteral("  Not usable: the command interface %1 cannot be opened.")
            .arg(command->devnode));
    return false;
  }
  say(QStringLiteral("  Usable: the command interface is %1.").arg(command->devnode));
  return true;
}

// Another copy of the program would hold the mouse and the bus name.
void checkBus() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    say(QStringLiteral("Session bus: not reachable, so a running norvane cannot be seen."));
    return;
  }
  const auto owner = bus.interface()->serviceOwner(controlbus::service);
  if (!owner.isValid()) {
    say(QStringLiteral("Session bus: no program owns %1; norvane is not running in this "
                       "session.")
            .arg(controlbus::service));
    return;
  }
  const auto pid = bus.interface()->servicePid(controlbus::service);
  QDBusMessage get = QDBusMessage::createMethodCall(
      controlbus::service, controlbus::path, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << controlbus::interface << QStringLiteral("Connected");
  get.setAutoStartService(false);
  const QDBusMessage reply = bus.call(get, QDBus::Block, 3000);
  const QVariant connected = qvariant_cast<QDBusVariant>(reply.arguments().value(0)).variant();
  const QString state = reply.type() != QDBusMessage::ReplyMessage
                            ? QStringLiteral("does not answer")
                        : connected.toBool() ? QStringLiteral("reports the mouse connected")
                                             : QStringLiteral("reports no mouse connected");
  say(QStringLiteral("Session bus: %1 owns %2 and %3. Starting norvane again only brings "
                     "that copy's window up.")
          .arg(pid.isValid() ? processName(pid.value()) : QStringLiteral("a program"),
               controlbus::service, state));
}

} // namespace

int run(const QString &dataRoot) {
  const QString file = QDir(dataRoot).filePath(QStringLiteral("modules/setting/apConfig.bin"));
  if (!QFileInfo::exists(file)) {
    say(QStringLiteral("Device list: %1 is missing, so no mouse is configured. Start norvane "
                       "once, or reinstall it.")
            .arg(file));
    return 1;
  }
  if (!QFileInfo(file).isReadable()) {
    say(QStringLiteral("Device list: %1 cannot be read by you.").arg(file));
    return 1;
  }
  const QList<Entry> entries = loadEntries(file);
  say(QStringLiteral("Device list: %1 (%2 %3)")
          .arg(file)
          .arg(entries.size())
          .arg(entries.size() == 1 ? QStringLiteral("device") : QStringLiteral("devices")));
  const QList<HidNode> nodes = listHidNodes();
  bool usable = false;
  for (const Entry &e : entries)
    usable = checkEntry(e, nodes) || usable;
  checkBus();
  say(usable ? QStringLiteral("Result: a configured mouse is usable.")
             : QStringLiteral("Result: no configured mouse is usable."));
  return usable ? 0 : 1;
}

} // namespace doctor
