#pragma once

#include <QStringList>

class Widget;

// The demo program runs on the virtual mouse. Options (demo only):
//   --unplugged        start with the virtual mouse unplugged
//   --no-access        the mouse is there but its first open fails
//   --screenshot FILE  save the window to FILE once the interface has run for
//                      --after MS (default 1500), then quit
//   --state NAME       before the screenshot, "reset" opens the factory-reset
//                      box and "about" the About menu
//   --first-frame      print the resident memory at the first frame of the
//                      interface and quit (start-up benchmark)
// Ctrl+D in the window stands for the mouse's DPI button.
namespace demo {
void plugVirtualMouse(const QStringList &args);
void runOptions(const QStringList &args, Widget &window);
} // namespace demo
