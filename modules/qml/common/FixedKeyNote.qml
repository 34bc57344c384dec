import QtQuick
import "../basic"

// Says why a key cannot be reassigned, beside the key that was clicked; it
// goes with the next key chosen or after a few seconds.
Rectangle {
    id: note

    function showAt(text, x, y) {
        label.text = text
        note.x = Math.max(0, Math.min((parent ? parent.width : 1024) - width, x))
        note.y = y
        visible = true
        hideTimer.restart()
    }
    function hide() {
        hideTimer.stop()
        visible = false
    }

    width: 260
    height: label.height + 16
    visible: false
    color: Theme.colorBlack
    border.color: Theme.colorOrange
    radius: 2

    Text {
        id: label
        objectName: "fixedKeyText"
        x: 8
        y: 8
        width: note.width - 16
        wrapMode: Text.Wrap
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Timer {
        id: hideTimer
        interval: 6000
        onTriggered: note.visible = false
    }
}
