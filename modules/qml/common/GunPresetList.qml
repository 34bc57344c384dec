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
    delegate: Rectangle {
        id: gun
        required property int index
        required property string gunName
        required property string gunImage
        width: presetList.width
        height: 58
        color: Theme.rowColor(index === presetList.selectIndex, area.containsMouse, Theme.colorBlack)
        Image {
            anchors.centerIn: parent
            width: 160
            height: 48
            fillMode: Image.PreserveAspectFit
            source: gun.gunImage
        }
        Text {
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
            onClicked: presetList.chosen(gun.index)
        }
    }
}
