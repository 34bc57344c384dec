import QtQuick

// A 12-wide white bar, bordered in Theme.colorGray3, that scrolls a Flickable when
// dragged and follows it otherwise.
Item {
    id: bar

    property Flickable flickable
    readonly property real range: flickable ? Math.max(0, flickable.contentHeight - flickable.height) : 0

    signal dragSignal(bool isDrag)

    width: 12

    Rectangle {
        id: thumb
        objectName: "thumb"
        width: parent.width
        height: bar.flickable && bar.flickable.contentHeight > 0
                ? Math.max(20, bar.height * bar.flickable.height / bar.flickable.contentHeight) : bar.height
        y: !thumbArea.drag.active && bar.range > 0
           ? (bar.height - height) * bar.flickable.contentY / bar.range : y
        radius: 2
        color: "#ffffff"
        border.color: Theme.colorGray3
        onYChanged: if (thumbArea.drag.active && bar.range > 0)
                        bar.flickable.contentY = y / (bar.height - height) * bar.range

        MouseArea {
            id: thumbArea
            anchors.fill: parent
            drag.target: thumb
            drag.axis: Drag.YAxis
            drag.minimumY: 0
            drag.maximumY: bar.height - thumb.height
            onPressed: bar.dragSignal(true)
            onReleased: bar.dragSignal(false)
        }
    }
}
