// norvane-warn TEXT: asks the running program of this user to show TEXT in a
// warning box.
#include "platform/copydata.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: norvane-warn TEXT\n");
    return 2;
  }
  QString error;
  if (!platform::sendCopyData(platform::copyDataSocketName(), platform::CopyDataWarningTag,
                              args.at(1).toUtf8(), 5000, &error)) {
    std::fprintf(stderr, "norvane-warn: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
