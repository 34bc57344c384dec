pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../panels"
import "../js/lang.js" as Lang

// The assignment dialog's macro function: the macro list, the editor
// button and how the macro runs.
Item {
    id: section

    property var strings: []
    property alias list: macroChoice
    property alias items: macroItems
    property alias options: macroOptions

    signal macroChosen(int index)
    signal optionChosen(int index)
    signal editorClicked()
    signal scrollFrozen(bool frozen)
    signal focusPages()

    function text(i) { return Lang.lang(strings, i) }

    // An open list reaches over the sections below.
    z: macroChoice.z

    SectionHeading { y: 378; text: section.text(Lang.KeyAssigment.macroFunction) }
    ListModel { id: macroItems }
    DropDownList {
        id: macroChoice
        objectName: "macroChoice"
        x: 24
        y: 414
        width: 160
        count: macroItems.count
        mdItems: macroItems
        currentSelect: -1
        onBtnClick: section.focusPages()
        onDragSignal: function (isDrag) { section.scrollFrozen(isDrag) }
        onValueChange: function (index) { section.macroChosen(index) }
    }
    TextButton {
        objectName: "macroEditorButton"
        x: 200
        y: 414
        width: 107
        height: 24
        text: section.text(Lang.KeyAssigment.macroEditor)
        onClicked: section.editorClicked()
    }
    Column {
        x: 24
        y: 450
        spacing: 12
        Repeater {
            id: macroOptions
            model: 3
            delegate: RadioButton {
                required index
                objectName: "macroOption" + index
                textValue: section.text(Lang.KeyAssigment.firstMacroOption + index)
                isSelect: index === 0
                onBtnClick: function (i) { section.optionChosen(i) }
            }
        }
    }
}
