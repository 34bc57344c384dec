import QtQuick
import QtTest
import "qrc:/modules/qml/panels"
import "qrc:/modules/qml/basic"

// The shared controls from the keyboard and for assistive technology: what
// Tab reaches, what the keys do, and what a screen reader is told.
Item {
    id: window
    width: 1024
    height: 640

    Item {
        id: area
        width: 1024
        height: 640
    }

    Component {
        id: rowComponent
        Row {
            property alias button: button
            property alias check: check
            property alias radio: radio
            property alias icon: icon
            spacing: 20
            TextButton { id: button; text: "Save" }
            CheckBox { id: check; textValue: "Endness"; index: 4 }
            RadioButton { id: radio; textValue: "DPI+"; index: 3 }
            IconButton { id: icon; name: "undoBtn" }
        }
    }
    Component { id: sliderComponent; SliderButton { width: 176; y: 300 } }
    Component { id: listComponent; DropDownList { width: 144 } }
    Component { id: gridComponent; DropDownGrid { width: 60 } }
    Component { id: dropSliderComponent; DropDownSlider { textValue: "Speed" } }
    Component { id: inputComponent; RectInput { accessibleName: "Rate" } }
    Component {
        id: dialogComponent
        Item {
            property alias dialog: dialog
            property alias opener: opener
            property alias first: first
            property alias last: last
            width: 1024
            height: 640
            TextButton { id: opener; text: "Open" }
            Dialog {
                id: dialog
                title: "System Setting"
                x: 100
                y: 100
                width: 427
                height: 200
                onCloseClicked: visible = false
                TextButton { id: first; y: 20; text: "Cancel" }
                TextButton { id: last; y: 60; text: "OK" }
            }
        }
    }
    Component { id: modelComponent; ListModel {} }
    Component { id: spyComponent; SignalSpy {} }

    TestCase {
    name: "Access"
    when: windowShown

    function spy(target, signalName) {
        return createTemporaryObject(spyComponent, area, { "target": target, "signalName": signalName })
    }
    function entries(texts) {
        var model = createTemporaryObject(modelComponent, area)
        for (var i = 0; i < texts.length; ++i)
            model.append({ "textValue": texts[i] })
        return model
    }
    function init() { KeyFocus.keyboard = false; KeyFocus.keysCaptured = false }

    function test_buttonsChecksAndRadios() {
        var row = createTemporaryObject(rowComponent, area)
        var clicks = spy(row.button, "clicked")
        var checks = spy(row.check, "btnClick")
        var radios = spy(row.radio, "btnClick")
        var icons = spy(row.icon, "clicked")
        compare(row.button.Accessible.role, Accessible.Button)
        compare(row.button.Accessible.name, "Save")
        compare(row.check.Accessible.role, Accessible.CheckBox)
        compare(row.check.Accessible.name, "Endness")
        compare(row.radio.Accessible.role, Accessible.RadioButton)
        compare(row.icon.Accessible.role, Accessible.Button)
        compare(row.icon.Accessible.name, "Reset")

        // Tab walks them in order; Space, Return and the press action are a click.
        row.button.forceActiveFocus()
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_Return)
        row.button.Accessible.pressAction()
        compare(clicks.count, 3)
        keyClick(Qt.Key_Tab)
        verify(row.check.activeFocus)
        verify(KeyFocus.keyboard)
        keyClick(Qt.Key_Space)
        // The handler sees the state from before, as with a click.
        compare(checks.count, 1)
        compare(checks.signalArguments[0][0], 4)
        verify(row.check.isSelect)
        compare(row.check.Accessible.checked, true)
        row.check.Accessible.toggleAction()
        verify(!row.check.isSelect)
        keyClick(Qt.Key_Tab)
        verify(row.radio.activeFocus)
        keyClick(Qt.Key_Space)
        compare(radios.signalArguments[0][0], 3)
        verify(row.radio.Accessible.checked)
        keyClick(Qt.Key_Tab)
        verify(row.icon.activeFocus)
        keyClick(Qt.Key_Return)
        compare(icons.count, 1)
        keyClick(Qt.Key_Backtab)
        verify(row.radio.activeFocus)

        // A click focuses without a ring; keys being recorded act on nothing.
        mouseClick(row.button)
        verify(row.button.activeFocus)
        verify(!KeyFocus.keyboard)
        compare(clicks.count, 4)
        KeyFocus.keysCaptured = true
        keyClick(Qt.Key_Space)
        compare(clicks.count, 4)
    }

    function test_iconNamesFollowTheLanguage() {
        var row = createTemporaryObject(rowComponent, area)
        Access.texts = ["关闭", "最小化", "帮助", "重置"]
        compare(row.icon.Accessible.name, "重置")
        Access.texts = []
        compare(row.icon.Accessible.name, "Reset")
        // An icon with no known meaning has no invented name.
        row.icon.name = "slide"
        compare(row.icon.Accessible.name, "")
    }

    function test_sliderKeysAndValue() {
        var slider = createTemporaryObject(sliderComponent, area)
        var changes = spy(slider, "valueChange")
        var delayed = spy(slider, "valueChangeDelay")
        var clicks = spy(slider, "btnClick")
        compare(slider.Accessible.role, Accessible.Slider)
        compare(slider.minimumValue, 3)
        compare(slider.maximumValue, 161)
        slider.forceActiveFocus()
        keyClick(Qt.Key_Right)
        compare(slider.knobX, 4)
        compare(slider.value, 4)
        compare(changes.signalArguments[0][0], 4)
        compare(delayed.count, 1)
        compare(clicks.count, 1)
        keyClick(Qt.Key_End)
        compare(slider.knobX, 161)
        keyClick(Qt.Key_Right)
        compare(slider.knobX, 161)
        keyClick(Qt.Key_Home)
        compare(slider.knobX, 3)
        slider.Accessible.increaseAction()
        compare(slider.knobX, 4)
        // A value set from outside moves the knob as a click there would.
        slider.value = 100
        compare(slider.knobX, 100)
        compare(delayed.signalArguments[delayed.count - 1][0], 100)

        // With stops, a step is one stop.
        slider.isScale = true
        slider.setIndexValue(5, false)
        keyClick(Qt.Key_Left)
        compare(slider.segmentValue, 4)
        compare(slider.knobX, slider.stopX(4))
        slider.Accessible.decreaseAction()
        compare(slider.segmentValue, 3)
        keyClick(Qt.Key_Home)
        compare(slider.segmentValue, 0)
    }

    function test_listKeys() {
        var list = createTemporaryObject(listComponent, area, { "count": 3 })
        list.mdItems = entries(["Low", "Mid", "High"])
        var changes = spy(list, "valueChange")
        compare(list.Accessible.role, Accessible.ComboBox)
        compare(list.Accessible.name, "High")
        list.forceActiveFocus()
        // Closed, the arrows choose at once.
        keyClick(Qt.Key_Up)
        compare(list.currentSelect, 1)
        compare(changes.signalArguments[0][0], 1)
        compare(list.Accessible.name, "Mid")
        // Open, they move a highlight that Return takes and Escape drops.
        keyClick(Qt.Key_Space)
        verify(list.isDrop)
        tryCompare(list, "isSliding", false)
        keyClick(Qt.Key_Home)
        keyClick(Qt.Key_Escape)
        verify(!list.isDrop)
        compare(list.currentSelect, 1)
        tryCompare(list, "isSliding", false)
        compare(changes.count, 1)
        keyClick(Qt.Key_Return)
        tryCompare(list, "isSliding", false)
        keyClick(Qt.Key_End)
        keyClick(Qt.Key_Return)
        verify(!list.isDrop)
        compare(list.currentSelect, 2)
        tryCompare(changes, "count", 2)
        compare(changes.signalArguments[1][0], 2)
    }

    function test_gridKeys() {
        var grid = createTemporaryObject(gridComponent, area)
        grid.mdItems = entries(["A", "B", "C", "D", "", "F"])
        var clicks = spy(grid, "btnClick")
        grid.forceActiveFocus()
        keyClick(Qt.Key_Return)
        verify(grid.isDrop)
        keyClick(Qt.Key_Down)
        compare(grid.keyIndex, 3)
        // The empty cell is passed over.
        keyClick(Qt.Key_Right)
        compare(grid.keyIndex, 5)
        keyClick(Qt.Key_Space)
        verify(!grid.isDrop)
        compare(grid.currentSelect, 5)
        compare(clicks.count, 1)
        compare(grid.Accessible.name, "F")
        keyClick(Qt.Key_Home)
        compare(grid.currentSelect, 0)
        compare(clicks.count, 2)
    }

    function test_dropSliderAndInput() {
        var drop = createTemporaryObject(dropSliderComponent, area)
        var changes = spy(drop, "valueChange")
        compare(drop.Accessible.name, "Speed")
        drop.forceActiveFocus()
        keyClick(Qt.Key_Right)
        compare(changes.count, 0)
        keyClick(Qt.Key_Space)
        verify(drop.isDrop)
        keyClick(Qt.Key_Right)
        compare(changes.count, 1)
        keyClick(Qt.Key_Escape)
        verify(!drop.isDrop)

        var input = createTemporaryObject(inputComponent, area, { "y": 200 })
        compare(input.txtInput.Accessible.role, Accessible.EditableText)
        compare(input.txtInput.Accessible.name, "Rate")
        drop.forceActiveFocus()
        keyClick(Qt.Key_Tab)
        verify(input.txtInput.activeFocus)
    }

    function test_dialogHoldsTheKeyboard() {
        var scene = createTemporaryObject(dialogComponent, area)
        var dialog = scene.dialog
        compare(dialog.Accessible.role, Accessible.Dialog)
        compare(dialog.Accessible.name, "System Setting")
        compare(dialog.closeButton.Accessible.name, "Close")

        // Opened from the keyboard: the first control has focus, Tab stays
        // inside, Escape closes and focus goes back.
        scene.opener.forceActiveFocus()
        KeyFocus.keyboard = true
        dialog.visible = true
        verify(dialog.closeButton.activeFocus)
        keyClick(Qt.Key_Tab)
        verify(scene.first.activeFocus)
        keyClick(Qt.Key_Tab)
        verify(scene.last.activeFocus)
        keyClick(Qt.Key_Tab)
        verify(dialog.closeButton.activeFocus)
        keyClick(Qt.Key_Backtab)
        verify(scene.last.activeFocus)
        keyClick(Qt.Key_Escape)
        verify(!dialog.visible)
        verify(scene.opener.activeFocus)

        // Opened by the pointer it holds focus itself: no control shows a ring.
        KeyFocus.keyboard = false
        dialog.visible = true
        verify(dialog.activeFocus)
        keyClick(Qt.Key_Tab)
        verify(dialog.closeButton.activeFocus)
        keyClick(Qt.Key_Escape)
        verify(!dialog.visible)
    }
    }
}
