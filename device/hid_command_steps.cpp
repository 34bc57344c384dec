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
  return writeTaken(code, args, data, copied, dataLength, settle, pauseAfter);
}

bool Hid_Thread::writeTaken(uchar code, std::initializer_list<uchar> args, const uchar *data,
                            int copied, int dataLength, bool settle, bool pauseAfter) {
  buildBlock(code, args);
  if (copied > 0)
    std::copy_n(data, copied, bulkBuffer);
  std::fill(bulkBuffer + qMax(copied, 0), bulkBuffer + qMax(dataLength, 0), 0);
  const bool completed = sendCommand(dataLength, settle);
  if (pauseAfter)
    platform::pauseMs(8);
  return completed;
}

bool Hid_Thread::writePerProfile(const char *failure, uchar code, uchar value) {
  const uchar last = owner && owner->linkIsGun() ? 1 : 4;
  // Only a lock that cannot be taken ends the repetition; a failed send is
  // remembered and the later profile numbers still go out.
  bool completed = true;
  for (uchar n = 1; n <= last; ++n) {
    if (!acquireTransport()) {
      qDebug() << failure;
      return false;
    }
    completed = writeTaken(code, {n, value}, nullptr, 0, 0, true, false) && completed;
  }
  return completed;
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
