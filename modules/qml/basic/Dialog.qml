import QtQuick

// Frame of the draggable dialogs: Theme.colorGray0 body, 40-high black title bar
// with the title and a close icon, an optional Theme.colorOrange rule under it.
Rectangle {
    id: dialog

    property string title: ""
    property bool hasRule: true
    property int titleHeight: 40
    default property alias content: body.data
    property alias titleBar: bar

    signal closeClicked()
    signal backgroundPressed()

    function centre() {
        x = Math.round((parent.width - width) / 2)
        y = Math.round((parent.height - height) / 2)
    }

    color: Theme.colorGray0
    visible: false

    DialogDrag {
        onBackgroundPressed: dialog.backgroundPressed()
    }
    Rectangle {
        id: bar
        width: parent.width
        height: dialog.titleHeight
        color: Theme.colorBlack
        Text {
            x: 16
            anchors.verticalCenter: parent.verticalCenter
            text: dialog.title
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
        }
        IconButton {
            anchors.right: parent.right
            anchors.rightMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            name: "closeBtn"
            onClicked: dialog.closeClicked()
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.colorOrange
            visible: dialog.hasRule
        }
    }
    Item {
        id: body
        y: dialog.titleHeight
        width: parent.width
        height: parent.height - dialog.titleHeight
    }
}
