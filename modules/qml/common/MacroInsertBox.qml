import QtQuick
import "../basic"

// The macro editor's key-insert box, centred in the window over a mask on
// the editor; it closes with OK only.
Item {
    id: layer

    property Dialog dialog
    property string title: ""
    property string okText: ""
    property string keyName: ""
    property alias box: insertBox

    signal accepted()

    Rectangle {
        id: insertMask
        objectName: "insertMask"
        y: -layer.dialog.titleHeight
        width: layer.dialog.width
        height: layer.dialog.height
        color: "#90000000"
        visible: insertBox.visible
        MouseArea { anchors.fill: parent }
    }
    Rectangle {
        id: insertBox
        objectName: "insertBox"
        x: Math.round(((layer.dialog.parent ? layer.dialog.parent.width : 1024) - width) / 2) - layer.dialog.x
        y: Math.round(((layer.dialog.parent ? layer.dialog.parent.height : 640) - height) / 2) - layer.dialog.y
           - layer.dialog.titleHeight
        width: 240
        height: 80
        z: 1
        visible: false
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        Text {
            x: 12
            y: 8
            text: layer.title
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Rectangle {
            x: 12
            y: 40
            width: 120
            height: 25
            color: Theme.colorBlack
            Text {
                objectName: "insertField"
                anchors.centerIn: parent
                text: layer.keyName
                color: Theme.fontColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
        }
        TextButton {
            objectName: "insertOk"
            x: 160
            y: 40
            width: 64
            height: 25
            text: layer.okText
            onClicked: layer.accepted()
        }
    }
}
