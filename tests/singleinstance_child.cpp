// Started by tst_singleinstance: behaves like the program's entry point and
// reports what it did on stdout, one line per fact.
#include "shell/qtsinglecoreapplication.h"

#include <QLocalServer>
#include <QTextStream>

int main(int argc, char **argv) {
  QtSingleCoreApplication app(argc, argv);
  QTextStream out(stdout);
  const QString message = app.arguments().value(1);

  if (app.isRunning()) {
    const bool sent = app.sendMessage(message, 5000);
    out << "secondary sent=" << int(sent) << Qt::endl;
    return 1;
  }

  // The test talks to the server directly to feed it malformed frames.
  const auto *server = app.findChild<QLocalServer *>();
  out << "primary " << (server ? server->fullServerName() : QString())
      << Qt::endl;
  out << "primary-send=" << int(app.sendMessage(message, 0)) << Qt::endl;
  QObject::connect(&app, &QtSingleCoreApplication::messageReceived,
                   [&out](const QString &text) {
                     out << "message:" << text.toUtf8().toHex() << Qt::endl;
                   });
  return app.exec();
}
