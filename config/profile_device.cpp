// On-board profile blocks of the 560 family.
#include "shell/myqquickview.h"

#include "device/hid_thread.h"

#include <QDebug>

namespace {

bool validBlock(uint profileNo, const char *operation) {
  if (profileNo <= 4)
    return true;
  qDebug().noquote() << operation << "refused: no profile block" << profileNo;
  return false;
}

} // namespace

void myQQuickView::sendModeBlocks() {
  if (!link)
    return;
  link->hid560_0CH_setProfile(profileBlocks[1].data(), 1);
  if (!isGun)
    return;
  for (uchar n = 2; n <= 4; ++n)
    link->hid560_0CH_setProfile(profileBlocks[n].data(), n);
}

void myQQuickView::mouseSetProfile(uint profileNo) {
  if (link && validBlock(profileNo, "mouseSetProfile"))
    link->hid560_0CH_setProfile(profileBlocks[profileNo].data(), uchar(profileNo));
}

void myQQuickView::mouseReadProfile(uint profileNo) {
  if (link && validBlock(profileNo, "mouseReadProfile"))
    link->hid560_8CH_readProfile(profileBlocks[profileNo].data(), uchar(profileNo));
}

QVariant myQQuickView::mouseReadCurrentProfile() {
  uchar profile = 0;
  if (link)
    link->hid560_82H_GetCurrentProfile(profile);
  return int(profile);
}
