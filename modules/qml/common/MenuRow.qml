import QtQuick
import "../basic"

// One entry of a row's context menu; highlighted under the pointer or with
// keyboard focus. Return, Space and the press action run it as a click does.
Rectangle {
    id: menuRow
    property string text: ""
    property int textX: 8
    readonly property bool menuEntry: true
    signal chosen()
    function choose() {
        if (visible)
            chosen()
    }
    width: parent ? parent.width : 80
    height: 24
    color: rowArea.containsMouse || activeFocus ? Theme.colorOrange : "transparent"
    Accessible.role: Accessible.MenuItem
    Accessible.name: text
    Accessible.focusable: true
    Accessible.onPressAction: choose()
    Keys.onReturnPressed: choose()
    Keys.onEnterPressed: choose()
    Keys.onSpacePressed: choose()
    Text {
        Accessible.ignored: true
        x: menuRow.textX
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
        onClicked: menuRow.choose()
    }
}
