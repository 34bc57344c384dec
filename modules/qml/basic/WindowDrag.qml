import QtQuick

// Drags the main window through the controller: each move while the left
// button is held sends the pointer's offset from the press point.
MouseArea {
    id: drag

    property point pressPoint
    // The window controller ("ui_Ctl"); without one nothing moves.
    property QtObject controller: null

    signal backgroundPressed()

    acceptedButtons: Qt.LeftButton
    onPressed: function (mouse) {
        pressPoint = Qt.point(mouse.x, mouse.y)
        backgroundPressed()
    }
    onPositionChanged: function (mouse) {
        if (!pressed || !controller)
            return
        controller.onXChanged(Math.round(mouse.x - pressPoint.x))
        controller.onYChanged(Math.round(mouse.y - pressPoint.y))
    }
}
