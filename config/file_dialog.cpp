// The view's modal file dialogs, or the hook tests answer them with.
#include "shell/myqquickview.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace {

myQQuickView::FileDialogHook &fileDialogHook() {
  static myQQuickView::FileDialogHook hook;
  return hook;
}

} // namespace

void myQQuickView::setFileDialogHook(FileDialogHook hook) { fileDialogHook() = std::move(hook); }

QString myQQuickView::askFileName(bool save, const QString &title, const QString &filter) {
  if (fileDialogHook())
    return fileDialogHook()(save, title, filter);
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return save ? QFileDialog::getSaveFileName(this, title, desktop, filter)
              : QFileDialog::getOpenFileName(this, title, desktop, filter);
}
