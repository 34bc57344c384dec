#include "shell/qtsinglecoreapplication.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

// Frame: 4-byte big-endian length, then that many bytes of UTF-8.
constexpr qint64 headerSize = 4;
constexpr quint32 maxMessageBytes = 1 << 20;
constexpr char ackByte = '\x06';
constexpr int connectRetryMs = 50;

QString currentUser() {
#ifdef Q_OS_WIN
  return qEnvironmentVariable("USERNAME");
#else
  return QString::number(::getuid());
#endif
}

// One name per user, whatever folder the executable was started from: two
// copies of the program must never drive the same mouse.
QString instanceName() {
  const QByteArray key = "norvane\n" + currentUser().toUtf8();
  return QStringLiteral("norvane-") +
         QString::fromLatin1(
             QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
}

// The user's runtime directory is private to them; the temp folder is the
// fallback where there is none.
QString instanceDirectory() {
#ifndef Q_OS_WIN
  const QFileInfo runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
  if (!runtime.filePath().isEmpty() && runtime.isDir() && runtime.isWritable())
    return runtime.filePath();
#endif
  return QDir::tempPath();
}

QString socketName() {
#ifdef Q_OS_WIN
  return instanceName(); // a named pipe, already per session
#else
  return instanceDirectory() + u'/' + instanceName();
#endif
}

QString lockFilePath() {
  return instanceDirectory() + u'/' + instanceName() + QStringLiteral(".lock");
}

int remainingMs(const QDeadlineTimer &deadline) {
  return static_cast<int>(deadline.remainingTime());
}

} // namespace

QtSingleCoreApplication::QtSingleCoreApplication(int &argc, char **argv)
    : QApplication(argc, argv), serverName(socketName()), lockFile(lockFilePath()) {
  // Only a dead holder makes a lock stale. Where native file locks are
  // missing, Qt would otherwise also break a lock older than 30 s.
  lockFile.setStaleLockTime(0);
  if (!lockFile.tryLock(0)) {
    if (lockFile.error() == QLockFile::LockFailedError)
      return;
    qWarning() << "Single instance: cannot create" << lockFile.fileName();
  }
  primary = true;
  // A primary killed earlier leaves its socket behind.
  QLocalServer::removeServer(serverName);
  server = new QLocalServer(this);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server, &QLocalServer::newConnection, this, &QtSingleCoreApplication::acceptConnections);
  if (!server->listen(serverName))
    qWarning() << "Single instance: cannot listen on" << serverName << server->errorString();
}

QtSingleCoreApplication::~QtSingleCoreApplication() = default;

bool QtSingleCoreApplication::isRunning() { return !primary; }

bool QtSingleCoreApplication::sendMessage(const QString &message, int timeout) {
  if (primary)
    return false;
  const QDeadlineTimer deadline(timeout);
  QLocalSocket socket;
  // The primary may hold the lock but not yet listen.
  for (;;) {
    socket.connectToServer(serverName);
    if (socket.waitForConnected(remainingMs(deadline)))
      break;
    if (deadline.hasExpired())
      return false;
    const int left = remainingMs(deadline); // -1: no deadline
    QThread::msleep(
        static_cast<unsigned long>(left < 0 ? connectRetryMs : qMin(left, connectRetryMs)));
  }

  const QByteArray text = message.toUtf8();
  QByteArray frame(headerSize, Qt::Uninitialized);
  qToBigEndian(static_cast<quint32>(text.size()), frame.data());
  frame += text;
  socket.write(frame);
  while (socket.bytesToWrite() > 0)
    if (!socket.waitForBytesWritten(remainingMs(deadline)))
      return false;

  char ack = 0;
  const bool confirmed =
      (socket.bytesAvailable() > 0 || socket.waitForReadyRead(remainingMs(deadline))) &&
      socket.getChar(&ack) && ack == ackByte;
  socket.disconnectFromServer();
  return confirmed;
}

void QtSingleCoreApplication::acceptConnections() {
  while (QLocalSocket *peer = server->nextPendingConnection()) {
    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    connect(peer, &QLocalSocket::readyRead, this, [this, peer] { readMessages(peer); });
    readMessages(peer);
  }
}

void QtSingleCoreApplication::readMessages(QLocalSocket *peer) {
  while (peer->bytesAvailable() >= headerSize) {
    const QByteArray header = peer->peek(headerSize);
    const quint32 length = qFromBigEndian<quint32>(header.constData());
    if (length > maxMessageBytes) {
      qWarning() << "Single instance: dropping a peer sending" << length << "bytes";
      peer->abort();
      return;
    }
    if (peer->bytesAvailable() < headerSize + length)
      return;
    peer->skip(headerSize);
    const QString message = QString::fromUtf8(peer->read(length));
    peer->putChar(ackByte);
    peer->flush();
    emit messageReceived(message);
  }
}
