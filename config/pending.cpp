// Operations whose concern is not built yet: each says so and returns a
// default. A concern's file replaces its lines here when it arrives.
#include "shell/myqquickview.h"

#include <QDebug>

namespace {

void notAvailable(const char *operation) { qDebug().noquote() << operation << "not available"; }

template <typename T> T notAvailable(const char *operation, T fallback) {
  notAvailable(operation);
  return fallback;
}

} // namespace

// Macros.
