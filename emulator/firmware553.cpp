// The 553 family's commands: one command per setting.
#include "device.h"

#include <algorithm>

namespace vmouse {

bool Device::on553(const Block &b) {
  switch (b[0]) {
  case 0x83: // keyboard options
    answer({state.options[0], state.options[1], state.options[2], state.options[3]});
    return true;
  case 0x8B: // current DPI stage
    answer({state.dpiStage});
    return true;
  case 0x03:
    state.options = {b[1], b[2], b[3], b[4]};
    return true;
  case 0x04: // b1 is reserved
    state.gunData = {b[2], b[3], b[4], b[5]};
    return true;
  case 0x01:
    state.reportRate = b[1];
    return true;
  case 0x0B:
    state.dpiStage = b[1];
    return true;
  case 0x02:
    state.currentKeyMatrix = b[1];
    return true;
  case 0x0D:
    state.ledEffect = b[1];
    state.ledOption1 = b[2];
    state.ledOption2 = b[3];
    return true;
  case 0x0C:
    state.fixedColour = {b[1], b[2], b[3]};
    return true;
  case 0x12: // key matrix b1, b2 data bytes
  case 0x13: // macro b1, b2 data bytes
  case 0x11: // DPI table of b1 stages, b2 data bytes
  case 0x10: // stage colours of type b1, b2 data bytes
    expectData(b, b[2]);
    return true;
  default:
    return false;
  }
}

void Device::apply553(uint8_t code, const Block &b, const std::vector<uint8_t> &data) {
  switch (code) {
  case 0x12:
    if (b[1] >= 1 && b[1] <= 4)
      std::copy_n(data.begin(), std::min(data.size(), size_t(64)),
                  state.keyMatrices[b[1] - 1].begin());
    break;
  case 0x13:
    state.macros[b[1]] = data;
    break;
  case 0x11:
    state.dpiCount = b[1];
    std::copy_n(data.begin(), std::min(data.size(), size_t(8)), state.dpiTable.begin());
    break;
  case 0x10:
    state.stageColourType = b[1];
    std::copy_n(data.begin(), std::min(data.size(), size_t(24)), state.stageColours.begin());
    break;
  default:
    break;
  }
}

} // namespace vmouse
