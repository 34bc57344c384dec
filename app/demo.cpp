#include "demo.h"

#include "device/deviceentry.h"
#include "platform/devicemonitor.h"
#include "shell/widget.h"
#include "vmouse.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTimer>

namespace demo {

void plugVirtualMouse(const QStringList &args) {
  // The virtual mouse presents the first configured mouse entry (type 1).
  const QString configFile = QStringLiteral("./modules/setting/apConfig.bin");
  const QList<DeviceEntry> devices = readDeviceList(configFile);
  vmouse::Config c;
  if (!devices.isEmpty()) {
    auto mouse = std::find_if(devices.begin(), devices.end(),
                              [](const DeviceEntry &e) { return e.type == 1; });
    const DeviceEntry &e = mouse != devices.end() ? *mouse : devices.first();
    c.vid = e.vid;
    c.pid = e.pid;
    c.usagePage = e.usagePage;
    c.usage = e.usage;
    c.usagePage2 = e.usagePage2;
    c.usage2 = e.usage2;
    c.reportLength = e.reportLength;
    c.isEncode = e.isEncode;
    c.sCode = e.sCode.toStdString();
  }
  const QSettings s(configFile, QSettings::IniFormat);
  c.family =
      s.value(QStringLiteral("mouse/icType")).toString() == QLatin1String("560") ? "560" : "553";
  vmouse::configure(c);
  if (args.contains(QStringLiteral("--unplugged")))
    vmouse::unplug();
  vmouse::setChangeListener([] { platform::DeviceChangeMonitor::notifyAll(); });
}

void runOptions(const QStringList &args, Widget &window) {
  const int at = args.indexOf(QStringLiteral("--screenshot"));
  if (at < 0 || at + 1 >= args.size())
    return;
  const QString file = args.at(at + 1);
  QTimer::singleShot(1500, &window, [&window, file] {
    const bool saved = window.grab().save(file);
    qDebug() << (saved ? "Screenshot saved to" : "Screenshot failed:") << file;
    QCoreApplication::exit(saved ? 0 : 2);
  });
}

} // namespace demo
