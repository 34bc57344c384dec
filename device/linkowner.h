#pragma once

#include <QString>

class Hid_Thread;

// What the device link needs from the window that owns it: the arming of
// the DPI-button reports and the gun flag, which depend on the device's
// family and description, and the three effects of the report watch. The
// window implements it.
class LinkOwner {
public:
  virtual ~LinkOwner() = default;
  // Called on the GUI thread when the report watch starts; true when the
  // mouse now sends its reports.
  virtual bool linkArmReports(Hid_Thread &link) = 0;
  virtual bool linkIsGun() const = 0;
  // Called on the GUI thread.
  virtual void linkSetCurrentDPI(int stage) = 0;
  virtual void linkShowBalloon(const QString &text) = 0;
  virtual void linkDisableView() = 0;
};
