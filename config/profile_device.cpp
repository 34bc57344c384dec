// On-board profile blocks of the 560 family.
#include "shell/myqquickview.h"

#include <QDebug>

void myQQuickView::mouseReadProfile(uint profileNo) {
  // Reading profile blocks arrives with the profile operations.
  qDebug() << "mouseReadProfile not available" << profileNo;
}
