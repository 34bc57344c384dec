import QtQuick

// One 216 x 24 row of the editor panel.
Rectangle {
    id: row

    property alias text: label.text

    signal clicked()

    width: 216
    height: 24
    color: area.containsMouse ? colorOrange : colorGray0

    Text {
        id: label
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        color: fontColor
        font.family: fontFamily
        font.pixelSize: fontNormalSize
    }
    Text {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: "›"
        color: colorGray2
        font.pixelSize: fontMaxSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: row.clicked()
    }
}
