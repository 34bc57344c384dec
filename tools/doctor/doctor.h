// norvanectl doctor: why the program does not find or cannot open the mouse,
// checked without the program.
#pragma once

#include <QString>

namespace doctor {

// Prints the findings for every device of the device list under dataRoot.
// Returns 0 when a configured mouse is usable, 1 otherwise.
int run(const QString &dataRoot);

} // namespace doctor
