pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// Like DropDownList, but the entries open as a three-column grid, each cell
// as wide as the header. Empty cells keep the current selection.
// Keys: Space or Return opens it and, open, takes the highlighted cell as a
// click does; the arrows (Up/Down a row), Home and End move the highlight
// (closed: choose at once); Escape closes it unchanged.
Item {
    id: grid

    property bool isDrop: false
    property var mdItems: emptyModel
    property int currentSelect: 0
    property string textValue: entryText(currentSelect)
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property int entryCount: mdItems ? (mdItems.count !== undefined ? mdItems.count : mdItems.length) : 0
    readonly property int rows: Math.ceil(entryCount / 3)
    // The cell the keys highlight while the grid is open, -1 for none.
    property int keyIndex: -1

    signal btnClick()

    width: 107
    height: 24
    z: cells.height > 0 ? 100 : 0

    function entryText(i) {
        if (!mdItems || i < 0 || i >= entryCount)
            return ""
        var entry = mdItems.get ? mdItems.get(i) : mdItems[i]
        return entry && entry.textValue !== undefined ? String(entry.textValue) : ""
    }
    function closeMenu() {
        isDrop = false
        keyIndex = -1
        slide.to = 0
        slide.restart()
    }
    function openMenu() {
        isDrop = true
        slide.to = rows * 24
        slide.restart()
    }

    // The header's click: Space, Return and the assistive press act alike.
    function activate() {
        if (slide.running)
            return
        if (isDrop)
            closeMenu()
        else
            openMenu()
    }
    // A cell taken, as a click on it does: an empty one keeps the selection.
    function takeCell(index) {
        if (entryText(index) !== "")
            currentSelect = index
        closeMenu()
        btnClick()
    }
    // The nearest cell with text from `index` on, looking in `direction`.
    function cellWithText(index, direction) {
        for (var i = index; i >= 0 && i < entryCount; i += direction)
            if (entryText(i) !== "")
                return i
        return -1
    }
    function keyMove(index, direction) {
        KeyFocus.keyUsed()
        var target = cellWithText(Math.max(0, Math.min(entryCount - 1, index)), direction)
        if (target < 0)
            return
        if (isDrop)
            keyIndex = target
        else if (target !== currentSelect)
            takeCell(target)
    }
    function keyActivate() {
        KeyFocus.keyUsed()
        if (isDrop && keyIndex >= 0)
            takeCell(keyIndex)
        else
            activate()
    }
    function keyFrom() { return isDrop && keyIndex >= 0 ? keyIndex : currentSelect }

    activeFocusOnTab: true
    Keys.enabled: !KeyFocus.keysCaptured
    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: keyActivate()
    Keys.onReturnPressed: keyActivate()
    Keys.onEnterPressed: keyActivate()
    Keys.onEscapePressed: function (event) {
        event.accepted = isDrop
        if (isDrop)
            closeMenu()
    }
    Keys.onLeftPressed: keyMove(keyFrom() - 1, -1)
    Keys.onRightPressed: keyMove(keyFrom() + 1, 1)
    Keys.onUpPressed: keyMove(keyFrom() - 3, -1)
    Keys.onDownPressed: keyMove(keyFrom() + 3, 1)
    Keys.onPressed: function (event) {
        if (event.key === Qt.Key_Home)
            keyMove(0, 1)
        else if (event.key === Qt.Key_End)
            keyMove(entryCount - 1, -1)
        else
            return
        event.accepted = true
    }
    Keys.onTabPressed: KeyFocus.tab(grid, true)
    Keys.onBacktabPressed: KeyFocus.tab(grid, false)

    ListModel { id: emptyModel }

    NumberAnimation {
        id: slide
        target: cells
        property: "height"
        duration: 180
        easing.type: Easing.OutQuad
    }

    DropHeader {
        anchors.fill: parent
        text: grid.textValue
        fillColor: grid.bgColor
        borderColor: grid.borderColor
        horizontalOffset: grid.horizontalOffset
        isOpen: grid.isDrop
        onPressed: KeyFocus.pointerFocus(grid)
        onClicked: grid.activate()
    }
    FocusRing {}

    Rectangle {
        id: cells
        y: grid.height
        width: grid.width * 3
        height: 0
        clip: true
        visible: height > 0
        color: grid.bgColor
        border.color: grid.borderColor

        Grid {
            columns: 3
            y: cells.height - grid.rows * 24
            Repeater {
                model: grid.mdItems
                delegate: Rectangle {
                    id: cell
                    required property int index
                    readonly property string label: grid.entryText(index)
                    width: grid.width
                    height: 24
                    color: label === "" ? grid.bgColor
                                        : Theme.rowColor(index === (grid.keyIndex >= 0 ? grid.keyIndex : grid.currentSelect),
                                                         cellArea.containsMouse, grid.bgColor)
                    border.color: grid.borderColor
                    Accessible.role: Accessible.ListItem
                    Accessible.name: label
                    Accessible.selectable: label !== ""
                    Accessible.selected: index === grid.currentSelect
                    Accessible.onPressAction: grid.takeCell(index)
                    Text {
                        anchors.centerIn: parent
                        text: cell.label
                        color: Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    MouseArea {
                        id: cellArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: grid.takeCell(cell.index)
                    }
                }
            }
        }
    }
}
