import QtQuick
import "../basic"

// One 216 x 24 row of the editor panel; a click, Space, Return and the
// assistive press action open its editor.
Rectangle {
    id: row

    property alias text: label.text

    signal clicked()

    function activate() { clicked() }

    width: 216
    height: 24
    color: area.containsMouse ? Theme.colorOrange : Theme.colorGray0
    activeFocusOnTab: visible
    Keys.enabled: !KeyFocus.keysCaptured

    Accessible.role: Accessible.Button
    Accessible.name: label.text
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: { KeyFocus.keyUsed(); activate() }
    Keys.onReturnPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onEnterPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onTabPressed: KeyFocus.tab(row, true)
    Keys.onBacktabPressed: KeyFocus.tab(row, false)

    Text {
        id: label
        Accessible.ignored: true
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
        Accessible.ignored: true
        text: "›"
        color: Theme.colorGray2
        font.pixelSize: Theme.fontMaxSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onPressed: KeyFocus.pointerFocus(row)
        onClicked: row.activate()
    }
    FocusRing { margin: 0 }
}
