import QtQuick
import "../basic"

// Button assignment dialog. Placeholder of the button assignment page.
Dialog {
    id: keyAssigment

    property var keyAssigmentLang: []
    property bool isFireInput: false
    property bool isComboInput: false
    property int slot: -1
    property var macroList: ListModel {}

    signal closed()

    width: 416
    height: 404
    title: (keyAssigmentLang[0] || "Key ") + (slot + 1)

    function init() {}
    function show(index) {
        slot = index
        x = Math.round((parent.width - width) / 2)
        visible = true
    }
    function keyAssigmentFocus() {}
    function detectKeyboard(isDown, usbCode, index) {}

    onCloseClicked: {
        visible = false
        closed()
    }
}
