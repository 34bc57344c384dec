import QtQuick
import "../basic"

// A bold section title with a rule under it, as the assignment dialog uses.
Item {
    property alias text: label.text
    width: 384
    height: 30
    x: 16
    Text {
        id: label
        y: 4
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }
    Rectangle {
        y: 26
        width: parent.width
        height: 1
        color: Theme.colorBlack
    }
}
