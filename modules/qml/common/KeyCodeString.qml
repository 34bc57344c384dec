import QtQuick

// Key names by USB usage code. Placeholder of the button assignment page.
QtObject {
    property var keyCode: []
    property var keyCodeStr: []

    function keycodeTostr(code) {
        var i = keyCode.indexOf(code)
        return i < 0 ? "" : String(keyCodeStr[i])
    }
    function strTokeycode(name) {
        var i = keyCodeStr.indexOf(name)
        return i < 0 ? 0 : keyCode[i]
    }
}
