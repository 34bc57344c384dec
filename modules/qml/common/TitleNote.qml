import QtQuick
import "../basic"

// Why a change in a dialog was refused: a line in the dialog's title bar,
// left of its icons, where the longest text has room.
Text {
    property Dialog dialog

    parent: dialog ? dialog.titleBar : null
    anchors.right: parent ? parent.right : undefined
    anchors.rightMargin: 48
    anchors.verticalCenter: parent ? parent.verticalCenter : undefined
    width: Math.min(implicitWidth, 470)
    elide: Text.ElideRight
    visible: text !== ""
    color: "#ff3030"
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontMinSize
}
