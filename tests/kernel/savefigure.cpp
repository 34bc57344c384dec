// The figure of a full Save through the real stack: hidapi-hidraw and
// libudev on the emulated kernel interface, the firmware model behind the
// hidraw nodes. Measured time over the pauses the commands must make, as
// bench_save gives it on the virtual mouse. Run under umockdev-wrapper:
//   kernelbed_save <553|560>
// GLib headers first: they use the names Qt defines as keywords.
#include "kernelmouse.h"

#include "bench/benchsupport.h"
#include "bench/fullsave.h"
#include "device/hid_thread.h"

#include <QApplication>

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 2 || !qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("umockdev"))) {
    std::fprintf(stderr, "usage: umockdev-wrapper kernelbed_save <553|560>\n");
    return 2;
  }
  const QString family = args[1];
  const int rounds = qEnvironmentVariableIsSet("BENCH_SHORT") ? 1 : 5;
  bench::WorkDir dir(true);
  QFile config(QStringLiteral("modules/setting/apConfig.bin"));
  config.open(QIODevice::Append);
  config.write("[mouse]\nisColorful=true\nicType=" + family.toLatin1() + "\n");
  config.close();

  UMockdevTestbed *testbed = umockdev_testbed_new();
  int status = 0;
  {
    vmouse::Config c; // the shipped device entry, as the work folder lists it
    c.isEncode = true;
    c.family = family.toStdString();
    kernelbed::KernelMouse mouse(testbed, c);
    mouse.plug();
    Hid_Thread link;
    link.loadDeviceList();
    link.discoverInterfaces();
    if (!link.chkDeviceIsEnCode(0)) {
      std::fprintf(stderr, "kernelbed_save: the mouse did not answer the handshake\n");
      status = 1;
    } else {
      myQQuickView view(nullptr);
      view.setLink(&link);
      const size_t sentBefore = mouse.trace().size();
      const bench::SaveTiming t = bench::timeFullSave(view, rounds);
      const double ms = t.measuredMs;
      const int mandated = t.mandatedMs;
      // Every Save, the untimed first one too, sends the same requests.
      const size_t requests = (mouse.trace().size() - sentBefore) / size_t(rounds + 1);
      std::printf("kernel: %s family full Save %.1f ms over %d ms mandated = ratio %.4f "
                  "(target at most 1.02, %zu requests, %d rounds)\n",
                  qPrintable(family), ms, mandated, ms / mandated, requests, rounds);
      const std::string figure = "kernel_save_" + family.toStdString() + "_over_mandated";
      bench::result(figure.c_str(), ms / mandated, 1.02, "");
    }
    mouse.unplug();
  }
  g_object_unref(testbed);
  return status;
}
