// The desktop backends behind the pointer-settings layer, and the choice
// between them. Internal to the layer and its tests.
#pragma once

#include <QString>

namespace platform {

enum class PointerDesktop { Gnome, PlasmaWayland, PlasmaX11, Other };

// From XDG_CURRENT_DESKTOP (a colon-separated list) and the session type.
PointerDesktop pointerDesktop();

namespace gnome {
// GSettings "org.gnome.desktop.peripherals.mouse"; false without the schema.
bool setSpeed(double acceleration);
bool setDoubleClick(int ms);
// Whether the installed mouse schema has the key.
bool hasKey(const char *key);
} // namespace gnome

namespace plasma {
// kdeglobals [KDE], then KDE's change notices.
bool setDoubleClickInterval(int ms);
bool setWheelScrollLines(uint lines);
// KWin's input devices over D-Bus; KWin keeps the value in kcminputrc.
bool setWaylandAcceleration(double acceleration);
// kcminputrc [Mouse], the notices, and the X server's libinput pointers.
bool setX11Acceleration(double acceleration);
} // namespace plasma

} // namespace platform
