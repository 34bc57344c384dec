#pragma once

#include <QString>

// Macro names become file names. A name is refused (false, one debug line
// naming the operation) when it is empty, longer than 64 characters, "." or
// "..", or holds "/", "\" or a NUL.
bool isSafeMacroName(const QString &name, const char *operation);
