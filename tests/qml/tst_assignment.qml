import QtQuick
import QtTest

// The button assignment page on the real back end: each category of the
// dialog, the key list and the key matrix the virtual mouse receives.
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
        name: "Assignment"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item
        property var saved: []

        function part(name) { return findChild(main, name) }
        function dialog() { return part("keyAssigment") }
        function keyMatrix() { return part("keyMatrix") }
        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
        }
        function slotCodes(j) {
            var s = keyMatrix().modKeys.get(j)
            return [s.keyCode0, s.keyCode1, s.keyCode2, s.keyCode3]
        }
        function deviceEntry(matrix, position) {
            return vmouse.state()["keyMatrix" + matrix].slice(4 * position, 4 * position + 4)
        }
        function hex(list) {
            return list.map(function (b) { return (b < 16 ? "0" : "") + b.toString(16).toUpperCase() }).join(" ")
        }
        // Scrolls the dialog so that the item shows, then clicks it.
        function clickInDialog(name) {
            var item = findChild(dialog(), name)
            verify(item, name)
            var view = findChild(dialog(), "assignView")
            var inContent = item.mapToItem(view.contentItem, 0, 0)
            view.contentY = Math.max(0, Math.min(view.contentHeight - view.height, inContent.y - 60))
            mouseClick(item, 5, item.height / 2)
        }
        function closeIcon() {
            var bar = dialog().titleBar
            for (var i = 0; i < bar.children.length; ++i)
                if (bar.children[i].name === "closeBtn")
                    return bar.children[i]
            return null
        }
        function openSlot(j) {
            mouseClick(findChild(keyMatrix(), "keyRow" + j))
            verify(dialog().visible)
            compare(dialog().slot, j)
        }
        function closeDialog() {
            mouseClick(closeIcon())
            verify(!dialog().visible)
            verify(!part("mask").visible)
        }

        function initTestCase() {
            ready()
            for (var j = 0; j < 16; ++j)
                saved.push(ui_View.mouseGetKeydefine(j, false).map(Number))
        }
        function init() {
            ready()
            main.isGun = true
            keyMatrix().init(false, false)
            keyMatrix().isSave = false
        }
        function cleanup() {
            if (dialog().visible)
                closeDialog()
            var flat = []
            for (var j = 0; j < 16; ++j)
                flat = flat.concat(saved[j])
            ui_View.mouseSetKeyMatrix(flat, false, [10, 10, 10])
            keyMatrix().init(false, false)
            keyMatrix().isSave = false
        }

        // Each choice: how it is made, the four codes, the key-list text and
        // the entry the 553-family mouse holds afterwards.
        function test_category_data() {
            return [
                { tag: "left", radio: "mouseRadio0", codes: [0, 0, 0xF0, 0], text: "Left Key", device: [1, 0, 0xF0, 0] },
                { tag: "middle", radio: "mouseRadio1", codes: [0, 0, 0xF2, 0], text: "Middle Key", device: [1, 0, 0xF2, 0] },
                { tag: "right", radio: "mouseRadio2", codes: [0, 0, 0xF1, 0], text: "Right Key", device: [1, 0, 0xF1, 0] },
                { tag: "forward", slot: 4, radio: "mouseRadio3", codes: [0, 0, 0xF4, 0], text: "Forward Key", device: [1, 0, 0xF4, 0] },
                { tag: "back", radio: "mouseRadio4", codes: [0, 0, 0xF3, 0], text: "Back Key", device: [1, 0, 0xF3, 0] },
                { tag: "double fire", radio: "mouseRadio5", codes: [0, 0xF0, 0x1E, 2], text: "Double Fire", device: [10, 0xF0, 0x1E, 2] },
                { tag: "report rate", radio: "mouseRadio6", codes: [0, 0xF1, 3, 0], text: "Report Rate", device: [5, 0, 3, 0] },
                { tag: "fire", fire: 0x04, codes: [1, 0x04, 10, 0], text: "A", device: [10, 0x04, 10, 0] },
                { tag: "media player", grid: "mediaGrid", cell: 0, codes: [3, 0, 0x83, 1], text: "Player", device: [3, 0, 0x83, 1] },
                { tag: "media mute", grid: "mediaGrid", cell: 4, codes: [3, 0, 0xE2, 0], text: "Mute", device: [3, 0, 0xE2, 0] },
                { tag: "media volume down", grid: "mediaGrid", cell: 7, codes: [3, 0, 0xEA, 0], text: "Volume-", device: [3, 0, 0xEA, 0] },
                { tag: "dpi up", radio: "dpiRadio0", codes: [5, 0, 1, 0], text: "DPI+", device: [7, 0, 1, 0] },
                { tag: "dpi loop", radio: "dpiRadio2", codes: [5, 0, 3, 0], text: "DPI LOOP", device: [7, 0, 3, 0] },
                { tag: "sniper", radio: "dpiRadio3", codes: [5, 0, 4, 0], text: "Sniper Key", device: [7, 0, 4, 1] },
                { tag: "my pc", grid: "windowsGrid", cell: 0, codes: [6, 0, 0x94, 1], text: "My PC", device: [3, 0, 0x94, 1] },
                { tag: "search", grid: "windowsGrid", cell: 2, codes: [6, 0, 0x21, 2], text: "Search", device: [3, 0, 0x21, 2] },
                { tag: "max", grid: "windowsGrid", cell: 3, codes: [6, 4, 0x2C, 0x1B], text: "Max", device: [0, 4, 0x2C, 0x1B] },
                { tag: "run", grid: "windowsGrid", cell: 6, codes: [6, 0, 0xE3, 0x15], text: "Run", device: [0, 0, 0xE3, 0x15] },
                { tag: "copy", grid: "shortcutGrid", cell: 2, codes: [7, 0, 0xE0, 0x06], text: "Copy", device: [0, 0, 0xE0, 0x06] },
                { tag: "select all", grid: "shortcutGrid", cell: 9, codes: [7, 0, 0xE0, 0x04], text: "Select All", device: [0, 0, 0xE0, 0x04] },
                { tag: "gun two", radio: "gunRadio1", codes: [8, 0, 2, 0], text: "Two Gun", device: [8, 0, 1, 1] }
            ]
        }
        function test_category(data) {
            // Slot 3 is a forward button already.
            var slot = data.slot !== undefined ? data.slot : 3
            openSlot(slot)
            if (data.radio) {
                clickInDialog(data.radio)
            } else if (data.grid) {
                // The grid control's own cell click: the selection, then btnClick.
                var grid = findChild(dialog(), data.grid)
                grid.currentSelect = data.cell
                grid.btnClick()
            } else if (data.fire) {
                clickInDialog("fireBox")
                verify(dialog().isFireInput)
                main.detectKeyboard(true, data.fire)
                verify(!dialog().isFireInput)
            }
            compare(hex([dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3]), hex(data.codes))
            compare(dialog().keyString, data.text)
            // Nothing reaches the mouse until Save.
            vmouse.clearTrace()
            closeDialog()
            compare(vmouse.commandTraffic().length, 0)
            verify(keyMatrix().isSave)
            compare(hex(slotCodes(slot)), hex(data.codes))
            compare(findChild(findChild(keyMatrix(), "keyRow" + slot), "keyText").text, data.text)
            compare(keyMatrix().modKeys.get(slot).keyText,
                    dialog().keyCodeToString(data.codes[0], data.codes[1], data.codes[2], data.codes[3]))

            main.save()
            verify(!keyMatrix().isSave)
            compare(hex(deviceEntry(1, slot)), hex(data.device))
            compare(ui_View.mouseGetKeydefine(slot, false).map(Number), data.codes)
            if (data.codes[0] === 8) {
                // Gun mode: the first entry of matrix 2 carries slot 1's period.
                var presets = part("gunControl").gunNumberModel
                var p = presets.count > part("gunControl").selectGun1
                        ? parseInt(presets.get(part("gunControl").selectGun1).gunPeriod, 10) : 10
                compare(hex(deviceEntry(2, 0)), hex([11, 0, p, 0]))
                compare(deviceEntry(2, slot)[0], 8)
            }
        }

        // Every cell of every grid, chosen with the pointer where the open grid
        // is drawn: the click lands on the cell, not on a later section.
        function test_gridByPointer_data() {
            var rows = []
            var grids = [["mediaGrid", "mediaTable"], ["windowsGrid", "windowsTable"], ["shortcutGrid", "shortcutTable"]]
            var device = { "Volume+": [3, 0, 0xE9, 0], "Volume-": [3, 0, 0xEA, 0], "Run": [0, 0, 0xE3, 0x15] }
            for (var g of grids) {
                var table = dialog()[g[1]]
                for (var i = 0; i < table.length; ++i) {
                    var text = dialog().lang(table[i][0])
                    rows.push({ tag: g[0] + " " + text, grid: g[0], cell: i, code: table[i][1], text: text,
                                device: device[text] })
                }
            }
            return rows
        }
        function test_gridByPointer(data) {
            openSlot(3)
            var grid = findChild(dialog(), data.grid)
            var view = findChild(dialog(), "assignView")
            var at = grid.mapToItem(view.contentItem, 0, 0)
            view.contentY = Math.max(0, Math.min(view.contentHeight - view.height, at.y - 40))
            // A header click during a slide (the last close) is ignored: click
            // until the grid opens.
            tryVerify(function () {
                if (!grid.isDrop)
                    mouseClick(grid)
                return grid.isDrop
            })
            tryVerify(function () { return grid.childrenRect.height >= grid.height + grid.rows * 24 })
            mouseClick(grid, (data.cell % 3 + 0.25) * grid.width, grid.height + Math.floor(data.cell / 3) * 24 + 12)
            compare(grid.currentSelect, data.cell)
            compare(dialog().codeString(dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3), data.code)
            compare(dialog().keyString, data.text)
            closeDialog()
            compare(keyMatrix().modKeys.get(3).keyText, data.text)
            if (data.device) {
                main.save()
                compare(hex(deviceEntry(1, 3)), hex(data.device))
            }
        }

        // Opened on a slot, every section shows that slot's function, whatever
        // the slot shown before left in them, and the view starts at the top.
        function test_stateOnOpen_data() {
            var none = { mouse: -1, dpi: -1, gun: -1, media: -1, windows: -1, shortcut: -1,
                         fire: ["Click Input", "10ms", "0", true], combo: "Click Input", macro: ["", 0] }
            function row(tag, codes, changes) {
                var r = { tag: tag, codes: codes }
                for (var k in none)
                    r[k] = changes[k] !== undefined ? changes[k] : none[k]
                return r
            }
            return [
                row("right", [0, 0, 0xF1, 0], { mouse: 2 }),
                row("disabled", [0, 0, 0, 0], { mouse: 6 }),
                row("fire", [1, 0x05, 20, 3], { fire: ["B", "20MS", "3", false] }),
                row("combination", [2, 1, 0x04, 0], { combo: "LCtrl+A" }),
                row("volume up", [3, 0, 0xE9, 0], { media: 6 }),
                row("macro", [4, 2, 3, 0], { macro: ["stateMacro", 2] }),
                row("dpi loop", [5, 0, 3, 0], { dpi: 2 }),
                row("run", [6, 0, 0xE3, 0x15], { windows: 6 }),
                row("copy", [7, 0, 0xE0, 0x06], { shortcut: 2 }),
                row("three gun", [8, 0, 3, 0], { gun: 2 })
            ]
        }
        function test_stateOnOpen(data) {
            dialog().macroList.addData(["otherMacro", "stateMacro"], false)
            // Leave slot 4 with a choice in every section and the view scrolled.
            openSlot(4)
            clickInDialog("mouseRadio5")
            clickInDialog("fireBox")
            main.detectKeyboard(true, 0x06)
            var rate = findChild(dialog(), "rateSlider")
            rate.valueChange(rate.slider.maxX)
            for (var g of ["mediaGrid", "windowsGrid", "shortcutGrid"]) {
                findChild(dialog(), g).currentSelect = 1
                findChild(dialog(), g).btnClick()
            }
            clickInDialog("macroOption1")
            dialog().macroList.choose(0)
            clickInDialog("dpiRadio0")
            clickInDialog("gunRadio0")
            clickInDialog("comboBox")
            main.detectKeyboard(true, 0x07)
            mouseClick(findChild(dialog(), "comboConfirm"))
            findChild(dialog(), "assignView").contentY = 300
            closeDialog()

            ui_View.setData("mouseMacroKey/3", "stateMacro")
            keyMatrix().modKeys.set(3, keyMatrix().slotOf(data.codes))
            openSlot(3)
            var radios = { mouse: ["mouseRadio", 7], dpi: ["dpiRadio", 4], gun: ["gunRadio", 3] }
            for (var r in radios)
                for (var i = 0; i < radios[r][1]; ++i)
                    compare(findChild(dialog(), radios[r][0] + i).isSelect, i === data[r], radios[r][0] + i)
            var grids = { media: "mediaGrid", windows: "windowsGrid", shortcut: "shortcutGrid" }
            for (var k in grids) {
                var grid = findChild(dialog(), grids[k])
                compare(grid.currentSelect, data[k], grids[k])
                compare(grid.textValue, data[k] < 0 ? "" : grid.entryText(data[k]))
            }
            compare(findChild(dialog(), "fireBox").children[0].text, data.fire[0])
            compare(rate.textValue, data.fire[1])
            compare(findChild(dialog(), "timesBox").textValue, data.fire[2])
            compare(findChild(dialog(), "endness").isSelect, data.fire[3])
            compare(findChild(dialog(), "comboText").text, data.combo)
            compare(dialog().macroList.textValue, data.macro[0])
            for (var m = 0; m < 3; ++m)
                compare(findChild(dialog(), "macroOption" + m).isSelect, m === data.macro[1], "macroOption" + m)
            compare(findChild(dialog(), "assignView").contentY, 0)
            compare(dialog().codeString(dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3),
                    dialog().codeString(data.codes[0], data.codes[1], data.codes[2], data.codes[3]))
            // Looking changes nothing.
            keyMatrix().isSave = false
            closeDialog()
            verify(!keyMatrix().isSave)
        }

        // Slots 5 and 6 trade places on the mouse.
        function test_swappedSlots() {
            openSlot(5)
            clickInDialog("mouseRadio2")
            closeDialog()
            main.save()
            compare(hex(deviceEntry(1, 6)), hex([1, 0, 0xF1, 0]))
        }

        function test_combination_data() {
            return [
                { tag: "ctrl+shift+a", keys: [0xE0, 0xE1, 0x04], codes: [2, 3, 0x04, 0], box: "LCtrl + LShift + A", list: "LCtrl+LShift+A" },
                { tag: "ralt+two keys", keys: [0xE6, 0x1E, 0x1F], codes: [2, 0x40, 0x1E, 0x1F], box: "RAlt + 1 + 2", list: "RAlt+1+2" },
                { tag: "three keys keep two", keys: [0x04, 0x05, 0x06], codes: [2, 0, 0x04, 0x05], box: "A + B", list: "A+B" },
                { tag: "held keys count once", keys: [0xE3, 0xE3, 0x2C, 0x2C], codes: [2, 8, 0x2C, 0], box: "LWin + Space", list: "LWin+Space" },
                { tag: "rwin alone", keys: [0xE7], codes: [2, 0x80, 0, 0], box: "RWin", list: "RWin" }
            ]
        }
        function test_combination(data) {
            openSlot(4)
            clickInDialog("comboBox")
            verify(dialog().isComboInput)
            compare(findChild(dialog(), "comboText").text, "")
            for (var i = 0; i < data.keys.length; ++i) {
                main.detectKeyboard(true, data.keys[i])
                main.detectKeyboard(false, data.keys[i])
            }
            compare(findChild(dialog(), "comboText").text, data.box)
            mouseClick(findChild(dialog(), "comboConfirm"))
            verify(!dialog().isComboInput)
            compare(hex([dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3]), hex(data.codes))
            compare(dialog().keyString, data.box)
            closeDialog()
            main.save()
            compare(hex(deviceEntry(1, 4)), hex([0].concat(data.codes.slice(1))))
            keyMatrix().init(false, false)
            compare(keyMatrix().modKeys.get(4).keyText, data.list)
        }

        function test_fireRateAndTimes() {
            openSlot(3)
            clickInDialog("fireBox")
            main.detectKeyboard(false, 0x3A)
            compare(dialog().keyString, "F1")
            compare(hex([dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3]), hex([1, 0x3A, 10, 0]))
            // A later key is not captured.
            main.detectKeyboard(true, 0x04)
            compare(dialog().keyCode1, 0x3A)
            // Times box: a number clears "Endless"; ticking it again gives 0.
            var times = findChild(dialog(), "timesBox")
            var endness = findChild(dialog(), "endness")
            verify(endness.isSelect)
            times.textValue = "7"
            times.endInputSignal()
            verify(!endness.isSelect)
            compare(dialog().keyCode3, 7)
            clickInDialog("endness")
            verify(endness.isSelect)
            compare(times.textValue, "0")
            compare(dialog().keyCode3, 0)
            // Rate: the slider's far end reads 80.
            var rate = findChild(dialog(), "rateSlider")
            rate.slider.setValue(rate.slider.maxX)
            rate.valueChange(rate.slider.maxX)
            compare(rate.textValue, "80MS")
            compare(dialog().keyCode2, 80)
            rate.valueChange(rate.slider.minX)
            compare(rate.textValue, "4MS")
            compare(dialog().keyCode2, 4)
            closeDialog()
            main.save()
            compare(hex(deviceEntry(1, 3)), hex([10, 0x3A, 4, 0]))
        }

        function test_macroBinding() {
            var list = dialog().macroList
            list.addData(["first", "second"], false)
            compare(list.count, 2)
            openSlot(2)
            clickInDialog("macroOption1")
            list.currentSelect = 1
            list.valueChange(1)
            compare(hex([dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3]), hex([4, 1, 2, 0]))
            compare(dialog().keyString, "second")
            // The option changes code1 while the assignment is a macro.
            clickInDialog("macroOption2")
            compare(dialog().keyCode1, 2)
            closeDialog()
            compare(String(ui_View.getData("mouseMacroKey/2", false)), "second")
            compare(keyMatrix().modKeys.get(2).keyText, "second")
            main.save()
            compare(hex(deviceEntry(1, 2)), hex([9, 2, 3, 0]))
            keyMatrix().init(false, false)
            compare(keyMatrix().modKeys.get(2).keyText, "second")
            // The list is replaced, not added to.
            list.addData(["only"], false)
            compare(list.count, 1)
        }

        // Another macro with the same option has the same four codes.
        function test_rebindToAnotherMacro() {
            ui_View.createMacroIni("rebindA", 0)
            ui_View.saveMacroIni("rebindA", ["1,A", "2,A"], 1)
            ui_View.createMacroIni("rebindB", 0)
            ui_View.saveMacroIni("rebindB", ["1,B", "2,B"], 3)
            var list = dialog().macroList
            list.addData(["rebindA", "rebindB"], false)
            var pad = function (bytes) { while (bytes.length < 128) bytes.push(0); return bytes }
            openSlot(2)
            clickInDialog("macroOption0")
            list.currentSelect = 0
            list.valueChange(0)
            closeDialog()
            compare(vmouse.state().macros["3"], pad([0, 1, 1, 0x04, 0x81, 0x04, 0, 0]))
            main.save()

            openSlot(2)
            list.currentSelect = 1
            list.valueChange(1)
            compare(hex([dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3]), hex([4, 0, 2, 0]))
            closeDialog()
            verify(keyMatrix().isSave)
            compare(keyMatrix().modKeys.get(2).keyText, "rebindB")
            compare(String(ui_View.getData("mouseMacroKey/2", false)), "rebindB")
            compare(vmouse.state().macros["3"], pad([0, 3, 1, 0x05, 0x81, 0x05, 0, 0]))

            // Closing on the same macro still changes nothing.
            keyMatrix().isSave = false
            openSlot(2)
            vmouse.clearTrace()
            closeDialog()
            verify(!keyMatrix().isSave)
            compare(vmouse.commandTraffic().length, 0)
            ui_View.deleteMacroIni("rebindA")
            ui_View.deleteMacroIni("rebindB")
        }

        function test_cancelChangesNothing() {
            var before = slotCodes(4)
            openSlot(4)
            clickInDialog("comboBox")
            main.detectKeyboard(true, 0xE0)
            main.detectKeyboard(true, 0x04)
            mouseClick(findChild(dialog(), "comboCancel"))
            verify(!dialog().isComboInput)
            compare(findChild(dialog(), "comboText").text, "Click Input")
            // An empty capture confirmed changes nothing either.
            clickInDialog("comboBox")
            mouseClick(findChild(dialog(), "comboConfirm"))
            compare(findChild(dialog(), "comboText").text, "Click Input")
            // A capture left open ends with the dialog.
            clickInDialog("fireBox")
            vmouse.clearTrace()
            closeDialog()
            verify(!dialog().isFireInput)
            compare(slotCodes(4), before)
            verify(!keyMatrix().isSave)
            main.detectKeyboard(true, 0x05)
            compare(slotCodes(4), before)
            main.save()
            compare(vmouse.commandTraffic().length, 0)
        }

        function test_lastLeftButtonKept() {
            var mouseMain = part("mouseMain")
            compare(slotCodes(0), [0, 0, 0xF0, 0])
            // Only slot 0 is a left button: neither its hot spot nor its row
            // opens, and each says why beside the key.
            var note = part("fixedKeyNote")
            var why = "Key 1 is the mouse's only left button and cannot be reassigned. Make another key a Left Key first."
            mouseClick(findChild(mouseMain, "hotSpot0"))
            verify(!dialog().visible)
            compare(mouseMain.selectKey, -1)
            verify(note.visible)
            compare(findChild(note, "fixedKeyText").text, why)
            compare(note.y, findChild(mouseMain, "hotSpot0").y + 28)
            note.hide()
            mouseClick(findChild(keyMatrix(), "keyRow0"))
            verify(!dialog().visible)
            compare(mouseMain.selectKey, 0)
            verify(note.visible)
            compare(findChild(note, "fixedKeyText").text, why)
            // With a second left button either can change.
            mouseClick(findChild(mouseMain, "hotSpot1"))
            verify(dialog().visible)
            verify(!note.visible)
            clickInDialog("mouseRadio0")
            closeDialog()
            compare(mouseMain.selectKey, -1)
            mouseClick(findChild(mouseMain, "hotSpot0"))
            verify(dialog().visible)
            compare(dialog().slot, 0)
        }

        function test_hotSpotsFollowKeyCount() {
            var mouseMain = part("mouseMain")
            var count = mouseMain.keyCount
            for (var n of [5, 8, 3]) {
                mouseMain.keyCount = n
                keyMatrix().keyCount = n
                for (var i = 0; i < 8; ++i) {
                    var spot = findChild(mouseMain, "hotSpot" + i)
                    compare(spot !== null && spot.visible, i < n, "hot spot " + i + " of " + n)
                    compare(findChild(keyMatrix(), "keyRow" + i).visible, i < n, "row " + i + " of " + n)
                }
                compare(keyMatrix().height, 40 + 24 * n + 2 * (n - 1) + 8)
            }
            mouseMain.keyCount = count
            keyMatrix().keyCount = Math.min(8, count)
        }

        function test_undo() {
            openSlot(3)
            clickInDialog("dpiRadio1")
            closeDialog()
            keyMatrix().isSave = false
            openSlot(3)
            mouseClick(findChild(dialog(), "assignUndo"))
            var factory = ui_View.mouseGetKeydefine(3, true).map(Number)
            compare(slotCodes(3), factory)
            compare([dialog().keyCode0, dialog().keyCode1, dialog().keyCode2, dialog().keyCode3], factory)
            verify(keyMatrix().isSave)
            closeDialog()
            // The key list's undo takes every slot back to the factory profile.
            openSlot(1)
            clickInDialog("mouseRadio5")
            closeDialog()
            mouseClick(findChild(keyMatrix(), "keyMatrixUndo"))
            for (var j = 0; j < 16; ++j)
                compare(slotCodes(j), ui_View.mouseGetKeydefine(j, true).map(Number), "slot " + j)
        }

        function test_unreadableSlotKeepsBuiltIn() {
            ui_View.setData("mouseKeyMatrix/9", [1, 2])
            ignoreWarning(/key slot 9 unreadable/)
            keyMatrix().init(false, false)
            compare(slotCodes(9), [0, 0, 0, 0])
            compare(slotCodes(8), saved[8])
            keyMatrix().isSave = true
            vmouse.clearTrace()
            main.save()
            compare(hex(deviceEntry(1, 9)), hex([1, 0, 0, 0]))
        }

        function test_keyTexts() {
            var d = dialog()
            compare(d.keyCodeToString(0, 0, 0, 0), "Report Rate")
            compare(d.keyCodeToString(0, 0, 0x1E, 0), "Double Fire")
            compare(d.keyCodeToString(1, 0x31, 0, 0), "\\")
            compare(d.keyCodeToString(3, 0, 0x99, 0), "")
            compare(d.keyCodeToString(8, 0, 3, 0), "Three Gun")
            compare(d.keyCodeToString(0xFF, 0, 1, 0), "")
            // Rows 9 and up carry no "Key" label; slots 8 to 13 hold 00 00 00 00.
            compare(keyMatrix().modKeys.get(9).keyText, main.mainLang[3])
        }

        function test_keyCodeTable() {
            var component = Qt.createComponent("qrc:/modules/qml/common/KeyCodeString.qml")
            var table = component.createObject(window)
            compare(table.keyCode.length, 133)
            compare(table.keycodeTostr(0x04), "A")
            compare(table.keycodeTostr(0x58), "KPEnter")
            compare(table.keycodeTostr(0x91), "Lang2")
            compare(table.keycodeTostr(0xF4), "MS-B5")
            compare(table.keycodeTostr(0x99), "")
            compare(table.strTokeycode("\\"), 0x31)
            compare(table.strTokeycode("RWin"), 0xE7)
            compare(table.strTokeycode("nothing"), 0)
            // The language section replaces the names as a whole.
            var names = ui_View.getLangStrings("keyCode", "English")
            table.keyCodeStr = names.map(function (n, i) { return i === 0 ? "Ä" : n })
            compare(table.keycodeTostr(0x04), "Ä")
            ignoreWarning(/keyCode names refused/)
            table.keyCodeStr = ["A", "B"]
            compare(table.keycodeTostr(0x05), "B")
            compare(table.keycodeTostr(0x28), "Enter")
            table.destroy()
        }
    }
}
