#pragma once

// The system's pointer settings from the steps of the system-settings page;
// a step the system cannot take is refused with one debug line. Each
// returns whether the desktop took the value.
bool applyCursorSpeedStep(unsigned step);
bool applyDoubleClickStep(unsigned step);
bool applyWheelScrollLines(unsigned lines);
