// The copy-data decoder on fuzzed received bytes.
#include "fuzzsupport.h"
#include "platform/copydata.h"

#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray received(reinterpret_cast<const char *>(data), qsizetype(size));
  const platform::CopyDataFrame frame = platform::decodeCopyData(received);
  switch (frame.status) {
  case platform::CopyDataFrame::Incomplete:
    FUZZ_CHECK(size < 12 || size < 12 + size_t(frame.cbData));
    FUZZ_CHECK(frame.bytes.isEmpty());
    break;
  case platform::CopyDataFrame::TooLarge:
    FUZZ_CHECK(frame.cbData > platform::maxCopyDataBytes);
    FUZZ_CHECK(frame.bytes.isEmpty());
    break;
  case platform::CopyDataFrame::Complete:
    FUZZ_CHECK(frame.cbData <= platform::maxCopyDataBytes);
    FUZZ_CHECK(frame.bytes.size() == qsizetype(frame.cbData));
    FUZZ_CHECK(frame.size == 12 + qint64(frame.cbData) && frame.size <= qint64(size));
    FUZZ_CHECK(frame.dwData == quintptr(qFromBigEndian<quint64>(data)));
    FUZZ_CHECK(frame.bytes == received.mid(12, frame.cbData));
    break;
  }
  return 0;
}
