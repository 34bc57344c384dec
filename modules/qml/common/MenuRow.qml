import QtQuick

// One row of the macro editor's context menus; highlighted under the pointer.
Rectangle {
    id: menuRow
    property string text: ""
    signal chosen()
    width: parent ? parent.width : 80
    height: 24
    color: rowArea.containsMouse ? colorOrange : "transparent"
    Text {
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        text: menuRow.text
        color: fontColor
        font.family: fontFamily
        font.pixelSize: fontNormalSize
    }
    MouseArea {
        id: rowArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: menuRow.chosen()
    }
}
