// Importing and exporting a macro as an ".mc" file, a byte copy of its file.
#include "shell/myqquickview.h"

#include "file_replace.h"
#include "macro_path.h"

#include <QDebug>
#include <QDir>
#include <QFile>

namespace {

const QString macroFilter = QStringLiteral("Macro(*.mc)");

} // namespace

bool myQQuickView::loadMacroFile(QVariant macroFileName) {
  const QString macro = macroFileName.toString();
  if (!isSafeMacroName(macro, "loadMacroFile"))
    return false;
  const QString chosen = askFileName(false, tr("Open File"), macroFilter);
  if (chosen.isEmpty())
    return false;
  const QString target = macroFilePath(macro);
  // An existing macro is never overwritten; false lets the editor create
  // an empty one instead, as on cancel.
  if (QFile::exists(target)) {
    qDebug().noquote() << "loadMacroFile refused:" << macro << "exists already";
    return false;
  }
  QDir().mkpath(QStringLiteral("./modules/macro"));
  return replaceFileWithCopy(chosen, target);
}

void myQQuickView::saveMacroFile(QVariant macroFileName) {
  const QString macro = macroFileName.toString();
  if (!isSafeMacroName(macro, "saveMacroFile"))
    return;
  const QString source = macroFilePath(macro);
  if (!QFile::exists(source)) {
    qDebug().noquote() << "saveMacroFile: no macro" << macro;
    return;
  }
  const QString chosen = askFileName(true, tr("Save File"), macroFilter);
  if (chosen.isEmpty())
    return;
  // The old file stays whole until the copy is complete.
  replaceFileWithCopy(source, chosen);
}
