// The name-list reader on a fuzzed name file, for every list type.
#include "fuzzsupport.h"
#include "shell/myqquickview.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::writeFile(QStringLiteral("modules/setting/name.bin"), data, size);
  static myQQuickView *view = new myQQuickView(nullptr);
  for (int type = -1; type <= 4; ++type) {
    const QVariantList names = view->getNameList(type);
    if (type < 0 || type > 3)
      FUZZ_CHECK(names.isEmpty());
    for (const QVariant &name : names)
      (void)name.toString();
  }
  return 0;
}
