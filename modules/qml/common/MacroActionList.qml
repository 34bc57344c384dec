pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../js/keycodes.js" as KeyCodes
import "../js/macrocodec.js" as MacroCodec

// The macro editor's action list: one row per key, button or delay; a
// double click on a delay edits it in place.
Rectangle {
    id: box

    property alias model: actionList.model
    property alias list: actionList
    property alias editor: delayEditor

    // A row pressed (index -1 under the rows), at x, y in this box.
    signal rowPressed(int index, int button, real x, real y)
    // The row's menu was opened from the keys.
    signal menuKeyed(Item row)
    signal delayEdited(int index, string text)
    // The rows changed and are to be stored.
    signal edited()
    // A change was refused: "delayMax" or "tooLong".
    signal refused(string reason)

    property var keyNames: KeyCodes.defaultNames
    readonly property int blockSize: MacroCodec.blockSize
    readonly property int recordLimit: MacroCodec.recordLimit
    readonly property int maxDelay: 65535

    function rows() {
        var out = []
        for (var i = 0; i < model.count; ++i)
            out.push(model.get(i).type + "," + model.get(i).info)
        return out
    }
    function codeOf(name) { return KeyCodes.codeOf(name, keyNames) }
    function encodedLength() { return MacroCodec.encode(rows(), 0, codeOf).length }
    function fitsBlock() { return encodedLength() <= blockSize }
    function addKeyRows(type, info, at) {
        model.insert(at, { "type": type, "info": info })
        model.insert(at + 1, { "type": type + 1, "info": info })
    }
    function undoInsert(at, count) {
        console.warn("Macro editor: refused an action, the macro would not fit the device's", blockSize, "bytes")
        model.remove(at, count)
        refused("tooLong")
    }
    function deleteAction() {
        var index = actionList.currentIndex
        if (index < 0 || index >= model.count)
            return
        model.remove(index)
        actionList.currentIndex = Math.min(index, model.count - 1)
        edited()
    }
    function insertDelay() {
        if (encodedLength() >= recordLimit)
            return
        var at = actionList.currentIndex >= 0 ? actionList.currentIndex : model.count
        model.insert(at, { "type": 0, "info": "50" })
        if (!fitsBlock())
            return undoInsert(at, 1)
        actionList.currentIndex = at
        edited()
    }
    // A key's down and up before the selected row, or at the end.
    function insertKey(name) {
        var index = actionList.currentIndex
        var at = index < 0 || index >= model.count - 1 ? model.count : index
        addKeyRows(1, name, at)
        if (!fitsBlock())
            return undoInsert(at, 2)
        edited()
    }
    // A button's down and up after the selected row, or at the end.
    function insertMouse(name) {
        if (encodedLength() >= recordLimit)
            return
        var index = actionList.currentIndex
        var at = index < 0 || index >= model.count - 1 ? model.count : index + 1
        addKeyRows(3, name, at)
        if (!fitsBlock())
            return undoInsert(at, 2)
        edited()
    }
    // A delay edit: whole numbers 0 to 65535 replace the delay, anything else
    // is dropped; one that would overflow the device's block is refused.
    function setDelay(index, text) {
        if (index < 0 || index >= model.count || model.get(index).type !== 0)
            return false
        var t = String(text).trim()
        if (!/^\d+$/.test(t))
            return false
        if (Number(t) > maxDelay) {
            refused("delayMax")
            return false
        }
        var old = model.get(index).info
        model.setProperty(index, "info", String(Number(t)))
        if (!fitsBlock()) {
            console.warn("Macro editor: refused a delay of", t, "ms, the macro would not fit the device's", blockSize, "bytes")
            model.setProperty(index, "info", old)
            refused("tooLong")
            return false
        }
        edited()
        return true
    }

    color: Theme.colorBlack

    // Under the rows: the menu with nothing selected adds at the end.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onPressed: function (mouse) { box.rowPressed(-1, mouse.button, mouse.x, mouse.y) }
    }
    ListView {
        id: actionList
        objectName: "actionList"
        anchors.fill: parent
        clip: true
        interactive: contentHeight > height
        currentIndex: -1
        // Up and Down would move the current row without the editor knowing.
        keyNavigationEnabled: false
        boundsBehavior: Flickable.StopAtBounds
        delegate: Rectangle {
            id: actionRow
            required property int index
            required property int type
            required property string info
            width: actionList.width
            height: 27
            color: Theme.rowColor(actionList.currentIndex === index, actionArea.containsMouse, "transparent")
            readonly property string shown: type === 0 ? info + " ms" : info
            // A key acts as a left press at the row's corner.
            function choose() { box.rowPressed(index, Qt.LeftButton, 0, y - actionList.contentY) }
            activeFocusOnTab: true
            Keys.enabled: !KeyFocus.keysCaptured
            Accessible.role: Accessible.ListItem
            Accessible.name: (actionRow.index + 1) + " " + Access.actionName(actionRow.type) + " " + actionRow.shown
            Accessible.focusable: true
            Accessible.selectable: true
            Accessible.selected: actionList.currentIndex === actionRow.index
            Accessible.onPressAction: actionRow.choose()
            Keys.onPressed: function (event) {
                if (!KeyFocus.isMenuKey(event))
                    return
                KeyFocus.keyUsed()
                box.rowPressed(index, Qt.RightButton, 16, y - actionList.contentY + height)
                box.menuKeyed(actionRow)
                event.accepted = true
            }
            Keys.onSpacePressed: { KeyFocus.keyUsed(); actionRow.choose() }
            Keys.onReturnPressed: { KeyFocus.keyUsed(); actionRow.choose() }
            Keys.onEnterPressed: { KeyFocus.keyUsed(); actionRow.choose() }
            Keys.onTabPressed: KeyFocus.tab(actionRow, true)
            Keys.onBacktabPressed: KeyFocus.tab(actionRow, false)
            onActiveFocusChanged: if (activeFocus && KeyFocus.keyboard) actionList.positionViewAtIndex(index, ListView.Contain)
            Text {
                Accessible.ignored: true
                x: 8
                width: 32
                anchors.verticalCenter: parent.verticalCenter
                text: actionRow.index + 1
                color: Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            Image {
                Accessible.ignored: true
                x: 48
                anchors.verticalCenter: parent.verticalCenter
                source: "qrc:/macros/modules/img/skin1/macros/"
                        + ["delay", "keyDown", "keyUp", "mouseDown", "mouseUp"][Math.max(0, Math.min(4, actionRow.type))] + ".png"
            }
            Text {
                Accessible.ignored: true
                x: 80
                anchors.verticalCenter: parent.verticalCenter
                text: actionRow.shown
                visible: delayEditor.index !== actionRow.index
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            MouseArea {
                id: actionArea
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onPressed: function (mouse) {
                    KeyFocus.pointerFocus(actionRow)
                    var p = mapToItem(box, mouse.x, mouse.y)
                    box.rowPressed(actionRow.index, mouse.button, p.x, p.y)
                }
                onDoubleClicked: function (mouse) {
                    if (mouse.button === Qt.LeftButton && actionRow.type === 0)
                        delayEditor.open(actionRow.index, actionRow.y - actionList.contentY, actionRow.info)
                }
            }
            FocusRing { margin: 0 }
        }
    }
    InlineEditor {
        id: delayEditor
        objectName: "delayEditor"
        x: 80
        width: 120
        maximumLength: 5
        validator: IntValidator { bottom: 0; top: box.maxDelay }
        onEditEnded: commit()
        onEditCancelled: cancel()
        onCommitted: function (index, text) { box.delayEdited(index, text) }
    }
}
