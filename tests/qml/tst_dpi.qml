import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The DPI panel on the real back end: stage count, sliders within the
// sensor's range and steps, sending, the current-stage highlight and the
// report rate.
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
        name: "DpiPanel"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item
        property var savedValues: []
        property var savedCount
        property var savedRate

        function part(name) { return findChild(main, name) }
        function panel() { return part("dpiSetting") }
        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
        }
        function label(i) { return findChild(panel(), "dpiLabel" + i) }
        function stored() { return ui_View.getDataList("mouse/dpiValueArray", false).map(Number) }
        function chooseFromList(list, index) {
            mouseClick(list, 20, 12)
            tryCompare(list, "isDrop", true)
            tryVerify(function () { return !list.isSliding })
            mouseClick(list, 20, 24 + 24 * index + 12)
        }

        function initTestCase() {
            ready()
            savedValues = stored()
            savedCount = ui_View.getData("mouse/currentDpiCount", false)
            savedRate = ui_View.getData("mouse/reportRate", false)
        }
        function init() {
            ready()
            panel().init(false, false)
            panel().isSave = false
        }
        function cleanup() {
            ui_View.setDataList("mouse/dpiValueArray", savedValues)
            ui_View.setData("mouse/currentDpiCount", savedCount)
            ui_View.setData("mouse/reportRate", savedRate)
            ui_View.setData("mouse/dpiCount", 8)
            panel().init(false, false)
            panel().isSave = false
        }

        function test_initSendsOnlyWhenAsked() {
            vmouse.clearTrace()
            panel().init(false, false)
            compare(vmouse.commandTraffic().length, 0)
            compare(panel().minDPI, Number(ui_View.getGlobalData("mouse/minDPI")))
            compare(panel().maxDPI, Number(ui_View.getGlobalData("mouse/maxDPI")))
            compare(panel().dpiBase, Number(ui_View.getGlobalData("mouse/dpiBase")))
            compare(panel().dpiValueArray, savedValues)

            ui_View.setData("mouse/currentDpiCount", 5)
            ui_View.setData("mouse/reportRate", 2)
            panel().init(true, false)
            verify(vmouse.commandTraffic().length > 0)
            var s = vmouse.state()
            compare(s.dpiCount, 5)
            verify(s.dpiTable.some(function (c) { return c !== 0 }))
            compare(s.reportRate, 2)
            compare(findChild(panel(), "stageCount").currentSelect, 4)
        }

        function test_stageCount() {
            var count = findChild(panel(), "stageCount")
            chooseFromList(count, 2)
            tryCompare(panel(), "currentDpiCount", 3)
            verify(panel().isSave)
            for (var i = 0; i < 8; ++i)
                compare(findChild(panel(), "stage" + i).visible, i < 3, "stage " + i)
            // Nothing is sent before Save; Save sends the new count.
            vmouse.clearTrace()
            main.save()
            verify(!panel().isSave)
            compare(vmouse.state().dpiCount, 3)
            compare(Number(ui_View.getData("mouse/currentDpiCount", false)), 3)
        }

        function test_sliderSnaps_data() {
            // Clicks on the track, the knob target (pointer less half a
            // knob, 3 to 161), and the value on the 200..12000 / 100 sensor.
            return [
                { tag: "low end", at: 0, minDPI: 200, value: 200 },
                { tag: "middle", at: 85, minDPI: 200, value: 5800 },
                { tag: "high end", at: 175, minDPI: 200, value: 12000 },
                { tag: "low end on an odd minimum", at: 0, minDPI: 250, value: 300 }
            ]
        }
        function test_sliderSnaps(data) {
            panel().minDPI = data.minDPI
            var slider = findChild(panel(), "dpiSlider1")
            mouseClick(slider, data.at, 6)
            tryCompare(panel(), "isSave", true)
            compare(panel().dpiValueArray[1], data.value)
            compare(label(1).text, String(data.value))
            verify(data.value % panel().dpiBase === 0)
            verify(data.value >= panel().minDPI && data.value <= panel().maxDPI)
            // The other stages keep their values.
            compare(panel().dpiValueArray[0], savedValues[0])
            vmouse.clearTrace()
            main.save()
            compare(stored()[1], data.value)
            compare(stored()[0], savedValues[0])
        }

        // Out-of-range stored values come back inside the range; placing the
        // knobs alone changes no value.
        function test_placementKeepsValues() {
            ui_View.setDataList("mouse/dpiValueArray", [100, 850, 1600, 3200, 5000, 6400, 8000, 20000])
            panel().init(false, false)
            compare(panel().dpiValueArray, [200, 850, 1600, 3200, 5000, 6400, 8000, 12000])
            var top = findChild(panel(), "dpiSlider7")
            compare(top.knobX, top.maxX)
            compare(findChild(panel(), "dpiSlider0").knobX, 4)
            ignoreWarning(/dpiValueArray unreadable/)
            ui_View.setDataList("mouse/dpiValueArray", [400, 800])
            panel().init(false, false)
            compare(panel().dpiValueArray, [200, 850, 1600, 3200, 5000, 6400, 8000, 12000])
        }

        function test_highlightFollowsCurrentDPI() {
            for (var stage of [3, 1, 8]) {
                main.setCurrentDPI(stage)
                compare(panel().currentDPI, stage - 1)
                for (var i = 0; i < 8; ++i) {
                    compare(Qt.colorEqual(label(i).color, Theme.colorOrange), i === stage - 1, "label " + i)
                    compare(label(i).font.bold, i === stage - 1)
                }
            }
            main.setCurrentDPI(0)
            compare(panel().currentDPI, 7)
        }

        function test_clickOnAValueChoosesTheStage() {
            panel().currentDpiCount = 4
            vmouse.clearTrace()
            mouseClick(label(2))
            compare(panel().currentDPI, 2)
            compare(vmouse.commands().length, 1)
            compare(vmouse.commands()[0].slice(0, 5), "0b 03")
            verify(!panel().isSave)
            // Only active stages can be chosen.
            vmouse.clearTrace()
            panel().chooseStage(4)
            panel().chooseStage(-1)
            compare(vmouse.commandTraffic().length, 0)
            compare(panel().currentDPI, 2)
        }

        function test_reportRateSendsAtOnce_data() {
            return [
                { tag: "125 Hz", entry: 0, rate: 8 },
                { tag: "500 Hz", entry: 2, rate: 2 },
                { tag: "1000 Hz", entry: 3, rate: 1 }
            ]
        }
        function test_reportRateSendsAtOnce(data) {
            var list = findChild(panel(), "reportRateList")
            vmouse.clearTrace()
            chooseFromList(list, data.entry)
            tryVerify(function () { return vmouse.state().reportRate === data.rate })
            compare(Number(ui_View.getData("mouse/reportRate", false)), data.rate)
            verify(!panel().isSave)
        }

        function test_undoRestoresFactoryValues() {
            mouseClick(findChild(panel(), "dpiSlider0"), 175, 6)
            tryCompare(panel(), "isSave", true)
            panel().currentDpiCount = 6
            panel().isSave = false
            vmouse.clearTrace()
            mouseClick(findChild(panel(), "dpiUndo"))
            compare(vmouse.commandTraffic().length, 0)
            verify(panel().isSave)
            compare(panel().dpiValueArray, ui_View.getDataList("mouse/dpiValueArray", true).map(Number))
            compare(panel().currentDpiCount, 6)
        }

        // Runs late: the entries it removes stay removed.
        function test_trimOnlyDownwards() {
            var count = findChild(panel(), "stageCount")
            compare(count.count, 8)
            ui_View.setData("mouse/dpiCount", 5)
            ui_View.setData("mouse/currentDpiCount", 7)
            panel().init(false, false)
            compare(count.count, 5)
            compare(panel().currentDpiCount, 5)
            ui_View.setData("mouse/dpiCount", 8)
            panel().init(false, false)
            compare(count.count, 5)
            // Above eight stages nothing changes and nothing is sent.
            ui_View.setData("mouse/dpiCount", 9)
            ui_View.setDataList("mouse/dpiValueArray", [300, 300, 300, 300, 300, 300, 300, 300])
            vmouse.clearTrace()
            panel().init(true, false)
            compare(vmouse.commandTraffic().length, 0)
            compare(count.count, 5)
            compare(panel().dpiValueArray[0], savedValues[0])
        }
    }
}
