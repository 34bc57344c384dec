import QtQuick
import "../basic"

// A caption in the system settings dialog and the gun editor.
Text {
    color: Theme.fontColor
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
}
