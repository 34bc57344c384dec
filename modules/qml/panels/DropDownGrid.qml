pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// Like DropDownList, but the entries open as a three-column grid, each cell
// as wide as the header. Empty cells keep the current selection.
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
        slide.to = 0
        slide.restart()
    }
    function openMenu() {
        isDrop = true
        slide.to = rows * 24
        slide.restart()
    }

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
        onClicked: {
            if (slide.running)
                return
            if (grid.isDrop)
                grid.closeMenu()
            else
                grid.openMenu()
        }
    }

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
                                        : Theme.rowColor(index === grid.currentSelect, cellArea.containsMouse, grid.bgColor)
                    border.color: grid.borderColor
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
                        onClicked: {
                            if (cell.label !== "")
                                grid.currentSelect = cell.index
                            grid.closeMenu()
                            grid.btnClick()
                        }
                    }
                }
            }
        }
    }
}
