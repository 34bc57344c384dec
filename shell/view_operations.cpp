// The view's operations on files: the settings store, profiles, macros,
// name lists, gun presets, languages and pointer settings. Each hands the
// interface's values to the back end in config/.
#include "myqquickview.h"

#include "config/languages.h"
#include "config/macro_path.h"
#include "config/pointer_settings.h"
#include "platform/pointersettings.h"

#include <QJSValue>

namespace {

const QString macroFilter = QStringLiteral("Macro(*.mc)");

// The interface hands JavaScript arrays and objects over wrapped as a
// QJSValue, which QSettings cannot write; they are stored as plain values.
QVariant plainValue(const QVariant &value) {
  if (value.metaType() == QMetaType::fromType<QJSValue>())
    return value.value<QJSValue>().toVariant();
  return value;
}

} // namespace

QVariant myQQuickView::getData(QVariant key, bool isRecovery) {
  return store.source(isRecovery).value(key.toString());
}

QVariant myQQuickView::getGlobalData(QVariant key) { return store.global().value(key.toString()); }

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery) {
  return store.list(key.toString(), isRecovery);
}

void myQQuickView::setData(QVariant key, QVariant data) {
  store.current().setValue(key.toString(), plainValue(data));
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata) {
  store.global().setValue(key.toString(), plainValue(tmpdata));
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist) {
  store.current().setValue(key.toString(), datalist);
}

void myQQuickView::setCurrentProfile(int profile) { store.setCurrent(profile); }

// The four device flags keep the values read at start.
void myQQuickView::resetApconfig() { store.resetGlobal(); }

void myQQuickView::resetProfile(int profile) { store.resetProfile(profile); }

void myQQuickView::copyProfile(int destprofile, int srcprofile) {
  store.copyProfile(destprofile, srcprofile);
}

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode) {
  const QStringList strings = readLangStrings(typeStr, langCode);
  if (typeStr == QLatin1String("other"))
    takeDpiSwitchTexts(strings);
  return strings;
}

QString myQQuickView::currentLanguage() const {
  return effectiveLanguage(store.global().value(QStringLiteral("common/language")).toString(),
                           QLocale::system());
}

QVariantList myQQuickView::languageList() const {
  QVariantList list;
  for (const ShippedLanguage &language : shippedLanguages())
    list.append(QVariantMap{{QStringLiteral("code"), language.code},
                            {QStringLiteral("name"), language.name}});
  return list;
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex) {
  return macroFiles.create(name.toString(), macroIndex.toUInt());
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList events, QVariant repeat) {
  return macroFiles.save(name.toString(), events, repeat);
}

QStringList myQQuickView::loadMacroIni(QVariant name) { return macroFiles.load(name.toString()); }

QVariant myQQuickView::deleteMacroIni(QVariant name) { return macroFiles.remove(name.toString()); }

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName) {
  unbindMacro(store, macroName.toString());
}

QVariantList myQQuickView::macroBindings(QVariant macroName) {
  QVariantList out;
  for (const auto &[profile, button] : ::macroBindings(store, macroName.toString()))
    out.append(QVariant(QVariantList{profile, button}));
  return out;
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname) {
  // A refused rename leaves the bindings alone.
  if (!macroFiles.rename(oldname.toString(), newname.toString()))
    return false;
  renameMacroBindings(store, oldname.toString(), newname.toString());
  return true;
}

bool myQQuickView::loadMacroFile(QVariant macroFileName) {
  const QString macro = macroFileName.toString();
  if (!isSafeMacroName(macro, "loadMacroFile"))
    return false;
  const QString chosen = askFileName(false, tr("Open File"), macroFilter);
  return !chosen.isEmpty() && macroFiles.importFrom(macro, chosen);
}

void myQQuickView::saveMacroFile(QVariant macroFileName) {
  const QString macro = macroFileName.toString();
  if (!isSafeMacroName(macro, "saveMacroFile") || !macroFiles.exists(macro, "saveMacroFile"))
    return;
  const QString chosen = askFileName(true, tr("Save File"), macroFilter);
  if (!chosen.isEmpty())
    macroFiles.exportTo(macro, chosen);
}

QVariantList myQQuickView::getNameList(QVariant type) { return nameLists.names(type.toInt()); }

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList) {
  return nameLists.update(type.toInt(), nameList);
}

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6) {
  gunPresets.save(index.toString(), src6);
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6) {
  gunPresets.modify(modifyType.toInt(), src6);
}

QVariantList myQQuickView::getGunData(QVariant name) { return gunPresets.values(name.toString()); }

QStringList myQQuickView::getGunDataKey() { return gunPresets.names(); }

QVariant myQQuickView::getXYSensitive(QVariant index) {
  return gunSensitivity(store.current(), index.toString());
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData) {
  setGunSensitivity(store.current(), index.toString(), xyData);
}

QVariant myQQuickView::getselectGun(QVariant index) {
  return selectedGun(store.current(), index.toString());
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData) {
  setSelectedGun(store.current(), index.toString(), xyData);
}

bool myQQuickView::mouseSetCursorSpeed(uint cursorSpeed) {
  return applyCursorSpeedStep(cursorSpeed);
}

bool myQQuickView::mouseSetDoubleClickSpeed(uint speed) { return applyDoubleClickStep(speed); }

bool myQQuickView::mouseSetVerticalScrollLines(uint lines) { return applyWheelScrollLines(lines); }

QVariantList myQQuickView::pointerSettingsOffered() const {
  using platform::PointerSetting;
  return {platform::canChangePointerSetting(PointerSetting::Speed),
          platform::canChangePointerSetting(PointerSetting::DoubleClickTime),
          platform::canChangePointerSetting(PointerSetting::WheelScrollLines)};
}
