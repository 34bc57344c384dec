import QtQuick

// A filled text button: Theme.colorBlue, Theme.colorOrange under the pointer.
Rectangle {
    id: button

    property alias text: label.text
    property color normalColor: Theme.colorBlue
    property color hoverColor: Theme.colorOrange
    readonly property bool hovered: area.containsMouse

    signal clicked()

    width: 64
    height: 24
    radius: 2
    color: hovered ? hoverColor : normalColor
    border.color: hovered ? Qt.rgba(1, 1, 1, 0.35) : "transparent"

    Text {
        id: label
        anchors.centerIn: parent
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
