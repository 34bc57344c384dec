// Restoring the main window from the tray or a second start.
#pragma once

class QWidget;

namespace platform {

// Queues a restore of the window: shown, normal state, raised, activated.
// Never runs inside the caller. Does nothing for a null window, or when the
// window is destroyed before the restore runs.
void postRestore(QWidget *window);

} // namespace platform
