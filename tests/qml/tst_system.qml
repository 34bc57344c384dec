import QtQuick
import QtTest

// The system settings dialog: every change goes to the desktop's pointer
// settings at once (recorded by the harness instead of applied).
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
        name: "SystemSettings"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item
        property var saved: ({})

        function part(name) { return findChild(main, name) }
        function dialog() { return part("systemSetting") }
        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
        }
        function open() {
            mouseClick(part("systemButton"))
            verify(dialog().visible)
            verify(part("mask").visible)
        }
        function rows() { return findChild(dialog(), "rowsBox") }

        function initTestCase() {
            ready()
            for (var key of ["mouse/mouseRate", "mouse/doubleRate", "mouse/scrollRate"])
                saved[key] = ui_View.getData(key, false)
        }
        function init() {
            ready()
            ui_View.setData("mouse/mouseRate", 170)
            ui_View.setData("mouse/doubleRate", 170)
            ui_View.setData("mouse/scrollRate", 3)
            dialog().init(false, false)
            vmouse.clearPointerLog()
            open()
        }
        function cleanup() {
            vmouse.setPointerDesktop([], true)
            dialog().systemSettingFocus()
            dialog().visible = false
            main.hideMask()
            for (var key in saved)
                ui_View.setData(key, saved[key])
        }

        function test_opensCentred() {
            compare(dialog().width, 416)
            compare(dialog().height, 376)
            compare(dialog().x, Math.round((1024 - 416) / 2))
            compare(dialog().y, Math.round((640 - 376) / 2))
            compare(dialog().mouseSpeed.knobX, 170)
            compare(rows().textValue, "3")
            compare(vmouse.pointerLog(), [])
        }

        function test_sliderSteps_data() {
            // A click at `at` on the 352-long track puts the knob at `at` - 6
            // (within 3 to 337); the index is the first threshold above it.
            return [
                { tag: "speed leftmost", slider: "speedSlider", at: 0, knob: 3, line: "speed 1", key: "mouse/mouseRate" },
                { tag: "speed middle", slider: "speedSlider", at: 176, knob: 170, line: "speed 10", key: "mouse/mouseRate" },
                { tag: "speed index 1", slider: "speedSlider", at: 16, knob: 10, line: "speed 2", key: "mouse/mouseRate" },
                { tag: "speed rightmost", slider: "speedSlider", at: 351, knob: 337, line: "speed 20", key: "mouse/mouseRate" },
                { tag: "double leftmost", slider: "doubleSlider", at: 0, knob: 3, line: "doubleClick 900", key: "mouse/doubleRate" },
                { tag: "double middle", slider: "doubleSlider", at: 176, knob: 170, line: "doubleClick 550", key: "mouse/doubleRate" },
                { tag: "double rightmost", slider: "doubleSlider", at: 351, knob: 337, line: "doubleClick 200", key: "mouse/doubleRate" }
            ]
        }
        function test_sliderSteps(data) {
            var slider = findChild(dialog(), data.slider)
            mouseClick(slider, data.at, 6)
            tryVerify(function () { return vmouse.pointerLog().length > 0 })
            compare(vmouse.pointerLog(), [data.line])
            compare(Math.round(slider.knobX), data.knob)
            compare(Number(ui_View.getData(data.key, false)), data.knob)
        }

        function test_dragOfTheKnob() {
            var slider = dialog().mouseSpeed
            mousePress(slider, 170 + 6, 6)
            for (var x = 180; x <= 350; x += 10)
                mouseMove(slider, x, 6)
            compare(vmouse.pointerLog(), [])
            mouseRelease(slider, 350, 6)
            compare(vmouse.pointerLog(), ["speed 20"])
        }

        function test_scrollChoice() {
            mouseClick(findChild(dialog(), "screenRadio"))
            compare(vmouse.pointerLog(), ["scrollLines 1000"])
            compare(Number(ui_View.getData("mouse/scrollRate", false)), 1000)
            verify(!findChild(dialog(), "rowsRadio").isSelect)
            mouseClick(findChild(dialog(), "rowsRadio"))
            compare(vmouse.pointerLog(), ["scrollLines 1000", "scrollLines 3"])
            verify(!findChild(dialog(), "screenRadio").isSelect)
            compare(Number(ui_View.getData("mouse/scrollRate", false)), 3)
        }

        function test_rowsBox_data() {
            return [
                { tag: "in range", keys: "42", text: "42", line: "scrollLines 42" },
                { tag: "upper bound", keys: "100", text: "100", line: "scrollLines 100" },
                { tag: "above the range", keys: "250", text: "100", line: "scrollLines 100" },
                { tag: "four digits", keys: "1000", text: "100", line: "scrollLines 100" },
                { tag: "zero", keys: "0", text: "1", line: "scrollLines 1" },
                { tag: "negative", keys: "-7", text: "7", line: "scrollLines 7" },
                { tag: "emptied", keys: "", text: "1", line: "scrollLines 1" }
            ]
        }
        function test_rowsBox(data) {
            var field = rows().txtInput
            field.forceActiveFocus()
            verify(field.activeFocus)
            field.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < data.keys.length; ++i)
                keyClick(data.keys[i])
            keyClick(Qt.Key_Return)
            verify(!field.activeFocus)
            compare(rows().textValue, data.text)
            compare(vmouse.pointerLog(), [data.line])
            compare(String(ui_View.getData("mouse/scrollRate", false)), data.text)
        }

        function test_storedOneScreen() {
            ui_View.setData("mouse/scrollRate", 101)
            dialog().init(false, false)
            verify(findChild(dialog(), "screenRadio").isSelect)
            verify(!findChild(dialog(), "rowsRadio").isSelect)
            compare(vmouse.pointerLog(), [])
            dialog().saveData(true, 3)
            compare(vmouse.pointerLog(), ["scrollLines 1000"])
            compare(Number(ui_View.getData("mouse/scrollRate", false)), 1000)
        }

        function test_undoSendsFactoryValues() {
            mouseClick(dialog().mouseSpeed, 351, 6)
            tryVerify(function () { return vmouse.pointerLog().length > 0 })
            vmouse.clearPointerLog()
            mouseClick(findChild(dialog(), "systemUndo"))
            var factoryScroll = Number(ui_View.getData("mouse/scrollRate", true))
            var lines = factoryScroll > 100 ? 1000 : factoryScroll
            compare(vmouse.pointerLog().length, 3)
            compare(vmouse.pointerLog()[2], "scrollLines " + lines)
            compare(dialog().mouseSpeed.knobX, Number(ui_View.getData("mouse/mouseRate", true)))
            compare(Number(ui_View.getData("mouse/mouseRate", false)), Number(ui_View.getData("mouse/mouseRate", true)))
        }

        function test_initSendsOnlyWhenAsked() {
            dialog().init(false, false)
            compare(vmouse.pointerLog(), [])
            dialog().init(true, false)
            compare(vmouse.pointerLog(), ["speed 10", "doubleClick 550", "scrollLines 3"])
        }

        // A desktop without a backend: the rows are dimmed and say why, and
        // no click, undo or profile switch stores or sends anything.
        function test_desktopWithoutBackend() {
            var notice = findChild(dialog(), "pointerNotice")
            compare(notice.text, "")
            vmouse.setPointerDesktop(["speed", "doubleClick", "scrollLines"], true)
            dialog().init(false, false)
            verify(notice.visible)
            compare(notice.text, dialog().lang(15))
            for (var row of ["speedRow", "doubleRow", "scrollRow"])
                verify(!findChild(dialog(), row).enabled)
            mouseClick(dialog().mouseSpeed, 351, 6)
            mouseClick(findChild(dialog(), "screenRadio"))
            mouseClick(findChild(dialog(), "systemUndo"))
            dialog().init(true, false)
            compare(vmouse.pointerLog(), [])
            compare(dialog().mouseSpeed.knobX, 170)
            verify(!dialog().isOneScreen)
            compare(Number(ui_View.getData("mouse/mouseRate", false)), 170)
            compare(Number(ui_View.getData("mouse/scrollRate", false)), 3)

            // GNOME keeps no wheel lines: only that row is dimmed.
            vmouse.setPointerDesktop(["scrollLines"], true)
            dialog().init(false, false)
            compare(notice.text, dialog().lang(16))
            verify(findChild(dialog(), "speedRow").enabled)
            verify(!findChild(dialog(), "scrollRow").enabled)
            dialog().init(true, false)
            compare(vmouse.pointerLog(), ["speed 10", "doubleClick 550"])
        }

        // A value the desktop refuses is shown as refused, and the slider and
        // the profile keep what the desktop has.
        function test_refusedChange() {
            vmouse.setPointerDesktop([], false)
            var notice = findChild(dialog(), "pointerNotice")
            mouseClick(dialog().mouseSpeed, 351, 6)
            tryVerify(function () { return vmouse.pointerLog().length > 0 })
            compare(vmouse.pointerLog(), ["speed 20"])
            compare(notice.text, dialog().lang(17))
            compare(dialog().mouseSpeed.knobX, 170)
            compare(Number(ui_View.getData("mouse/mouseRate", false)), 170)
            mouseClick(findChild(dialog(), "screenRadio"))
            verify(!dialog().isOneScreen)
            verify(findChild(dialog(), "rowsRadio").isSelect)
            compare(Number(ui_View.getData("mouse/scrollRate", false)), 3)

            vmouse.setPointerDesktop([], true)
            mouseClick(dialog().mouseSpeed, 351, 6)
            tryVerify(function () { return vmouse.pointerLog().length > 2 })
            compare(dialog().mouseSpeed.knobX, 337)
            compare(notice.text, "")
            compare(Number(ui_View.getData("mouse/mouseRate", false)), 337)
        }

        // The shipped languages, each in its own name; a choice is stored
        // under the file's name for the next start.
        function test_languageChoice() {
            var box = findChild(dialog(), "languageBox")
            var was = ui_View.currentLanguage()
            compare(box.count, 2)
            compare(box.entryText(0), "简体中文")
            compare(box.entryText(1), "English")
            compare(box.currentSelect, was === "English" ? 1 : 0)
            mouseClick(box)
            tryCompare(findChild(box, "listBox"), "height", 48)
            mouseClick(findChild(box, "listBox"), 60, 12)
            tryVerify(function () { return ui_View.currentLanguage() === "ChineseSimplified" })
            compare(String(ui_View.getGlobalData("common/language")), "ChineseSimplified")
            compare(ui_View.currentLanguage(), "ChineseSimplified")
            compare(box.textValue, "简体中文")
            // The running window keeps its language until the next start.
            compare(main.language, was)
            ui_View.setGlobalData("common/language", was)
        }

        function test_closeHidesDialogAndMask() {
            var bar = dialog().titleBar
            var close = null
            for (var i = 0; i < bar.children.length; ++i)
                if (bar.children[i].name === "closeBtn")
                    close = bar.children[i]
            mouseClick(close)
            verify(!dialog().visible)
            verify(!part("mask").visible)
        }
    }
}
