// Host side of the view: construction, focus handling and the calls into the
// QML root object.
#include "myqquickview.h"

#include "device/hid_thread.h"

#include <QFocusEvent>
#include <QQuickItem>

namespace {

myQQuickView::RootCallObserver &rootCallObserver() {
  static myQQuickView::RootCallObserver observer;
  return observer;
}

} // namespace

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent) {
  globalConfig =
      new QSettings(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
  defaultProfile = new QSettings(QStringLiteral("./modules/setting/pD.bin"), QSettings::IniFormat);
  for (int i = 1; i <= 10; ++i)
    profileList.append(
        new QSettings(QStringLiteral("./modules/setting/p%1.bin").arg(i), QSettings::IniFormat));
  isColorful = getGlobalData(QStringLiteral("mouse/isColorful")).toBool();
  isGun = getGlobalData(QStringLiteral("mouse/isGun")).toBool();
  icType = getGlobalData(QStringLiteral("mouse/icType")).toString();
  is55328 = getGlobalData(QStringLiteral("mouse/is55328")).toBool();
}

myQQuickView::~myQQuickView() {
  delete globalConfig;
  delete defaultProfile;
  qDeleteAll(profileList);
}

void myQQuickView::setRootCallObserver(RootCallObserver observer) {
  rootCallObserver() = std::move(observer);
}

void myQQuickView::focusInEvent(QFocusEvent *event) {
  repaint();
  event->accept();
}

void myQQuickView::invokeRoot(const char *function, Qt::ConnectionType type,
                              const QVariantList &args) {
  if (rootCallObserver())
    rootCallObserver()(QString::fromLatin1(function), type, args);
  QQuickItem *root = rootObject();
  if (!root)
    return;
  // A function the interface lacks is simply not called.
  switch (args.size()) {
  case 0:
    QMetaObject::invokeMethod(root, function, type);
    break;
  case 1:
    QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]));
    break;
  case 2:
    QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]),
                              Q_ARG(QVariant, args[1]));
    break;
  case 3:
    QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args[0]),
                              Q_ARG(QVariant, args[1]), Q_ARG(QVariant, args[2]));
    break;
  default:
    QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, args.value(0)),
                              Q_ARG(QVariant, args.value(1)), Q_ARG(QVariant, args.value(2)),
                              Q_ARG(QVariant, args.value(3)));
    break;
  }
}

void myQQuickView::clearHidBusy() {
  if (link)
    link->setTransportFree();
}

void myQQuickView::initUI() { invokeRoot("initUI", Qt::QueuedConnection); }

void myQQuickView::runUI() { invokeRoot("run", Qt::QueuedConnection); }

void myQQuickView::openUpdateExe() {}

void myQQuickView::setBusy(int busyTime) {
  invokeRoot("setProtectUI", Qt::DirectConnection, {QVariant(busyTime)});
}

void myQQuickView::setCurrentDPI(int dpiValue) {
  invokeRoot("setCurrentDPI", Qt::DirectConnection, {QVariant(dpiValue)});
}

void myQQuickView::showDeviceState(int state) {
  invokeRoot("setDeviceState", Qt::QueuedConnection, {QVariant(state)});
}

void myQQuickView::postKeyboardToQml(bool pressed, int code) {
  invokeRoot("detectKeyboard", Qt::QueuedConnection, {QVariant(pressed), QVariant(code)});
}

void myQQuickView::postMouseToQml(bool pressed, uint code, uint x, uint y) {
  invokeRoot("detectMouse", Qt::QueuedConnection,
             {QVariant(pressed), QVariant(code), QVariant(x), QVariant(y)});
}
