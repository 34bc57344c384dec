import QtQuick
import "../basic"

// Bold panel heading at (8, 12).
Text {
    x: 8
    y: 12
    color: Theme.fontColor
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontMiddleSize
    font.bold: true
}
