import QtQuick
import "../basic"

// A round mark with its label; exclusion within a group is the owner's.
Item {
    id: radio

    property string textValue: ""
    property bool isSelect: false
    property int index: -1
    property int gapValue: 16

    signal btnClick(int index)

    width: label.x + label.implicitWidth
    height: Math.max(10, label.implicitHeight)

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
        onClicked: {
            radio.isSelect = true
            radio.btnClick(radio.index)
        }
    }
}
