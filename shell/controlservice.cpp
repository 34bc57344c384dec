#include "controlservice.h"

#include "myqquickview.h"
#include "widget.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDebug>
#include <QJSValue>
#include <QQuickItem>
#include <QTimer>

using namespace controlbus;

namespace {

QVariant plain(const QVariant &v) {
  return v.metaType() == QMetaType::fromType<QJSValue>() ? v.value<QJSValue>().toVariant() : v;
}

QList<int> ints(const QVariant &v) {
  QList<int> out;
  for (const QVariant &item : plain(v).toList())
    out << item.toInt();
  return out;
}

QString numbers(const QList<int> &values) {
  QStringList parts;
  for (int v : values)
    parts << QString::number(v);
  return parts.join(QStringLiteral(", "));
}

} // namespace

ControlService::ControlService(Widget &window) : window(window) {
  registerTypes();
  adaptor = new ControlAdaptor(this);
  connect(&window, &Widget::deviceConnectionChanged, this, [this](bool isConnected) {
    connected = isConnected;
    scheduleRefresh();
  });
  connected = deviceConnected;
  connectInterface();
  connect(window.view(), &QQuickWidget::statusChanged, this, &ControlService::connectInterface);
  published = readState();
}

ControlService::~ControlService() {
  if (bus.isConnected()) {
    bus.unregisterObject(controlbus::path);
    bus.unregisterService(controlbus::service);
  }
}

bool ControlService::registerOn(QDBusConnection connection) {
  if (!connection.isConnected()) {
    qDebug() << "Session bus not available: scripts cannot reach the program";
    return false;
  }
  if (!connection.registerObject(controlbus::path, this, QDBusConnection::ExportAdaptors)) {
    qDebug().noquote() << "Session bus: cannot register" << controlbus::path;
    return false;
  }
  // The first instance keeps the name; a second one has none.
  if (!connection.registerService(controlbus::service)) {
    qDebug().noquote() << "Session bus: the name" << controlbus::service << "is taken";
    connection.unregisterObject(controlbus::path);
    return false;
  }
  bus = connection;
  return true;
}

// The root's summary property changes whenever anything it reads changes.
void ControlService::connectInterface() {
  QQuickItem *root = window.view()->rootObject();
  if (!root)
    return;
  const QMetaObject *meta = root->metaObject();
  const int index = meta->indexOfProperty("outsideState");
  if (index < 0) {
    qDebug() << "Session bus: the interface publishes no state";
    return;
  }
  const QMetaMethod notify = meta->property(index).notifySignal();
  const QMetaMethod slot = metaObject()->method(metaObject()->indexOfSlot("scheduleRefresh()"));
  connect(root, notify, this, slot, Qt::UniqueConnection);
}

// Changes arrive in bursts (a profile switch re-reads every page): the
// state is compared once they are over.
void ControlService::scheduleRefresh() {
  if (refreshQueued)
    return;
  refreshQueued = true;
  QTimer::singleShot(0, this, [this] {
    if (refreshQueued)
      refresh();
  });
}

const ControlService::State &ControlService::state() {
  refresh();
  return published;
}

ControlService::State ControlService::readState() const {
  State s;
  s.connected = connected;
  QQuickItem *root = window.view()->rootObject();
  const QVariantMap shown = root ? plain(root->property("outsideState")).toMap() : QVariantMap();
  if (shown.isEmpty())
    return s;
  s.profile = shown.value(QStringLiteral("profile")).toInt();
  for (const QVariant &row : plain(shown.value(QStringLiteral("profiles"))).toList()) {
    const QVariantList pair = row.toList();
    s.profiles << ProfileRow{pair.value(0).toInt(), pair.value(1).toString()};
  }
  s.dpiStage = std::max(0, shown.value(QStringLiteral("dpiStage")).toInt());
  const QVariant stages = shown.value(QStringLiteral("dpiStages"));
  // Unsaved stage edits are not on the mouse: what was sent stays published.
  s.dpiStages = stages.isNull() ? published.dpiStages : ints(stages);
  s.reportRate = shown.value(QStringLiteral("reportRate")).toInt();
  return s;
}

void ControlService::refresh() {
  refreshQueued = false;
  const State now = readState();
  QVariantMap changed;
  // Each property that moved: its own change signal and one entry of the
  // PropertiesChanged map.
  const auto note = [&](const char *name, const auto &value, const auto &was, auto signal) {
    if (value == was)
      return;
    changed.insert(QLatin1String(name), QVariant::fromValue(value));
    emit(adaptor->*signal)(value);
  };
  note("Connected", now.connected, published.connected, &ControlAdaptor::ConnectedChanged);
  note("Profile", now.profile, published.profile, &ControlAdaptor::ProfileChanged);
  note("Profiles", now.profiles, published.profiles, &ControlAdaptor::ProfilesChanged);
  note("DpiStage", now.dpiStage, published.dpiStage, &ControlAdaptor::DpiStageChanged);
  note("DpiStages", now.dpiStages, published.dpiStages, &ControlAdaptor::DpiStagesChanged);
  note("ReportRate", now.reportRate, published.reportRate, &ControlAdaptor::ReportRateChanged);
  published = now;
  if (changed.isEmpty() || !bus.isConnected())
    return;
  QDBusMessage signal = QDBusMessage::createSignal(
      controlbus::path, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << controlbus::interface << changed << QStringList();
  bus.send(signal);
}

bool ControlService::callRoot(const char *function, const QVariantList &args,
                              QVariant *result) const {
  QQuickItem *root = window.view()->rootObject();
  if (!root)
    return false;
  QVariant ignored;
  QVariant &out = result ? *result : ignored;
  switch (args.size()) {
  case 0:
    return QMetaObject::invokeMethod(root, function, Q_RETURN_ARG(QVariant, out));
  default:
    return QMetaObject::invokeMethod(root, function, Q_RETURN_ARG(QVariant, out),
                                     Q_ARG(QVariant, args[0]));
  }
}

ControlService::Outcome ControlService::refusal() const {
  if (!connected)
    return {errorNoDevice, QStringLiteral("No mouse is connected")};
  if (window.hidLink().hasNoAccess())
    return noAccess();
  QVariant answer;
  // A device command in progress lets events through; nothing may start
  // another one meanwhile.
  if (!window.hidLink().isTransportFree() || !callRoot("outsideRefusal", {}, &answer))
    return {errorBusy, QStringLiteral("The program is busy; try again in a moment")};
  const QString reason = answer.toString();
  if (reason == QLatin1String("busy"))
    return {errorBusy, QStringLiteral("The program is busy; try again in a moment")};
  if (reason.startsWith(QLatin1String("dialog:")))
    return {
        errorDialogOpen,
        QStringLiteral("The %1 dialog is open in the window; close it first").arg(reason.mid(7))};
  if (!reason.isEmpty())
    return {errorUnsaved,
            QStringLiteral("The window has unsaved changes; save or undo them first")};
  return {};
}

ControlService::Outcome ControlService::noAccess() const {
  return {errorNoAccess,
          QStringLiteral("The mouse was found but cannot be opened: this user has no access to its "
                         "hidraw node (norvanectl doctor tells why)")};
}

ControlService::Outcome ControlService::sendThrough(const char *function, const QVariant &arg) {
  const int failed = window.view()->commandFailures();
  callRoot(function, {arg});
  refresh();
  if (window.view()->commandFailures() == failed)
    return {};
  if (window.hidLink().hasNoAccess())
    return noAccess();
  return {errorNotTaken,
          QStringLiteral("The mouse did not take the change; it keeps its previous setting")};
}

ControlService::Outcome ControlService::switchProfile(int number) {
  if (Outcome no = refusal(); !no.error.isEmpty())
    return no;
  const State &now = state();
  QList<int> known;
  for (const ProfileRow &row : now.profiles)
    known << row.number;
  if (!known.contains(number))
    return {errorNoProfile, QStringLiteral("There is no profile %1; the profiles are %2")
                                .arg(number)
                                .arg(numbers(known))};
  if (number == now.profile)
    return {};
  return sendThrough("selectProfile", number);
}

ControlService::Outcome ControlService::setDpiStage(int stage) {
  if (Outcome no = refusal(); !no.error.isEmpty())
    return no;
  const int count = int(state().dpiStages.size());
  if (stage < 1 || stage > count)
    return {
        errorStage,
        QStringLiteral("There is no DPI stage %1; the stages are 1 to %2").arg(stage).arg(count)};
  return sendThrough("selectDpiStage", stage);
}

ControlService::Outcome ControlService::setReportRate(int hz) {
  if (Outcome no = refusal(); !no.error.isEmpty())
    return no;
  const int index = int(reportRates.indexOf(hz));
  if (index < 0)
    return {errorRate,
            QStringLiteral("%1 Hz is not a report rate; use 125, 250, 500 or 1000").arg(hz)};
  return sendThrough("selectReportRate", index);
}

// Never refused: without a mouse the window tells the user what to do.
ControlService::Outcome ControlService::show() {
  // The same as a second start of the program.
  window.receiveMessage(QString());
  return {};
}

ControlAdaptor::ControlAdaptor(ControlService *service)
    : QDBusAbstractAdaptor(service), service(service) {}

// The call's context is the registered object's, not the adaptor's.
void ControlService::answer(const Outcome &outcome) {
  if (outcome.error.isEmpty())
    return;
  qDebug().noquote() << "Session bus request refused:" << outcome.message;
  if (calledFromDBus())
    sendErrorReply(outcome.error, outcome.message);
}

void ControlAdaptor::SwitchProfile(int profile) {
  service->answer(service->switchProfile(profile));
}

void ControlAdaptor::SetDpiStage(int stage) { service->answer(service->setDpiStage(stage)); }

void ControlAdaptor::SetReportRate(int hz) { service->answer(service->setReportRate(hz)); }

void ControlAdaptor::Show() { service->answer(service->show()); }
