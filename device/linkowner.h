#pragma once

#include <QString>

// What the device link needs from the window that owns it: the view's device
// flags and the three effects of the report watch. The window implements it.
class LinkOwner {
public:
  virtual ~LinkOwner() = default;
  virtual QString linkIcType() const = 0;
  virtual bool linkIsGun() const = 0;
  // Called on the GUI thread.
  virtual void linkSetCurrentDPI(int stage) = 0;
  virtual void linkShowBalloon(const QString &text) = 0;
  virtual void linkDisableView() = 0;
};
