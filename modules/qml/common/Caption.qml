import QtQuick
import modules.qml.basic

// A caption of the system settings dialog.
Text {
    color: Theme.fontColor
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontNormalSize
}
