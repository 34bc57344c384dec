import QtQuick
import "../basic"

// A one-pixel separator across the system settings dialog.
Rectangle {
    x: 16
    width: 384
    height: 1
    color: Theme.colorBlack
}
