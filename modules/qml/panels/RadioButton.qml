import QtQuick
import "../basic"

// A round mark with its label; exclusion within a group is the owner's.
// Space and the assistive press action select it as a click does.
Item {
    id: radio

    property string textValue: ""
    property bool isSelect: false
    property int index: -1
    property int gapValue: 16

    signal btnClick(int index)

    function activate() {
        isSelect = true
        btnClick(index)
    }

    width: label.x + label.implicitWidth
    height: Math.max(10, label.implicitHeight)
    activeFocusOnTab: true
    Keys.enabled: !KeyFocus.keysCaptured

    Accessible.role: Accessible.RadioButton
    Accessible.name: textValue
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Accessible.onToggleAction: activate()
    Keys.onSpacePressed: { KeyFocus.keyUsed(); activate() }
    Keys.onReturnPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onEnterPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onTabPressed: KeyFocus.tab(radio, true)
    Keys.onBacktabPressed: KeyFocus.tab(radio, false)

    Rectangle {
        id: mark
        width: 10
        height: 10
        radius: 5
        anchors.verticalCenter: parent.verticalCenter
        color: "transparent"
        border.color: Theme.colorGray3
        Rectangle {
            anchors.centerIn: parent
            width: 6
            height: 6
            radius: 3
            color: Theme.colorOrange
            visible: radio.isSelect
        }
    }
    Text {
        id: label
        // Said as the control's name.
        Accessible.ignored: true
        x: mark.width + radio.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: radio.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    MouseArea {
        anchors.fill: parent
        anchors.margins: -6
        onPressed: KeyFocus.pointerFocus(radio)
        onClicked: radio.activate()
    }
    FocusRing {}
}
