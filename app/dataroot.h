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

// The root chooseDataRoot would pick, found without creating or copying
// anything, for tools that only read the settings: the executable's folder,
// then userRoot (the program's per-user data folder) once it holds the
// settings, then the installed factory data.
QString findDataRoot(const QString &appDir, const QString &userRoot);
