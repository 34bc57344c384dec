import QtQuick
import "../basic"

// One row of the macro editor's context menus; highlighted under the pointer.
Rectangle {
    id: menuRow
    property string text: ""
    signal chosen()
    width: parent ? parent.width : 80
    height: 24
    color: rowArea.containsMouse ? Theme.colorOrange : "transparent"
    Text {
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        text: menuRow.text
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        id: rowArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: menuRow.chosen()
    }
}
