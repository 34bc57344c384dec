// The 560 family: most settings live in the 128-byte profile blocks the
// device back end mirrors; they are patched and sent whole.
#include "device_family.h"
#include "mouse_device.h"

#include "device/hid_thread.h"
#include "lighting_codec.h"

#include <algorithm>

namespace {

constexpr uchar reportOptionBit = 0x08; // in option byte 1

// Blocks 1..4 with gun modes, otherwise block 1: read from the mouse before
// an operation patches and sends them.
bool haveModeBlocks(MouseDevice &device) {
  return device.isGun ? device.haveBlocks({1, 2, 3, 4}) : device.haveBlocks({1});
}

// Block 1, then blocks 2..4 when the mouse has gun modes.
bool sendModeBlocks(MouseDevice &device) {
  Hid_Thread &link = *device.hidLink();
  bool ok = link.hid560_0CH_setProfile(device.profileBlocks[1].data(), 1);
  if (!device.isGun)
    return ok;
  for (uchar n = 2; n <= 4; ++n)
    ok &= link.hid560_0CH_setProfile(device.profileBlocks[n].data(), n);
  return ok;
}

// Bytes 71..73 of blocks 1..4.
void putLightTriple(MouseDevice &device, uchar effect, uchar option1, uchar option2) {
  for (size_t b = 1; b <= 4; ++b) {
    device.profileBlocks[b][71] = effect;
    device.profileBlocks[b][72] = option1;
    device.profileBlocks[b][73] = option2;
  }
}

class Family560 final : public DeviceFamily {
public:
  QLatin1String name() const override { return QLatin1String("560"); }

  bool setDpi(MouseDevice &device, int dpiCount, const QString &sensorType,
              DpiStageCodes stages) const override {
    if (!haveModeBlocks(device))
      return false;
    const uchar activeMask = uchar((1u << dpiCount) - 1);
    for (size_t b = 1; b <= 4; ++b) {
      MouseDevice::ProfileBlock &block = device.profileBlocks[b];
      std::copy(stages.codes.begin(), stages.codes.end(), block.begin() + 84);
      std::copy(stages.codes.begin(), stages.codes.end(), block.begin() + 92);
      block[100] = activeMask;
      if (sensorType == QLatin1String("3389"))
        block[82] = block[83] = stages.highDpiMask;
    }
    return sendModeBlocks(device);
  }

  bool setCurrentDpi(Hid_Thread &link, uchar stage) const override {
    return link.hid560_04H_SetCurrentDPI(stage);
  }

  bool currentDpi(Hid_Thread &link, int &stage) const override {
    uchar profile = 1, read = 0;
    if (!link.hid560_84H_GetCurrentDPI(profile, read))
      return false;
    stage = read;
    return true;
  }

  bool setReportRate(Hid_Thread &link, uchar rate) const override {
    return link.hid560_03H_SetReportRate(rate);
  }

  bool setLightEffect(MouseDevice &device, uchar effect, uchar speed, uchar level) const override {
    if (!haveModeBlocks(device))
      return false;
    if (device.isColorful) {
      const LightTriple t = colourfulLightTriple(effect, speed, level);
      putLightTriple(device, t.effect, t.option1, t.option2);
      return sendModeBlocks(device);
    }
    const LightTriple t = singleColourLightTriple(effect, speed, level);
    putLightTriple(device, t.effect, t.option1, 2);
    if (device.isGun)
      return sendModeBlocks(device);
    device.profileBlocks[1][73] = 3;
    return device.hidLink()->hid560_0CH_setProfile(device.profileBlocks[1].data(), 1);
  }

  bool setLightColours(MouseDevice &device, uchar, std::array<uchar, 24> colours) const override {
    const int b = device.isColorful ? 0 : 1;
    if (!device.haveBlocks({uint(b)}))
      return false;
    MouseDevice::ProfileBlock &block = device.profileBlocks[size_t(b)];
    std::copy(colours.begin(), colours.end(), block.begin() + (device.isColorful ? 24 : 104));
    return device.hidLink()->hid560_0CH_setProfile(block.data(), uchar(b));
  }

  KeyEntry encodeKey(const KeyEntry &page) const override { return encodeKeyEntry(page, true); }

  bool sendKeyMatrix(Hid_Thread &link, const KeyMatrix &matrix, uchar number) const override {
    std::array<uchar, 64> bytes = keyMatrixBytes(matrix);
    return link.hid560_0DH_SetKeyMatrix(bytes.data(), number);
  }

  bool readGunModeBlocks(MouseDevice &device) const override { return device.haveBlocks({0}); }

  void markGunButton(MouseDevice &device, KeyMatrix &normal, std::array<KeyMatrix, 3> &gun,
                     size_t i, int level) const override {
    // Per level 1..3: the value each gun matrix gets in its level byte, and
    // the level mask in block 0.
    static constexpr uchar levels[3][3] = {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}};
    static constexpr uchar levelMask[3] = {7, 15, 31};
    if (level < 1 || level > 3)
      return;
    normal[i][2] = 1;
    for (int g = 0; g < 3; ++g)
      gun[size_t(g)][i][2] = levels[level - 1][g];
    device.profileBlocks[0][2] = levelMask[level - 1];
  }

  bool sendGunMode(MouseDevice &device, const KeyMatrix &normal,
                   const std::array<KeyMatrix, 3> &gun) const override {
    Hid_Thread &link = *device.hidLink();
    bool ok = link.hid560_0CH_setProfile(device.profileBlocks[0].data(), 0);
    ok &= sendKeyMatrix(link, normal, 1);
    for (int g = 0; g < 3; ++g)
      ok &= sendKeyMatrix(link, gun[size_t(g)], uchar(g + 2));
    ok &= link.hid560_02H_SetCurrentProfile(1);
    return ok;
  }

  bool switchKeyMatrix(Hid_Thread &link, int indexNo) const override {
    return link.hid560_02H_SetCurrentProfile(uchar(indexNo));
  }

  bool sendMacro(Hid_Thread &link, uchar macroId, uchar *block) const override {
    return link.hid560_0FH_SetMacroKey(macroId, block);
  }

  bool sendGun(MouseDevice &device, int slot, uchar times, uchar x, uchar y) const override {
    if (!device.haveBlocks({uint(slot + 1)}))
      return false;
    MouseDevice::ProfileBlock &block = device.profileBlocks[size_t(slot + 1)];
    block[65] &= uchar(~0x04);
    block[78] = 0xF0;
    block[79] = times;
    block[80] = x;
    block[81] = y;
    return device.hidLink()->hid560_0CH_setProfile(block.data(), uchar(slot + 1));
  }

  // The on-board profile blocks the operations patch: 0 and 1, and the gun
  // slots' 2..4 when the mouse has them. The reads stop at the first that
  // fails; the operations read the rest when they need them.
  bool readAtStart(MouseDevice &device) const override {
    return device.isGun ? device.haveBlocks({0, 1, 2, 3, 4}) : device.haveBlocks({0, 1});
  }

  // The screen edits on-board profile 1: the mouse is made to use it.
  bool prepareScreenStart(MouseDevice &device) const override {
    // A failed read answers 0, so profile 1 is set then too.
    int profile = 0;
    const bool read = device.readCurrentProfile(profile);
    return (profile == 1 || device.hidLink()->hid560_02H_SetCurrentProfile(1)) && read;
  }

protected:
  bool readOptions(Hid_Thread &link, OptionBytes &b) const override {
    return link.hid560_81H_GetKeyboardoption(b[0], b[1]);
  }

  bool writeArmedOptions(Hid_Thread &link, OptionBytes b) const override {
    return link.hid560_01H_SetKeyboardoption(b[0] | reportOptionBit, b[1]);
  }
};

} // namespace

const DeviceFamily &family560() {
  static const Family560 family;
  return family;
}
