import QtQuick

// A caption of the system settings dialog.
Text {
    color: fontColor
    font.family: fontFamily
    font.pixelSize: fontNormalSize
}
