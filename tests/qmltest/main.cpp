// norvane-qmltest: runs the tst_*.qml files of a folder (-input DIR, by
// default the project's own) against the real back end on the virtual
// mouse. The shipped modules/ tree is copied into a fresh working folder
// first, the window is built there and its device check has run, so tests
// see "ui_View", "hid" and "ui_Ctl" as the interface does, plus "vmouse".
#include "device/deviceentry.h"
#include "platform/messagebox.h"
#include "platform/pointersettings.h"
#include "shell/myqquickview.h"
#include "shell/ui_controler.h"
#include "shell/widget.h"
#include "vmouse.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QTemporaryDir>
#include <QtQuickTest/quicktest.h>

#include <vector>

namespace {

bool copyTree(const QString &from, const QString &to) {
  QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = to + source.mid(from.size());
    if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
      return false;
  }
  return true;
}

// The virtual mouse presents the first configured mouse entry.
void configureMouse() {
  const QString configFile = QStringLiteral("./modules/setting/apConfig.bin");
  vmouse::Config c;
  const QList<DeviceEntry> devices = readDeviceList(configFile);
  auto mouse = std::find_if(devices.begin(), devices.end(),
                            [](const DeviceEntry &e) { return e.type == 1; });
  if (mouse != devices.end()) {
    c.vid = mouse->vid;
    c.pid = mouse->pid;
    c.usagePage = mouse->usagePage;
    c.usage = mouse->usage;
    c.usagePage2 = mouse->usagePage2;
    c.usage2 = mouse->usage2;
    c.reportLength = mouse->reportLength;
    c.isEncode = mouse->isEncode;
    c.sCode = mouse->sCode.toStdString();
  }
  const QSettings s(configFile, QSettings::IniFormat);
  c.family =
      s.value(QStringLiteral("mouse/icType")).toString() == QLatin1String("560") ? "560" : "553";
  vmouse::configure(c);
}

QString callText(const QString &function, const QVariantList &args) {
  QStringList parts{function};
  for (const QVariant &a : args)
    parts << a.toString();
  return parts.join(QLatin1Char(' '));
}

} // namespace

// The "vmouse" context object.
class VirtualMouse : public QObject {
  Q_OBJECT

public:
  explicit VirtualMouse(Widget &window) : window(window) {
    myQQuickView::setRootCallObserver(
        [this](const QString &function, Qt::ConnectionType, const QVariantList &args) {
          calls << callText(function, args);
        });
    myQQuickView::setFileDialogHook([this](bool save, QString title, QString filter, QString) {
      dialogs << callText(save ? QStringLiteral("save") : QStringLiteral("open"), {title, filter});
      return dialogAnswer;
    });
    platform::setMessageBoxRecorder([this](const platform::MessageBoxRequest &request) {
      boxes << request.text;
      return request.buttons.testFlag(QMessageBox::Yes) ? boxAnswer : QMessageBox::Ok;
    });
  }
  ~VirtualMouse() override {
    myQQuickView::setRootCallObserver(nullptr);
    myQQuickView::setFileDialogHook({});
    platform::setMessageBoxRecorder({});
  }

  // The host's message boxes: their texts since the last call, and the
  // answer to its questions (Yes or No).
  Q_INVOKABLE void answerMessageBoxes(bool yes) {
    boxAnswer = yes ? QMessageBox::Yes : QMessageBox::No;
    boxes.clear();
  }
  Q_INVOKABLE QStringList messageBoxesShown() const { return boxes; }

  // The view's file dialogs answer this name ("" is a cancel) and record
  // what they were asked, as "open|save title filter".
  Q_INVOKABLE void answerFileDialogs(const QString &answer) {
    dialogAnswer = answer;
    dialogs.clear();
  }
  Q_INVOKABLE QStringList fileDialogsAsked() const { return dialogs; }
  // Command blocks as the device received them, unscrambled, each as
  // "code b1 ... b7" in hex, since the last clearTrace().
  Q_INVOKABLE QStringList commands() const {
    QStringList out;
    for (const vmouse::Command &c : vmouse::commands())
      out << QByteArray(reinterpret_cast<const char *>(c.block.data()), int(c.block.size()))
                 .toHex(' ');
    return out;
  }

  Q_INVOKABLE QStringList trace() const {
    QStringList lines;
    for (const std::string &line : vmouse::trace())
      lines << QString::fromStdString(line);
    return lines;
  }
  // The trace without the report watch's own cycles on the event interface
  // (open, a read with a timeout, close, every 500 ms): only the reports that
  // carry data to or from the mouse. "Nothing was sent" checks use this, so
  // a watch cycle that happens to fall inside them is not taken for traffic.
  Q_INVOKABLE QStringList commandTraffic() const {
    QStringList lines;
    for (const QString &line : trace())
      if (line.startsWith(QLatin1String("send_feature ")) ||
          line.startsWith(QLatin1String("get_feature ")) ||
          line.startsWith(QLatin1String("write ")))
        lines << line;
    return lines;
  }
  Q_INVOKABLE void clearTrace() {
    vmouse::clearTrace();
    vmouse::clearCommands();
    calls.clear();
  }
  // Plugging in runs the device check at once instead of after the
  // window's 2048 ms debounce.
  Q_INVOKABLE void plug() {
    vmouse::plug();
    window.checkDevice();
  }
  Q_INVOKABLE void unplug() { vmouse::unplug(); }
  Q_INVOKABLE void pushEvent(const QVariantList &bytes) {
    std::vector<uint8_t> report;
    for (const QVariant &b : bytes)
      report.push_back(static_cast<uint8_t>(b.toUInt()));
    vmouse::queueEvent(report);
  }
  // op: a trace op ("open", "send_feature", "get_feature", "write", "read")
  // or "stall" (a read that times out) or "echo" (a wrong handshake echo).
  Q_INVOKABLE bool failNext(const QString &op) {
    static const QList<QPair<QString, vmouse::Fault>> faults = {
        {"open", vmouse::Fault::Open},
        {"send_feature", vmouse::Fault::Feature},
        {"get_feature", vmouse::Fault::GetFeature},
        {"write", vmouse::Fault::Write},
        {"read", vmouse::Fault::Read},
        {"stall", vmouse::Fault::StallRead},
        {"echo", vmouse::Fault::WrongEcho}};
    for (const auto &[name, fault] : faults)
      if (name == op) {
        vmouse::failNext(fault);
        return true;
      }
    qWarning().noquote() << "vmouse.failNext: unknown op" << op;
    return false;
  }
  Q_INVOKABLE QString family() const { return QString::fromStdString(vmouse::config().family); }
  // Calls into the interface's root since the last clearTrace(), each as
  // "name arg1 arg2".
  Q_INVOKABLE QStringList rootCalls() const { return calls; }
  // Pointer settings the interface made, each as "speed 4", "doubleClick
  // 830" or "scrollLines 3"; the desktop is never touched under test.
  Q_INVOKABLE QStringList pointerLog() const {
    QStringList lines;
    for (const auto &e : pointer.entries()) {
      const char *name = e.setting == platform::PointerSetting::Speed             ? "speed"
                         : e.setting == platform::PointerSetting::DoubleClickTime ? "doubleClick"
                                                                                  : "scrollLines";
      lines << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(e.value);
    }
    return lines;
  }
  Q_INVOKABLE void clearPointerLog() { pointer.clear(); }
  // The desktop the pointer settings meet: the settings ("speed",
  // "doubleClick", "scrollLines") it has no backend for, and whether it
  // takes the values of the others.
  Q_INVOKABLE void setPointerDesktop(const QStringList &unsupported, bool accept) {
    QList<platform::PointerSetting> settings;
    for (const QString &name : unsupported)
      settings << (name == QLatin1String("speed") ? platform::PointerSetting::Speed
                   : name == QLatin1String("doubleClick")
                       ? platform::PointerSetting::DoubleClickTime
                       : platform::PointerSetting::WheelScrollLines);
    pointer.setUnsupported(settings);
    pointer.setAccept(accept);
  }
  // What the virtual mouse holds now: "keyMatrix1" to "keyMatrix4" (64
  // numbers each), "reportRate", "dpiCount", "dpiTable" (8 codes), "led"
  // (effect, option 1, option 2), "fixedColour", "stageColourType",
  // "stageColours" and "macros" (by id).
  Q_INVOKABLE QVariantMap state() const {
    const vmouse::DeviceState s = vmouse::deviceState();
    auto list = [](const auto &bytes) {
      QVariantList out;
      for (uint8_t b : bytes)
        out << int(b);
      return out;
    };
    QVariantMap m;
    for (int i = 0; i < 4; ++i)
      m.insert(QStringLiteral("keyMatrix%1").arg(i + 1), list(s.keyMatrices[size_t(i)]));
    m.insert(QStringLiteral("reportRate"), int(s.reportRate));
    m.insert(QStringLiteral("dpiCount"), int(s.dpiCount));
    m.insert(QStringLiteral("dpiTable"), list(s.dpiTable));
    m.insert(QStringLiteral("led"), QVariantList{s.ledEffect, s.ledOption1, s.ledOption2});
    m.insert(QStringLiteral("fixedColour"), list(s.fixedColour));
    m.insert(QStringLiteral("stageColourType"), int(s.stageColourType));
    m.insert(QStringLiteral("stageColours"), list(s.stageColours));
    QVariantMap macros;
    for (const auto &[id, bytes] : s.macros)
      macros.insert(QString::number(id), list(bytes));
    m.insert(QStringLiteral("macros"), macros);
    return m;
  }
  // A file's bytes in hex, "" when it cannot be read: shows that a file
  // stayed byte for byte the same.
  Q_INVOKABLE QString fileHex(const QString &path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll().toHex()) : QString();
  }
  // The view's device flags, as read from the configuration at start-up.
  Q_INVOKABLE void setViewFlags(bool colourful, bool is55328) {
    window.view()->isColorful = colourful;
    window.view()->is55328 = is55328;
  }

private:
  Widget &window;
  QStringList calls;
  platform::PointerSettingsLog pointer;
  QStringList dialogs;
  QString dialogAnswer;
  QStringList boxes;
  QMessageBox::StandardButton boxAnswer = QMessageBox::Yes;
};

class Setup : public QObject {
  Q_OBJECT

public:
  Setup(Widget &window, VirtualMouse &mouse) : window(window), mouse(mouse) {}

public slots:
  void qmlEngineAvailable(QQmlEngine *engine) {
    engine->addImportPath(QStringLiteral("qrc:/"));
    QQmlContext *context = engine->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), window.view());
    context->setContextProperty(QStringLiteral("hid"), &window.hidLink());
    context->setContextProperty(QStringLiteral("ui_Ctl"), window.uiControler());
    context->setContextProperty(QStringLiteral("vmouse"), &mouse);
  }

private:
  Widget &window;
  VirtualMouse &mouse;
};

int main(int argc, char **argv) {
  QApplication app(argc, argv);

  // The working folder changes below: make the test folder absolute first.
  std::vector<QByteArray> args;
  for (int i = 0; i < argc; ++i) {
    args.emplace_back(argv[i]);
    if (i > 0 && args[i - 1] == "-input")
      args.back() = QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath().toLocal8Bit();
  }
  std::vector<char *> argp;
  for (QByteArray &a : args)
    argp.push_back(a.data());
  argp.push_back(nullptr);

  QTemporaryDir root;
  const QString shipped = QStringLiteral(NORVANE_SOURCE_DIR "/modules");
  for (const char *part : {"setting", "i18n", "gun", "macro", "img"})
    if (!copyTree(shipped + "/" + part, root.filePath(QStringLiteral("modules/") + part))) {
      qCritical().noquote() << "norvane-qmltest: cannot copy" << shipped << "to" << root.path();
      return 2;
    }
  QDir::setCurrent(root.path());
  configureMouse();

  int result = 0;
  {
    Widget window;
    VirtualMouse mouse(window);
    window.checkDevice();
    // Deliver the start-up's queued calls before any test runs.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    Setup setup(window, mouse);
    result = quick_test_main_with_setup(int(args.size()), argp.data(), "norvane",
                                        NORVANE_SOURCE_DIR "/tests/qml", &setup);
  }
  QDir::setCurrent(QDir::tempPath());
  return result;
}

#include "main.moc"
