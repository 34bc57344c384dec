pragma Singleton
import QtQuick

// The skin's fonts and colours, read by every page.
QtObject {
    readonly property string fontFamily: "微软雅黑"
    readonly property int fontMinSize: 10
    readonly property int fontNormalSize: 12
    readonly property int fontMiddleSize: 14
    readonly property int fontMaxSize: 16
    readonly property color fontColor: "#ffffff"
    readonly property color colorGray0: "#1a1a1a"
    readonly property color colorGray1: "#3c3c3c"
    readonly property color colorGray2: "#969696"
    readonly property color colorGray3: "#d1d1d1"
    readonly property color colorBlue: "#a10005"
    readonly property color colorOrange: "#a10005"
    readonly property color colorBlack: Qt.rgba(0, 0, 0, 1)
    // The keyboard focus ring.
    readonly property color colorFocus: colorOrange
    readonly property int skin_No: 1
    // A list row under the pointer: lit, but never like the selected row.
    readonly property color colorHover: colorGray1

    function rowColor(selected, hovered, normal) {
        return selected ? colorOrange : hovered ? colorHover : normal
    }
    // The largest size up to `size` at which a text `naturalWidth` wide at
    // `size` fits into `room`, and never below fontMinSize.
    function fittedPixelSize(naturalWidth, room, size) {
        if (naturalWidth <= room || naturalWidth <= 0)
            return size
        return Math.max(fontMinSize, Math.floor(size * room / naturalWidth))
    }
}
