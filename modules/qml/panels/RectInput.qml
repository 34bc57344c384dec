import QtQuick
import "../basic"

// A centred one-line integer field of at most 4 characters. Tab reaches
// the field itself; Return ends editing.
Item {
    id: input

    property int maxValue: 255
    property int minValue: 0
    property alias textValue: field.text
    property alias txtInput: field
    // What the field holds, for assistive technology (the owner's label).
    property string accessibleName: ""

    signal endInputSignal()
    signal inputSignal()

    width: 48
    height: 20

    function closeFocus() {
        field.deselect()
        field.focus = false
    }

    TextInput {
        id: field
        anchors.fill: parent
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        text: "0"
        maximumLength: 4
        selectByMouse: true
        clip: true
        color: Theme.fontColor
        selectionColor: Theme.colorOrange
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        validator: IntValidator { bottom: input.minValue; top: input.maxValue }
        // The validator lets 300 through a 255 limit as "intermediate".
        onTextEdited: if (parseInt(text, 10) > input.maxValue) text = String(input.maxValue)
        activeFocusOnTab: true
        Accessible.role: Accessible.EditableText
        Accessible.name: input.accessibleName
        Accessible.editable: true
        Accessible.focusable: true
        Keys.onReturnPressed: focus = false
        Keys.onEnterPressed: focus = false
        Keys.onTabPressed: KeyFocus.tab(field, true)
        Keys.onBacktabPressed: KeyFocus.tab(field, false)
        onActiveFocusChanged: {
            if (activeFocus) {
                input.inputSignal()
                return
            }
            if (text === "" || parseInt(text, 10) < 1)
                text = "0"
            input.endInputSignal()
        }
    }
    FocusRing { control: field }
}
