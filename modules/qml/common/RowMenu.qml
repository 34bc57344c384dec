import QtQuick
import "../basic"

// A list row's context menu. The pointer opens it where it was pressed; the
// Menu key or Shift+F10 opens it at the focused row (takeFocus), where Up,
// Down and Tab move between its entries and Escape closes it, giving focus
// back to the row.
Rectangle {
    id: menu

    property string name: ""
    // The row that opened the menu from the keys; it gets focus back.
    property Item returnTo: null
    default property alias entries: column.data

    function entryList() {
        var found = []
        for (var i = 0; i < column.children.length; ++i) {
            var c = column.children[i]
            if (c.menuEntry === true && c.visible)
                found.push(c)
        }
        return found
    }
    function focusedEntry() {
        var list = entryList()
        for (var i = 0; i < list.length; ++i)
            if (list[i].activeFocus)
                return i
        return -1
    }
    function takeFocus(row) {
        returnTo = row
        KeyFocus.keyUsed()
        var list = entryList()
        if (list.length > 0)
            list[0].forceActiveFocus(Qt.PopupFocusReason)
    }
    function move(step) {
        KeyFocus.keyUsed()
        var list = entryList()
        if (list.length === 0)
            return
        var i = focusedEntry()
        list[(i + step + list.length) % list.length].forceActiveFocus(Qt.OtherFocusReason)
    }
    function giveBack() {
        var row = returnTo
        returnTo = null
        if (row)
            row.forceActiveFocus(Qt.PopupFocusReason)
    }

    visible: false
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    Accessible.role: Accessible.PopupMenu
    Accessible.name: name
    Keys.onUpPressed: move(-1)
    Keys.onDownPressed: move(1)
    Keys.onTabPressed: move(1)
    Keys.onBacktabPressed: move(-1)
    Keys.onEscapePressed: visible = false
    // Closed any way while an entry has focus: the row takes it back.
    onVisibleChanged: {
        if (!visible && (focusedEntry() >= 0 || returnTo))
            giveBack()
    }

    Column {
        id: column
        width: parent.width
    }
}
