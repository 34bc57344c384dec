#include "widget.h"

#include "config/device_family.h"
#include "myqquickview.h"
#include "platform/devicemonitor.h"
#include "platform/restore.h"
#include "ui_controler.h"
#include "userevent.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDebug>
#include <QIcon>
#include <QMenu>

#include <utility>

bool deviceConnected = false;

namespace {

const char *trayMenuStyle =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, "
    "255, 40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

} // namespace

Widget::Widget(QWidget *parent) : QWidget(parent) {
  // The program ends through exitSYS only: a message box or file dialog
  // closed while this window is hidden must not end it.
  QApplication::setQuitOnLastWindowClosed(false);
  link.setOwner(this);
  controller = new Ui_Controler(this);
  controller->view()->setLink(&link);

  checkTimer.setInterval(2048);
  checkTimer.setSingleShot(true);
  connect(&checkTimer, &QTimer::timeout, this, &Widget::checkDevice);

  setUpTray();
  connect(&link, &Hid_Thread::noAccessChanged, this, &Widget::accessChanged);

  deviceMonitor = new platform::DeviceChangeMonitor(this);
  connect(deviceMonitor, &platform::DeviceChangeMonitor::deviceChanged, this,
          &Widget::onDeviceChange);
  // A node added or changed while connected (its access rule re-applied)
  // may make an unopenable command interface usable again.
  connect(deviceMonitor, &platform::DeviceChangeMonitor::deviceAction, this,
          [this](const QString &action) {
            if (link.isWatchRunning() &&
                (action == QLatin1String("add") || action == QLatin1String("change")))
              link.rediscover();
          });
  deviceMonitor->start();
}

Widget::~Widget() {
  link.stopReportWatch();
  controller->deleteLater();
}

myQQuickView *Widget::view() const { return controller->view(); }

void Widget::setUpTray() {
  trayIcon = new QSystemTrayIcon(this);
  auto *quit = new QAction(tr("Quit (&Q)"), this);
  connect(quit, &QAction::triggered, this, &Widget::exitSYS);
  auto *menu = new QMenu(this);
  menu->addAction(quit);
  menu->setStyleSheet(QString::fromLatin1(trayMenuStyle));
  trayIcon->setContextMenu(menu);
  trayIcon->setToolTip(QStringLiteral("NORVANE MOUSE N1"));
  trayIcon->setIcon(QIcon(QStringLiteral("./modules/img/logo.ico")));
  connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
  // StatusNotifier trays come and go with the watcher's name; Qt registers
  // its icon again with a new watcher by itself.
  auto *hostWatch = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                            QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(hostWatch, &QDBusServiceWatcher::serviceOwnerChanged, this, &Widget::trayHostChanged);
  if (!QSystemTrayIcon::isSystemTrayAvailable())
    qDebug() << "System tray not available: the program keeps running without a tray icon";
  trayIcon->setVisible(true);
}

// With or without a mouse: without one the window shows the no-mouse
// screen, which tells the user what to do.
void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason) {
  if (trayhost::restoresWindow(reason))
    restoreWindow();
}

void Widget::receiveMessage(QString) { restoreWindow(); }

void Widget::restoreWindow() {
  keptShown = keptShown || !deviceConnected || !link.isWatchRunning();
  platform::postRestore(this);
}

// A panel restart or a tray extension switched off leaves no icon to come
// back from: a hidden window shows itself. A host that returns is used at the
// user's next close.
void Widget::trayHostChanged() {
  if (isVisible() || trayhost::available())
    return;
  qDebug() << "The tray went away: showing the window";
  keptShown = true;
  restoreWindow();
}

void Widget::checkDevice() {
  // Never inside a command: the check would reuse the link's buffers and
  // lock under it. It runs once the command has given the link back.
  if (link.deferWhileBusy([this] { checkDevice(); }))
    return;
  link.loadDeviceList();
  link.discoverInterfaces();
  const QList<DeviceEntry> &devices = link.devices();
  foundUnopenable = false;
  for (int i = 0; i < devices.size(); ++i) {
    if (devices[i].mainPath.isEmpty())
      continue;
    if (!link.chkDeviceIsEnCode(i)) {
      // The handshake's open clears the path when the interface cannot be opened.
      foundUnopenable = foundUnopenable || devices[i].mainPath.isEmpty();
      continue;
    }
    qDebug() << "Device Connect";
    view()->clearHidBusy();
    deviceConnected = true;
    showBalloon(QStringLiteral("Detect Device"));
    link.startReportWatch(uint(link.currentDeviceIndex()));
    view()->readMouseAtStart();
    view()->setEnabled(true);
    startUI();
    // A check that fell due while this one ran would only repeat it.
    checkTimer.stop();
    link.dropDeferred();
    emit deviceConnectionChanged(true);
    return;
  }
  reportInaccessibleDevice();
  qDebug() << "Device DisConnect";
  deviceConnected = false;
  noDeviceFound();
  emit deviceConnectionChanged(false);
}

void Widget::reportInaccessibleDevice() {
  // A mouse that enumerates but cannot be opened is almost always missing
  // access rights to its hidraw node; say so once instead of staying silent.
  static bool reported = false;
  if (reported || !foundUnopenable)
    return;
  reported = true;
  qDebug() << "Device found but cannot be opened: check access to its hidraw node (udev rule)";
  showNoAccessBalloon();
}

// The command interface of the watched mouse stopped (or started again)
// opening: the window, the tray and the bus say so, as at a device check.
void Widget::accessChanged(bool noAccess) {
  if (!deviceConnected || !link.isWatchRunning())
    return; // the device check reports what it finds itself
  showDeviceState(noAccess ? trayhost::DeviceState::NoAccess : trayhost::DeviceState::Connected);
  if (noAccess) {
    qDebug() << "Mouse connected but its command interface cannot be opened";
    showNoAccessBalloon();
  }
}

void Widget::showNoAccessBalloon() {
  showBalloon(QStringLiteral("Mouse found but not accessible: install the udev rule"),
              QSystemTrayIcon::Warning);
}

void Widget::showBalloon(const QString &text, QSystemTrayIcon::MessageIcon icon) {
  qDebug().noquote() << "Balloon:" << text;
  trayhost::showMessage(trayIcon, QStringLiteral("Info"), text, icon, 10000);
}

void Widget::showDeviceState(trayhost::DeviceState state) {
  trayIcon->setToolTip(trayhost::toolTip(state));
  view()->showDeviceState(int(state));
}

// With a tray the window hides and the icon stays; without one the window is
// all there is, so it stays (or comes back) with the no-mouse screen.
void Widget::noDeviceFound() {
  showDeviceState(foundUnopenable ? trayhost::DeviceState::NoAccess
                                  : trayhost::DeviceState::NoMouse);
  const bool first = std::exchange(firstCheck, false);
  if (trayhost::available()) {
    if (first)
      showBalloon(QStringLiteral("No mouse found: waiting in the tray"));
    if (!keptShown)
      setVisible(false);
  } else if (!isVisible()) {
    showNormal();
  }
}

void Widget::closeEvent(QCloseEvent *event) {
  if (!trayhost::available() && !view()->mayQuit()) {
    event->ignore();
    return;
  }
  event->accept();
  keptShown = false;
  if (!trayhost::available())
    exitSYS();
}

void Widget::exitSYS() {
  link.stopReportWatch();
  QCoreApplication::exit(0);
}

void Widget::onDeviceChange() {
  if (!link.isWatchRunning())
    checkTimer.start();
}

void Widget::startUI() {
  firstCheck = false;
  showDeviceState(trayhost::DeviceState::Connected);
  if (!isVisible() && !trayhost::available())
    showNormal(); // no tray to restore it from
  view()->initUI();
  QCoreApplication::postEvent(this, new UserEvent(UserEvent::RunUiKind));
}

void Widget::customEvent(QEvent *event) {
  const auto *user = event->type() == QEvent::User ? dynamic_cast<UserEvent *>(event) : nullptr;
  if (user && user->kind == UserEvent::RunUiKind)
    view()->runUI();
}

bool Widget::nativeEvent(const QByteArray &eventType, void *message, qintptr *result) {
#ifdef Q_OS_WIN
  // WM_SYSCOMMAND with exactly SC_RESTORE shows the window before the
  // system's own restore; WM_DEVICECHANGE schedules a device check.
  const MSG *msg = static_cast<const MSG *>(message);
  if (msg->message == 0x112 && msg->wParam == 0xF120)
    setVisible(true);
  else if (msg->message == 0x219)
    onDeviceChange();
#endif
  return QWidget::nativeEvent(eventType, message, result);
}

bool Widget::linkArmReports(Hid_Thread &link) { return view()->mouse().family().armReports(link); }

bool Widget::linkIsGun() const { return view()->isGun; }

void Widget::linkSetCurrentDPI(int stage) { view()->setCurrentDPI(stage); }

void Widget::linkShowBalloon(const QString &text) { showBalloon(text); }

void Widget::linkDisableView() {
  view()->setEnabled(false);
  // Until the next check the window says the mouse is gone.
  showDeviceState(trayhost::DeviceState::NoMouse);
  emit deviceConnectionChanged(false);
}
