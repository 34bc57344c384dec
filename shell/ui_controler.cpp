#include "ui_controler.h"

#include "accessiblehost.h"
#include "myqquickview.h"
#include "widget.h"
#include "windowmover.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>

Ui_Controler::Ui_Controler(QWidget *window) {
  if (window->objectName().isEmpty())
    window->setObjectName(QStringLiteral("Widget"));
  mainWindow = window;
  window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
  window->setWindowOpacity(1.0);
  window->setAttribute(Qt::WA_TranslucentBackground);
  // By name, so that the file dialogs and message boxes opened over the
  // window keep the desktop's own style instead of a transparent background.
  window->setStyleSheet(
      QStringLiteral("#%1, #ui_View { background:transparent; }").arg(window->objectName()));

  uiView = new myQQuickView(window);
  uiView->setObjectName(QStringLiteral("ui_View"));
  uiView->setResizeMode(QQuickWidget::SizeViewToRootObject);
  uiView->setClearColor(Qt::transparent);
  // Set before the interface loads, so that it never runs without them.
  QQmlContext *context = uiView->rootContext();
  context->setContextProperty(QStringLiteral("ui_View"), uiView);
  if (auto *w = qobject_cast<Widget *>(window))
    context->setContextProperty(QStringLiteral("hid"), &w->hidLink());
  context->setContextProperty(QStringLiteral("ui_Ctl"), this);
  // The pages import their folders as modules ("modules.qml.basic").
  uiView->engine()->addImportPath(QStringLiteral("qrc:/"));
  uiView->setSource(QUrl(QStringLiteral("qrc:modules/qml/main.qml")));

  // A fixed size also tells tiling window managers (sway) to float it.
  window->setFixedSize(uiView->size());
  mover = new WindowMover(window, uiView);
  accessiblehost::markTopLevel(window);
  accessiblehost::followView(uiView);
  loadWindowTitle();
}

Ui_Controler::~Ui_Controler() = default;

void Ui_Controler::loadWindowTitle() {
  QSettings s(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
  mainWindow->setWindowTitle(s.value(QStringLiteral("common/name"), QString()).toString());
}

void Ui_Controler::onMinimize() {
  if (mainWindow)
    mainWindow->showMinimized();
}

// A close request: the window decides whether it hides into the tray or,
// with no tray, ends the program.
void Ui_Controler::onClose() {
  if (mainWindow)
    mainWindow->close();
}

// Drag offsets from the interface; the mover lets the window system move
// the window where it can.
void Ui_Controler::onXChanged(int x) {
  if (mainWindow)
    mover->moveBy(x, 0);
}

void Ui_Controler::onYChanged(int y) {
  if (mainWindow)
    mover->moveBy(0, y);
}

void Ui_Controler::setBusy(int busyTime) { uiView->setBusy(busyTime); }

void Ui_Controler::setBusy() { setBusy(0); }
