import QtQuick
import "../basic"

// Factory-reset confirmation: 427 x 102, draggable inside the window.
Dialog {
    id: resetBox

    property string message: ""
    property string okText: "OK"
    property string cancelText: "Cancel"

    signal accepted()
    signal rejected()

    width: 427
    height: 102
    titleHeight: 30
    hasRule: false

    Text {
        x: 16
        y: 10
        text: resetBox.message
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Row {
        anchors.right: parent.right
        anchors.rightMargin: 16
        y: 36
        spacing: 16
        TextButton {
            objectName: "resetCancel"
            width: 88
            height: 25
            text: resetBox.cancelText
            normalColor: Theme.colorGray1
            onClicked: resetBox.rejected()
        }
        TextButton {
            objectName: "resetOk"
            width: 88
            height: 25
            text: resetBox.okText
            onClicked: resetBox.accepted()
        }
    }
    onCloseClicked: rejected()
}
