import QtQuick

// "LOADING ......", pulsing while busy.
Item {
    id: busy

    property bool isBusy: false

    function setBusy(_isBusy) { isBusy = _isBusy }

    width: 1024
    height: 640
    visible: isBusy

    // Below the centred power-on logo.
    Rectangle {
        anchors.centerIn: label
        width: label.implicitWidth + 48
        height: 40
        radius: 4
        color: Theme.colorBlack
        opacity: 0.75 * label.opacity
        border.color: Theme.colorOrange
    }
    Text {
        id: label
        anchors.horizontalCenter: parent.horizontalCenter
        y: parent.height / 2 + 140
        text: "LOADING ......"
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMaxSize
        font.letterSpacing: 2
        SequentialAnimation on opacity {
            running: busy.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
