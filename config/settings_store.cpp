// Generic reads and writes of the configuration files.
#include "shell/myqquickview.h"

QVariant myQQuickView::getGlobalData(QVariant key) { return globalConfig->value(key.toString()); }
