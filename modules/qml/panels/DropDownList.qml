pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// A header showing the current entry and a list that slides out below it,
// 24 pixels an entry, at most 10 tall (a scroll bar beyond that).
Item {
    id: dropDown

    property bool isDrop: false
    property int count: 0
    property var mdItems: emptyModel
    property int currentSelect: 2
    property string textValue: entryText(currentSelect)
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property int horizontalOffset: 0
    readonly property bool isSliding: slide.running
    readonly property int visibleRows: Math.min(count, 10)
    property int pendingIndex: -1

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    width: 144
    height: 24
    z: listBox.height > 0 ? 100 : 0

    function entryText(i) {
        if (!mdItems || i < 0)
            return ""
        var entry = mdItems.get ? (i < mdItems.count ? mdItems.get(i) : null) : mdItems[i]
        return entry && entry.textValue !== undefined ? String(entry.textValue) : ""
    }
    function slideTo(h) {
        slide.duration = Math.max(0, 180 - 10 * count)
        slide.to = h
        slide.restart()
    }
    // Replaces every entry of the list's model with the given names.
    function addData(names, isOpen) {
        mdItems.clear()
        for (var i = 0; names && i < names.length; ++i)
            mdItems.append({ "textValue": String(names[i]) })
        currentSelect = -1
        if (isOpen && !isDrop)
            openMenu()
    }
    // A choice made without the list: selected and reported as a click is.
    function choose(index) {
        currentSelect = index
        valueChange(index)
    }
    function openMenu() {
        isDrop = true
        slideTo(visibleRows * 24)
    }
    function closeMenu() {
        if (isDrop && !slide.running)
            hideList()
    }
    function hideList() {
        isDrop = false
        slideTo(0)
    }

    ListModel { id: emptyModel }

    NumberAnimation {
        id: slide
        target: listBox
        property: "height"
        easing.type: Easing.OutQuad
        onFinished: {
            if (!dropDown.isDrop && dropDown.pendingIndex >= 0) {
                var index = dropDown.pendingIndex
                dropDown.pendingIndex = -1
                dropDown.valueChange(index)
            }
        }
    }

    DropHeader {
        anchors.fill: parent
        text: dropDown.textValue
        fillColor: dropDown.bgColor
        borderColor: dropDown.borderColor
        horizontalOffset: dropDown.horizontalOffset
        isOpen: dropDown.isDrop
        onClicked: {
            dropDown.btnClick()
            if (slide.running)
                return
            if (dropDown.isDrop)
                dropDown.hideList()
            else
                dropDown.openMenu()
        }
    }

    Rectangle {
        id: listBox
        objectName: "listBox"
        y: dropDown.height
        width: dropDown.width
        height: 0
        clip: true
        color: dropDown.bgColor
        border.color: dropDown.borderColor
        visible: height > 0

        ListView {
            id: entries
            objectName: "entries"
            width: parent.width
            height: dropDown.visibleRows * 24
            y: listBox.height - height
            model: dropDown.mdItems
            interactive: false
            boundsBehavior: Flickable.StopAtBounds
            delegate: Rectangle {
                id: entry
                required property int index
                width: entries.width
                height: 24
                color: Theme.rowColor(index === dropDown.currentSelect, entryArea.containsMouse, dropDown.bgColor)
                Text {
                    anchors.centerIn: parent
                    anchors.horizontalCenterOffset: dropDown.horizontalOffset
                    text: dropDown.entryText(entry.index)
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    // A long name is set smaller rather than cut.
                    font.pixelSize: Theme.fittedPixelSize(entryWidth.advanceWidth, entry.width - 8, Theme.fontNormalSize)
                    TextMetrics {
                        id: entryWidth
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        text: dropDown.entryText(entry.index)
                    }
                }
                // The rightmost 15 pixels belong to the scroll bar.
                MouseArea {
                    id: entryArea
                    width: parent.width - 15
                    height: parent.height
                    hoverEnabled: true
                    onClicked: {
                        if (slide.running)
                            return
                        dropDown.currentSelect = entry.index
                        dropDown.pendingIndex = entry.index
                        dropDown.hideList()
                    }
                }
            }
            WheelHandler {
                onWheel: function (event) {
                    var maxY = Math.max(0, entries.contentHeight - entries.height)
                    entries.contentY = Math.max(0, Math.min(maxY, entries.contentY - event.angleDelta.y / 5))
                }
            }
        }

        ScrollBar {
            objectName: "scrollBar"
            x: parent.width - width - 1
            y: entries.y
            height: entries.height
            flickable: entries
            visible: dropDown.count > 10
            onDragSignal: function (isDrag) { dropDown.dragSignal(isDrag) }
        }
    }
}
