// Whole profiles as files: export, import, factory reset and copy.
#include "shell/myqquickview.h"

#include "file_replace.h"

#include <QDebug>

namespace {

const QString profileFilter = QStringLiteral("Profile(*.pf)");
const QString factoryProfileFile = QStringLiteral("./modules/setting/pD.bin");

} // namespace

bool myQQuickView::validProfile(int profile, const char *operation) const {
  if (profile >= 0 && profile < profileList.size())
    return true;
  qDebug().noquote() << operation << "refused: no profile" << profile;
  return false;
}

void myQQuickView::saveProfile(int profile) {
  if (!validProfile(profile, "saveProfile"))
    return;
  const QString chosen = askFileName(true, tr("Save File"), profileFilter);
  if (chosen.isEmpty())
    return;
  QSettings *handle = profileList[profile];
  // The export holds what the pages stored, and an existing target stays
  // whole until the copy is complete.
  handle->sync();
  replaceFileWithCopy(handle->fileName(), chosen);
}

bool myQQuickView::loadProfile(int profile) {
  if (!validProfile(profile, "loadProfile"))
    return false;
  const QString chosen = askFileName(false, tr("Open File"), profileFilter);
  if (chosen.isEmpty())
    return false;
  return replaceSettingsFile(profileList[profile], chosen);
}

void myQQuickView::resetProfile(int profile) {
  if (validProfile(profile, "resetProfile"))
    replaceSettingsFile(profileList[profile], factoryProfileFile);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile) {
  if (!validProfile(destprofile, "copyProfile") || !validProfile(srcprofile, "copyProfile"))
    return;
  QSettings *source = profileList[srcprofile];
  source->sync();
  replaceSettingsFile(profileList[destprofile], source->fileName());
}
