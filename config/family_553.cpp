// The 553 family: one command per setting, the key matrices and gun data
// sent on their own.
#include "device_family.h"
#include "mouse_device.h"

#include "device/hid_thread.h"
#include "lighting_codec.h"

namespace {

constexpr uchar unusedStage = 0x80;
constexpr uchar reportOptionBit = 0x40; // in option byte 4

class Family553 final : public DeviceFamily {
public:
  QLatin1String name() const override { return QLatin1String("553"); }

  bool setDpi(MouseDevice &device, int dpiCount, const QString &,
              DpiStageCodes stages) const override {
    for (int i = dpiCount; i < dpiStageCount; ++i)
      stages.codes[size_t(i)] = unusedStage;
    return device.hidLink()->hid553_11H_SetDPISet(uchar(dpiCount), stages.codes.data());
  }

  bool setCurrentDpi(Hid_Thread &link, uchar stage) const override {
    return link.hid553_0BH_SetCurrentDPI(stage);
  }

  bool currentDpi(Hid_Thread &link, int &stage) const override {
    uchar read = 0;
    if (!link.hid553_8BH_GetCurrentDPI(read))
      return false;
    stage = read;
    return true;
  }

  bool setReportRate(Hid_Thread &link, uchar rate) const override {
    return link.hid553_01H_SetReportRate(rate);
  }

  bool setLightEffect(MouseDevice &device, uchar effect, uchar speed, uchar level) const override {
    Hid_Thread &link = *device.hidLink();
    if (device.isColorful) {
      const LightTriple t = colourfulLightTriple(effect, speed, level);
      return link.hid553_0DH_SetRGBLedEffect(t.effect, t.option1, t.option2);
    }
    const LightTriple t = singleColourLightTriple(effect, speed, level);
    return link.hid553_0DH_SetRGBLedEffect(t.effect, t.option1, device.is55328 ? t.option2 : 2);
  }

  bool setLightColours(MouseDevice &device, uchar type,
                       std::array<uchar, 24> colours) const override {
    Hid_Thread &link = *device.hidLink();
    if (device.is55328) {
      // Without an eighth colour the mouse shows one fixed colour.
      if (colours[21] == 0 && colours[22] == 0 && colours[23] == 0)
        return link.hid553_0CH_SetFixLEDColor(colours.data());
      return link.hid553_10H_SetLED8StageColor(0, colours.data());
    }
    bool ok = link.hid553_10H_SetLED8StageColor(type, colours.data());
    ok &= link.hid553_10H_SetLED8StageColor(type, colours.data());
    return ok;
  }

  KeyEntry encodeKey(const KeyEntry &page) const override { return encodeKeyEntry(page, false); }

  bool sendKeyMatrix(Hid_Thread &link, const KeyMatrix &matrix, uchar number) const override {
    std::array<uchar, 64> bytes = keyMatrixBytes(matrix);
    return link.hid553_12H_SetKeyMatrix(bytes.data(), number);
  }

  void markGunButton(MouseDevice &, KeyMatrix &normal, std::array<KeyMatrix, 3> &gun, size_t i,
                     int level) const override {
    // Per level 1..3: the value each gun matrix gets in its level byte.
    static constexpr uchar levels[3][3] = {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}};
    if (level >= 1 && level <= 3) {
      normal[i][3] = 1;
      for (int g = 0; g < 3; ++g)
        gun[size_t(g)][i][3] = levels[level - 1][g];
    }
    for (KeyMatrix *m : {&normal, &gun[0], &gun[1], &gun[2]}) {
      (*m)[i][2] = 1;
      (*m)[i][1] = 0;
    }
  }

  bool sendGunMode(MouseDevice &device, const KeyMatrix &normal,
                   const std::array<KeyMatrix, 3> &gun) const override {
    Hid_Thread &link = *device.hidLink();
    bool ok = sendKeyMatrix(link, normal, 1);
    for (int g = 0; g < 3; ++g)
      ok &= sendKeyMatrix(link, gun[size_t(g)], uchar(g + 2));
    ok &= link.hid553_02H_SetCurrentKeyMatrix(1);
    return ok;
  }

  bool switchKeyMatrix(Hid_Thread &link, int indexNo) const override {
    return link.hid553_02H_SetCurrentKeyMatrix(uchar(indexNo - 1));
  }

  bool sendMacro(Hid_Thread &link, uchar macroId, uchar *block) const override {
    return link.hid553_13H_SetMacroKey(macroId, block);
  }

  bool sendGun(MouseDevice &device, int slot, uchar times, uchar x, uchar y) const override {
    Hid_Thread &link = *device.hidLink();
    // A failed read leaves the bytes at 0, so y then keeps its sign.
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    const bool read = link.hid553_83H_GetKeyboardoption(byte1, byte2, byte3, byte4);
    if (byte3 != 0)
      y = uchar(-y);
    return link.hid553_04H_SetGunData(times, x, y, uchar(slot - 1)) && read;
  }

  bool readAtStart(MouseDevice &) const override { return true; }
  bool prepareScreenStart(MouseDevice &) const override { return true; }

protected:
  bool readOptions(Hid_Thread &link, OptionBytes &b) const override {
    return link.hid553_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
  }

  bool writeArmedOptions(Hid_Thread &link, OptionBytes b) const override {
    return link.hid553_03H_SetKeyboardoption(b[0], b[1], b[2], b[3] | reportOptionBit);
  }
};

} // namespace

const DeviceFamily &family553() {
  static const Family553 family;
  return family;
}
