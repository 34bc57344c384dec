pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// Mouse picture with its numbered hot spots; a hot spot opens the
// assignment dialog for its slot.
Item {
    id: mouseMain

    property int keyCount: 8
    property int selectKey: -1
    property KeyAssigment keyAssigment: null
    readonly property var leaders: [Qt.point(342, 132), Qt.point(534, 132), Qt.point(489, 83),
        Qt.point(418, 316), Qt.point(418, 358), Qt.point(315, 460), Qt.point(645, 455), Qt.point(368, 229)]
    readonly property var boxes: [Qt.point(294, 120), Qt.point(580, 120), Qt.point(467, 59),
        Qt.point(370, 304), Qt.point(370, 346), Qt.point(315, 448), Qt.point(699, 443), Qt.point(320, 217)]
    readonly property string imgPath: "qrc:/mouse/modules/img/skin1/mouse/"

    signal clickKey(int index)
    // A key was chosen: the main screen opens its assignment dialog.
    signal keyOpened(int index)

    // "Key 3" in the chosen language, for assistive technology.
    function keyName(index) {
        return keyAssigment ? (keyAssigment.lang(keyAssigment.str.key) + " " + (index + 1)).replace(/\s+/g, " ") : ""
    }
    function chooseKey(index) {
        selectKey = index
        clickKey(index)
        keyOpened(index)
    }

    width: 1024
    height: 640

    Image {
        Accessible.ignored: true
        anchors.horizontalCenter: parent.horizontalCenter
        y: 110
        source: mouseMain.imgPath + "MouseFront.png"
    }
    Repeater {
        model: Math.max(0, Math.min(8, mouseMain.keyCount))
        delegate: Image {
            required property int index
            Accessible.ignored: true
            readonly property bool lit: mouseMain.selectKey === index
            x: mouseMain.leaders[index].x
            y: mouseMain.leaders[index].y
            source: mouseMain.imgPath + "Mouse" + index + (lit ? "S" : "") + ".png"
        }
    }
    Repeater {
        model: Math.max(0, Math.min(8, mouseMain.keyCount))
        delegate: Rectangle {
            id: hotSpot
            required property int index
            objectName: "hotSpot" + index
            readonly property bool lit: mouseMain.selectKey === index || area.containsMouse
            x: mouseMain.boxes[index].x
            y: mouseMain.boxes[index].y
            width: 48
            height: 24
            radius: 2
            color: lit ? Theme.colorOrange : Theme.colorGray0
            border.color: lit ? Theme.colorOrange : Theme.colorGray1
            activeFocusOnTab: true
            Keys.enabled: !KeyFocus.keysCaptured
            Accessible.role: Accessible.Button
            Accessible.name: mouseMain.keyName(hotSpot.index)
            Accessible.focusable: true
            Accessible.onPressAction: mouseMain.chooseKey(hotSpot.index)
            Keys.onSpacePressed: { KeyFocus.keyUsed(); mouseMain.chooseKey(hotSpot.index) }
            Keys.onReturnPressed: { KeyFocus.keyUsed(); mouseMain.chooseKey(hotSpot.index) }
            Keys.onEnterPressed: { KeyFocus.keyUsed(); mouseMain.chooseKey(hotSpot.index) }
            Keys.onTabPressed: KeyFocus.tab(hotSpot, true)
            Keys.onBacktabPressed: KeyFocus.tab(hotSpot, false)
            Text {
                Accessible.ignored: true
                anchors.centerIn: parent
                text: hotSpot.index + 1
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            MouseArea {
                id: area
                anchors.fill: parent
                hoverEnabled: true
                onEntered: mouseMain.selectKey = hotSpot.index
                onExited: if (!mouseMain.keyAssigment.visible) mouseMain.selectKey = -1
                onPressed: KeyFocus.pointerFocus(hotSpot)
                onClicked: mouseMain.chooseKey(hotSpot.index)
            }
            FocusRing {}
        }
    }
}
