#pragma once

#include <QString>

// Where the program's "./modules/" tree lives. A writable modules/ folder
// beside the executable (the build folder, a portable copy) is used as it is.
// Otherwise (an installed program) the per-user data folder is the root,
// seeded with the factory files it does not have yet.
QString chooseDataRoot(const QString &appDir);

// Copies every file of factoryModules that root/modules lacks; files already
// there are never replaced. Returns false when the tree cannot be made.
bool seedDataRoot(const QString &root, const QString &factoryModules);
