import QtQuick
import "../basic"

// The main window's state and the names it answers by: the mouse's flags,
// the host's objects, the screen's parts, the signals, and the small helpers
// every page call goes through. MainWindow.qml adds the behaviour.
Item {
    // Device flags, read by the first initUI
    property bool isColorful: false
    property string icType: "553"
    property bool is55328: false
    property bool isGun: true
    property string language: "ChineseSimplified"
    property string url: "https://norvane.example/n1"
    property bool isPownOn: false
    // 0: a mouse is connected; 1: none found; 2: found but cannot be opened.
    property int deviceState: 0
    // Set by the back end where keys reach the capture only while this
    // window has focus.
    property bool keysInWindowOnly: false

    // 11 and up: what the window says when the mouse did not take the
    // settings, and the question before unsaved edits would be lost.
    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "Unsaved changes",
        "The profile “%1” has changes that are not saved. Save them before switching to “%2”?",
        "The profile “%1” has changes that are not saved. Save them before quitting?", "Discard",
        "The mouse did not take the settings, so the profile was not switched.",
        "The mouse did not take the settings, so the program did not quit."]

    // Power-on logo until the first lock ends; then every region shows.
    property bool isRevealed: false
    readonly property bool isPending: isPownOn && (keyMatrix.isSave || dpiSetting.isSave || lightControl.isSave)
    property bool gunPlaced: false
    // Device commands the mouse did not complete (counted as the back end
    // reports them), and whether the window says so under Save.
    property int failedCommands: 0
    property bool settingsRefused: false

    // The screen's parts, set when the screen is built (common/MainScreen.qml).
    // Untyped on purpose: a typed slot would load every page before the logo.
    property var keyCodeString: null
    property var mouseMain: null
    property var keyMatrix: null
    property var dpiSetting: null
    property var lightControl: null
    property var menuUp: null
    property var aboutMenu: null
    property var mask: null
    property var macroEditor: null
    property var gunControl: null
    property var systemSetting: null
    property var keyAssigment: null
    property var profile: null
    property var resetBox: null
    property var unsavedBox: null

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)
    signal emptyAreaPressed()

    width: 1024
    height: 640
    visible: false

    // The host's context properties, set before this file loads: the back
    // end ("ui_View") and the window controller ("ui_Ctl"); the device link
    // ("hid") is there too, but no page calls it. The pages get them from
    // here; qmllint cannot see context properties.
    // qmllint disable unqualified
    readonly property var backEnd: ui_View
    readonly property var controller: ui_Ctl
    // qmllint enable unqualified

    function hasBackEnd() { return !!backEnd }
    function hasController() { return !!controller }
    // A view that is disabled while it has focus passes focus on as a Tab
    // would: the control that had focus keeps it, and no ring appears.
    function setViewEnabled(isEnable) {
        if (!hasBackEnd() || !backEnd.setEnabled)
            return
        var held = Window.activeFocusItem
        var keyboard = KeyFocus.keyboard
        backEnd.setEnabled(isEnable)
        KeyFocus.keyboard = keyboard
        if (held && held !== Window.activeFocusItem)
            held.forceActiveFocus(Qt.OtherFocusReason)
    }
    // A missing key keeps the built-in default.
    function globalValue(key, fallback) {
        var v = backEnd.getGlobalData(key)
        return v === undefined || v === null || String(v) === "" ? fallback : v
    }
    function asBool(v) {
        if (typeof v === "boolean")
            return v
        var s = String(v).toLowerCase()
        return s !== "" && s !== "false" && s !== "0"
    }
    function lang(list, i) { return list && list[i] !== undefined ? String(list[i]) : "" }
}
