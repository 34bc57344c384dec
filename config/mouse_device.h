#pragma once

#include <QSettings>
#include <QString>
#include <QVariantList>

#include <array>

class Hid_Thread;

// What the pages send to the mouse: the device description read from the
// global file at start, the 560 family's on-board profile blocks, and the
// commands of either family through the device link. Without a link every
// send is skipped.
class MouseDevice {
public:
  // The 560 family's on-board profile blocks 0..4, as last read from the
  // device and patched since; never written to disk.
  using ProfileBlock = std::array<uchar, 128>;

  MouseDevice() = default;
  // The four flags from "mouse/isColorful", "mouse/isGun", "mouse/icType"
  // and "mouse/is55328"; they are not re-read later.
  explicit MouseDevice(const QSettings &global);

  void setLink(Hid_Thread *link) { this->link = link; }
  Hid_Thread *hidLink() const { return link; }
  bool is560() const { return icType == QLatin1String("560"); }

  // Profile blocks 0..4 of the 560 family.
  void sendProfileBlock(uint profileNo);
  void readProfileBlock(uint profileNo);
  int readCurrentProfile();

  // DPI stages, report rate, keyboard options and the active key matrix.
  void setDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValues);
  void setCurrentDpi(uchar stage);
  int currentDpi();
  void setReportRate(uchar rate);
  void setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
  QVariantList keyboardOption();
  void switchKeyMatrix(int indexNo);

  // Lighting.
  void setLightEffect(uchar effect, uchar option1, uchar option2);
  void setLightColours(uchar type, const QVariantList &src24);

  // Button assignment: the page's 64 numbers with the gun-mode matrices,
  // built on profile's factory entries; the gun matrices 2..4 reset.
  void sendKeyAssignments(const QVariantList &src64, const QSettings &profile,
                          const QVariantList &otherParam);
  void resetGunMatrices(const QSettings &profile);

  // A macro's block into device slot index (0..11); others are ignored.
  void sendMacro(uint index, const QVariantList &macroData);
  // Gun slot 1..3: shots, x and y.
  void sendGun(int slot, const QVariantList &values);

  bool isColorful = false;
  bool isGun = false;
  QString icType;
  bool is55328 = false;
  std::array<ProfileBlock, 5> profileBlocks{};

private:
  // Block 1, then blocks 2..4 when the mouse has gun modes.
  void sendModeBlocks();

  Hid_Thread *link = nullptr;
};
