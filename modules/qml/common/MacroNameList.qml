pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// The macro editor's list of macro names, with New and Delete under it; a
// double click or F2 renames in place.
Rectangle {
    id: box

    property alias model: macroList.model
    property alias list: macroList
    property alias editor: nameEditor
    property string newText: ""
    property string deleteText: ""

    // A row pressed, at x, y in this box.
    signal rowPressed(int index, int button, real x, real y)
    // The row's menu was opened from the keys.
    signal menuKeyed(Item row)
    signal renamed(int index, string text)
    signal newClicked()
    signal deleteClicked()

    color: Theme.colorBlack

    ListView {
        id: macroList
        objectName: "macroList"
        anchors.fill: parent
        clip: true
        currentIndex: -1
        // Up and Down would move the current row apart from the chosen macro.
        keyNavigationEnabled: false
        boundsBehavior: Flickable.StopAtBounds
        delegate: Rectangle {
            id: nameRow
            required property int index
            required property string textValue
            width: macroList.width
            height: 27
            color: Theme.rowColor(macroList.currentIndex === index, nameArea.containsMouse, "transparent")
            // A key acts as a left press at the row's corner.
            function choose() { box.rowPressed(index, Qt.LeftButton, 0, y - macroList.contentY) }
            activeFocusOnTab: true
            Keys.enabled: !KeyFocus.keysCaptured
            Accessible.role: Accessible.ListItem
            Accessible.name: nameRow.textValue
            Accessible.focusable: true
            Accessible.selectable: true
            Accessible.selected: macroList.currentIndex === nameRow.index
            Accessible.onPressAction: nameRow.choose()
            Keys.onPressed: function (event) {
                if (event.key === Qt.Key_F2) {
                    KeyFocus.keyUsed()
                    nameRow.choose()
                    nameEditor.open(index, y - macroList.contentY, textValue)
                    nameEditor.returnTo = nameRow
                } else if (KeyFocus.isMenuKey(event)) {
                    KeyFocus.keyUsed()
                    box.rowPressed(index, Qt.RightButton, 16, y - macroList.contentY + height)
                    box.menuKeyed(nameRow)
                } else {
                    return
                }
                event.accepted = true
            }
            Keys.onSpacePressed: { KeyFocus.keyUsed(); nameRow.choose() }
            Keys.onReturnPressed: { KeyFocus.keyUsed(); nameRow.choose() }
            Keys.onEnterPressed: { KeyFocus.keyUsed(); nameRow.choose() }
            Keys.onTabPressed: KeyFocus.tab(nameRow, true)
            Keys.onBacktabPressed: KeyFocus.tab(nameRow, false)
            onActiveFocusChanged: if (activeFocus && KeyFocus.keyboard) macroList.positionViewAtIndex(index, ListView.Contain)
            Text {
                Accessible.ignored: true
                x: 8
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - 16
                elide: Text.ElideRight
                text: nameRow.textValue
                visible: nameEditor.index !== nameRow.index
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            MouseArea {
                id: nameArea
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onPressed: function (mouse) {
                    KeyFocus.pointerFocus(nameRow)
                    var p = mapToItem(box, mouse.x, mouse.y)
                    box.rowPressed(nameRow.index, mouse.button, p.x, p.y)
                }
                onDoubleClicked: function (mouse) {
                    if (mouse.button === Qt.LeftButton)
                        nameEditor.open(nameRow.index, nameRow.y - macroList.contentY, nameRow.textValue)
                }
            }
            FocusRing { margin: 0 }
        }
    }
    InlineEditor {
        id: nameEditor
        objectName: "nameEditor"
        x: 8
        width: parent.width - 16
        clip: true
        selectByMouse: true
        onEditEnded: commit()
        onEditCancelled: cancel()
        onCommitted: function (index, text) { box.renamed(index, text) }
    }
    TextButton {
        objectName: "newButton"
        y: 340
        normalColor: Theme.colorGray1
        text: box.newText
        onClicked: box.newClicked()
    }
    TextButton {
        objectName: "deleteButton"
        x: 104
        y: 340
        normalColor: Theme.colorGray1
        text: box.deleteText
        onClicked: box.deleteClicked()
    }
}
