import QtQuick
import QtTest

// The lighting panel on the real back end and the virtual mouse, for the
// three device variants.
Item {
    id: window
    width: 1024
    height: 640

    Loader {
        id: loader
        source: "qrc:/modules/qml/main.qml"
    }

    TestCase {
        id: testCase
        name: "Lighting"
        when: windowShown

        property var main: loader.item
        property var shipped: ({})

        function part(name) { return findChild(main, name) }
        function light() { return part("lightControl") }
        function inLight(name) { return findChild(light(), name) }

        // A fresh main screen started on a device with these flags.
        function startWith(colourful, is55328) {
            ui_View.setGlobalData("mouse/isColorful", colourful)
            ui_View.setGlobalData("mouse/is55328", is55328)
            vmouse.setViewFlags(colourful, is55328)
            loader.source = ""
            loader.source = "qrc:/modules/qml/main.qml"
            tryCompare(loader, "status", Loader.Ready)
            main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
            compare(main.isColorful, colourful)
            compare(main.is55328, is55328)
        }
        function initTestCase() {
            tryCompare(loader, "status", Loader.Ready)
            shipped = {
                "colourful": String(ui_View.getGlobalData("mouse/isColorful")) === "true",
                "is55328": String(ui_View.getGlobalData("mouse/is55328")) === "true",
                "light": ui_View.getDataList("mouse/lightValue", false),
                "colours": ui_View.getDataList("mouse/colorValue", false)
            }
        }
        function cleanupTestCase() {
            ui_View.setGlobalData("mouse/isColorful", shipped.colourful)
            ui_View.setGlobalData("mouse/is55328", shipped.is55328)
            vmouse.setViewFlags(shipped.colourful, shipped.is55328)
            ui_View.setDataList("mouse/lightValue", shipped.light)
            ui_View.setDataList("mouse/colorValue", shipped.colours)
        }
        // Chooses an entry the way the drop-down reports it.
        function choose(index) {
            var list = light().lightModel
            list.currentSelect = index
            list.valueChange(index)
        }
        function clickStop(sliderName, stop) {
            var slider = inLight(sliderName)
            // A click goes to the first stop at or beyond it: click just before.
            mouseClick(slider, Math.floor(slider.stopX(stop)) + 4, 6)
        }
        // Traffic with the device, without the report watch's own cycles.
        function sends() { return vmouse.commandTraffic() }
        function numbers(colours) {
            var out = []
            for (var c of colours) {
                var q = Qt.color(c)
                out.push(Math.round(q.r * 255), Math.round(q.g * 255), Math.round(q.b * 255))
            }
            return out
        }

        // Rows: [effect, speed row, brightness row, label, device triple after
        // speed stop 2 and brightness stop 3 where the rows show].
        function test_effects_data() {
            return [
                { tag: "colourful", colourful: true, is55328: false, rows: [
                    [0, false, true, "Static", [1, 192, 0]],
                    [1, true, false, "Breath", [3, 0, 5]],
                    [2, true, false, "Neon", [4, 0, 5]],
                    [3, false, false, "OFF", [0, 0, 0]],
                    [4, false, true, "Twinkling", [2, 192, 0]],
                    [5, true, true, "Wave", [5, 192, 5]],
                    [6, false, false, "Gliding", [6, 0, 0]],
                    [7, false, true, "Finger Moving", [7, 192, 0]],
                    [8, true, true, "Vertical Flipping", [8, 192, 15]],
                    [9, true, true, "YO-YO", [9, 192, 10]],
                    [10, true, true, "Spotlight", [10, 192, 24]]] },
                { tag: "single colour", colourful: false, is55328: false, rows: [
                    [0, false, true, "Static", [1, 7, 2]],
                    [1, true, false, "Breath", [2, 3, 2]],
                    [2, true, false, "Neon", [3, 18, 2]],
                    [3, false, false, "OFF", [0, 0, 2]]] },
                { tag: "55328", colourful: false, is55328: true, rows: [
                    [0, false, true, "Static", [1, 7, 1]],
                    [1, true, false, "Breath", [2, 3, 1]],
                    [2, true, false, "Neon", [3, 18, 1]],
                    [3, false, false, "OFF", [0, 0, 0]],
                    [4, true, false, "Breath Loop", [2, 3, 3]]] }
            ]
        }
        function test_effects(data) {
            startWith(data.colourful, data.is55328)
            var lc = light()
            var list = lc.lightModel
            compare(list.count, data.rows.length)
            for (var row of data.rows) {
                var effect = row[0]
                compare(list.entryText(effect), row[3])
                lc.isSave = false
                choose(effect)
                verify(lc.isSave, row[3])
                compare(lc.selectColor, 0)
                compare(inLight("speedRow").visible, row[1], row[3] + " speed row")
                compare(inLight("brightnessRow").visible, row[2], row[3] + " brightness row")
                var shown = (row[1] ? 1 : 0) + (row[2] ? 1 : 0)
                compare(lc.height, [176, 224, 264][shown], row[3] + " height")
                if (row[1]) {
                    compare(lc.speed, 0)
                    clickStop("speedSlider", 2)
                    tryCompare(lc, "speed", 2)
                    compare(inLight("speedBox").text, "50%")
                }
                if (row[2]) {
                    compare(lc.brightness, 4)
                    clickStop("brightnessSlider", 3)
                    tryCompare(lc, "brightness", 3)
                    compare(inLight("brightnessBox").text, "75%")
                }
                vmouse.clearTrace()
                main.save()
                verify(!lc.isSave)
                compare(vmouse.state().led, row[4], row[3] + " on the wire")
                var stored = ui_View.getDataList("mouse/lightValue", false).map(Number)
                compare(stored, [effect, lc.speed, lc.brightness], row[3] + " stored")

                // Colours: the kind follows the variant; the 55328 sends one
                // fixed colour except for its loop effect.
                var sent = numbers(lc.colors)
                var state = vmouse.state()
                if (data.is55328 && effect !== 4) {
                    compare(state.fixedColour, sent.slice(0, 3), row[3] + " fixed colour")
                    sent[21] = sent[22] = sent[23] = 0
                } else {
                    compare(state.stageColours, sent, row[3] + " stage colours")
                    compare(state.stageColourType, data.colourful || data.is55328 ? 0 : 1)
                }
                compare(ui_View.getDataList("mouse/colorValue", false).map(Number), sent, row[3] + " colours stored")
            }
            // Only the colour effects leave the table uncovered.
            for (var e = 0; e < list.count; ++e) {
                choose(e)
                compare(inLight("colorCover").visible, [0, 1, 4, 9, 10].indexOf(e) < 0, "cover of " + e)
            }
        }

        function test_stageColoursFollowDpiCount() {
            startWith(false, false)
            var lc = light()
            var dpi = part("dpiSetting")
            var shippedCount = dpi.dpiCount
            function shown() {
                var out = []
                for (var b = 0; b < 8; ++b)
                    if (inLight("colorBlock" + b).visible)
                        out.push(b + 1)
                return out
            }
            dpi.dpiCount = 3
            compare(shown(), [1, 2, 3])
            dpi.dpiCount = 8
            compare(shown(), [1, 2, 3, 4, 5, 6, 7, 8])
            dpi.dpiCount = 0
            compare(shown(), [])
            main.isColorful = true
            compare(shown(), [1, 2, 3, 4, 5, 6, 7, 8])
            main.isColorful = false
            main.is55328 = true
            dpi.dpiCount = 8
            choose(1)
            compare(shown(), [1])
            choose(4)
            compare(shown(), [1, 2, 3, 4, 5, 6, 7])
            main.is55328 = false
            dpi.dpiCount = shippedCount
        }

        function test_colourEditsWaitForSave() {
            startWith(true, false)
            var lc = light()
            choose(0)
            main.save()
            vmouse.clearTrace()

            // A block shows its colour in the boxes and on the bar.
            mouseClick(inLight("colorBlock" + 2), 7, 7)
            compare(lc.selectColor, 2)
            var v = lc.rgbOf(lc.colors[2])
            compare([inLight("boxR").textValue, inLight("boxG").textValue, inLight("boxB").textValue], v.map(String))

            // Dragging the marker colours the block; release marks isSave.
            var marker = inLight("colorMarker")
            var bar = inLight("colorBar")
            lc.moveMarker(0)
            var start = marker.mapToItem(window, 8, 5)
            mousePress(window, start.x, start.y)
            mouseMove(window, start.x + 20, start.y)
            mouseMove(window, start.x + 45, start.y)
            compare(lc.markerPos, 45)
            mouseRelease(window, start.x + 45, start.y)
            verify(lc.isSave)
            // Segment 1 at 15 of 30 pixels: (255 - 127, 255, 0).
            compare(lc.colors[2], "#80ff00")
            compare(inLight("boxR").textValue, "128")
            mousePress(window, start.x + 45, start.y)
            mouseMove(window, start.x + 400, start.y)
            mouseRelease(window, start.x + 400, start.y)
            compare(lc.markerPos, bar.width - 2)
            compare(lc.colors[2], "#ffffff")

            // Typed values become the colour; one on no edge of the bar keeps
            // its value with the marker at the left end.
            lc.isSave = false
            var box = inLight("boxG")
            box.txtInput.forceActiveFocus()
            box.textValue = "10"
            lc.lightControlFocus()
            verify(lc.isSave)
            compare(lc.colors[2], "#ff0aff")
            compare(lc.markerPos, 0)
            inLight("boxR").txtInput.forceActiveFocus()
            inLight("boxR").textValue = "0"
            inLight("boxB").txtInput.forceActiveFocus()
            inLight("boxB").textValue = "255"
            lc.lightControlFocus()
            compare(lc.colors[2], "#000aff")
            compare(lc.markerPos, Math.floor(3 * 183 / 6 + 183 / 6 / 256 * 245))
            compare(sends(), [], "nothing sent before Save")

            main.save()
            var sent = numbers(lc.colors)
            compare(sent.slice(6, 9), [0, 10, 255])
            compare(vmouse.state().stageColours, sent)
        }

        function test_undoReadsFactoryValues() {
            startWith(true, false)
            var lc = light()
            choose(5)
            lc.moveMarker(100)
            main.save()
            lc.isSave = false
            vmouse.clearTrace()
            mouseClick(inLight("lightUndo"), 8, 8)
            verify(lc.isSave)
            compare(sends(), [])
            var factory = ui_View.getDataList("mouse/lightValue", true).map(Number)
            compare([lc.effect, lc.speed, lc.brightness], factory)
            compare(lc.lightModel.currentSelect, factory[0])
            compare(lc.lightModel.count, 11)
            compare(numbers(lc.colors), ui_View.getDataList("mouse/colorValue", true).map(Number))
        }
    }
}
