import QtQuick
import QtTest

// The macro editor on the real back end and the virtual mouse: recording,
// editing, the bytes sent for bound buttons, and the key list kept in step.
Item {
    id: window
    width: 1024
    height: 640

    Loader {
        id: loader
        source: "qrc:/modules/qml/main.qml"
    }
    SignalSpy { id: renamedSpy; target: testCase.editor; signalName: "modifyMacroName" }
    SignalSpy { id: deletedSpy; target: testCase.editor; signalName: "deleteMacro" }

    TestCase {
        id: testCase
        name: "MacroEditor"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item
        property var editor: main && main.isPownOn ? findChild(main, "macroEditor") : null
        property var factoryMatrix: []

        function part(name) { return findChild(main, name) }
        function inEditor(name) { return findChild(editor, name) }
        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
            if (!editor.visible)
                main.openDialog(editor, true)
        }
        // Every test starts from an empty macro list and the factory keys.
        function init() {
            ready()
            while (editor.macroModel.count > 0) {
                editor.macroNumber_lv.currentIndex = 0
                editor.removeSelected()
            }
            part("keyMatrix").init(true, true)
            factoryMatrix = vmouse.state().keyMatrix1
            renamedSpy.clear()
            deletedSpy.clear()
            editor.delayRecord = false
            editor.repeatBox.textValue = "1"
        }
        function cleanupTestCase() {
            init()
            editor.close()
        }
        function stored(name) { return ui_View.loadMacroIni(name) }
        function names() { return editor.nameList() }
        function storedNames() {
            var list = ui_View.getNameList(0).map(String)
            return list.length === 2 && list[1] === "vornakelpish" ? [list[0]] : list
        }
        function block(slot) { return vmouse.state().macros[String(slot + 1)] }
        function expectedBlock(bytes) {
            var out = bytes.slice()
            while (out.length < 128)
                out.push(0)
            return out
        }
        // What the assignment page does when a button is given a macro.
        function bind(slot, name) {
            ui_View.setData("mouseMacroKey/" + slot, name)
            main.setSlotCodes(slot, [4, 0, slot, 0])
            part("keyMatrix").saveData()
            editor.sendMacro(slot, name)
        }
        function rightClick(item, x, y) { mouseClick(item, x, y, Qt.RightButton) }
        function clickAction(i, button) {
            var list = inEditor("actionList")
            // Rows are laid out on the next frame.
            tryVerify(function () { return list.itemAtIndex(i) !== null })
            mouseClick(list, 100, 27 * i + 13, button === undefined ? Qt.LeftButton : button)
        }
        function chooseInMenu(menuRow) {
            var row = inEditor(menuRow)
            verify(row.parent.parent.visible, menuRow + " menu open")
            mouseClick(row, 20, 12)
        }
        function record(events) {
            for (var e of events) {
                if (e[0] === "tick")
                    editor.tickCount = e[1]
                else
                    main.detectKeyboard(e[0] === "down", e[1])
            }
        }

        function test_recordKeyAndSendToBoundButton() {
            mouseClick(inEditor("newButton"))
            compare(names(), ["Macro_0"])
            compare(editor.macroNumber_lv.currentIndex, 0)
            var name = "Macro_0"

            mouseClick(inEditor("delayCheck"))
            verify(editor.delayRecord)
            mouseClick(inEditor("recordButton"))
            verify(editor.isInputting)
            // The ticks stand for 120 ms between the two events.
            record([["down", 0x04], ["tick", 12], ["up", 0x04]])
            compare(editor.actionModel.count, 3)
            compare(stored(name), ["1"], "stored when recording stops")
            mouseClick(inEditor("recordButton"))
            verify(!editor.isInputting)
            compare(stored(name), ["1,A", "0,120", "2,A", "1"])
            // The rows show their kind as a picture: a screen reader says it.
            var actions = inEditor("actionList")
            compare([0, 1, 2].map(function (i) { return actions.itemAtIndex(i).Accessible.name }),
                    ["1 Key down A", "2 Delay 120 ms", "3 Key up A"])
            actions.itemAtIndex(1).forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Space)
            compare(actions.currentIndex, 1)

            vmouse.clearTrace()
            bind(3, name)
            compare(block(3), expectedBlock([0, 1, 12, 0x04, 0x81, 0x04, 0, 0]))
            compare(part("keyMatrix").modKeys.get(3).keyText, name)

            // A change is stored and sent again to the bound button.
            editor.repeatBox.txtInput.forceActiveFocus()
            editor.repeatBox.textValue = "300"
            editor.macroEditorFocus()
            compare(stored(name)[3], "300")
            compare(block(3), expectedBlock([1, 44, 12, 0x04, 0x81, 0x04, 0, 0]))

            // Without "Delay" the keys follow each other by one unit; the first
            // key never gets a delay before it.
            mouseClick(inEditor("delayCheck"))
            verify(!editor.delayRecord)
            mouseClick(inEditor("recordButton"))
            record([["tick", 40], ["down", 0xE1], ["tick", 30], ["down", 0x05], ["up", 0x05], ["up", 0xE1]])
            mouseClick(inEditor("recordButton"))
            compare(stored(name), ["1,LShift", "1,B", "2,B", "2,LShift", "300"])
            compare(block(3), expectedBlock([1, 44, 1, 0xE1, 1, 0x05, 0x81, 0x05, 0x81, 0xE1, 0, 0]))

            // With no macro selected nothing is recorded.
            mouseClick(inEditor("recordButton"))
            editor.macroNumber_lv.currentIndex = -1
            record([["down", 0x06]])
            editor.macroNumber_lv.currentIndex = 0
            compare(editor.actionModel.count, 0)
            editor.stopRecord()
            compare(stored(name), ["300"], "a recording without keys stores an empty macro")
            compare(block(3), [1, 44].concat(expectedBlock([]).slice(2)))
        }

        // Where only the program's own keys are captured the editor says so,
        // in the language file's text.
        function test_focusNote() {
            var note = inEditor("focusNote")
            verify(!note.visible)
            main.keysInWindowOnly = true
            verify(note.visible)
            compare(note.text, ui_View.getLangStrings("capture", main.language)[0])
            verify(note.text !== "")
            main.keysInWindowOnly = false
            verify(!note.visible)
        }
        function test_recordingStopsAtTheBlockLimit() {
            editor.newMacro()
            editor.startRecord()
            for (var i = 0; i < 40; ++i)
                record([["down", 0x04], ["up", 0x04]])
            // 6 bytes for the first action and 2 for each further one.
            compare(editor.actionModel.count, 61)
            compare(editor.encodedLength(), 126)
            editor.stopRecord()

            // A long pause before the last key would overflow the block.
            editor.newMacro()
            editor.delayRecord = true
            editor.startRecord()
            for (i = 0; i < 30; ++i)
                record([["down", 0x04], ["up", 0x04]])
            compare(editor.encodedLength(), 124)
            ignoreWarning(/refused an action/)
            record([["tick", 200], ["down", 0x05]])
            compare(editor.actionModel.count, 60 + 59)
            compare(editor.encodedLength(), 124)
            compare(inEditor("refusalNote").text, "The macro would not fit in the mouse's memory, so nothing was changed.")
            editor.stopRecord()
        }

        function test_closeWhileRecordingAndUnsentSlots() {
            editor.newMacro()
            var name = editor.selectedName()
            mouseClick(inEditor("recordButton"))
            record([["down", 0x04], ["up", 0x04]])
            editor.close()
            verify(!editor.isInputting)
            verify(!editor.visible)
            verify(!part("mask").visible)
            compare(stored(name), ["1,A", "2,A", "1"])

            // The device keeps macros for key slots 0 to 11 only.
            var before = vmouse.state().macros
            bind(12, name)
            compare(vmouse.state().macros, before)
            compare(String(ui_View.getData("mouseMacroKey/12", false)), name)
        }

        function test_encoding_data() {
            return [
                { tag: "no action", rows: ["0,500"], repeat: 2, bytes: [0, 2] },
                { tag: "single action", rows: ["1,A"], repeat: 1, bytes: [0, 1, 1, 0x04, 0, 0] },
                { tag: "leading and trailing delays", rows: ["0,90", "1,A", "0,30", "0,20", "2,A", "0,700"], repeat: 1,
                    bytes: [0, 1, 5, 0x04, 0x81, 0x04, 0, 0] },
                { tag: "127 units", rows: ["1,Z", "0,1270", "2,Z"], repeat: 1,
                    bytes: [0, 1, 0, 0x1D, 0, 1, 0, 63, 0x81, 0x1D, 0, 0] },
                { tag: "126 units on a release", rows: ["2,Z", "0,1260", "1,Z"], repeat: 1,
                    bytes: [0, 1, 0x80 + 126, 0x1D, 1, 0x1D, 0, 0] },
                { tag: "50 ms units", rows: ["3,MS-L", "0,65535", "0,65535", "0,65535", "0,65535", "0,65535", "0,65535",
                        "0,65535", "0,65535", "0,65535", "0,65535", "0,65535", "0,65535", "0,65535", "0,65535",
                        "0,65535", "0,65535", "4,MS-L"], repeat: 9999,
                    bytes: [39, 15, 0, 0xF0, 0, 2, 81, 235, 0x81, 0xF0, 0, 0] },
                { tag: "mouse keys and an unknown name", rows: ["3,MS-R", "4,MS-M", "1,", "2,NoSuchKey"], repeat: 1,
                    bytes: [0, 1, 1, 0xF1, 0x81, 0xF2, 1, 0, 0x81, 0, 0, 0] }
            ]
        }
        function test_encoding(data) {
            compare(editor.encode(data.rows, data.repeat), data.bytes)
        }

        function test_insertAndDeleteActions() {
            editor.newMacro()
            var name = editor.selectedName()
            // Below the rows the menu adds at the end.
            rightClick(inEditor("actionList"), 100, 200)
            chooseInMenu("insertLeft")
            compare(stored(name), ["3,MS-L", "4,MS-L", "1"])

            clickAction(0, Qt.RightButton)
            compare(editor.macroNumber_lv.currentIndex, 0)
            chooseInMenu("insertDelay")
            compare(stored(name), ["0,50", "3,MS-L", "4,MS-L", "1"])
            compare(inEditor("actionList").currentIndex, 0)

            // The key-insert box keeps what the capture last showed.
            clickAction(0, Qt.RightButton)
            chooseInMenu("insertKey")
            verify(editor.isInsertting)
            verify(inEditor("insertBox").visible)
            main.detectKeyboard(true, 0x05)
            main.detectKeyboard(true, 0xF0)
            compare(inEditor("insertField").text, "B")
            mouseClick(inEditor("insertOk"))
            verify(!editor.isInsertting)
            verify(!inEditor("insertBox").visible)
            compare(stored(name), ["1,B", "2,B", "0,50", "3,MS-L", "4,MS-L", "1"])

            // On the last row, mouse keys are appended; elsewhere they follow it.
            clickAction(4, Qt.RightButton)
            chooseInMenu("insertRight")
            clickAction(0, Qt.RightButton)
            chooseInMenu("insertMiddle")
            compare(stored(name), ["1,B", "3,MS-M", "4,MS-M", "2,B", "0,50", "3,MS-L", "4,MS-L", "3,MS-R", "4,MS-R", "1"])

            // A delay is edited in place; text that is no number is dropped.
            mouseDoubleClickSequence(inEditor("actionList"), 100, 27 * 4 + 13)
            var delay = inEditor("delayEditor")
            verify(delay.visible)
            compare(delay.selectedText, "50")
            delay.text = "250"
            editor.macroEditorFocus()
            verify(!delay.visible)
            compare(stored(name)[4], "0,250")
            mouseDoubleClickSequence(inEditor("actionList"), 100, 27 * 4 + 13)
            delay.text = ""
            keyClick(Qt.Key_Return)
            compare(stored(name)[4], "0,250")

            clickAction(4, Qt.RightButton)
            chooseInMenu("actionDelete")
            clickAction(0, Qt.RightButton)
            chooseInMenu("actionDelete")
            compare(stored(name), ["3,MS-M", "4,MS-M", "2,B", "3,MS-L", "4,MS-L", "3,MS-R", "4,MS-R", "1"])
            compare(editor.actionModel.count, 7)
        }

        // OK with no key captured inserts nothing and says why.
        function test_insertKeyWithoutKey() {
            editor.newMacro()
            var name = editor.selectedName()
            editor.insertMouse("MS-L")
            editor.insertKeyName = ""
            clickAction(1, Qt.RightButton)
            chooseInMenu("insertKey")
            verify(inEditor("insertBox").visible)
            compare(inEditor("insertField").text, "")
            main.detectKeyboard(true, 0xF1)
            mouseClick(inEditor("insertOk"))
            verify(!editor.isInsertting)
            verify(!inEditor("insertBox").visible)
            compare(stored(name), ["3,MS-L", "4,MS-L", "1"])
            compare(inEditor("refusalNote").text, "No key was pressed, so nothing was inserted.")
            verify(inEditor("refusalNote").visible)
        }

        // A delay over the maximum keeps the old one and says why.
        function test_delayOverMaximum() {
            editor.newMacro()
            var name = editor.selectedName()
            editor.insertDelay()
            mouseDoubleClickSequence(inEditor("actionList"), 100, 13)
            var delay = inEditor("delayEditor")
            verify(delay.visible)
            for (var k of [Qt.Key_7, Qt.Key_0, Qt.Key_0, Qt.Key_0, Qt.Key_0])
                keyClick(k)
            compare(delay.text, "70000")
            keyClick(Qt.Key_Return)
            compare(stored(name), ["0,50", "1"])
            compare(editor.actionModel.get(0).info, "50")
            compare(inEditor("refusalNote").text, "A delay can be at most 65535 ms.")
            verify(inEditor("refusalNote").visible)
        }

        function test_renameBoundMacro() {
            editor.newMacro()
            editor.newMacro()
            editor.insertMouse("MS-L")
            compare(editor.selectedName(), "Macro_1")
            bind(2, "Macro_1")
            var before = stored("Macro_1")
            var renamed = renamedSpy

            mouseDoubleClickSequence(inEditor("macroList"), 60, 27 + 13)
            var input = inEditor("nameEditor")
            verify(input.visible)
            compare(input.selectedText, "Macro_1")
            input.text = "Boss"
            keyClick(Qt.Key_Return)
            verify(!input.visible)
            compare(renamed.count, 1)
            compare(names(), ["Macro_0", "Boss"])
            compare(storedNames(), ["Macro_0", "Boss"])
            compare(stored("Boss"), before)
            compare(stored("Macro_1"), [])
            compare(String(ui_View.getData("mouseMacroKey/2", false)), "Boss")
            compare(part("keyMatrix").modKeys.get(2).keyText, "Boss")

            // The next change goes to the button under the new name.
            vmouse.clearTrace()
            editor.insertMouse("MS-R")
            compare(block(2), expectedBlock([0, 1, 1, 0xF0, 1 + 0x80, 0xF0, 1, 0xF1, 0x81, 0xF1, 0, 0]))
        }

        // F2 renames the focused macro row; the Menu key and Shift+F10 open
        // a row's menu, whose entries the arrows or Tab reach and Return or
        // Space run; Escape gives focus back to the row.
        function test_renameAndMenusFromKeys() {
            editor.newMacro()
            editor.newMacro()
            editor.insertMouse("MS-L")
            var list = inEditor("macroList")
            var input = inEditor("nameEditor")
            tryVerify(function () { return list.itemAtIndex(1) !== null })
            list.itemAtIndex(1).forceActiveFocus()
            keyClick(Qt.Key_F2)
            compare(input.selectedText, "Macro_1")
            keyClick("B")
            keyClick(Qt.Key_Escape)
            verify(!input.visible && editor.visible)
            keyClick(Qt.Key_F2)
            for (var c of "Boss")
                keyClick(c)
            keyClick(Qt.Key_Return)
            compare(storedNames(), ["Macro_0", "Boss"])

            var menu = inEditor("macroMenu")
            keyClick(Qt.Key_Menu)
            verify(menu.visible)
            compare(menu.Accessible.role, Accessible.PopupMenu)
            keyClick(Qt.Key_Up)
            verify(inEditor("menuExport").activeFocus)
            compare(inEditor("menuExport").Accessible.role, Accessible.MenuItem)
            keyClick(Qt.Key_Escape)
            verify(!menu.visible && editor.visible)
            verify(list.itemAtIndex(1).activeFocus)

            var actions = inEditor("actionList")
            actions.itemAtIndex(0).forceActiveFocus()
            keyClick(Qt.Key_F10, Qt.ShiftModifier)
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Return)
            compare(stored("Boss"), ["0,50", "3,MS-L", "4,MS-L", "1"])
            keyClick(Qt.Key_Menu)
            keyClick(Qt.Key_Space)
            compare(stored("Boss"), ["3,MS-L", "4,MS-L", "1"])
        }

        function test_badNamesRefused_data() {
            return [
                { tag: "another macro's name", name: "Macro_0", says: "Another macro is already named “Macro_0”." },
                { tag: "its own name", name: "Macro_1", says: "" },
                { tag: "empty", name: "", says: "A macro name cannot be empty." },
                { tag: "with a slash", name: "a/b", says: "A macro name cannot contain / or a backslash." },
                { tag: "with a backslash", name: "a\\b", says: "A macro name cannot contain / or a backslash." },
                { tag: "dot dot", name: "..", says: "This name cannot be used for a macro." }
            ]
        }
        function test_badNamesRefused(data) {
            editor.newMacro()
            editor.newMacro()
            editor.insertDelay()
            bind(4, "Macro_1")
            var renamed = renamedSpy
            var before = [names(), storedNames(), stored("Macro_0"), stored("Macro_1")]

            mouseDoubleClickSequence(inEditor("macroList"), 60, 27 + 13)
            inEditor("nameEditor").text = data.name
            ignoreWarning(/rename of Macro_1 .* refused/)
            editor.macroEditorFocus()
            compare(renamed.count, 0)
            compare([names(), storedNames(), stored("Macro_0"), stored("Macro_1")], before)
            compare(String(ui_View.getData("mouseMacroKey/4", false)), "Macro_1")
            // The editor says why, until the next press in it.
            compare(inEditor("refusalNote").visible, data.says !== "")
            compare(inEditor("refusalNote").text, data.says)
            mouseClick(inEditor("actionList"), 100, 200)
            verify(!inEditor("refusalNote").visible)
        }

        function test_deleteBoundMacro() {
            editor.newMacro()
            editor.newMacro()
            editor.newMacro()
            editor.macroNumber_lv.currentIndex = 1
            editor.loadActions()
            editor.insertMouse("MS-M")
            bind(1, "Macro_1")
            compare(main.slotCodes(1), [4, 0, 1, 0])
            verify(JSON.stringify(vmouse.state().keyMatrix1) !== JSON.stringify(factoryMatrix))
            var factory = ui_View.mouseGetKeydefine(1, true).map(Number)
            verify(factory[0] !== 4)
            var deleted = deletedSpy
            // An edit of another key that waits for Save.
            main.setSlotCodes(4, [5, 0, 3, 0])
            part("keyMatrix").isSave = true
            var boundMatrix = vmouse.state().keyMatrix1
            // Key 6 of another profile uses it too.
            var here = part("profile").profileNo
            var other = here === 1 ? 2 : 1
            ui_View.setCurrentProfile(other)
            ui_View.setDataList("mouseKeyMatrix/5", [4, 0, 5, 0])
            ui_View.setData("mouseMacroKey/5", "Macro_1")
            ui_View.setCurrentProfile(here)
            var rows = ui_View.getNameList(2).map(String)
            ui_View.updataNameList(2, rows.filter(function (r) { return r !== "vornakelpish" }).concat(["Work" + other]))
            var files = [storedNames(), stored("Macro_1"), ui_View.getDataList("mouseKeyMatrix/1", false).map(Number)]

            // The question names the key; Cancel changes nothing.
            vmouse.clearTrace()
            rightClick(inEditor("macroList"), 60, 27 + 13)
            chooseInMenu("menuDelete")
            verify(inEditor("deleteBox").visible)
            compare(inEditor("deleteQuestion").text,
                    "Delete the macro “Macro_1”?\nKeys that use it go back to their default function: Key 2; "
                    + "in the profile “Work”: Key 6")
            mouseClick(inEditor("deleteCancel"))
            verify(!inEditor("deleteBox").visible)
            compare(deleted.count, 0)
            compare(names(), ["Macro_0", "Macro_1", "Macro_2"])
            compare([storedNames(), stored("Macro_1"), ui_View.getDataList("mouseKeyMatrix/1", false).map(Number)], files)
            compare(vmouse.commandTraffic().length, 0)

            mouseClick(inEditor("deleteButton"))
            verify(inEditor("deleteBox").visible)
            mouseClick(inEditor("deleteOk"))
            verify(!inEditor("deleteBox").visible)
            compare(deleted.count, 1)
            compare(deleted.signalArguments[0][0], "Macro_1")
            compare(names(), ["Macro_0", "Macro_2"])
            compare(storedNames(), ["Macro_0", "Macro_2"])
            compare(stored("Macro_1"), [])
            compare(editor.macroNumber_lv.currentIndex, 1)
            compare(editor.selectedName(), "Macro_2")
            // The button takes its factory assignment, stored and sent; the
            // other key's edit still waits for Save.
            compare(main.slotCodes(1), factory)
            compare(ui_View.getDataList("mouseKeyMatrix/1", false).map(Number), factory)
            compare(vmouse.state().keyMatrix1, factoryMatrix)
            verify(JSON.stringify(boundMatrix) !== JSON.stringify(factoryMatrix))
            compare(main.slotCodes(4), [5, 0, 3, 0])
            verify(part("keyMatrix").isSave)
            compare(ui_View.getDataList("mouseKeyMatrix/4", false).map(Number), ui_View.mouseGetKeydefine(4, true).map(Number))
            ui_View.setCurrentProfile(other)
            compare(ui_View.getDataList("mouseKeyMatrix/5", false).map(Number), ui_View.mouseGetKeydefine(5, true).map(Number))
            ui_View.setCurrentProfile(here)
            ui_View.updataNameList(2, rows)
            // A macro no key uses says so.
            mouseClick(inEditor("deleteButton"))
            compare(inEditor("deleteQuestion").text, "Delete the macro “Macro_2”?\nNo key uses it.")
            mouseClick(inEditor("deleteOk"))
            compare(names(), ["Macro_0"])
            part("keyMatrix").init(false, false)
            part("keyMatrix").isSave = false
        }

        function test_hundredMacrosLimit() {
            for (var i = 0; i < 100; ++i)
                verify(editor.newMacro())
            compare(names()[99], "Macro_99")
            ignoreWarning(/refused a new macro/)
            mouseClick(inEditor("newButton"))
            compare(editor.macroModel.count, 100)
            compare(inEditor("refusalNote").text, "The list holds at most 100 macros.")
            ignoreWarning(/refused an import/)
            verify(!editor.importMacro())
            compare(storedNames().length, 100)

            // A freed number is taken again.
            editor.macroNumber_lv.currentIndex = 40
            editor.removeSelected()
            verify(editor.newMacro())
            compare(editor.selectedName(), "Macro_40")
        }

        // Files left behind without a list entry keep their events: import
        // and New take the next number that has no file.
        function test_importNeverOverwritesAMacroFile() {
            var file = function (name) { return vmouse.fileHex("./modules/macro/" + name + ".bin") }
            for (var left of ["Macro_0", "Macro_1"])
                ui_View.deleteMacroIni(left)
            ui_View.createMacroIni("Macro_0", 0)
            ui_View.saveMacroIni("Macro_0", ["1,A", "2,A"], 2)
            ui_View.createMacroIni("Macro_1", 0)
            ui_View.saveMacroIni("Macro_1", ["1,B", "2,B"], 3)
            var before = [file("Macro_0"), file("Macro_1")]
            verify(before[0] !== "" && before[1] !== "")
            ui_View.createMacroIni("source", 0)
            ui_View.saveMacroIni("source", ["1,C", "2,C"], 4)
            vmouse.answerFileDialogs("./source.mc")
            ui_View.saveMacroFile("source")
            ui_View.deleteMacroIni("source")

            verify(editor.importMacro())
            compare(names(), ["Macro_2"])
            compare(stored("Macro_2"), ["1,C", "2,C", "4"])
            compare(editor.actionModel.count, 2)
            vmouse.answerFileDialogs("")
            verify(editor.newMacro())
            compare(editor.selectedName(), "Macro_3")
            compare(stored("Macro_3"), ["1"])
            compare(storedNames(), ["Macro_2", "Macro_3"])
            compare([file("Macro_0"), file("Macro_1")], before)
            // The back end refuses to create over a file too.
            compare(ui_View.createMacroIni("Macro_0", 0), false)
            compare(file("Macro_0"), before[0])
            ui_View.deleteMacroIni("Macro_0")
            ui_View.deleteMacroIni("Macro_1")
        }

        function test_importAndExport() {
            editor.newMacro()
            editor.insertMouse("MS-L")
            vmouse.answerFileDialogs("")
            var asked = vmouse.fileDialogsAsked().length
            rightClick(inEditor("macroList"), 60, 13)
            chooseInMenu("menuImport")
            compare(vmouse.fileDialogsAsked().length, asked + 1)
            // Cancel: an empty macro, inserted before the selected row.
            compare(names(), ["Macro_1", "Macro_0"])
            compare(editor.macroNumber_lv.currentIndex, 0)
            compare(editor.actionModel.count, 0)
            compare(stored("Macro_1"), ["1"])
            compare(storedNames(), ["Macro_1", "Macro_0"])
            // The assignment page offers the same names.
            var offered = part("keyAssigment").macroList.mdItems
            compare(offered.count, 2)
            compare(offered.get(0).textValue, "Macro_1")

            vmouse.answerFileDialogs("./exported.mc")
            rightClick(inEditor("macroList"), 60, 27 + 13)
            chooseInMenu("menuExport")
            rightClick(inEditor("macroList"), 60, 27 + 13)
            chooseInMenu("menuImport")
            compare(names(), ["Macro_1", "Macro_2", "Macro_0"])
            compare(stored("Macro_2"), stored("Macro_0"))
            compare(editor.actionModel.count, 2)
            vmouse.answerFileDialogs("")
        }
    }
}
