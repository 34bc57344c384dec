import QtQuick
import QtTest
import "qrc:/modules/qml/panels"
import "qrc:/modules/qml/basic"

// The shared controls, on their own.
Item {
    id: window
    width: 1024
    height: 640

    Item {
        id: area
        width: 1024
        height: 640
    }

    Component { id: sliderComponent; SliderButton { width: 176 } }
    Component { id: listComponent; DropDownList { width: 144 } }
    Component { id: gridComponent; DropDownGrid { width: 60 } }
    Component { id: checkComponent; CheckBox { textValue: "Endness" } }
    Component { id: radioComponent; RadioButton { textValue: "DPI+"; index: 3 } }
    Component { id: inputComponent; RectInput {} }
    Component { id: busyComponent; BusyIndicator {} }
    Component { id: dialogComponent; Dialog { width: 427; height: 102; visible: true } }
    Component { id: modelComponent; ListModel {} }
    Component { id: spyComponent; SignalSpy {} }

    TestCase {
    id: testCase
    name: "Controls"
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
    function knob(slider) { return slider.children[slider.children.length - 1] }

    function test_sliderSetters() {
        var slider = createTemporaryObject(sliderComponent, area)
        var changes = spy(slider, "valueChange")
        compare(slider.minX, 3)
        compare(slider.maxX, 161)

        slider.setRatioValue(0)
        compare(slider.knobX, 4)
        compare(changes.signalArguments[0][0], 4)
        slider.setRatioValue(0.5)
        compare(slider.knobX, 83)
        // A ratio of 1 stays at the end of the range.
        slider.setRatioValue(1)
        compare(slider.knobX, 161)
        compare(changes.count, 3)

        slider.setIndexValue(5, false)
        compare(slider.knobX, 82)
        compare(slider.segmentValue, 5)
        compare(changes.count, 3)
        slider.setIndexValue(10, true)
        compare(slider.knobX, 161)
        compare(changes.count, 4)

        slider.setValue(50)
        compare(slider.knobX, 50)
        compare(changes.count, 4)
    }

    function test_sliderClickSnapsAtBothEnds() {
        var slider = createTemporaryObject(sliderComponent, area, { "isScale": true, "y": 100 })
        var changes = spy(slider, "valueChange")
        var delayed = spy(slider, "valueChangeDelay")
        var clicks = spy(slider, "btnClick")
        slider.setValue(82)

        // Beyond the last stop but one: stop `segment`, the end of the range.
        mousePress(slider, 170, 6)
        mouseRelease(slider, 170, 6)
        compare(clicks.count, 1)
        compare(changes.count, 0)
        tryCompare(changes, "count", 1)
        compare(slider.knobX, 161)
        compare(slider.segmentValue, 10)
        compare(delayed.count, 1)

        // Left of the first stop: stop 0.
        mousePress(slider, 1, 6)
        mouseRelease(slider, 1, 6)
        tryCompare(changes, "count", 2)
        compare(slider.knobX, 3)
        compare(slider.segmentValue, 0)

        // Between stops: the first stop at or beyond.
        mousePress(slider, 40, 6)
        mouseRelease(slider, 40, 6)
        tryCompare(changes, "count", 3)
        compare(slider.knobX, 3 + 2 * 15.8)
        compare(slider.segmentValue, 2)
    }

    function test_sliderDrag() {
        var slider = createTemporaryObject(sliderComponent, area, { "y": 100 })
        var changes = spy(slider, "valueChange")
        var drags = spy(slider, "dragSignal")
        var delayed = spy(slider, "valueChangeDelay")
        slider.setValue(3)

        // Coordinates on the slider, which stays put while the knob moves.
        mousePress(slider, 9, 6)
        compare(drags.signalArguments[0][0], true)
        mouseMove(slider, 60, 6)
        mouseMove(slider, 400, 6)
        compare(slider.knobX, 161)
        verify(changes.count > 0)
        mouseRelease(slider, 400, 6)
        compare(drags.signalArguments[1][0], false)
        compare(delayed.count, 1)

        // With stops, the release snaps and no step sends valueChange.
        slider.isScale = true
        slider.setValue(3)
        var before = changes.count
        mousePress(slider, 9, 6)
        mouseMove(slider, 30, 6)
        mouseMove(slider, 40, 6)
        mouseRelease(slider, 40, 6)
        compare(changes.count, before)
        verify(slider.segmentValue >= 1 && slider.segmentValue <= 3)
        compare(slider.knobX, slider.stopX(slider.segmentValue))
        // The release rule: the first stop i with x <= stop i + 1.
        compare(slider.stopOnRelease(35.6), 2)
        compare(slider.stopOnRelease(35.7), 3)
        compare(slider.stopOnRelease(3), 0)
        compare(slider.stopOnRelease(161), 10)
    }

    function test_dropDownList() {
        var list = createTemporaryObject(listComponent, area, { "mdItems": entries(["400", "800", "1600", "3200"]), "count": 4 })
        var changes = spy(list, "valueChange")
        var clicks = spy(list, "btnClick")
        // Without an owner's choice, entry 2.
        compare(list.currentSelect, 2)
        compare(list.textValue, "1600")

        mouseClick(list, 72, 12)
        verify(list.isDrop)
        verify(list.isSliding)
        // A click during the slide is ignored (but still reported).
        mouseClick(list, 72, 12)
        verify(list.isDrop)
        compare(clicks.count, 2)
        var box = findChild(list, "listBox")
        tryCompare(box, "height", 96)
        tryCompare(list, "isSliding", false)

        mouseClick(box, 60, 12)
        compare(list.currentSelect, 0)
        verify(!list.isDrop)
        compare(changes.count, 0)
        tryCompare(changes, "count", 1)
        compare(changes.signalArguments[0][0], 0)
        compare(list.textValue, "400")

        // closeMenu acts only on a fully open list.
        mouseClick(list, 72, 12)
        list.closeMenu()
        verify(list.isDrop)
        tryCompare(list, "isSliding", false)
        list.closeMenu()
        verify(!list.isDrop)
        tryCompare(box, "height", 0)

        // The rightmost 15 pixels of an entry are not a choice.
        mouseClick(list, 72, 12)
        tryCompare(box, "height", 96)
        tryCompare(list, "isSliding", false)
        mouseClick(box, 140, 36)
        compare(list.currentSelect, 0)
        verify(list.isDrop)
    }

    function test_dropDownListScrolls() {
        var names = []
        for (var i = 0; i < 15; ++i)
            names.push("Macro_" + i)
        var list = createTemporaryObject(listComponent, area, { "mdItems": entries(names), "count": 15 })
        var drags = spy(list, "dragSignal")
        mouseClick(list, 72, 12)
        var box = findChild(list, "listBox")
        tryCompare(box, "height", 240)
        var bar = findChild(list, "scrollBar")
        verify(bar.visible)
        compare(bar.width, 12)
        var view = findChild(list, "entries")
        compare(view.contentY, 0)
        var thumb = findChild(list, "thumb")
        var at = thumb.mapToItem(area, 6, 6)
        mousePress(area, at.x, at.y)
        mouseMove(area, at.x, at.y + 50)
        mouseMove(area, at.x, at.y + 400)
        mouseRelease(area, at.x, at.y + 400)
        compare(drags.count, 2)
        compare(drags.signalArguments[0][0], true)
        compare(drags.signalArguments[1][0], false)
        compare(view.contentY, 15 * 24 - 240)

        // Ten entries or fewer: no bar.
        list.count = 10
        verify(!bar.visible)
    }

    function test_dropDownGrid() {
        var grid = createTemporaryObject(gridComponent, area, { "mdItems": entries(["Mute", "Stop", ""]) })
        var clicks = spy(grid, "btnClick")
        compare(grid.currentSelect, 0)
        compare(grid.textValue, "Mute")
        mouseClick(grid, 30, 12)
        compare(clicks.count, 0)
        tryCompare(findChild(grid, ""), "visible", true)
        var cells = grid.children[grid.children.length - 1]
        compare(cells.width, 180)
        tryCompare(cells, "height", 24)

        // The empty cell keeps the selection.
        mouseClick(cells, 150, 12)
        compare(grid.currentSelect, 0)
        compare(clicks.count, 1)
        verify(!grid.isDrop)
        tryCompare(cells, "height", 0)

        mouseClick(grid, 30, 12)
        tryCompare(cells, "height", 24)
        mouseClick(cells, 90, 12)
        compare(grid.currentSelect, 1)
        compare(grid.textValue, "Stop")
        compare(clicks.count, 2)

        // closeMenu always closes, even mid-slide.
        mouseClick(grid, 30, 12)
        grid.closeMenu()
        verify(!grid.isDrop)
    }

    function test_checkAndRadio() {
        var check = createTemporaryObject(checkComponent, area, { "index": 7 })
        var seen = []
        check.btnClick.connect(function (index) { seen.push([index, check.isSelect]) })
        mouseClick(check, check.width - 2, check.height / 2)
        compare(seen, [[7, false]])
        verify(check.isSelect)
        // The 6-pixel margin counts.
        mouseClick(check, check.width + 4, check.height / 2)
        compare(seen[1], [7, true])
        verify(!check.isSelect)

        var radio = createTemporaryObject(radioComponent, area, { "x": 200 })
        var clicks = spy(radio, "btnClick")
        mouseClick(radio, -4, radio.height / 2)
        verify(radio.isSelect)
        compare(clicks.signalArguments[0][0], 3)
        mouseClick(radio, 2, radio.height / 2)
        verify(radio.isSelect)
    }

    function test_rectInput() {
        var input = createTemporaryObject(inputComponent, area, { "y": 200 })
        var began = spy(input, "inputSignal")
        var ended = spy(input, "endInputSignal")
        compare(input.textValue, "0")
        compare(input.width, 48)
        compare(input.height, 20)

        input.txtInput.forceActiveFocus()
        compare(began.count, 1)
        input.txtInput.selectAll()
        keyClick(Qt.Key_3)
        keyClick(Qt.Key_0)
        keyClick(Qt.Key_0)
        // 300 is beyond 255: the box holds the maximum.
        compare(input.textValue, "255")
        keyClick(Qt.Key_A)
        compare(input.textValue, "255")
        keyClick(Qt.Key_Return)
        verify(!input.txtInput.activeFocus)
        compare(ended.count, 1)
        compare(input.textValue, "255")

        // An emptied box reads "0", even with a minimum of 1.
        input.minValue = 1
        input.maxValue = 65535
        input.txtInput.forceActiveFocus()
        input.txtInput.selectAll()
        keyClick(Qt.Key_Backspace)
        compare(input.textValue, "")
        input.closeFocus()
        compare(input.textValue, "0")
        compare(ended.count, 2)

        // At most four characters.
        input.txtInput.forceActiveFocus()
        input.txtInput.selectAll()
        for (var key of [Qt.Key_1, Qt.Key_2, Qt.Key_3, Qt.Key_4, Qt.Key_5])
            keyClick(key)
        compare(input.textValue, "1234")
        input.closeFocus()
        compare(input.txtInput.selectedText, "")
    }

    function test_busyIndicator() {
        var busy = createTemporaryObject(busyComponent, area)
        verify(!busy.visible)
        busy.setBusy(true)
        verify(busy.visible)
        compare(busy.isBusy, true)
        busy.setBusy(false)
        verify(!busy.visible)
    }

    function test_dialogStaysInsideWindow() {
        var dialog = createTemporaryObject(dialogComponent, area)
        dialog.centre()
        compare(dialog.x, 299)
        compare(dialog.y, 269)
        var pressed = spy(dialog, "backgroundPressed")

        // Window coordinates: the dialog itself moves under the pointer.
        function drag(fromX, fromY, toX, toY) {
            mousePress(area, fromX, fromY)
            mouseMove(area, (fromX + toX) / 2, (fromY + toY) / 2)
            mouseMove(area, toX, toY)
            mouseRelease(area, toX, toY)
        }
        drag(500, 330, 1020, 636)
        compare(pressed.count, 1)
        compare(dialog.x, 1024 - 427)
        compare(dialog.y, 640 - 102)
        drag(800, 600, 2, 2)
        compare(dialog.x, 0)
        compare(dialog.y, 0)
        drag(200, 60, 240, 90)
        compare(dialog.x, 40)
        compare(dialog.y, 30)
    }
    }
}
