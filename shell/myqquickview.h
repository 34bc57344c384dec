#pragma once

#include "config/gun_presets.h"
#include "config/macro_files.h"
#include "config/mouse_device.h"
#include "config/profile_store.h"

#include <QQuickWidget>
#include <QStringList>
#include <QVariant>

#include <functional>

class Hid_Thread;

// The QML host and, at the same time, the one back-end object the pages call
// (as "ui_View"). The order of the invokable operations is their method index
// order, which the interface relies on: nothing meta (signal, slot or
// invokable) may be declared before them. Each operation delegates to the
// back end in config/ (view_operations.cpp, view_device.cpp); the host side
// is myqquickview.cpp.
class myQQuickView : public QQuickWidget {
  Q_OBJECT

  // Declared first: the device aliases below refer to them.
  ProfileStore store;
  MouseDevice device{store.global()};
  MacroFiles macroFiles;
  NameLists nameLists;
  GunPresets gunPresets;

public:
  explicit myQQuickView(QWidget *parent);
  ~myQQuickView() override;

  Q_INVOKABLE void clearHidBusy();
  Q_INVOKABLE void initUI();
  Q_INVOKABLE void runUI();
  Q_INVOKABLE void resetApconfig();
  Q_INVOKABLE bool loadMacroFile(QVariant macroFileName);
  Q_INVOKABLE void saveMacroFile(QVariant macroFileName);
  Q_INVOKABLE bool loadProfile(int profile);
  Q_INVOKABLE void saveProfile(int profile);
  Q_INVOKABLE void resetProfile(int profile);
  Q_INVOKABLE void copyProfile(int destprofile, int srcprofile);
  Q_INVOKABLE QStringList getLangStrings(QString typeStr, QString langCode);
  Q_INVOKABLE QVariant createMacroIni(QVariant name, QVariant macroIndex);
  Q_INVOKABLE QVariant updataNameList(QVariant type, QStringList nameList);
  Q_INVOKABLE QVariant modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname);
  Q_INVOKABLE void deleteMacroUpdateProfile(QVariant macroName);
  Q_INVOKABLE QVariant deleteMacroIni(QVariant name);
  Q_INVOKABLE QVariantList getNameList(QVariant type);
  Q_INVOKABLE QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
  Q_INVOKABLE QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);
  Q_INVOKABLE QStringList loadMacroIni(QVariant name);
  Q_INVOKABLE void mouseSaveGundata(QVariant index, QVariantList src6);
  Q_INVOKABLE void mouseSendGundata(int, QVariantList);
  Q_INVOKABLE void modifyGundata(QVariant modifyType, QVariantList src6);
  Q_INVOKABLE QVariantList getGunData(QVariant name);
  Q_INVOKABLE QStringList getGunDataKey();
  Q_INVOKABLE QVariant getXYSensitive(QVariant index);
  Q_INVOKABLE QVariant getselectGun(QVariant index);
  Q_INVOKABLE void setXYSensitive(QVariant index, QVariant xyData);
  Q_INVOKABLE void setSelectGun(QVariant index, QVariant xyData);
  Q_INVOKABLE void setCurrentProfile(int profile);
  Q_INVOKABLE void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
  Q_INVOKABLE void mouseSetReportRate(uchar rate);
  Q_INVOKABLE void mouseSetCurrentDPI(uchar currentDPI);
  Q_INVOKABLE void mouseResetKeyMatrix();
  Q_INVOKABLE QVariant mouseGetCurrentDPI();
  Q_INVOKABLE void mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam);
  Q_INVOKABLE void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray);
  Q_INVOKABLE void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
  Q_INVOKABLE void mouseSetRGBColor(uchar type, QVariantList src24);
  Q_INVOKABLE void mouseSetProfile(uint profileNo);
  Q_INVOKABLE void mouseReadProfile(uint profileNo);
  Q_INVOKABLE QVariant mouseReadCurrentProfile();
  Q_INVOKABLE void mouseSwitchKeyMatrix(int indexNo);
  Q_INVOKABLE QVariantList GetKeyboardoption();
  // The three pointer settings return whether the desktop took the value.
  Q_INVOKABLE bool mouseSetCursorSpeed(uint cursorSpeed);
  Q_INVOKABLE bool mouseSetVerticalScrollLines(uint lines);
  Q_INVOKABLE bool mouseSetDoubleClickSpeed(uint speed);
  Q_INVOKABLE QVariantList mouseGetKeydefine(QVariant index, bool);
  Q_INVOKABLE void openUpdateExe();
  Q_INVOKABLE QVariant getData(QVariant key, bool isRecovery);
  Q_INVOKABLE QVariant getGlobalData(QVariant key);
  Q_INVOKABLE QVariantList getDataList(QVariant key, bool isRecovery);
  Q_INVOKABLE void setData(QVariant key, QVariant data);
  Q_INVOKABLE void setGlobalData(QVariant key, QVariant tmpdata);
  Q_INVOKABLE void setDataList(QVariant key, QVariantList datalist);
  Q_INVOKABLE void setBusy(int busyTime);
  Q_INVOKABLE void setCurrentDPI(int dpiValue);
  // Beyond the interface's table: what the screen sets on the mouse as it
  // starts, decided by the mouse's command family.
  Q_INVOKABLE void mouseSelectStartProfile();
  // Whether this desktop lets the program change the pointer speed, the
  // double-click time and the wheel lines, in that order.
  Q_INVOKABLE QVariantList pointerSettingsOffered() const;
  // The language the interface shows: the stored "common/language" while
  // its file is shipped, else the one the desktop's locale asks for.
  Q_INVOKABLE QString currentLanguage() const;
  // The shipped languages, each as {"code", "name"}.
  Q_INVOKABLE QVariantList languageList() const;
  // The buttons of profiles 0 to 5 whose stored assignment is the macro,
  // each as [profile, button], for the question before it is deleted.
  Q_INVOKABLE QVariantList macroBindings(QVariant macroName);
  // The no-mouse screen: 0 connected (hidden), 1 no mouse, 2 found but not accessible.
  void showDeviceState(int state);
  // Whether a close may end the program now; with edits pending the
  // interface asks the user first and closes again itself.
  bool mayQuit();

  // Queued calls of the root's detectKeyboard and detectMouse, for the
  // input capture.
  void postKeyboardToQml(bool pressed, int code);
  void postMouseToQml(bool pressed, uint code, uint x, uint y);

  void setLink(Hid_Thread *link) { device.setLink(link); }
  Hid_Thread *hidLink() const { return device.hidLink(); }
  // The device back end, for the results of its operations and its family.
  MouseDevice &mouse() { return device; }
  int currentProfileIndex() const { return store.currentIndex(); }
  // Device operations of the view that did not complete, since start.
  int commandFailures() const { return failures; }
  // The device back end's reads after connecting; a failure counts and is
  // shown like that of any other operation.
  bool readMouseAtStart() { return noteDevice(device.readAtStart()); }

  // Sees every call into the QML root as it is made: function name,
  // connection type and arguments. Kept out of the meta-object so the
  // operations keep their method indices.
  using RootCallObserver =
      std::function<void(const QString &function, Qt::ConnectionType, const QVariantList &)>;
  static void setRootCallObserver(RootCallObserver observer);

  // Answers the view's file dialogs instead of the user while set: the file
  // chosen, or an empty string for cancel.
  // `proposed` is the file the dialog starts on (empty: the desktop folder).
  using FileDialogHook =
      std::function<QString(bool save, QString title, QString filter, QString proposed)>;
  static void setFileDialogHook(FileDialogHook hook);

  // The device description and the on-board profile blocks, held by the
  // device back end.
  bool &isColorful = device.isColorful;
  bool &isGun = device.isGun;
  QString &icType = device.icType;
  bool &is55328 = device.is55328;
  using ProfileBlock = MouseDevice::ProfileBlock;
  std::array<ProfileBlock, 5> &profileBlocks = device.profileBlocks;

protected:
  void focusInEvent(QFocusEvent *event) override;
  // The interface waits for a frame before it builds its screen; a hidden
  // window draws none, so it is told.
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

private:
  bool noteDevice(bool done);
  void tellRootShown(bool shown);
  void invokeRoot(const char *function, Qt::ConnectionType type, const QVariantList &args = {});
  // A modal open or save dialog on `proposed`, or in the desktop folder;
  // empty on cancel.
  QString askFileName(bool save, const QString &title, const QString &filter,
                      const QString &proposed = {});
  // A text of the profile page's language section, or `english` when the
  // language file has none.
  QString profileText(int index, const char *english) const;
  // The name the profile page shows for a profile, empty when no row has it.
  QString profileRowName(int profile);

  int failures = 0;
};
