import QtQuick

// A 16 x 16 "index" icon that swaps to its "H" image under the pointer.
// Named for assistive technology after what the icon does.
Image {
    id: icon

    property string name: ""
    property bool actOnPress: false
    property string accessibleName: Access.iconName(name)
    readonly property bool hovered: area.containsMouse

    signal clicked()

    function activate() { clicked() }

    width: 16
    height: 16
    source: "qrc:/index/modules/img/skin1/index/" + name + (hovered ? "H" : "") + ".png"
    activeFocusOnTab: true
    Keys.enabled: !KeyFocus.keysCaptured

    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: { KeyFocus.keyUsed(); activate() }
    Keys.onReturnPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onEnterPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onTabPressed: KeyFocus.tab(icon, true)
    Keys.onBacktabPressed: KeyFocus.tab(icon, false)

    MouseArea {
        id: area
        anchors.fill: parent
        anchors.margins: -4
        hoverEnabled: true
        onPressed: {
            KeyFocus.pointerFocus(icon)
            if (icon.actOnPress)
                icon.activate()
        }
        onClicked: if (!icon.actOnPress) icon.activate()
    }
    FocusRing {}
}
