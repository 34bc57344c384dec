import QtQuick

// A ring around the control that has keyboard focus, in the highlight
// colour; never shown after a pointer press.
Rectangle {
    // The item whose focus the ring shows (by default its parent).
    property Item control: parent
    property int margin: 3

    x: -margin
    y: -margin
    width: control ? control.width + 2 * margin : 0
    height: control ? control.height + 2 * margin : 0
    radius: 3
    color: "transparent"
    border.color: Theme.colorFocus
    border.width: 2
    visible: control !== null && control.activeFocus && KeyFocus.keyboard
}
