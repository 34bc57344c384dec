import QtQuick
import "../basic"

// A text field laid over a list row to edit it in place. Return, Enter or
// leaving the field end the edit (editEnded), Escape drops it
// (editCancelled); open() and commit() serve lists that track the row by
// index. An edit started from the keys gives focus back to its row.
TextInput {
    id: field

    property int index: -1
    // The row that started the edit from the keys.
    property Item returnTo: null

    signal editEnded()
    signal committed(int index, string text)
    signal editCancelled()

    function open(i, rowY, value) {
        index = i
        y = rowY
        text = value
        visible = true
        forceActiveFocus()
        selectAll()
    }
    function cancel() {
        index = -1
        visible = false
    }
    function giveBack() {
        var row = returnTo
        returnTo = null
        if (row)
            row.forceActiveFocus(Qt.OtherFocusReason)
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
    Keys.onReturnPressed: { editEnded(); giveBack() }
    Keys.onEnterPressed: { editEnded(); giveBack() }
    Keys.onEscapePressed: { editCancelled(); giveBack() }
    onActiveFocusChanged: if (!activeFocus) editEnded()
}
