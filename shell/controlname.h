// The control bus name as the second guard against a second copy of the
// program: copies that cannot reach each other's instance socket (another
// runtime folder, a sandbox) still share the user's session bus, and the one
// that cannot own the name leaves the mouse alone.
#pragma once

#include <QDBusConnection>

enum class ControlNameClaim { Owned, Taken, NoBus };

// Claims the control service name on `bus` without queueing for it.
ControlNameClaim claimControlName(QDBusConnection bus);

// Asks the name's owner to show its window, as a second start does; best
// effort, the answer is not awaited.
void askControlNameOwnerToShow(QDBusConnection bus);
