import QtQuick

// A filled text button: Theme.colorBlue, Theme.colorOrange under the pointer.
// A click, Space, Return and the assistive press action all activate it.
Rectangle {
    id: button

    property alias text: label.text
    property color normalColor: Theme.colorBlue
    property color hoverColor: Theme.colorOrange
    readonly property bool hovered: area.containsMouse

    signal clicked()

    function activate() { clicked() }

    width: 64
    height: 24
    radius: 2
    color: hovered ? hoverColor : normalColor
    border.color: hovered ? Qt.rgba(1, 1, 1, 0.35) : "transparent"
    activeFocusOnTab: true
    Keys.enabled: !KeyFocus.keysCaptured

    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: { KeyFocus.keyUsed(); activate() }
    Keys.onReturnPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onEnterPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onTabPressed: KeyFocus.tab(button, true)
    Keys.onBacktabPressed: KeyFocus.tab(button, false)

    Text {
        id: label
        // Said as the control's name.
        Accessible.ignored: true
        anchors.centerIn: parent
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onPressed: KeyFocus.pointerFocus(button)
        onClicked: button.activate()
    }
    FocusRing {}
}
