import QtQuick

// Bold panel heading at (8, 12).
Text {
    x: 8
    y: 12
    color: fontColor
    font.family: fontFamily
    font.pixelSize: fontMiddleSize
    font.bold: true
}
