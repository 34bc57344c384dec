// Operations whose concern is not built yet: each says so and returns a
// default. A concern's file replaces its lines here when it arrives.
#include "shell/myqquickview.h"

#include <QDebug>

namespace {

void notAvailable(const char *operation) { qDebug().noquote() << operation << "not available"; }

template <typename T> T notAvailable(const char *operation, T fallback) {
  notAvailable(operation);
  return fallback;
}

} // namespace

// Macros.

// Gun presets.
void myQQuickView::mouseSaveGundata(QVariant, QVariantList) { notAvailable("mouseSaveGundata"); }
void myQQuickView::mouseSendGundata(int, QVariantList) { notAvailable("mouseSendGundata"); }
void myQQuickView::modifyGundata(QVariant, QVariantList) { notAvailable("modifyGundata"); }
QVariantList myQQuickView::getGunData(QVariant) {
  return notAvailable("getGunData", QVariantList());
}
QStringList myQQuickView::getGunDataKey() { return notAvailable("getGunDataKey", QStringList()); }
QVariant myQQuickView::getXYSensitive(QVariant) {
  return notAvailable("getXYSensitive", QVariant());
}
QVariant myQQuickView::getselectGun(QVariant) { return notAvailable("getselectGun", QVariant()); }
void myQQuickView::setXYSensitive(QVariant, QVariant) { notAvailable("setXYSensitive"); }
void myQQuickView::setSelectGun(QVariant, QVariant) { notAvailable("setSelectGun"); }

// Pointer settings.
void myQQuickView::mouseSetCursorSpeed(uint) { notAvailable("mouseSetCursorSpeed"); }
void myQQuickView::mouseSetVerticalScrollLines(uint) {
  notAvailable("mouseSetVerticalScrollLines");
}
void myQQuickView::mouseSetDoubleClickSpeed(uint) { notAvailable("mouseSetDoubleClickSpeed"); }
