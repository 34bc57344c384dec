#pragma once

#include "dpi_codec.h"
#include "key_codec.h"

#include <QLatin1String>
#include <QString>

#include <array>

class Hid_Thread;
class MouseDevice;

// Everything that differs between the mouse's command families: which
// commands a setting goes out with, what the profile blocks hold, what is
// read after connecting and how the DPI-button reports are armed. One
// stateless instance per family; the state (link, flags, profile blocks) is
// the MouseDevice's, whose link is set when a family operation is called.
// Operations that talk to the mouse return true when every exchange
// completed; a failed exchange does not stop the ones after it, but a
// profile block that cannot be read stops the operation before it sends.
class DeviceFamily {
public:
  virtual ~DeviceFamily() = default;
  // The value of "mouse/icType" that selects this family.
  virtual QLatin1String name() const = 0;

  // DPI stage codes (stages beyond dpiCount still hold the codes of their
  // values), the current stage (1-based) and the report rate byte.
  virtual bool setDpi(MouseDevice &device, int dpiCount, const QString &sensorType,
                      DpiStageCodes stages) const = 0;
  virtual bool setCurrentDpi(Hid_Thread &link, uchar stage) const = 0;
  // Leaves stage alone when the read failed.
  virtual bool currentDpi(Hid_Thread &link, int &stage) const = 0;
  virtual bool setReportRate(Hid_Thread &link, uchar rate) const = 0;

  // Lighting: the page's effect, speed and level; eight colours of R, G, B.
  virtual bool setLightEffect(MouseDevice &device, uchar effect, uchar speed,
                              uchar level) const = 0;
  virtual bool setLightColours(MouseDevice &device, uchar type,
                               std::array<uchar, 24> colours) const = 0;

  // Key matrices: a page entry in device encoding; matrix 1 is the normal
  // mode, 2..4 the gun modes.
  virtual KeyEntry encodeKey(const KeyEntry &page) const = 0;
  virtual bool sendKeyMatrix(Hid_Thread &link, const KeyMatrix &matrix, uchar number) const = 0;
  // Reads what the gun-mode marking and send patch, before anything is
  // patched; false when it could not be read.
  virtual bool readGunModeBlocks(MouseDevice &) const { return true; }
  // Gun button i at the page's level: entry i of matrix 1 and of the gun
  // matrices (their type already set) take the family's level bytes.
  virtual void markGunButton(MouseDevice &device, KeyMatrix &normal, std::array<KeyMatrix, 3> &gun,
                             size_t i, int level) const = 0;
  // All four matrices, when a gun button is assigned, and the switch after.
  virtual bool sendGunMode(MouseDevice &device, const KeyMatrix &normal,
                           const std::array<KeyMatrix, 3> &gun) const = 0;
  // The page's matrix number 1..4 made the active one.
  virtual bool switchKeyMatrix(Hid_Thread &link, int indexNo) const = 0;

  // Device macro macroId (1..12), 128 bytes; gun slot 1..3.
  virtual bool sendMacro(Hid_Thread &link, uchar macroId, uchar *block) const = 0;
  virtual bool sendGun(MouseDevice &device, int slot, uchar times, uchar x, uchar y) const = 0;

  // What is read from the mouse right after it answered the handshake.
  virtual bool readAtStart(MouseDevice &device) const = 0;
  // What the screen sets on the mouse when it starts on it.
  virtual bool prepareScreenStart(MouseDevice &device) const = 0;

  // Sets the option bit that makes the mouse send its DPI-button reports,
  // by a read-modify-write of its option bytes. A failed read is tried once
  // more; option bits that were not read are never written.
  bool armReports(Hid_Thread &link) const;

protected:
  using OptionBytes = std::array<uchar, 4>;
  virtual bool readOptions(Hid_Thread &link, OptionBytes &bytes) const = 0;
  virtual bool writeArmedOptions(Hid_Thread &link, OptionBytes bytes) const = 0;
};

// The family of a "mouse/icType" value; an unknown one is the 553 family.
const DeviceFamily &deviceFamily(const QString &name);
