import QtQuick
import "../basic"

// Macro editor dialog. Placeholder of the macro page.
Dialog {
    id: macroEditor

    property var macroEditorLang: ["Macro Editor"]
    property bool isInputting: false
    property bool isInsertting: false
    property alias macroNumber_lv: macroNames

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)

    width: 640
    height: 448
    title: macroEditorLang[0]

    function init() {}
    function sendMacro(index, macroName) {}
    function detectKeyboard(isDown, usbCode) {}
    function detectInput(isDown, usbCode) {}
    function macroEditorFocus() {}

    ListView { id: macroNames; currentIndex: -1 }

    onCloseClicked: {
        visible = false
        mainWindow.hideMask()
    }
}
