// The single-instance application object: the first start of the program
// per user is primary and receives the messages later starts send it.
#pragma once

#include <QApplication>
#include <QLockFile>
#include <QString>

class QLocalServer;
class QLocalSocket;

class QtSingleCoreApplication : public QApplication {
  Q_OBJECT
public:
  QtSingleCoreApplication(int &argc, char **argv);
  ~QtSingleCoreApplication() override;

  // True when another live process of this program and user is primary.
  bool isRunning();

  // Hands the message to the primary instance; false when this process is
  // primary itself or the primary did not confirm within timeout ms.
  bool sendMessage(const QString &message, int timeout = 5000);

signals:
  void messageReceived(const QString &message);

private:
  void acceptConnections();
  void readMessages(QLocalSocket *peer);

  QString serverName;
  QLockFile lockFile;
  QLocalServer *server = nullptr;
  bool primary = false;
};
