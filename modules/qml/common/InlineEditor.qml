import QtQuick
import "../basic"

// A text field laid over a list row to edit it in place. Return, Enter or
// leaving the field end the edit (editEnded); open() and commit() serve
// lists that track the row by index.
TextInput {
    id: field

    property int index: -1

    signal editEnded()
    signal committed(int index, string text)

    function open(i, rowY, value) {
        index = i
        y = rowY
        text = value
        visible = true
        forceActiveFocus()
        selectAll()
    }
    function commit() {
        if (index < 0)
            return
        var i = index
        index = -1
        visible = false
        committed(i, text)
    }

    height: 27
    visible: false
    verticalAlignment: TextInput.AlignVCenter
    color: Theme.fontColor
    selectionColor: Theme.colorGray1
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
    Keys.onReturnPressed: editEnded()
    Keys.onEnterPressed: editEnded()
    onActiveFocusChanged: if (!activeFocus) editEnded()
}
