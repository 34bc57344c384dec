pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// The gun editor's six presets, each a picture and a name.
ListView {
    id: presetList

    property int selectIndex: 0

    signal chosen(int index)

    objectName: "presetList"
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    currentIndex: selectIndex
    // Up and Down would move the current row apart from the chosen preset.
    keyNavigationEnabled: false
    delegate: Rectangle {
        id: gun
        required property int index
        required property string gunName
        required property string gunImage
        width: presetList.width
        height: 58
        color: Theme.rowColor(index === presetList.selectIndex, area.containsMouse, Theme.colorBlack)
        activeFocusOnTab: true
        Keys.enabled: !KeyFocus.keysCaptured
        Accessible.role: Accessible.ListItem
        Accessible.name: gun.gunName
        Accessible.focusable: true
        Accessible.selectable: true
        Accessible.selected: gun.index === presetList.selectIndex
        Accessible.onPressAction: presetList.chosen(gun.index)
        Keys.onSpacePressed: { KeyFocus.keyUsed(); presetList.chosen(gun.index) }
        Keys.onReturnPressed: { KeyFocus.keyUsed(); presetList.chosen(gun.index) }
        Keys.onEnterPressed: { KeyFocus.keyUsed(); presetList.chosen(gun.index) }
        Keys.onTabPressed: KeyFocus.tab(gun, true)
        Keys.onBacktabPressed: KeyFocus.tab(gun, false)
        onActiveFocusChanged: if (activeFocus && KeyFocus.keyboard) presetList.positionViewAtIndex(index, ListView.Contain)
        Image {
            Accessible.ignored: true
            anchors.centerIn: parent
            width: 160
            height: 48
            fillMode: Image.PreserveAspectFit
            source: gun.gunImage
        }
        Text {
            Accessible.ignored: true
            x: 8
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 4
            text: gun.gunName
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: "#4d4d4d"
        }
        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            onPressed: KeyFocus.pointerFocus(gun)
            onClicked: presetList.chosen(gun.index)
        }
        FocusRing { margin: 0 }
    }
}
