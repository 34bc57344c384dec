pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// A header showing the current entry and a list that slides out below it,
// 24 pixels an entry, at most 10 tall (a scroll bar beyond that).
// Keys: Space or Return opens it and, open, takes the highlighted entry as a
// click does; the arrows, Home and End move the highlight (closed: choose at
// once); Escape closes it unchanged.
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
    // The entry the keys highlight while the list is open, -1 for none.
    property int keyIndex: -1
    readonly property int entryCount: mdItems ? (mdItems.count !== undefined ? mdItems.count : mdItems.length) : 0

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
        keyIndex = -1
        slideTo(0)
    }
    // The header's click: Space, Return and the assistive press act alike.
    function activate() {
        btnClick()
        if (slide.running)
            return
        if (isDrop)
            hideList()
        else
            openMenu()
    }
    // An entry taken from the open list, as a click on it does.
    function takeEntry(index) {
        if (slide.running)
            return
        currentSelect = index
        pendingIndex = index
        hideList()
    }
    function keyMove(index) {
        KeyFocus.keyUsed()
        var last = Math.min(count, entryCount) - 1
        if (last < 0)
            return
        index = Math.max(0, Math.min(last, index))
        if (isDrop) {
            keyIndex = index
            entries.positionViewAtIndex(index, ListView.Contain)
        } else if (index !== currentSelect) {
            choose(index)
        }
    }
    function keyActivate() {
        KeyFocus.keyUsed()
        if (isDrop && keyIndex >= 0)
            takeEntry(keyIndex)
        else
            activate()
    }

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
        if (isDrop && !slide.running)
            hideList()
    }
    Keys.onUpPressed: keyMove((isDrop && keyIndex >= 0 ? keyIndex : currentSelect) - 1)
    Keys.onDownPressed: keyMove((isDrop && keyIndex >= 0 ? keyIndex : currentSelect) + 1)
    Keys.onPressed: function (event) {
        if (event.key === Qt.Key_Home)
            keyMove(0)
        else if (event.key === Qt.Key_End)
            keyMove(entryCount - 1)
        else
            return
        event.accepted = true
    }
    Keys.onTabPressed: KeyFocus.tab(dropDown, true)
    Keys.onBacktabPressed: KeyFocus.tab(dropDown, false)

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
        onPressed: KeyFocus.pointerFocus(dropDown)
        onClicked: dropDown.activate()
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
                color: Theme.rowColor(index === (dropDown.keyIndex >= 0 ? dropDown.keyIndex : dropDown.currentSelect),
                                      entryArea.containsMouse, dropDown.bgColor)
                Accessible.role: Accessible.ListItem
                Accessible.name: dropDown.entryText(index)
                Accessible.selectable: true
                Accessible.selected: index === dropDown.currentSelect
                Accessible.onPressAction: dropDown.takeEntry(index)
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
                    onClicked: dropDown.takeEntry(entry.index)
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
    FocusRing {}
}
