// The 560 family's commands: most settings live in five 128-byte profile
// blocks; rate and current DPI stage are kept per profile number.
#include "device.h"

#include <algorithm>

namespace vmouse {
namespace {

bool isProfile(uint8_t n) { return n < 5; }

} // namespace

bool Device::on560(const Block &b) {
  switch (b[0]) {
  case 0x81: // keyboard options
    answer({state.options[0], state.options[1]});
    return true;
  case 0x82:
    answer({state.currentProfile});
    return true;
  case 0x84: // current DPI stage of profile b1
    answer({b[1], isProfile(b[1]) ? state.profileDpiStage[b[1]] : uint8_t(0)});
    return true;
  case 0x8C: // profile block b1, answered as input reports
    if (isProfile(b[1]))
      answerInput({state.profiles[b[1]].begin(), state.profiles[b[1]].end()});
    return true;
  case 0x01:
    state.options[0] = b[1];
    state.options[1] = b[2];
    return true;
  case 0x02:
    if (isProfile(b[1]))
      state.currentProfile = b[1];
    return true;
  case 0x03: // report rate b2 of profile b1
    if (isProfile(b[1]))
      state.profileReportRate[b[1]] = b[2];
    return true;
  case 0x04: // DPI stage b2 of profile b1
    if (isProfile(b[1]))
      state.profileDpiStage[b[1]] = b[2];
    return true;
  case 0x0D: // key matrix b1, b2 data bytes
  case 0x0C: // profile block b1, b2 data bytes
  case 0x0F: // macro b1, b2 data bytes
    expectData(b, b[2]);
    return true;
  default:
    return false;
  }
}

void Device::apply560(uint8_t code, const Block &b, const std::vector<uint8_t> &data) {
  switch (code) {
  case 0x0D:
    // 128 bytes arrive; the matrix is the first 64.
    if (b[1] >= 1 && b[1] <= 4)
      std::copy_n(data.begin(), std::min(data.size(), size_t(64)),
                  state.keyMatrices[b[1] - 1].begin());
    break;
  case 0x0C:
    if (isProfile(b[1]))
      std::copy_n(data.begin(), std::min(data.size(), size_t(128)), state.profiles[b[1]].begin());
    break;
  case 0x0F:
    state.macros[b[1]] = data;
    break;
  default:
    break;
  }
}

} // namespace vmouse
