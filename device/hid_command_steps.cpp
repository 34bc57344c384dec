// The steps every command shares: take the link, build the block, run one
// transaction, and for the 560 family the repetition per profile number.
#include "hid_thread.h"
#include "linkowner.h"

#include "platform/pause.h"

#include <QDebug>

bool Hid_Thread::writeCommand(const char *failure, uchar code, std::initializer_list<uchar> args,
                              const uchar *data, int copied, int dataLength, bool settle,
                              bool pauseAfter) {
  // A missing array would be sent as whatever the buffer held before.
  if ((copied > 0 && !data) || !acquireTransport()) {
    qDebug() << failure;
    return false;
  }
  buildBlock(code, args);
  if (copied > 0)
    std::copy_n(data, copied, bulkBuffer);
  std::fill(bulkBuffer + qMax(copied, 0), bulkBuffer + qMax(dataLength, 0), 0);
  sendCommand(dataLength, settle);
  if (pauseAfter)
    platform::pauseMs(8);
  return true;
}

void Hid_Thread::writePerProfile(const char *failure, uchar code, uchar value) {
  const uchar last = owner && owner->linkIsGun() ? 1 : 4;
  for (uchar n = 1; n <= last; ++n)
    if (!writeCommand(failure, code, {n, value}, nullptr, 0, 0, true, false))
      return;
}

bool Hid_Thread::readCommand(const char *failure, uchar code, std::initializer_list<uchar> args,
                             std::initializer_list<uchar> preset) {
  if (!acquireTransport()) {
    qDebug() << failure;
    return false;
  }
  buildBlock(code, args);
  // A failed exchange leaves the preset, so out-values keep what they held.
  std::fill(std::begin(replyReport), std::end(replyReport), 0);
  std::copy(preset.begin(), preset.end(), replyReport + 2);
  return queryCommand(0);
}
