#pragma once

#include <QSettings>
#include <QString>
#include <QVariantList>

#include <array>
#include <initializer_list>

class DeviceFamily;
class Hid_Thread;

// What the pages send to the mouse: the device description read from the
// global file at start, the on-board profile blocks, and the commands of
// the device's family through the device link. Every operation that talks
// to the mouse returns true when all of its exchanges completed; without a
// link, or when its input is refused, nothing is sent and it returns false.
class MouseDevice {
public:
  // On-board profile blocks 0..4 (1 the normal mode, 2..4 the gun slots),
  // as last read from the device and patched since; never written to disk.
  using ProfileBlock = std::array<uchar, 128>;

  MouseDevice();
  // The four flags from "mouse/isColorful", "mouse/isGun", "mouse/icType"
  // and "mouse/is55328"; they are not re-read later, and the family is
  // chosen from icType here, once.
  explicit MouseDevice(const QSettings &global);

  void setLink(Hid_Thread *link) { this->link = link; }
  Hid_Thread *hidLink() const { return link; }
  const DeviceFamily &family() const { return *chosenFamily; }

  // Profile blocks 0..4, in the block commands whatever the family. A read
  // takes the block only when all of it arrived; a block never read is read
  // before it is sent.
  bool sendProfileBlock(uint profileNo);
  bool readProfileBlock(uint profileNo);
  // Reads those of `blocks` not read yet, stopping at the first that fails
  // (the mouse may still send its data, which the next read would take):
  // true when every one of them now holds what the mouse sent.
  bool haveBlocks(std::initializer_list<uint> blocks);
  bool readCurrentProfile(int &profile);
  // The family's reads right after the mouse answered the handshake.
  bool readAtStart();
  bool prepareScreenStart();

  // DPI stages, report rate, keyboard options and the active key matrix.
  bool setDpi(int dpiCount, const QString &sensorType, const QVariantList &dpiValues);
  bool setCurrentDpi(uchar stage);
  // The stage number; 0 when it was not read.
  bool currentDpi(int &stage);
  bool setReportRate(uchar rate);
  bool setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
  // Zeros for bytes that were not read.
  bool keyboardOption(std::array<uchar, 4> &bytes);
  bool switchKeyMatrix(int indexNo);

  // Lighting.
  bool setLightEffect(uchar effect, uchar option1, uchar option2);
  bool setLightColours(uchar type, const QVariantList &src24);

  // Button assignment: the page's 64 numbers with the gun-mode matrices,
  // built on profile's factory entries; the gun matrices 2..4 reset.
  bool sendKeyAssignments(const QVariantList &src64, const QSettings &profile,
                          const QVariantList &otherParam);
  bool resetGunMatrices(const QSettings &profile);

  // A macro's block into device slot index (0..11); others are refused.
  bool sendMacro(uint index, const QVariantList &macroData);
  // Gun slot 1..3: shots, x and y; refused on a mouse without gun modes.
  bool sendGun(int slot, const QVariantList &values);

  bool isColorful = false;
  bool isGun = false;
  QString icType;
  bool is55328 = false;
  std::array<ProfileBlock, 5> profileBlocks{};
  // Which blocks hold what the mouse sent; cleared at each connection. An
  // operation patches and sends only blocks that were read.
  std::array<bool, 5> blockRead{};

private:
  Hid_Thread *link = nullptr;
  const DeviceFamily *chosenFamily;
};
