#pragma once

#include "device/hid_thread.h"
#include "device/linkowner.h"
#include "trayhost.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

class Ui_Controler;
class myQQuickView;
namespace platform {
class DeviceChangeMonitor;
}

// Set by the device check; the window is restored only while it is set.
extern bool deviceConnected;

// The program's one top-level window: owner of the device-check timer, the
// device link, the window controller with the QML view, and the tray icon.
class Widget : public QWidget, public LinkOwner {
  Q_OBJECT

public:
  explicit Widget(QWidget *parent = nullptr);
  ~Widget() override;

  myQQuickView *view() const;
  Ui_Controler *uiControler() const { return controller; }
  Hid_Thread &hidLink() { return link; }
  QSystemTrayIcon *tray() const { return trayIcon; }
  QTimer &deviceCheckTimer() { return checkTimer; }

  // What a device-change broadcast does: schedule one check unless a
  // connected device is being watched.
  void onDeviceChange();
  void startUI();

  bool linkArmReports(Hid_Thread &link) override;
  bool linkIsGun() const override;
  void linkSetCurrentDPI(int stage) override;
  void linkShowBalloon(const QString &text) override;
  void linkDisableView() override;

signals:
  // A device check found a mouse (true) or none, or the watch saw it go.
  void deviceConnectionChanged(bool connected);

public slots:
  void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
  void checkDevice();
  void exitSYS();
  void receiveMessage(QString);

protected:
  bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
  void customEvent(QEvent *event) override;
  // Without a tray, closing is quitting; with one, the window hides.
  void closeEvent(QCloseEvent *event) override;

private:
  void setUpTray();
  void reportInaccessibleDevice();
  void accessChanged(bool noAccess);
  void showNoAccessBalloon();
  void showBalloon(const QString &text,
                   QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information);
  void showDeviceState(trayhost::DeviceState state);
  void noDeviceFound();
  void restoreWindow();
  void trayHostChanged();

  QTimer checkTimer;
  Ui_Controler *controller = nullptr;
  Hid_Thread link;
  QSystemTrayIcon *trayIcon = nullptr;
  platform::DeviceChangeMonitor *deviceMonitor = nullptr;
  bool foundUnopenable = false;
  bool firstCheck = true;
  // Shown on request without a mouse, or because the tray went away: only
  // the user's close hides it again, never a device check.
  bool keptShown = false;
};
