// The language loader on a fuzzed language file, for the sections the
// pages ask for and the DPI balloon texts.
#include "device/hid_thread.h"
#include "fuzzsupport.h"
#include "shell/myqquickview.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::writeFile(QStringLiteral("modules/i18n/Fuzz.ini"), data, size);
  static myQQuickView *view = new myQQuickView(nullptr);
  for (const char *section : {"main", "other", "keyCode", "macroEditor", "profile"}) {
    const QStringList strings =
        view->getLangStrings(QString::fromLatin1(section), QStringLiteral("Fuzz"));
    FUZZ_CHECK(strings.size() <= 4096);
  }
  return 0;
}
