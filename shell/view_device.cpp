// The view's operations on the mouse, handed to the device back end.
#include "myqquickview.h"

#include "config/key_codec.h"

// A command the mouse did not complete: counted for the bus, and the
// interface is told at once so that it can keep the edits and say so.
bool myQQuickView::noteDevice(bool done) {
  if (!done) {
    ++failures;
    invokeRoot("deviceCommandFailed", Qt::DirectConnection);
  }
  return done;
}

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray) {
  noteDevice(device.setDpi(dpiCount, sensorType, dpiValueArray));
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI) {
  noteDevice(device.setCurrentDpi(currentDPI));
}

QVariant myQQuickView::mouseGetCurrentDPI() {
  int stage = 0;
  noteDevice(device.currentDpi(stage));
  return stage;
}

void myQQuickView::mouseSetReportRate(uchar rate) { noteDevice(device.setReportRate(rate)); }

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
  noteDevice(device.setKeyboardOption(byte1, byte2, byte3, byte4));
}

QVariantList myQQuickView::GetKeyboardoption() {
  std::array<uchar, 4> bytes{};
  noteDevice(device.keyboardOption(bytes));
  return {int(bytes[0]), int(bytes[1]), int(bytes[2]), int(bytes[3])};
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo) {
  noteDevice(device.switchKeyMatrix(indexNo));
}

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2) {
  noteDevice(device.setLightEffect(effect, option1, option2));
}

void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24) {
  noteDevice(device.setLightColours(type, src24));
}

void myQQuickView::mouseSetProfile(uint profileNo) {
  noteDevice(device.sendProfileBlock(profileNo));
}

void myQQuickView::mouseReadProfile(uint profileNo) {
  noteDevice(device.readProfileBlock(profileNo));
}

void myQQuickView::mouseSelectStartProfile() { device.prepareScreenStart(); }

QVariant myQQuickView::mouseReadCurrentProfile() {
  int profile = 0;
  noteDevice(device.readCurrentProfile(profile));
  return profile;
}

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam) {
  if (storeKeyAssignments(store.current(), src64) && isSendData)
    noteDevice(device.sendKeyAssignments(src64, store.current(), otherParam));
}

void myQQuickView::mouseResetKeyMatrix() { noteDevice(device.resetGunMatrices(store.current())); }

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery) {
  return store.list(QStringLiteral("mouseKeyMatrix/") + index.toString(), isRecovery);
}

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex) {
  // The index is checked before narrowing, so 256 never reaches macro 1.
  noteDevice(device.sendMacro(macroIndex.toUInt(), macroData));
  return true;
}

void myQQuickView::mouseSendGundata(int slot, QVariantList values) {
  noteDevice(device.sendGun(slot, values));
}
