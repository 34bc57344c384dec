import QtQuick
import "../basic"

// One 216 x 24 row of the editor panel.
Rectangle {
    id: row

    property alias text: label.text

    signal clicked()

    width: 216
    height: 24
    color: area.containsMouse ? Theme.colorOrange : Theme.colorGray0

    Text {
        id: label
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Text {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: "›"
        color: Theme.colorGray2
        font.pixelSize: Theme.fontMaxSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: row.clicked()
    }
}
