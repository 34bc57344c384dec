// The macro loader on a fuzzed macro file.
#include "fuzzsupport.h"
#include "shell/myqquickview.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::writeFile(QStringLiteral("modules/macro/fuzz.bin"), data, size);
  static myQQuickView *view = new myQQuickView(nullptr);
  const QStringList events = view->loadMacroIni(QStringLiteral("fuzz"));
  // The events, at most 126, then the repeat count.
  FUZZ_CHECK(events.size() >= 1 && events.size() <= 127);
  return 0;
}
