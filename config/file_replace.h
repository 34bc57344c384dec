#pragma once

#include <QString>

// Makes target a copy of source without ever leaving target missing or half
// written: the copy is written to a temporary file beside target and renamed
// over it. On failure target is untouched, one debug line says why, and the
// result is false.
bool replaceFileWithCopy(const QString &source, const QString &target);
