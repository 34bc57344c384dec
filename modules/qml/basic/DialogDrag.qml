import QtQuick

// Drags a dialog by its background, keeping it wholly inside its parent
// (the 1024 x 640 window).
MouseArea {
    id: drag

    property Item dialog: parent
    property point pressPoint

    signal backgroundPressed()

    function clampInto(x, y) {
        var area = dialog.parent
        dialog.x = Math.max(0, Math.min(area.width - dialog.width, x))
        dialog.y = Math.max(0, Math.min(area.height - dialog.height, y))
    }

    anchors.fill: parent
    onPressed: function (mouse) {
        pressPoint = Qt.point(mouse.x, mouse.y)
        backgroundPressed()
    }
    onPositionChanged: function (mouse) {
        if (pressed)
            clampInto(dialog.x + mouse.x - pressPoint.x, dialog.y + mouse.y - pressPoint.y)
    }
}
