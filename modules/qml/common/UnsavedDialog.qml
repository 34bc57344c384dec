import QtQuick
import "../basic"

// Asked before a profile switch or a quit throws away edits that are not
// saved: Save, Discard or Cancel. Save goes ahead only when the mouse took
// the settings; otherwise the box stays and says so.
Dialog {
    id: unsavedBox

    // Set by the main screen.
    property MainWindow mainWindow: null
    // What goes ahead once the edits are saved or discarded: a switch to
    // this profile, or with -1 the quit.
    property int nextProfile: -1
    property bool saveFailed: false
    // The view's enabled state before the box opened: without a mouse the
    // view takes no input, yet this box must.
    property bool viewWasEnabled: true

    width: 427
    height: titleHeight + content.height + 24
    titleHeight: 30
    hasRule: false
    title: text(12)

    function text(i) { return mainWindow ? mainWindow.lang(mainWindow.mainLang, i) : "" }
    function message() {
        var profile = mainWindow.profile
        var own = text(nextProfile >= 0 ? 13 : 14).replace("%1", profile.nameOf(profile.profileNo))
        return nextProfile >= 0 ? own.replace("%2", profile.nameOf(nextProfile)) : own
    }

    // The window's own switch and its close ask first; the bus refuses
    // instead (MainWindow.outsideRefusal).
    function requestProfile(number) {
        if (number === mainWindow.profile.profileNo)
            return
        if (mainWindow.isPending) {
            ask(number)
            return
        }
        mainWindow.switchProfile(number)
        mainWindow.profile.syncTopList()
    }
    function confirmQuit() {
        if (!mainWindow.isPending)
            return true
        if (!visible)
            ask(-1)
        return false
    }
    function ask(number) {
        nextProfile = number
        saveFailed = false
        viewWasEnabled = !mainWindow.backEnd || mainWindow.backEnd.enabled !== false
        mainWindow.setViewEnabled(true)
        mainWindow.mainFocus()
        // The drop-down shows the active profile until the user has chosen.
        mainWindow.profile.syncTopList()
        centre()
        visible = true
        mainWindow.showMask()
    }
    function close() {
        visible = false
        mainWindow.hideMask()
    }
    function cancel() {
        close()
        mainWindow.setViewEnabled(viewWasEnabled)
    }
    function save() {
        mainWindow.save()
        saveFailed = mainWindow.isPending
        if (!saveFailed)
            proceed()
    }
    function discard() {
        mainWindow.discardEdits()
        proceed()
    }
    function proceed() {
        close()
        if (nextProfile >= 0) {
            mainWindow.switchProfile(nextProfile)
            mainWindow.profile.syncTopList()
        }
        else if (mainWindow.hasController())
            mainWindow.controller.onClose()
    }

    onCloseClicked: cancel()

    Column {
        id: content
        x: 16
        y: 10
        width: parent.width - 32
        spacing: 8
        Text {
            objectName: "unsavedMessage"
            width: parent.width
            text: unsavedBox.visible ? unsavedBox.message() : ""
            wrapMode: Text.Wrap
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Text {
            objectName: "unsavedFailed"
            width: parent.width
            visible: unsavedBox.saveFailed
            text: unsavedBox.text(unsavedBox.nextProfile >= 0 ? 16 : 17)
            wrapMode: Text.Wrap
            color: "#ff3030"
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Row {
            anchors.right: parent.right
            spacing: 16
            TextButton {
                objectName: "unsavedDiscard"
                width: 88
                height: 25
                text: unsavedBox.text(15)
                normalColor: Theme.colorGray1
                onClicked: unsavedBox.discard()
            }
            TextButton {
                objectName: "unsavedCancel"
                width: 88
                height: 25
                text: unsavedBox.text(7)
                normalColor: Theme.colorGray1
                onClicked: unsavedBox.cancel()
            }
            TextButton {
                objectName: "unsavedSave"
                width: 88
                height: 25
                text: unsavedBox.text(10)
                onClicked: unsavedBox.save()
            }
        }
    }
}
