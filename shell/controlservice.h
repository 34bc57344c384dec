#pragma once

#include "controlbus.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

class Widget;
class ControlAdaptor;

// Control of the running program from scripts over the user's session bus.
// Each request is the window's own action, through the interface's root
// functions; state is read from what the window shows. Only the adaptor's
// properties, methods and signals are exported.
class ControlService : public QObject, protected QDBusContext {
  Q_OBJECT

public:
  // What the bus publishes; compared with what was last sent.
  struct State {
    bool connected = false;
    int profile = -1;
    controlbus::ProfileRows profiles;
    int dpiStage = 0;
    QList<int> dpiStages;
    int reportRate = 0;
  };

  explicit ControlService(Widget &window);
  ~ControlService() override;

  // Registers the object and claims the name; false (with a debug line)
  // when there is no session bus or the name is taken.
  bool registerOn(QDBusConnection connection);

  // The published state, brought up to date first.
  const State &state();

  // An empty error name means the request was carried out.
  struct Outcome {
    QString error;
    QString message;
  };
  Outcome switchProfile(int number);
  Outcome setDpiStage(int stage);
  Outcome setReportRate(int hz);
  Outcome show();
  // A refusal becomes the error reply of the call being delivered.
  void answer(const Outcome &outcome);

private slots:
  void connectInterface();
  void scheduleRefresh();

private:
  void refresh();
  State readState() const;
  Outcome refusal() const;
  Outcome noAccess() const;
  // Runs a root function that sends to the mouse; a refusal when any of
  // its commands did not complete.
  Outcome sendThrough(const char *function, const QVariant &arg);
  bool callRoot(const char *function, const QVariantList &args = {},
                QVariant *result = nullptr) const;

  Widget &window;
  ControlAdaptor *adaptor = nullptr;
  QDBusConnection bus{QString()};
  bool connected = false;
  bool refreshQueued = false;
  State published;
};

// The exported interface.
class ControlAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "example.norvane.N1")
  Q_PROPERTY(bool Connected READ connected)
  Q_PROPERTY(int Profile READ profile)
  Q_PROPERTY(controlbus::ProfileRows Profiles READ profiles)
  Q_PROPERTY(int DpiStage READ dpiStage)
  Q_PROPERTY(QList<int> DpiStages READ dpiStages)
  Q_PROPERTY(int ReportRate READ reportRate)

public:
  explicit ControlAdaptor(ControlService *service);

  bool connected() const { return service->state().connected; }
  int profile() const { return service->state().profile; }
  controlbus::ProfileRows profiles() const { return service->state().profiles; }
  int dpiStage() const { return service->state().dpiStage; }
  QList<int> dpiStages() const { return service->state().dpiStages; }
  int reportRate() const { return service->state().reportRate; }

public slots:
  void SwitchProfile(int profile);
  void SetDpiStage(int stage);
  void SetReportRate(int hz);
  void Show();

signals:
  void ConnectedChanged(bool connected);
  void ProfileChanged(int profile);
  // Spelled out: the bus finds the type by this name.
  void ProfilesChanged(const QList<controlbus::ProfileRow> &profiles);
  void DpiStageChanged(int stage);
  void DpiStagesChanged(const QList<int> &stages);
  void ReportRateChanged(int hz);

private:
  ControlService *service;
};
