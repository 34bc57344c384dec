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

// DPI, report rate, lighting and options.
void myQQuickView::mouseSetKeyboardoption(uchar, uchar, uchar, uchar) {
  notAvailable("mouseSetKeyboardoption");
}
void myQQuickView::mouseSetReportRate(uchar) { notAvailable("mouseSetReportRate"); }
void myQQuickView::mouseSetCurrentDPI(uchar) { notAvailable("mouseSetCurrentDPI"); }
QVariant myQQuickView::mouseGetCurrentDPI() {
  return notAvailable("mouseGetCurrentDPI", QVariant(0));
}
void myQQuickView::mouseSetDpi(int, QString, QVariantList) { notAvailable("mouseSetDpi"); }
void myQQuickView::mouseSetRGBEffect(uchar, uchar, uchar) { notAvailable("mouseSetRGBEffect"); }
void myQQuickView::mouseSetRGBColor(uchar, QVariantList) { notAvailable("mouseSetRGBColor"); }
void myQQuickView::mouseSwitchKeyMatrix(int) { notAvailable("mouseSwitchKeyMatrix"); }
QVariantList myQQuickView::GetKeyboardoption() {
  return notAvailable("GetKeyboardoption", QVariantList());
}

// Button assignment.
void myQQuickView::mouseResetKeyMatrix() { notAvailable("mouseResetKeyMatrix"); }
void myQQuickView::mouseSetKeyMatrix(QVariantList, bool, QVariantList) {
  notAvailable("mouseSetKeyMatrix");
}
QVariantList myQQuickView::mouseGetKeydefine(QVariant, bool) {
  return notAvailable("mouseGetKeydefine", QVariantList());
}

// Profiles (reading the on-board blocks is in profile_device.cpp).
bool myQQuickView::loadProfile(int) { return notAvailable("loadProfile", false); }
void myQQuickView::saveProfile(int) { notAvailable("saveProfile"); }
void myQQuickView::resetProfile(int) { notAvailable("resetProfile"); }
void myQQuickView::copyProfile(int, int) { notAvailable("copyProfile"); }
void myQQuickView::mouseSetProfile(uint) { notAvailable("mouseSetProfile"); }
QVariant myQQuickView::mouseReadCurrentProfile() {
  return notAvailable("mouseReadCurrentProfile", QVariant(0));
}

// Macros.
