// A full Save (key matrix, DPI table, lighting effect and colours) per
// family over the virtual mouse with real pauses: measured time over the
// pauses the commands must make (target: at most 1.02).
#include "benchlink.h"
#include "benchsupport.h"
#include "device/hid_thread.h"
#include "fullsave.h"
#include "vmouse.h"

#include <QApplication>
#include <QDateTime>

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rounds = qEnvironmentVariableIsSet("BENCH_SHORT") ? 1 : 5;
  bench::WorkDir dir(true);

  for (const char *family : {"553", "560"}) {
    QFile config(QStringLiteral("modules/setting/apConfig.bin"));
    config.open(QIODevice::Append);
    config.write(QByteArray("[mouse]\nisColorful=true\nicType=") + family + "\n");
    config.close();
    // Qt caches INI files by size and time: make the rewrite look new.
    config.setFileTime(QDateTime::currentDateTime().addSecs(family[2] - '0'),
                       QFileDevice::FileModificationTime);
    Hid_Thread link;
    if (!bench::connectTo(link, family)) {
      qCritical("bench_save: the virtual mouse did not answer the handshake");
      return 1;
    }
    myQQuickView view(nullptr);
    view.setLink(&link);

    const bench::SaveTiming t = bench::timeFullSave(view, rounds);
    const double ms = t.measuredMs;
    const int mandated = t.mandatedMs;
    printf("bench_save: %s family full Save %.1f ms over %d ms mandated = ratio %.4f "
           "(target at most 1.02, %d rounds)\n",
           family, ms, mandated, ms / mandated, rounds);
    bench::result(family[2] == '3' ? "save_553_over_mandated" : "save_560_over_mandated",
                  ms / mandated, 1.02, "");
    // The next family starts from the plain device list again.
    bench::WorkDir::rewriteDeviceList(true);
  }
  return 0;
}
