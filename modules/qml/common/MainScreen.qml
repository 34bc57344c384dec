import QtQuick
import modules.qml.basic
import modules.qml.panels

// Everything of the main screen behind the power-on logo: the regions of the
// layout, the mask and the dialogs. The root builds it while the logo shows
// and reaches its parts through the properties set here.
Item {
    id: mainScreen
    width: 1024
    height: 640

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
    }

    KeyCodeString { id: keyCodeString }

    Environment {
        id: environment
        objectName: "environment"
        visible: mainWindow.isRevealed
    }
    // Empty background: drags the window.
    WindowDrag {
        anchors.fill: parent
        controller: ui_Ctl
        onBackgroundPressed: {
            dpiSetting.closeRateMenu()
            mainWindow.emptyAreaPressed()
        }
    }

    // The last left button is never re-assigned: the selection is dropped.
    function openKey(index) {
        if (keyMatrix.checkOneLeftKey()) {
            mouseMain.selectKey = -1
            return
        }
        mainWindow.showMask()
        mainWindow.mainFocus()
        keyAssigment.show(index)
    }

    Mouse {
        id: mouseMain
        objectName: "mouseMain"
        visible: mainWindow.isRevealed
        keyAssigment: keyAssigment
        onKeyOpened: function (index) { mainScreen.openKey(index) }
    }

    Column {
        id: leftColumn
        objectName: "leftColumn"
        x: 24
        y: 88
        spacing: 8
        visible: mainWindow.isRevealed
        KeyMatrix {
            id: keyMatrix
            objectName: "keyMatrix"
            mouseMain: mouseMain
            keyAssigment: keyAssigment
            gunControl: gunControl
            onEnterBtn: function (index) { mouseMain.selectKey = index }
            onLeaveBtn: function (index) { if (!keyAssigment.visible) mouseMain.selectKey = -1 }
            onClickBtn: function (index) {
                mainWindow.showMask()
                mainWindow.mainFocus()
                keyAssigment.show(index)
            }
        }
        EditorPanel {
            id: editorPanel
            objectName: "editorPanel"
            title: mainWindow.lang(mainWindow.mainLang, 0)
            macroText: mainWindow.lang(mainWindow.mainLang, 1)
            gunText: mainWindow.lang(mainWindow.mainLang, 2)
            hasGun: mainWindow.isGun
            onMacroClicked: {
                mainWindow.openDialog(macroEditor, true)
                mainWindow.mainFocus()
            }
            onGunClicked: mainWindow.openGun()
        }
        TextButton {
            id: systemButton
            objectName: "systemButton"
            width: 232
            height: 24
            radius: 0
            normalColor: Theme.colorBlack
            text: mainWindow.lang(mainWindow.mainLang, 9)
            onClicked: mainWindow.openDialog(systemSetting, true)
        }
    }

    Column {
        id: rightColumn
        objectName: "rightColumn"
        x: 768
        y: 56
        spacing: 8
        visible: mainWindow.isRevealed
        DpiSetting {
            id: dpiSetting
            objectName: "dpiSetting"
            onFocusPages: mainWindow.mainFocus()
        }
        LightControl {
            id: lightControl
            objectName: "lightControl"
            dpiCount: dpiSetting.dpiCount
        }
    }

    Row {
        id: bottomBar
        objectName: "bottomBar"
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        spacing: 16
        visible: mainWindow.isRevealed
        TextButton {
            id: configButton
            objectName: "configButton"
            text: mainWindow.lang(mainWindow.mainLang, 4)
            onClicked: mainWindow.openProfile()
        }
        TextButton {
            id: resetButton
            objectName: "resetButton"
            text: mainWindow.lang(mainWindow.mainLang, 5)
            onClicked: mainWindow.openReset()
        }
        TextButton {
            id: saveButton
            objectName: "saveButton"
            text: mainWindow.lang(mainWindow.mainLang, 10)
            normalColor: mainWindow.isPending ? "#ff3030" : Theme.colorBlue
            onClicked: mainWindow.save()
        }
    }

    Menu_Up {
        id: menuUp
        objectName: "menuUp"
        x: 920
        y: 16
        visible: mainWindow.isRevealed
        profilePage: profile
        onBtnClicked: function (btnIndex) {
            if (btnIndex === 2) {
                aboutMenu.visible = !aboutMenu.visible
            } else if (mainWindow.hasController()) {
                if (btnIndex === 0)
                    ui_Ctl.onMinimize()
                else
                    ui_Ctl.onClose()
            }
        }
    }
    AboutMenu {
        id: aboutMenu
        objectName: "aboutMenu"
        x: 724
        y: 30
        z: 10
        url: mainWindow.url
        onRowClicked: function (index) { mainWindow.aboutChosen(index) }
    }

    Rectangle {
        id: mask
        objectName: "mask"
        anchors.fill: parent
        color: "#90000000"
        visible: false
        WindowDrag {
            anchors.fill: parent
            controller: ui_Ctl
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
        keysInWindowOnly: mainWindow.keysInWindowOnly
        onModifyMacroData: function (macroName) { mainWindow.macroChanged(macroName) }
        onModifyMacroName: function (oldMacroName, newMacroName) { mainWindow.macroRenamed(oldMacroName, newMacroName) }
        onDeleteMacro: function (macroName) { mainWindow.macroDeleted(macroName) }
    }
    GunControl {
        id: gunControl
        objectName: "gunControl"
    }
    SystemSetting {
        id: systemSetting
        objectName: "systemSetting"
        onFocusPages: mainWindow.mainFocus()
        onClosed: mainWindow.hideMask()
    }
    KeyAssigment {
        id: keyAssigment
        objectName: "keyAssigment"
        onClosed: {
            mainWindow.hideMask()
            mouseMain.selectKey = -1
        }
    }
    Profile {
        id: profile
        objectName: "profile"
        menuUp: menuUp
        onClosed: {
            mainWindow.hideMask()
            mainWindow.mainFocus()
        }
        // The drop-down passes a row; the switch needs that row's profile.
        onChangeProfile: function (tmpProfileNo) { mainWindow.switchProfile(profile.numberOfRow(tmpProfileNo)) }
        onActiveProfileReplaced: mainWindow.reloadProfile()
    }
    ResetDialog {
        id: resetBox
        objectName: "resetBox"
        title: mainWindow.lang(mainWindow.mainLang, 5)
        message: mainWindow.lang(mainWindow.mainLang, 6)
        okText: mainWindow.lang(mainWindow.mainLang, 8)
        cancelText: mainWindow.lang(mainWindow.mainLang, 7)
        onAccepted: mainWindow.factoryReset()
        onRejected: {
            resetBox.visible = false
            mainWindow.hideMask()
        }
    }
}
