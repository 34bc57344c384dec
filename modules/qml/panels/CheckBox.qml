import QtQuick
import "../basic"

// Label, then a 12 x 12 box. The click signal comes before the state flips,
// so a handler sees the state from before the click. Space and the
// assistive press and toggle actions act as a click does.
Item {
    id: check

    property string textValue: ""
    property bool isSelect: false
    property int index: -1
    property int gapValue: 8
    property color bgColor: "transparent"
    property color borderColor: Theme.colorGray2

    signal btnClick(int index)

    function activate() {
        btnClick(index)
        isSelect = !isSelect
    }

    width: box.x + box.width
    height: Math.max(12, label.implicitHeight)
    activeFocusOnTab: true
    Keys.enabled: !KeyFocus.keysCaptured

    Accessible.role: Accessible.CheckBox
    Accessible.name: textValue
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Accessible.onToggleAction: activate()
    Keys.onSpacePressed: { KeyFocus.keyUsed(); activate() }
    Keys.onReturnPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onEnterPressed: { KeyFocus.keyUsed(); activate() }
    Keys.onTabPressed: KeyFocus.tab(check, true)
    Keys.onBacktabPressed: KeyFocus.tab(check, false)

    Text {
        id: label
        // Said as the control's name.
        Accessible.ignored: true
        anchors.verticalCenter: parent.verticalCenter
        text: check.textValue
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Rectangle {
        id: box
        x: label.implicitWidth + check.gapValue
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        radius: 2
        color: check.bgColor
        border.color: check.borderColor
        Image {
            anchors.fill: parent
            source: "qrc:/index/modules/img/skin1/index/checkBtn.png"
            visible: check.isSelect
        }
    }
    MouseArea {
        anchors.fill: parent
        anchors.margins: -6
        onPressed: KeyFocus.pointerFocus(check)
        onClicked: check.activate()
    }
    FocusRing {}
}
