// The QML host and the window controller: the view's method table, the
// calls into the QML root and the window operations.
#include "shell/myqquickview.h"
#include "shell/ui_controler.h"
#include "shell/windowmover.h"
#include "testsupport.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QWindow>

using namespace testsupport;

namespace {

struct Operation {
  const char *returnType;
  const char *name;
  QList<QByteArray> types;
  QList<QByteArray> names;
};

const QList<Operation> operations = {
    {"void", "clearHidBusy", {}, {}},
    {"void", "initUI", {}, {}},
    {"void", "runUI", {}, {}},
    {"void", "resetApconfig", {}, {}},
    {"bool", "loadMacroFile", {"QVariant"}, {"macroFileName"}},
    {"void", "saveMacroFile", {"QVariant"}, {"macroFileName"}},
    {"bool", "loadProfile", {"int"}, {"profile"}},
    {"void", "saveProfile", {"int"}, {"profile"}},
    {"void", "resetProfile", {"int"}, {"profile"}},
    {"void", "copyProfile", {"int", "int"}, {"destprofile", "srcprofile"}},
    {"QStringList", "getLangStrings", {"QString", "QString"}, {"typeStr", "langCode"}},
    {"QVariant", "createMacroIni", {"QVariant", "QVariant"}, {"name", "macroIndex"}},
    {"QVariant", "updataNameList", {"QVariant", "QStringList"}, {"type", "nameList"}},
    {"QVariant", "modifyMacroNameUpdateProfile", {"QVariant", "QVariant"}, {"oldname", "newname"}},
    {"void", "deleteMacroUpdateProfile", {"QVariant"}, {"macroName"}},
    {"QVariant", "deleteMacroIni", {"QVariant"}, {"name"}},
    {"QVariantList", "getNameList", {"QVariant"}, {"type"}},
    {"QVariant",
     "saveMacroIni",
     {"QVariant", "QStringList", "QVariant"},
     {"name", "macros", "repeat"}},
    {"QVariant", "mouseSendMacroData", {"QVariantList", "QVariant"}, {"macroData", "macroIndex"}},
    {"QStringList", "loadMacroIni", {"QVariant"}, {"name"}},
    {"void", "mouseSaveGundata", {"QVariant", "QVariantList"}, {"index", "src6"}},
    {"void", "mouseSendGundata", {"int", "QVariantList"}, {"", ""}},
    {"void", "modifyGundata", {"QVariant", "QVariantList"}, {"modifyType", "src6"}},
    {"QVariantList", "getGunData", {"QVariant"}, {"name"}},
    {"QStringList", "getGunDataKey", {}, {}},
    {"QVariant", "getXYSensitive", {"QVariant"}, {"index"}},
    {"QVariant", "getselectGun", {"QVariant"}, {"index"}},
    {"void", "setXYSensitive", {"QVariant", "QVariant"}, {"index", "xyData"}},
    {"void", "setSelectGun", {"QVariant", "QVariant"}, {"index", "xyData"}},
    {"void", "setCurrentProfile", {"int"}, {"profile"}},
    {"void",
     "mouseSetKeyboardoption",
     {"uchar", "uchar", "uchar", "uchar"},
     {"byte1", "byte2", "byte3", "byte4"}},
    {"void", "mouseSetReportRate", {"uchar"}, {"rate"}},
    {"void", "mouseSetCurrentDPI", {"uchar"}, {"currentDPI"}},
    {"void", "mouseResetKeyMatrix", {}, {}},
    {"QVariant", "mouseGetCurrentDPI", {}, {}},
    {"void",
     "mouseSetKeyMatrix",
     {"QVariantList", "bool", "QVariantList"},
     {"src64", "isSendData", "otherParam"}},
    {"void",
     "mouseSetDpi",
     {"int", "QString", "QVariantList"},
     {"dpiCount", "sensorType", "dpiValueArray"}},
    {"void", "mouseSetRGBEffect", {"uchar", "uchar", "uchar"}, {"effect", "option1", "option2"}},
    {"void", "mouseSetRGBColor", {"uchar", "QVariantList"}, {"type", "src24"}},
    {"void", "mouseSetProfile", {"uint"}, {"profileNo"}},
    {"void", "mouseReadProfile", {"uint"}, {"profileNo"}},
    {"QVariant", "mouseReadCurrentProfile", {}, {}},
    {"void", "mouseSwitchKeyMatrix", {"int"}, {"indexNo"}},
    {"QVariantList", "GetKeyboardoption", {}, {}},
    {"bool", "mouseSetCursorSpeed", {"uint"}, {"cursorSpeed"}},
    {"bool", "mouseSetVerticalScrollLines", {"uint"}, {"lines"}},
    {"bool", "mouseSetDoubleClickSpeed", {"uint"}, {"speed"}},
    {"QVariantList", "mouseGetKeydefine", {"QVariant", "bool"}, {"index", ""}},
    {"void", "openUpdateExe", {}, {}},
    {"QVariant", "getData", {"QVariant", "bool"}, {"key", "isRecovery"}},
    {"QVariant", "getGlobalData", {"QVariant"}, {"key"}},
    {"QVariantList", "getDataList", {"QVariant", "bool"}, {"key", "isRecovery"}},
    {"void", "setData", {"QVariant", "QVariant"}, {"key", "data"}},
    {"void", "setGlobalData", {"QVariant", "QVariant"}, {"key", "tmpdata"}},
    {"void", "setDataList", {"QVariant", "QVariantList"}, {"key", "datalist"}},
    {"void", "setBusy", {"int"}, {"busyTime"}},
    {"void", "setCurrentDPI", {"int"}, {"dpiValue"}},
    // Beyond the interface's table.
    {"void", "mouseSelectStartProfile", {}, {}},
    {"QVariantList", "pointerSettingsOffered", {}, {}},
    {"QString", "currentLanguage", {}, {}},
    {"QVariantList", "languageList", {}, {}},
    {"QVariantList", "macroBindings", {"QVariant"}, {"macroName"}},
};

// A root that records every call with the types its arguments arrived as.
const char *recordingRoot = R"(
import QtQuick
Item {
    width: 1024; height: 640
    property var calls: []
    function record(name, args) {
        var line = name
        for (var i = 0; i < args.length; ++i)
            line += " " + args[i] + ":" + typeof args[i]
        calls = calls.concat([line])
    }
    function initUI() { record("initUI", arguments) }
    function run() { record("run", arguments) }
    function setProtectUI(interval) { record("setProtectUI", arguments) }
    function setCurrentDPI(dpiValue) { record("setCurrentDPI", arguments) }
    function detectKeyboard(isDown, usbCode) { record("detectKeyboard", arguments) }
    function detectMouse(isDown, buttonCode, x, y) { record("detectMouse", arguments) }
}
)";

struct Observed {
  QString function;
  Qt::ConnectionType type;
  QList<int> argTypes;
};

} // namespace

class tst_host : public QObject {
  Q_OBJECT

private slots:
  void methodTable() {
    const QMetaObject &meta = myQQuickView::staticMetaObject;
    QCOMPARE(meta.methodCount() - meta.methodOffset(), operations.size());
    for (int i = 0; i < operations.size(); ++i) {
      const QMetaMethod m = meta.method(meta.methodOffset() + i);
      const Operation &op = operations[i];
      QCOMPARE(m.name(), QByteArray(op.name));
      QCOMPARE(m.methodType(), QMetaMethod::Method);
      QCOMPARE(m.typeName(), op.returnType);
      QCOMPARE(m.parameterTypes(), op.types);
      QCOMPARE(m.parameterNames(), op.names);
    }
    // The controller's slots, in order.
    const QMetaObject &ctl = Ui_Controler::staticMetaObject;
    QStringList slotNames;
    for (int i = ctl.methodOffset(); i < ctl.methodCount(); ++i)
      slotNames << QString::fromLatin1(ctl.method(i).methodSignature());
    QCOMPARE(slotNames, QStringList({"onMinimize()", "onClose()", "onXChanged(int)",
                                     "onYChanged(int)", "setBusy(int)", "setBusy()"}));
  }

  void rootCalls() {
    QTemporaryDir dir;
    QFile qml(dir.filePath(QStringLiteral("root.qml")));
    QVERIFY(qml.open(QIODevice::WriteOnly));
    qml.write(recordingRoot);
    qml.close();
    QList<Observed> observed;
    myQQuickView::setRootCallObserver(
        [&](const QString &function, Qt::ConnectionType type, const QVariantList &args) {
          QList<int> types;
          for (const QVariant &a : args)
            types << a.typeId();
          observed.append({function, type, types});
        });

    myQQuickView view(nullptr);
    view.setSource(QUrl::fromLocalFile(qml.fileName()));
    QQuickItem *root = view.rootObject();
    QVERIFY(root);
    auto calls = [root] { return root->property("calls").toStringList(); };

    // Direct: recorded before the call returns.
    view.setBusy(0);
    view.setCurrentDPI(3);
    QCOMPARE(calls(), QStringList({"setProtectUI 0:number", "setCurrentDPI 3:number"}));

    // Queued: recorded only once the event loop runs.
    view.initUI();
    view.runUI();
    view.postKeyboardToQml(true, 0x04);
    view.postMouseToQml(false, 0xF1, 4294967290u, 12);
    QCOMPARE(calls().size(), 2);
    QTRY_COMPARE(calls().size(), 6);
    QCOMPARE(calls().mid(2),
             QStringList({"initUI", "run", "detectKeyboard true:boolean 4:number",
                          "detectMouse false:boolean 241:number 4294967290:number 12:number"}));

    QCOMPARE(observed.size(), 6);
    const QList<Observed> expected = {
        {"setProtectUI", Qt::DirectConnection, {QMetaType::Int}},
        {"setCurrentDPI", Qt::DirectConnection, {QMetaType::Int}},
        {"initUI", Qt::QueuedConnection, {}},
        {"run", Qt::QueuedConnection, {}},
        {"detectKeyboard", Qt::QueuedConnection, {QMetaType::Bool, QMetaType::Int}},
        {"detectMouse",
         Qt::QueuedConnection,
         {QMetaType::Bool, QMetaType::UInt, QMetaType::UInt, QMetaType::UInt}},
    };
    for (int i = 0; i < expected.size(); ++i) {
      QCOMPARE(observed[i].function, expected[i].function);
      QCOMPARE(observed[i].type, expected[i].type);
      QCOMPARE(observed[i].argTypes, expected[i].argTypes);
    }
    myQQuickView::setRootCallObserver(nullptr);

    // Without a root nothing is called and nothing breaks.
    myQQuickView empty(nullptr);
    empty.setBusy(5);
    empty.initUI();
    QCoreApplication::processEvents();
  }

  void focusIsAccepted() {
    myQQuickView view(nullptr);
    QFocusEvent event(QEvent::FocusIn);
    event.ignore();
    QCoreApplication::sendEvent(&view, &event);
    QVERIFY(event.isAccepted());
  }

  void controllerWindowOperations() {
    WorkDir dir;
    dir.writeConfig(QStringLiteral("[common]\nname=NORVANE N1\n"));
    QWidget window;
    Ui_Controler ctl(&window);
    QCOMPARE(window.objectName(), QStringLiteral("Widget"));
    QCOMPARE(window.windowTitle(), QStringLiteral("NORVANE N1"));
    QCOMPARE(ctl.view()->parentWidget(), &window);
    QCOMPARE(ctl.view()->source(), QUrl(QStringLiteral("qrc:modules/qml/main.qml")));

    window.move(100, 100);
    window.show();
    ctl.onXChanged(15);
    ctl.onYChanged(-20);
    QCOMPARE(window.pos(), QPoint(115, 80));

    QStringList busy;
    myQQuickView::setRootCallObserver(
        [&](const QString &function, Qt::ConnectionType type, const QVariantList &args) {
          busy << function + " " + args.value(0).toString() +
                      (type == Qt::DirectConnection ? " direct" : " queued");
        });
    ctl.setBusy(250);
    ctl.setBusy();
    myQQuickView::setRootCallObserver(nullptr);
    QCOMPARE(busy, QStringList({"setProtectUI 250 direct", "setProtectUI 0 direct"}));

    ctl.onMinimize();
    QTRY_VERIFY(window.isMinimized());
    window.showNormal();
    ctl.onClose();
    QVERIFY(!window.isVisible());
  }

  // Assistive technology sees one Window named after the product, with the
  // items where the view is on screen, wherever the window was moved.
  void accessibleTopLevel() {
    WorkDir dir;
    dir.writeConfig(QStringLiteral("[common]\nname=NORVANE N1\n"));
    QWidget window;
    Ui_Controler ctl(&window);
    window.move(100, 100);
    window.show();
    QAccessibleInterface *top = QAccessible::queryAccessibleInterface(&window);
    QCOMPARE(top->role(), QAccessible::Window);
    QCOMPARE(top->text(QAccessible::Name), QStringLiteral("NORVANE N1"));

    QQuickWindow *offscreen = ctl.view()->quickWindow();
    QTRY_COMPARE(offscreen->position(), QPoint(100, 100));
    window.move(300, 200);
    QTRY_COMPARE(offscreen->position(), QPoint(300, 200));
    window.hide();
    window.move(40, 50);
    window.show();
    QTRY_COMPARE(offscreen->position(), QPoint(40, 50));

    QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
    QList<QObject *> listed;
    for (int i = 0; i < app->childCount(); ++i)
      listed << app->child(i)->object();
    QVERIFY(listed.contains(&window));
    QVERIFY(!listed.contains(offscreen));
  }

  // A drag is the window system's where it can move the window; otherwise
  // the window follows the offsets. Each press of the left button decides anew.
  void dragMovesThroughTheWindowSystem() {
    WorkDir dir;
    QWidget window;
    Ui_Controler ctl(&window);
    window.move(100, 100);
    window.show();
    QCOMPARE(window.size(), QSize(1024, 640));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QList<QWindow *> started;
    bool supported = true;
    ctl.windowMover()->setSystemMove([&](QWindow *w) {
      started << w;
      return supported;
    });
    const auto button = [&](QEvent::Type type) {
      QMouseEvent e(type, QPointF(5, 5), QPointF(105, 105), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
      QCoreApplication::sendEvent(ctl.view(), &e);
    };

    button(QEvent::MouseButtonPress);
    ctl.onXChanged(15);
    ctl.onYChanged(-20);
    ctl.onXChanged(5);
    QCOMPARE(window.pos(), QPoint(100, 100));
    QCOMPARE(started, QList<QWindow *>({window.windowHandle()}));
    QVERIFY(ctl.windowMover()->systemMoveActive());
    button(QEvent::MouseButtonRelease);

    supported = false;
    button(QEvent::MouseButtonPress);
    ctl.onXChanged(15);
    ctl.onYChanged(-20);
    QCOMPARE(window.pos(), QPoint(115, 80));
    QCOMPARE(started.size(), 2);
    button(QEvent::MouseButtonRelease);

    // Without a held button there is nothing the window system could follow.
    supported = true;
    ctl.onXChanged(-15);
    QCOMPARE(window.pos(), QPoint(100, 80));
    QCOMPARE(started.size(), 2);

    // A double click's second press reaches the view as a double-click
    // event; a drag from it is a drag all the same.
    button(QEvent::MouseButtonPress);
    button(QEvent::MouseButtonRelease);
    button(QEvent::MouseButtonDblClick);
    ctl.onXChanged(15);
    QCOMPARE(started.size(), 3);
    QVERIFY(ctl.windowMover()->systemMoveActive());
    QCOMPARE(window.pos(), QPoint(100, 80));
    button(QEvent::MouseButtonRelease);

    // Offscreen, as on an X server without a window manager, Qt's own
    // request fails and the offsets move the window.
    ctl.windowMover()->setSystemMove([](QWindow *w) { return w->startSystemMove(); });
    button(QEvent::MouseButtonPress);
    ctl.onYChanged(20);
    QCOMPARE(window.pos(), QPoint(100, 100));
  }
};

QTEST_MAIN(tst_host)
#include "tst_host.moc"
