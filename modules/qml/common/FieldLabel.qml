import QtQuick
import "../basic"

// A field caption in the assignment dialog.
Text {
    color: Theme.colorGray3
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
}
