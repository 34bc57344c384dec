import QtQuick

// A caption in the system settings dialog and the gun editor.
Text {
    color: fontColor
    font.family: fontFamily
    font.pixelSize: fontNormalSize
}
