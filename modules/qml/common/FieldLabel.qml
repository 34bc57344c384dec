import QtQuick

// A field caption in the assignment dialog.
Text {
    color: colorGray3
    font.family: fontFamily
    font.pixelSize: fontNormalSize
}
