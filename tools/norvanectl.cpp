// norvanectl: controls the running program over the user's session bus, and
// checks why the program cannot find or open the mouse (doctor).
// Exit status: 0 done, 1 refused by the program or not taken by the mouse
// (the reason on stderr), 2 the program is not running or the command line
// is wrong.
#include "dataroot.h"
#include "doctor/doctor.h"
#include "shell/controlbus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cstdio>

using namespace controlbus;

namespace {

enum Exit { Done = 0, Refused = 1, NotRunning = 2, Usage = 2 };

const char *usageText =
    "Usage: norvanectl COMMAND\n"
    "Controls the running norvane program over the session bus.\n"
    "\n"
    "Commands:\n"
    "  status [--json]        show the mouse's profile, DPI stage and report rate\n"
    "  profile N|NAME         switch to profile number N, or the profile named NAME\n"
    "  dpi-stage N|next|prev  choose DPI stage N (from 1), or the next or previous one\n"
    "  rate HZ                set the report rate: 125, 250, 500 or 1000\n"
    "  show                   bring the window up\n"
    "  doctor                 check, without the program, why it does not find or\n"
    "                         cannot open the mouse\n"
    "\n"
    "Exit status: 0 done, 1 refused by the program or not taken by the mouse\n"
    "(the reason on stderr), 2 the program is not running or the command line\n"
    "is wrong.\n"
    "doctor: 0 when a configured mouse is usable, 1 when not, 2 on a wrong command line.\n";

void err(const QString &text) { std::fprintf(stderr, "norvanectl: %s\n", qPrintable(text)); }

int usage(const QString &problem) {
  err(problem);
  std::fputs(usageText, stderr);
  return Usage;
}

// The program's answer, or an exit status when there is none to use.
struct Reply {
  QDBusMessage message;
  int status = Done;
};

Reply send(QDBusMessage call, int timeoutMs) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    err(QStringLiteral("no session bus: norvane is not running in this session"));
    return {{}, NotRunning};
  }
  call.setAutoStartService(false);
  const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
  if (reply.type() != QDBusMessage::ErrorMessage)
    return {reply, Done};
  const QString name = reply.errorName();
  if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
      name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
    err(QStringLiteral("norvane is not running"));
    return {reply, NotRunning};
  }
  err(reply.errorMessage().isEmpty() ? name : reply.errorMessage());
  return {reply, Refused};
}

struct Status {
  bool connected = false;
  int profile = -1;
  ProfileRows profiles;
  int dpiStage = 0;
  QList<int> dpiStages;
  int reportRate = 0;
};

int readStatus(Status &s) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
  call << interface;
  const Reply r = send(call, 10000);
  if (r.status != Done)
    return r.status;
  const QVariantMap all = qdbus_cast<QVariantMap>(r.message.arguments().value(0));
  s.connected = all.value(QStringLiteral("Connected")).toBool();
  s.profile = all.value(QStringLiteral("Profile")).toInt();
  s.profiles = qdbus_cast<ProfileRows>(all.value(QStringLiteral("Profiles")));
  s.dpiStage = all.value(QStringLiteral("DpiStage")).toInt();
  s.dpiStages = qdbus_cast<QList<int>>(all.value(QStringLiteral("DpiStages")));
  s.reportRate = all.value(QStringLiteral("ReportRate")).toInt();
  return Done;
}

QString nameOf(const Status &s, int number) {
  for (const ProfileRow &row : s.profiles)
    if (row.number == number)
      return row.name;
  return {};
}

int printStatus(bool json) {
  Status s;
  if (const int status = readStatus(s); status != Done)
    return status;
  if (json) {
    QJsonArray profiles, stages;
    for (const ProfileRow &row : s.profiles)
      profiles.append(QJsonObject{{"number", row.number}, {"name", row.name}});
    for (int dpi : s.dpiStages)
      stages.append(dpi);
    const QJsonObject o{{"connected", s.connected}, {"profile", s.profile},
                        {"profiles", profiles},     {"dpiStage", s.dpiStage},
                        {"dpiStages", stages},      {"reportRate", s.reportRate}};
    std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
    return Done;
  }
  QStringList rows, stages;
  for (const ProfileRow &row : s.profiles)
    rows << QStringLiteral("%1 %2").arg(row.number).arg(row.name);
  for (int dpi : s.dpiStages)
    stages << QString::number(dpi);
  const int dpi = s.dpiStage >= 1 ? s.dpiStages.value(s.dpiStage - 1) : 0;
  std::printf("Connected:   %s\n", s.connected ? "yes" : "no");
  std::printf("Profile:     %d (%s)\n", s.profile, qPrintable(nameOf(s, s.profile)));
  std::printf("Profiles:    %s\n", qPrintable(rows.join(QStringLiteral(", "))));
  if (dpi > 0)
    std::printf("DPI stage:   %d of %d (%d DPI)\n", s.dpiStage, int(s.dpiStages.size()), dpi);
  else
    std::printf("DPI stage:   unknown\n");
  std::printf("DPI stages:  %s\n", qPrintable(stages.join(QLatin1Char(' '))));
  std::printf("Report rate: %d Hz\n", s.reportRate);
  return Done;
}

// The data root the program itself would use; its per-user folder is named
// after the program, not after this tool.
int runDoctor() {
  const QString appDir = QCoreApplication::applicationDirPath();
  const QString userRoot = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/norvane");
  return doctor::run(findDataRoot(appDir, userRoot));
}

int callMethod(const QString &method, int argument) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
  call << argument;
  // Device pauses make a profile switch take seconds.
  return send(call, 60000).status;
}

int switchProfile(const QString &wanted) {
  bool isNumber = false;
  const int number = wanted.toInt(&isNumber);
  if (isNumber)
    return callMethod(QStringLiteral("SwitchProfile"), number);
  Status s;
  if (const int status = readStatus(s); status != Done)
    return status;
  for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive})
    for (const ProfileRow &row : s.profiles)
      if (row.name.compare(wanted, cs) == 0)
        return callMethod(QStringLiteral("SwitchProfile"), row.number);
  QStringList names;
  for (const ProfileRow &row : s.profiles)
    names << row.name;
  err(QStringLiteral("there is no profile named \"%1\"; the profiles are: %2")
          .arg(wanted, names.join(QStringLiteral(", "))));
  return Refused;
}

int chooseStage(const QString &wanted) {
  bool isNumber = false;
  int stage = wanted.toInt(&isNumber);
  if (!isNumber) {
    if (wanted != QLatin1String("next") && wanted != QLatin1String("prev"))
      return usage(QStringLiteral("dpi-stage takes a number, next or prev"));
    Status s;
    if (const int status = readStatus(s); status != Done)
      return status;
    const int count = int(s.dpiStages.size());
    if (count == 0) {
      err(QStringLiteral("the program knows no DPI stages yet"));
      return Refused;
    }
    const int current = std::clamp(s.dpiStage, 1, count);
    stage =
        wanted == QLatin1String("next") ? current % count + 1 : (current + count - 2) % count + 1;
  }
  return callMethod(QStringLiteral("SetDpiStage"), stage);
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  const QString command = args.value(0);
  if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
    std::fputs(usageText, stdout);
    return Done;
  }
  registerTypes();
  if (command == QLatin1String("status")) {
    if (args.size() == 1 || (args.size() == 2 && args[1] == QLatin1String("--json")))
      return printStatus(args.size() == 2);
    return usage(QStringLiteral("status takes only --json"));
  }
  if (command == QLatin1String("doctor")) {
    if (args.size() != 1)
      return usage(QStringLiteral("doctor takes no arguments"));
    return runDoctor();
  }
  if (command == QLatin1String("show")) {
    if (args.size() != 1)
      return usage(QStringLiteral("show takes no arguments"));
    return send(QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Show")),
                10000)
        .status;
  }
  if (args.size() != 2)
    return usage(command.isEmpty() ? QStringLiteral("no command given")
                                   : QStringLiteral("wrong arguments for \"%1\"").arg(command));
  if (command == QLatin1String("profile"))
    return switchProfile(args[1]);
  if (command == QLatin1String("dpi-stage"))
    return chooseStage(args[1]);
  if (command == QLatin1String("rate")) {
    bool isNumber = false;
    const int hz = args[1].toInt(&isNumber);
    if (!isNumber)
      return usage(QStringLiteral("rate takes a number of Hz"));
    return callMethod(QStringLiteral("SetReportRate"), hz);
  }
  return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}
