import QtQuick
import "../basic"
import "../panels"

// Everything of the main screen behind the power-on logo: the regions of the
// layout, the mask and the dialogs. The root builds it while the logo shows
// and reaches its parts through the properties set here.
Item {
    id: mainScreen
    width: 1024
    height: 640

    // Set by the window when it loads this screen.
    property MainWindow mainWindow: null

    Component.onCompleted: {
        mainWindow.keyCodeString = keyCodeString
        mainWindow.mouseMain = mouseMain
        mainWindow.keyMatrix = keyMatrix
        mainWindow.dpiSetting = dpiSetting
        mainWindow.lightControl = lightControl
        mainWindow.menuUp = menuUp
        mainWindow.aboutMenu = aboutMenu
        mainWindow.mask = mask
        mainWindow.macroEditor = macroEditor
        mainWindow.gunControl = gunControl
        mainWindow.systemSetting = systemSetting
        mainWindow.keyAssigment = keyAssigment
        mainWindow.profile = profile
        mainWindow.resetBox = resetBox
        mainWindow.unsavedBox = unsavedBox
    }

    KeyCodeString { id: keyCodeString }

    Environment {
        id: environment
        objectName: "environment"
        z: -1
        visible: mainScreen.mainWindow.isRevealed
    }
    // Empty background: drags the window.
    WindowDrag {
        z: -1
        anchors.fill: parent
        controller: mainScreen.mainWindow.controller
        onBackgroundPressed: {
            dpiSetting.closeRateMenu()
            mainScreen.mainWindow.emptyAreaPressed()
        }
    }

    // The last left button is never re-assigned: the selection is dropped.
    function openKey(index) {
        if (keyMatrix.checkOneLeftKey()) {
            mouseMain.selectKey = -1
            explainFixedKey(index, mouseMain.boxes[index].x, mouseMain.boxes[index].y + 28)
            return
        }
        fixedKeyNote.hide()
        mainScreen.mainWindow.showMask()
        mainScreen.mainWindow.mainFocus()
        keyAssigment.show(index)
    }

    function explainFixedKey(index, x, y) {
        fixedKeyNote.showAt(keyAssigment.lang(keyAssigment.str.fixedKey).replace("%1", index + 1), x, y)
    }

    // Tab follows the screen from the top: the bar above, the left column,
    // the mouse picture, the right column, the bar below. The page sits at
    // z -1 so the bar above, first in that order, still draws over it.
    Menu_Up {
        id: menuUp
        objectName: "menuUp"
        x: 920
        y: 16
        visible: mainScreen.mainWindow.isRevealed
        profilePage: profile
        onBtnClicked: function (btnIndex) {
            if (btnIndex === 2) {
                aboutMenu.visible = !aboutMenu.visible
            } else if (mainScreen.mainWindow.hasController()) {
                if (btnIndex === 0)
                    mainScreen.mainWindow.controller.onMinimize()
                else
                    mainScreen.mainWindow.controller.onClose()
            }
        }
    }
    Column {
        id: leftColumn
        objectName: "leftColumn"
        z: -1
        x: 24
        y: 88
        spacing: 8
        visible: mainScreen.mainWindow.isRevealed
        KeyMatrix {
            id: keyMatrix
            objectName: "keyMatrix"
            backEnd: mainScreen.mainWindow.backEnd
            macroEditor: macroEditor
            mouseMain: mouseMain
            keyAssigment: keyAssigment
            gunControl: gunControl
            onEnterBtn: function (index) { mouseMain.selectKey = index }
            onLeaveBtn: function (index) { if (!keyAssigment.visible) mouseMain.selectKey = -1 }
            onKeyRefused: function (index, row) {
                var at = row.mapToItem(mainScreen, 0, row.height + 4)
                mainScreen.explainFixedKey(index, at.x, at.y)
            }
            onClickBtn: function (index) {
                fixedKeyNote.hide()
                mainScreen.mainWindow.showMask()
                mainScreen.mainWindow.mainFocus()
                keyAssigment.show(index)
            }
        }
        EditorPanel {
            id: editorPanel
            objectName: "editorPanel"
            title: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 0)
            macroText: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 1)
            gunText: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 2)
            hasGun: mainScreen.mainWindow.isGun
            onMacroClicked: mainScreen.mainWindow.openMacroEditor()
            onGunClicked: mainScreen.mainWindow.openGun()
        }
        TextButton {
            id: systemButton
            objectName: "systemButton"
            width: 232
            height: 24
            radius: 0
            normalColor: Theme.colorBlack
            text: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 9)
            onClicked: mainScreen.mainWindow.openDialog(systemSetting, true)
        }
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        z: -1
        visible: mainScreen.mainWindow.isRevealed
        keyAssigment: keyAssigment
        onKeyOpened: function (index) { mainScreen.openKey(index) }
    }

    Column {
        id: rightColumn
        objectName: "rightColumn"
        z: -1
        x: 768
        y: 56
        spacing: 8
        visible: mainScreen.mainWindow.isRevealed
        DpiSetting {
            id: dpiSetting
            objectName: "dpiSetting"
            backEnd: mainScreen.mainWindow.backEnd
            failedCommands: mainScreen.mainWindow.failedCommands
            onFocusPages: mainScreen.mainWindow.mainFocus()
        }
        LightControl {
            id: lightControl
            objectName: "lightControl"
            backEnd: mainScreen.mainWindow.backEnd
            isColorful: mainScreen.mainWindow.isColorful
            is55328: mainScreen.mainWindow.is55328
            isPownOn: mainScreen.mainWindow.isPownOn
            dpiCount: dpiSetting.dpiCount
        }
    }

    Row {
        id: bottomBar
        objectName: "bottomBar"
        z: -1
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        spacing: 16
        visible: mainScreen.mainWindow.isRevealed
        Text {
            objectName: "settingsRefusedNote"
            anchors.verticalCenter: parent.verticalCenter
            visible: mainScreen.mainWindow.settingsRefused
            color: "#ff3030"
            font.family: Theme.fontFamily
            font.pixelSize: 12
            text: mainScreen.mainWindow.refusedText()
        }
        TextButton {
            id: configButton
            objectName: "configButton"
            text: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 4)
            onClicked: mainScreen.mainWindow.openProfile()
        }
        TextButton {
            id: resetButton
            objectName: "resetButton"
            text: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 5)
            onClicked: mainScreen.mainWindow.openReset()
        }
        TextButton {
            id: saveButton
            objectName: "saveButton"
            text: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 10)
            normalColor: mainScreen.mainWindow.isPending ? "#ff3030" : Theme.colorBlue
            onClicked: mainScreen.mainWindow.save()
        }
    }
    // Ctrl+S saves while Save is lit and could be pressed: no dialog open,
    // no busy lock, no mouse-less screen over it.
    Shortcut {
        objectName: "saveShortcut"
        sequence: "Ctrl+S"
        enabled: mainScreen.mainWindow.isPending && mainScreen.mainWindow.deviceState === 0
                 && !mask.visible && mainScreen.mainWindow.outsideRefusal() === "unsaved"
        onActivated: mainScreen.mainWindow.save()
    }

    AboutMenu {
        id: aboutMenu
        objectName: "aboutMenu"
        x: 724
        y: 30
        z: 10
        url: mainScreen.mainWindow.url
        onRowClicked: function (index) { mainScreen.mainWindow.aboutChosen(index) }
    }

    // Above the page, under the mask and the dialogs.
    FixedKeyNote {
        id: fixedKeyNote
        objectName: "fixedKeyNote"
    }

    Rectangle {
        id: mask
        objectName: "mask"
        anchors.fill: parent
        color: "#90000000"
        visible: false
        WindowDrag {
            anchors.fill: parent
            controller: mainScreen.mainWindow.controller
            onBackgroundPressed: {
                if (macroEditor.visible)
                    macroEditor.macroEditorFocus()
                if (profile.visible)
                    profile.profileFocus()
                if (gunControl.visible)
                    gunControl.gunControlFocus()
                lightControl.lightControlFocus()
                if (systemSetting.visible)
                    systemSetting.systemSettingFocus()
            }
        }
    }

    MacroEditor {
        id: macroEditor
        objectName: "macroEditor"
        backEnd: mainScreen.mainWindow.backEnd
        keyCodeString: keyCodeString
        assignList: keyAssigment.macroList
        keySlots: keyMatrix.modKeys
        currentProfile: profile.profileNo
        onClosed: mainScreen.mainWindow.hideMask()
        keysInWindowOnly: mainScreen.mainWindow.keysInWindowOnly
        onModifyMacroData: function (macroName) { mainScreen.mainWindow.macroChanged(macroName) }
        onModifyMacroName: function (oldMacroName, newMacroName) { mainScreen.mainWindow.macroRenamed(oldMacroName, newMacroName) }
        onDeleteMacro: function (macroName) { mainScreen.mainWindow.macroDeleted(macroName) }
    }
    GunControl {
        id: gunControl
        objectName: "gunControl"
        backEnd: mainScreen.mainWindow.backEnd
        isPresent: mainScreen.mainWindow.isGun
        onClosed: mainScreen.mainWindow.hideMask()
        onSlotsSent: keyMatrix.saveData()
    }
    SystemSetting {
        id: systemSetting
        objectName: "systemSetting"
        backEnd: mainScreen.mainWindow.backEnd
        onFocusPages: mainScreen.mainWindow.mainFocus()
        onClosed: mainScreen.mainWindow.hideMask()
    }
    KeyAssigment {
        id: keyAssigment
        objectName: "keyAssigment"
        backEnd: mainScreen.mainWindow.backEnd
        slotKeys: keyMatrix.modKeys
        factoryKeys: keyMatrix.modKeys_tmp
        keyCodeString: keyCodeString
        macroEditor: macroEditor
        rateLabel: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 3)
        hasGun: mainScreen.mainWindow.isGun
        onKeysEdited: keyMatrix.isSave = true
        onFocusPages: mainScreen.mainWindow.mainFocus()
        onMacroEditorRequested: mainScreen.mainWindow.openDialog(macroEditor, true)
        onClosed: {
            mainScreen.mainWindow.hideMask()
            mouseMain.selectKey = -1
        }
    }
    Profile {
        id: profile
        objectName: "profile"
        backEnd: mainScreen.mainWindow.backEnd
        menuUp: menuUp
        onClosed: {
            mainScreen.mainWindow.hideMask()
            mainScreen.mainWindow.mainFocus()
        }
        // The drop-down passes a row; the switch needs that row's profile.
        onChangeProfile: function (tmpProfileNo) { unsavedBox.requestProfile(profile.numberOfRow(tmpProfileNo)) }
        onActiveProfileReplaced: mainScreen.mainWindow.reloadProfile()
    }
    ResetDialog {
        id: resetBox
        objectName: "resetBox"
        title: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 5)
        message: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 6)
        okText: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 8)
        cancelText: mainScreen.mainWindow.lang(mainScreen.mainWindow.mainLang, 7)
        onAccepted: mainScreen.mainWindow.factoryReset()
        onRejected: {
            resetBox.visible = false
            mainScreen.mainWindow.hideMask()
        }
    }
    UnsavedDialog {
        id: unsavedBox
        objectName: "unsavedBox"
        mainWindow: mainScreen.mainWindow
    }
}
