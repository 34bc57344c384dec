// Host side of the view: construction, focus handling, file dialogs and the
// calls into the QML root object.
#include "myqquickview.h"

#include "device/hid_thread.h"

#include <QFileDialog>
#include <QFocusEvent>
#include <QQuickItem>
#include <QStandardPaths>

namespace {

myQQuickView::RootCallObserver &rootCallObserver() {
  static myQQuickView::RootCallObserver observer;
  return observer;
}

myQQuickView::FileDialogHook &fileDialogHook() {
  static myQQuickView::FileDialogHook hook;
  return hook;
}

} // namespace

myQQuickView::myQQuickView(QWidget *parent) : QQuickWidget(parent) {}

myQQuickView::~myQQuickView() = default;

void myQQuickView::setRootCallObserver(RootCallObserver observer) {
  rootCallObserver() = std::move(observer);
}

void myQQuickView::setFileDialogHook(FileDialogHook hook) { fileDialogHook() = std::move(hook); }

QString myQQuickView::askFileName(bool save, const QString &title, const QString &filter,
                                  const QString &proposed) {
  if (fileDialogHook())
    return fileDialogHook()(save, title, filter, proposed);
  const QString start = proposed.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                            : proposed;
  return save ? QFileDialog::getSaveFileName(this, title, start, filter)
              : QFileDialog::getOpenFileName(this, title, start, filter);
}

void myQQuickView::focusInEvent(QFocusEvent *event) {
  // The base hands focus on to the items: without it no item ever has
  // keyboard focus.
  QQuickWidget::focusInEvent(event);
  repaint();
  event->accept();
}

void myQQuickView::showEvent(QShowEvent *event) {
  QQuickWidget::showEvent(event);
  tellRootShown(true);
}

void myQQuickView::hideEvent(QHideEvent *event) {
  QQuickWidget::hideEvent(event);
  tellRootShown(false);
}

void myQQuickView::tellRootShown(bool shown) {
  if (QQuickItem *root = rootObject())
    root->setProperty("hostShown", shown);
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
  if (hidLink())
    hidLink()->setTransportFree();
}

void myQQuickView::initUI() {
  tellRootShown(isVisible());
  invokeRoot("initUI", Qt::QueuedConnection);
}

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

bool myQQuickView::mayQuit() {
  QQuickItem *root = rootObject();
  QVariant answer;
  // An interface without the question has nothing to lose.
  if (!root || !QMetaObject::invokeMethod(root, "confirmQuit", Q_RETURN_ARG(QVariant, answer)))
    return true;
  return answer.toBool();
}

void myQQuickView::postKeyboardToQml(bool pressed, int code) {
  invokeRoot("detectKeyboard", Qt::QueuedConnection, {QVariant(pressed), QVariant(code)});
}

void myQQuickView::postMouseToQml(bool pressed, uint code, uint x, uint y) {
  invokeRoot("detectMouse", Qt::QueuedConnection,
             {QVariant(pressed), QVariant(code), QVariant(x), QVariant(y)});
}
