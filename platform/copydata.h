// A data message from another process of the same user, delivered over a
// per-user local socket. A message is (dwData, cbData, cbData bytes); the
// receiver gets it unchanged, so it can check tag and length itself.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace platform {

// The tag of a message asking the program to show a warning text.
constexpr quintptr CopyDataWarningTag = 0x250F;

// Larger messages are dropped unread.
constexpr quint32 maxCopyDataBytes = 64 * 1024;

struct CopyDataStruct {
  quintptr dwData = 0;
  quint32 cbData = 0;
  const void *lpData = nullptr;
};

// The socket of the current user, in their runtime directory.
QString copyDataSocketName();

// One message framed on the wire: 8-byte dwData and 4-byte cbData,
// big-endian, then cbData bytes.
struct CopyDataFrame {
  enum Status { Incomplete, TooLarge, Complete };
  Status status = Incomplete;
  quintptr dwData = 0;
  quint32 cbData = 0; // the declared length, also when too large
  QByteArray bytes;   // the cbData bytes of a complete message
  qint64 size = 0;    // bytes the complete message takes on the wire
};

// What the start of the received bytes holds.
CopyDataFrame decodeCopyData(const QByteArray &received);

class CopyDataServer : public QObject {
  Q_OBJECT
public:
  using Handler = std::function<void(CopyDataStruct *)>;

  explicit CopyDataServer(Handler handler, QObject *parent = nullptr);
  ~CopyDataServer() override;

  // Refuses to take over a name another live server answers on.
  bool listen(const QString &name, QString *whyNot);
  bool isListening() const;

private:
  void acceptConnections();
  void readMessage(QLocalSocket *socket);

  Handler handler;
  QLocalServer *server;
};

// Sends one message and waits until the receiver has taken it. Blocks; a
// receiver in the same thread never answers.
bool sendCopyData(const QString &name, quintptr dwData, const QByteArray &bytes, int timeoutMs,
                  QString *error);

} // namespace platform
