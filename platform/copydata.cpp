#include "platform/copydata.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <unistd.h>

namespace platform {

namespace {

// Header: 8-byte dwData and 4-byte cbData, big-endian; then the bytes.
constexpr qint64 headerSize = 12;
constexpr char ackByte = '\x06';
constexpr int probeMs = 200;
// A sender that stalls mid-message is cut off after this.
constexpr int incompleteMessageMs = 5000;

QString runtimeDirectory() {
  const QFileInfo runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
  if (!runtime.filePath().isEmpty() && runtime.isDir() && runtime.isWritable())
    return runtime.filePath();
  return QDir::tempPath();
}

quint32 declaredLength(const QByteArray &buffer) {
  return qFromBigEndian<quint32>(buffer.constData() + 8);
}

} // namespace

CopyDataFrame decodeCopyData(const QByteArray &received) {
  CopyDataFrame frame;
  if (received.size() < headerSize)
    return frame;
  frame.cbData = declaredLength(received);
  if (frame.cbData > maxCopyDataBytes) {
    frame.status = CopyDataFrame::TooLarge;
    return frame;
  }
  if (received.size() < headerSize + qint64(frame.cbData))
    return frame;
  frame.status = CopyDataFrame::Complete;
  frame.dwData = quintptr(qFromBigEndian<quint64>(received.constData()));
  frame.bytes = received.mid(headerSize, frame.cbData);
  frame.size = headerSize + qint64(frame.cbData);
  return frame;
}

QString copyDataSocketName() {
  return runtimeDirectory() + QStringLiteral("/norvane-copydata-") + QString::number(::getuid());
}

CopyDataServer::CopyDataServer(Handler handler, QObject *parent)
    : QObject(parent), handler(std::move(handler)), server(new QLocalServer(this)) {
  server->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server, &QLocalServer::newConnection, this, &CopyDataServer::acceptConnections);
}

CopyDataServer::~CopyDataServer() = default;

bool CopyDataServer::isListening() const { return server->isListening(); }

bool CopyDataServer::listen(const QString &name, QString *whyNot) {
  QLocalSocket probe;
  probe.connectToServer(name);
  if (probe.waitForConnected(probeMs)) {
    probe.abort();
    *whyNot = QStringLiteral("another process answers on ") + name;
    return false;
  }
  // Nobody answers: whatever is left there is a stale socket.
  QLocalServer::removeServer(name);
  if (!server->listen(name)) {
    *whyNot = server->errorString();
    return false;
  }
  return true;
}

void CopyDataServer::acceptConnections() {
  while (QLocalSocket *socket = server->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(incompleteMessageMs, socket, [socket] {
      if (socket->property("done").toBool())
        return;
      qDebug() << "Copy-data message incomplete, dropped";
      socket->abort();
    });
    readMessage(socket);
  }
}

void CopyDataServer::readMessage(QLocalSocket *socket) {
  if (socket->property("done").toBool() || socket->bytesAvailable() < headerSize)
    return;
  const CopyDataFrame frame = decodeCopyData(socket->peek(headerSize + maxCopyDataBytes));
  if (frame.status == CopyDataFrame::TooLarge) {
    qDebug() << "Copy-data message of" << frame.cbData << "bytes dropped, the limit is"
             << maxCopyDataBytes;
    socket->setProperty("done", true);
    socket->abort();
    return;
  }
  if (frame.status == CopyDataFrame::Incomplete)
    return;

  socket->skip(frame.size);
  socket->setProperty("done", true);
  socket->write(&ackByte, 1);
  socket->flush();
  socket->disconnectFromServer();

  // The bytes are owned here: the handler may run a nested event loop (a
  // modal box) while the socket is already gone.
  CopyDataStruct data;
  data.dwData = frame.dwData;
  data.cbData = frame.cbData;
  data.lpData = frame.bytes.constData();
  if (handler)
    handler(&data);
}

bool sendCopyData(const QString &name, quintptr dwData, const QByteArray &bytes, int timeoutMs,
                  QString *error) {
  if (bytes.size() > qsizetype(maxCopyDataBytes)) {
    *error = QStringLiteral("the message is longer than %1 bytes").arg(maxCopyDataBytes);
    return false;
  }
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(timeoutMs)) {
    *error = socket.errorString();
    return false;
  }
  QByteArray message(headerSize, Qt::Uninitialized);
  qToBigEndian<quint64>(dwData, message.data());
  qToBigEndian<quint32>(quint32(bytes.size()), message.data() + 8);
  message += bytes;
  socket.write(message);
  if (!socket.waitForBytesWritten(timeoutMs)) {
    *error = socket.errorString();
    return false;
  }
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(timeoutMs)) {
      *error = QStringLiteral("no answer from the program");
      return false;
    }
  }
  if (socket.read(1) != QByteArray(1, ackByte)) {
    *error = QStringLiteral("unexpected answer from the program");
    return false;
  }
  return true;
}

} // namespace platform
