// The session-bus interface of the running program, shared by the service
// (shell/controlservice) and its command-line client (tools/norvanectl).
#pragma once

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QList>
#include <QMetaType>
#include <QString>

namespace controlbus {

// The reverse-DNS id of the desktop entry and metainfo.
inline const QString service = QStringLiteral("example.norvane.N1");
inline const QString path = QStringLiteral("/example/norvane/N1");
inline const QString interface = QStringLiteral("example.norvane.N1");

// Error names; each refusal changes nothing. NotTaken: the mouse did not
// complete the command, and keeps its previous setting.
inline const QString errorNoDevice = QStringLiteral("example.norvane.N1.Error.NoDevice");
inline const QString errorNoAccess = QStringLiteral("example.norvane.N1.Error.NoAccess");
inline const QString errorNotTaken = QStringLiteral("example.norvane.N1.Error.NotTaken");
inline const QString errorBusy = QStringLiteral("example.norvane.N1.Error.Busy");
inline const QString errorUnsaved = QStringLiteral("example.norvane.N1.Error.UnsavedChanges");
inline const QString errorDialogOpen = QStringLiteral("example.norvane.N1.Error.DialogOpen");
inline const QString errorNoProfile = QStringLiteral("example.norvane.N1.Error.NoSuchProfile");
inline const QString errorStage = QStringLiteral("example.norvane.N1.Error.InvalidStage");
inline const QString errorRate = QStringLiteral("example.norvane.N1.Error.InvalidRate");

// The report rates the mouse offers, in Hz.
inline const QList<int> reportRates = {125, 250, 500, 1000};

// One row of the profile list: (is) on the bus.
struct ProfileRow {
  int number = 0;
  QString name;
  bool operator==(const ProfileRow &) const = default;
};
using ProfileRows = QList<ProfileRow>;

inline QDBusArgument &operator<<(QDBusArgument &arg, const ProfileRow &row) {
  arg.beginStructure();
  arg << row.number << row.name;
  arg.endStructure();
  return arg;
}

inline const QDBusArgument &operator>>(const QDBusArgument &arg, ProfileRow &row) {
  arg.beginStructure();
  arg >> row.number >> row.name;
  arg.endStructure();
  return arg;
}

inline void registerTypes() {
  qDBusRegisterMetaType<ProfileRow>();
  qDBusRegisterMetaType<ProfileRows>();
}

} // namespace controlbus

Q_DECLARE_METATYPE(controlbus::ProfileRow)
