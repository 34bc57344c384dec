#pragma once

#include <QStringList>

class Widget;

// The demo program runs on the virtual mouse. Options (demo only):
//   --unplugged        start with the virtual mouse unplugged
//   --screenshot FILE  save the window to FILE once the interface runs, then quit
namespace demo {
void plugVirtualMouse(const QStringList &args);
void runOptions(const QStringList &args, Widget &window);
} // namespace demo
