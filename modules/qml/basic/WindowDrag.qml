import QtQuick

// Drags the main window through the controller: each move while the left
// button is held sends the pointer's offset from the press point.
MouseArea {
    id: drag

    property point pressPoint

    signal backgroundPressed()

    acceptedButtons: Qt.LeftButton
    onPressed: function (mouse) {
        pressPoint = Qt.point(mouse.x, mouse.y)
        backgroundPressed()
    }
    onPositionChanged: function (mouse) {
        if (!pressed || typeof ui_Ctl === "undefined" || !ui_Ctl)
            return
        ui_Ctl.onXChanged(Math.round(mouse.x - pressPoint.x))
        ui_Ctl.onYChanged(Math.round(mouse.y - pressPoint.y))
    }
}
