// Life of the link object, the connection handshake and the shared pieces of
// every command.
#include "hid_thread.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <hidapi.h>

QString dpiSwitchTexts[8] = {QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to"),
                             QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to"),
                             QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to"),
                             QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to")};

Hid_Thread::Hid_Thread() = default;

Hid_Thread::~Hid_Thread() {
  stopReportWatch();
  waitForReportWatch();
  closeMain();
  if (eventHandle)
    hid_close(eventHandle);
}

void Hid_Thread::buildBlock(uchar code, std::initializer_list<uchar> args) {
  std::fill(std::begin(sendReport), std::end(sendReport), 0);
  sendReport[1] = code;
  int i = 2;
  for (uchar a : args)
    sendReport[i++] = a;
  sendReport[8] = hidCS(sendReport + 1);
}

bool Hid_Thread::chkDeviceIsEnCode(int index) {
  currentDevice = index;
  QRandomGenerator random(quint32(QDateTime::currentDateTime().toSecsSinceEpoch()));
  uchar c[4];
  for (uchar &b : c)
    b = uchar(random.generate() & 0xff);
  if (const DeviceEntry *e = entry(index); e && e->sCode.size() == 6) {
    const QByteArray code = e->sCode.toLatin1();
    for (int i = 0; i < 6; ++i)
      SecrecyCode[i + 1] = uchar(code[i]);
  }
  uchar r1 = c[0], r2 = c[1], r3 = c[2], r4 = c[3];
  // The challenge is also what the out-values hold when the exchange did not
  // happen: only an echo that came back counts.
  if (!exchangeSecrecyCode(r1, r2, r3, r4))
    return false;
  return r1 == c[0] && r2 == c[1] && r3 == c[2] && r4 == c[3];
}

bool Hid_Thread::hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4) {
  return exchangeSecrecyCode(byte1, byte2, byte3, byte4);
}

bool Hid_Thread::exchangeSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4) {
  if (!acquireTransport()) {
    qDebug() << "cmd Failed 00";
    return false;
  }
  buildBlock(0x00, {byte1, byte2, byte3, byte4});
  std::fill(std::begin(replyReport), std::end(replyReport), 0);
  const bool ok = queryCommand(0);
  byte1 = replyReport[2];
  byte2 = replyReport[3];
  byte3 = replyReport[4];
  byte4 = replyReport[5];
  return ok;
}
