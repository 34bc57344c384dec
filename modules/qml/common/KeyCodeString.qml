import QtQuick
import "../js/keycodes.js" as KeyCodes

// Key names by USB usage code, in the interface's language; the table and
// its look-ups live in keycodes.js.
QtObject {
    id: table

    readonly property var keyCode: KeyCodes.codes
    readonly property var defaultNames: KeyCodes.defaultNames
    property var keyCodeStr: defaultNames

    onKeyCodeStrChanged: {
        if (!KeyCodes.fits(keyCodeStr)) {
            console.warn("keyCode names refused: expected", keyCode.length, "got",
                         keyCodeStr ? keyCodeStr.length : 0)
            keyCodeStr = defaultNames
        }
    }

    function keycodeTostr(code) { return KeyCodes.nameOf(code, keyCodeStr) }
    function strTokeycode(name) { return KeyCodes.codeOf(name, keyCodeStr) }
}
