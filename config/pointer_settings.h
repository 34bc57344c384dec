#pragma once

// The system's pointer settings from the steps of the system-settings page;
// a step the system cannot take is refused with one debug line.
void applyCursorSpeedStep(unsigned step);
void applyDoubleClickStep(unsigned step);
void applyWheelScrollLines(unsigned lines);
