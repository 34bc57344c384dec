import QtQuick
import QtTest

// The profile dialog and the top profile drop-down on the real back end.
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
        name: "Profile"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item
        // The screen is built on the first initUI.
        property var profile: main && main.isPownOn ? part("profile") : null
        property var topList: main && main.isPownOn ? part("menuUp").profileBtn : null

        function part(name) { return main ? findChild(main, name) : null }
        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
        }
        // Stored rows and the active profile, as a start-up would find them.
        function start(stored, active) {
            ready()
            ui_View.updataNameList(2, stored)
            ui_View.setGlobalData("mouse/profileNo", active)
            ui_View.setCurrentProfile(active)
            profile.profileNo = -1
            profile.init()
            profile.profileNo = active
            topList.currentSelect = profile.activeRow
            profile.profileFocus()
            main.openProfile()
            verify(profile.visible)
            settled()
        }
        // The row list lays out its rows anew before the next frame.
        function settled() {
            var list = findChild(profile, "rowList")
            tryVerify(function () { return !isPolishScheduled(list) })
        }
        function rowsOf() {
            var out = []
            for (var i = 0; i < profile.profileDataModel0.count; ++i) {
                var r = profile.profileDataModel0.get(i)
                out.push(r.textValue + r.profileNo)
            }
            return out
        }
        function stored() { return ui_View.getNameList(2).map(String) }
        // The line under the list that says why an action was refused.
        function note() {
            var line = findChild(profile, "profileNote")
            return line.visible ? line.text : ""
        }
        function rowPoint(row) { return { "x": 100, "y": row * 27 + 13 } }
        function menuOn(row) {
            settled()
            var list = findChild(profile, "rowList")
            var p = rowPoint(row)
            mouseClick(list, p.x, p.y, Qt.RightButton)
            verify(findChild(profile, "rowMenu").visible)
            compare(profile.currentRow, row)
        }
        function chooseOnTop(row) {
            tryCompare(topList, "isSliding", false)
            mouseClick(topList)
            tryCompare(findChild(topList, "listBox"), "height", topList.count * 24)
            mouseClick(findChild(topList, "listBox"), 40, row * 24 + 12)
            tryCompare(topList, "isSliding", false)
        }
        // A value that tells one profile file from another.
        function mark(number, value) {
            ui_View.setCurrentProfile(number)
            ui_View.setData("mouse/reportRate", value)
            ui_View.setCurrentProfile(profile.profileNo)
        }
        function markOf(number) {
            ui_View.setCurrentProfile(number)
            var v = String(ui_View.getData("mouse/reportRate", false))
            ui_View.setCurrentProfile(profile.profileNo)
            return v
        }

        function cleanupTestCase() {
            for (var n = 1; n <= 5; ++n)
                ui_View.resetProfile(n)
        }
        function cleanup() {
            if (!main || !main.isPownOn)
                return
            vmouse.answerFileDialogs("")
            vmouse.answerMessageBoxes(true)
            profile.profileFocus()
            profile.visible = false
            main.hideMask()
            start(["Standard0", "vornakelpish"], 0)
            profile.visible = false
            main.hideMask()
        }

        function test_init_data() {
            return [
                { tag: "dummy second entry dropped", stored: ["Standard0", "vornakelpish"], active: 0,
                  rows: ["Standard0"], current: 0 },
                { tag: "row 0 always standard, active selected", stored: ["Mine0", "Work3", "Play1"], active: 1,
                  rows: ["Standard0", "Work3", "Play1"], current: 2 },
                { tag: "active not listed selects row 0", stored: ["Standard0", "Work3"], active: 4,
                  rows: ["Standard0", "Work3"], current: 0 },
                { tag: "empty list gives the standard row", stored: [], active: 0, rows: ["Standard0"], current: 0 },
                { tag: "texts without a usable number skipped", stored: ["Standard0", "bad", "x9", "again0", "", "ok2"],
                  active: 0, rows: ["Standard0", "ok2"], current: 0 },
            ]
        }
        function test_init(data) {
            ready()
            ui_View.updataNameList(2, data.stored)
            profile.profileNo = data.active
            profile.init()
            compare(rowsOf(), data.rows)
            compare(profile.currentRow, data.current)
            // One row is stored with the dummy entry so that it reads back as a list.
            compare(stored(), data.rows.length === 1 ? data.rows.concat(["vornakelpish"]) : data.rows)
        }

        function test_newUpToSix() {
            start(["Standard0", "vornakelpish"], 0)
            for (var n = 1; n <= 5; ++n)
                mark(n, "3")
            var factory = String(ui_View.getData("mouse/reportRate", true))
            verify(factory !== "3")
            ignoreWarning(/six profiles already/)
            for (n = 1; n <= 6; ++n)
                mouseClick(findChild(profile, "newButton"))
            compare(rowsOf(), ["Standard0", "profile_01", "profile_12", "profile_23", "profile_34", "profile_45"])
            compare(stored(), rowsOf())
            compare(profile.currentRow, 5)
            // Every new profile starts from the factory settings.
            for (n = 1; n <= 5; ++n)
                compare(markOf(n), factory, "profile " + n)

            // A seventh adds no row; Import then asks for a file for the
            // selected profile (a missing file changes nothing).
            mark(2, "3")
            ignoreWarning(/six profiles already/)
            mouseClick(findChild(profile, "newButton"))
            compare(note(), "There are six profiles already, the most there can be: delete one to add another.")
            vmouse.answerFileDialogs("./never.pf")
            mouseClick(findChild(profile, "importButton"))
            compare(vmouse.fileDialogsAsked().length, 1)
            compare(vmouse.messageBoxesShown().length, 1)
            compare(stored(), ["Standard0", "profile_01", "profile_12", "profile_23", "profile_34", "profile_45"])
            compare(markOf(2), "3")
            compare(markOf(5), factory)
        }

        function test_deleteRefusals() {
            start(["Standard0", "A1", "B2", "C3"], 2)
            compare(topList.currentSelect, 2)

            ignoreWarning("Profile: The standard profile cannot be deleted.")
            menuOn(0)
            mouseClick(findChild(profile, "menuDelete"))
            verify(!findChild(profile, "rowMenu").visible)
            compare(note(), "The standard profile cannot be deleted.")
            ignoreWarning(/active profile cannot be deleted/)
            menuOn(2)
            mouseClick(findChild(profile, "menuDelete"))
            compare(note(), "The active profile cannot be deleted: switch to another profile first.")
            compare(rowsOf(), ["Standard0", "A1", "B2", "C3"])
            compare(stored(), ["Standard0", "A1", "B2", "C3"])

            // A row above the active one: the top list stays on the active profile.
            mark(1, "3")
            menuOn(1)
            mouseClick(findChild(profile, "menuDelete"))
            compare(note(), "")
            compare(rowsOf(), ["Standard0", "B2", "C3"])
            compare(stored(), rowsOf())
            compare(topList.currentSelect, 1)
            compare(topList.textValue, "B")
            // The file is left alone.
            compare(markOf(1), "3")
        }

        function test_rename() {
            start(["Standard0", "A1", "B2"], 0)
            var list = findChild(profile, "rowList")
            var editor = findChild(profile, "nameEditor")
            settled()
            mouseDoubleClickSequence(list, 100, rowPoint(1).y)
            verify(editor.visible)
            compare(editor.selectedText, "A")
            editor.text = "Work"
            keyClick(Qt.Key_Return)
            verify(!editor.visible)
            compare(rowsOf(), ["Standard0", "Work1", "B2"])
            compare(stored(), rowsOf())

            // A name present in the list is refused; a press elsewhere ends it.
            settled()
            mouseDoubleClickSequence(list, 100, rowPoint(2).y)
            verify(editor.visible)
            editor.text = "Work"
            ignoreWarning(/already a profile named “Work”/)
            mousePress(profile, 300, 270)
            mouseRelease(profile, 300, 270)
            verify(!editor.visible)
            compare(rowsOf(), ["Standard0", "Work1", "B2"])
            compare(note(), "There is already a profile named “Work”: the name was not changed.")

            // Blank names are refused, and row 0 keeps its label.
            ignoreWarning(/cannot be empty/)
            verify(!profile.renameRow(1, "  "))
            compare(note(), "A profile name cannot be empty: the name was not changed.")
            settled()
            mouseDoubleClickSequence(list, 100, rowPoint(0).y)
            verify(!editor.visible)
            compare(stored(), ["Standard0", "Work1", "B2"])

            // A long name is kept to its first 24 characters, and the dialog says so.
            settled()
            mouseDoubleClickSequence(list, 100, rowPoint(2).y)
            editor.text = "Tournament settings for LAN 2027"
            ignoreWarning(/shortened/)
            keyClick(Qt.Key_Return)
            compare(stored(), ["Standard0", "Work1", "Tournament settings for2"])
            compare(note(), "A profile name has at most 24 characters: it was shortened to “Tournament settings for”.")

            // Closing the dialog commits an open editor.
            settled()
            mouseDoubleClickSequence(list, 100, rowPoint(2).y)
            editor.text = "Play"
            profile.closeClicked()
            verify(!profile.visible)
            compare(stored(), ["Standard0", "Work1", "Play2"])

            // The top list shows the active profile's new name.
            start(["Standard0", "A1"], 1)
            compare(topList.textValue, "A")
            verify(profile.renameRow(1, "Zed"))
            compare(topList.textValue, "Zed")
        }

        // F2 and the row menu from the keys, as the pointer's double click
        // and right click.
        function test_renameAndMenuFromKeys() {
            start(["Standard0", "A1", "B2"], 0)
            var list = findChild(profile, "rowList")
            var editor = findChild(profile, "nameEditor")
            list.itemAtIndex(1).forceActiveFocus()
            keyClick(Qt.Key_F2)
            compare(editor.selectedText, "A")
            keyClick("X")
            keyClick(Qt.Key_Escape)
            verify(!editor.visible && profile.visible)
            keyClick(Qt.Key_F2)
            for (var c of "Work")
                keyClick(c)
            keyClick(Qt.Key_Return)
            compare(stored(), ["Standard0", "Work1", "B2"])

            var menu = findChild(profile, "rowMenu")
            list.itemAtIndex(2).forceActiveFocus()
            keyClick(Qt.Key_F10, Qt.ShiftModifier)
            verify(menu.visible)
            keyClick(Qt.Key_Escape)
            verify(!menu.visible && profile.visible)
            verify(list.itemAtIndex(2).activeFocus)
            keyClick(Qt.Key_Menu)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return)
            compare(stored(), ["Standard0", "Work1"])
        }

        function test_importExport() {
            // Rows and numbers apart: row 2 holds profile 1 after a delete and an add.
            start(["Standard0", "A1", "B2"], 0)
            menuOn(1)
            mouseClick(findChild(profile, "menuDelete"))
            mouseClick(findChild(profile, "newButton"))
            compare(rowsOf(), ["Standard0", "B2", "profile_01"])

            // Export from the menu writes the chosen row's profile.
            mark(2, "4")
            vmouse.answerFileDialogs("./b.pf")
            menuOn(1)
            mouseClick(findChild(profile, "menuExport"))
            compare(vmouse.fileDialogsAsked(), ["save Save File Profile(*.ini *.pf)"])

            // Import adds a row and fills its own profile from the file.
            vmouse.answerFileDialogs("./b.pf")
            mouseClick(findChild(profile, "importButton"))
            compare(vmouse.fileDialogsAsked(), ["open Open File Profile(*.ini *.pf)"])
            compare(rowsOf(), ["Standard0", "B2", "profile_01", "profile_13"])
            compare(profile.currentRow, 3)
            compare(markOf(3), "4")
            compare(markOf(1), String(ui_View.getData("mouse/reportRate", true)))

            // A cancel and a file that is no profile add no row and change no file.
            mark(4, "2")
            for (var answer of ["", "./modules/i18n/English.ini"]) {
                vmouse.answerFileDialogs(answer)
                vmouse.answerMessageBoxes(true)
                mouseClick(findChild(profile, "importButton"))
                compare(vmouse.fileDialogsAsked().length, 1)
                compare(vmouse.messageBoxesShown().length, answer === "" ? 0 : 1)
                compare(rowsOf(), ["Standard0", "B2", "profile_01", "profile_13"])
                compare(markOf(4), "2")
            }
        }

        // What the mouse receives and holds after a switch to profile n,
        // which is then left again for the active one.
        function switchTo(n) {
            var back = profile.profileNo
            vmouse.clearTrace()
            main.switchProfile(n)
            var sent = { "traffic": vmouse.commandTraffic(), "state": vmouse.state() }
            main.switchProfile(back)
            return sent
        }
        function slot3() {
            var k = part("keyMatrix").modKeys.get(3)
            return [k.keyCode0, k.keyCode1, k.keyCode2, k.keyCode3]
        }
        // Replacing the active profile's file: the pages read the new file
        // and send it exactly as a switch to that content does.
        function test_replacingTheActiveProfile() {
            start(["Standard0", "A1", "B2", "C3", "D4", "E5"], 2)
            for (var n of [2, 4, 5])
                ui_View.resetProfile(n)
            ui_View.setCurrentProfile(4)
            ui_View.setDataList("mouseKeyMatrix/3", [5, 0, 1, 0])
            ui_View.setData("mouse/reportRate", "1")
            ui_View.setCurrentProfile(2)
            vmouse.answerFileDialogs("./four.pf")
            ui_View.saveProfile(4)
            var expected = switchTo(4)
            verify(expected.traffic.length > 0)
            var factory = switchTo(5)
            verify(String(vmouse.state().keyMatrix1) !== String(expected.state.keyMatrix1))
            verify(slot3().join() !== "5,0,1,0")

            // With six rows Import loads into the selected row: the active one.
            part("keyMatrix").isSave = true
            part("dpiSetting").isSave = true
            settled()
            mouseClick(findChild(profile, "rowList"), rowPoint(2).x, rowPoint(2).y)
            compare(profile.currentRow, 2)
            // Only after the user agreed to replace it, by name.
            var was = vmouse.fileHex("./modules/setting/p3.bin")
            vmouse.clearTrace()
            vmouse.answerMessageBoxes(false)
            mouseClick(findChild(profile, "importButton"))
            compare(vmouse.messageBoxesShown().length, 1)
            verify(vmouse.messageBoxesShown()[0].indexOf("“B”") >= 0)
            compare(vmouse.fileHex("./modules/setting/p3.bin"), was)
            compare(vmouse.commandTraffic(), [])
            vmouse.answerMessageBoxes(true)
            mouseClick(findChild(profile, "importButton"))
            compare(vmouse.fileHex("./modules/setting/p3.bin"), vmouse.fileHex("./four.pf"))
            compare(vmouse.commandTraffic(), expected.traffic)
            compare(vmouse.state(), expected.state)
            compare(slot3(), [5, 0, 1, 0])
            verify(!main.isPending)
            verify(!part("busy").isBusy)
            // Save has nothing to write back over the import.
            vmouse.clearTrace()
            main.save()
            compare(vmouse.commandTraffic(), [])
            compare(vmouse.fileHex("./modules/setting/p3.bin"), vmouse.fileHex("./four.pf"))

            // New on an active profile that has no row resets it: likewise.
            start(["Standard0", "A1"], 2)
            vmouse.clearTrace()
            mouseClick(findChild(profile, "newButton"))
            compare(rowsOf(), ["Standard0", "A1", "profile_02"])
            compare(vmouse.commandTraffic(), factory.traffic)
            compare(vmouse.state(), factory.state)
            verify(slot3().join() !== "5,0,1,0")
        }

        function test_switchFromTopList() {
            start(["Standard0", "A1", "B2"], 0)
            menuOn(1)
            mouseClick(findChild(profile, "menuDelete"))
            mouseClick(findChild(profile, "newButton"))
            compare(rowsOf(), ["Standard0", "B2", "profile_01"])
            profile.closeClicked()

            vmouse.clearTrace()
            chooseOnTop(2)
            // Row 2 stands for profile 1.
            tryCompare(profile, "profileNo", 1)
            compare(String(ui_View.getGlobalData("mouse/profileNo")), "1")
            compare(topList.textValue, "profile_0")
            verify(!part("busy").isBusy)
            var codes = vmouse.commands().map(function (c) { return c.slice(0, 2) })
            for (var code of ["12", "11", "0d", "02"])
                verify(codes.indexOf(code) >= 0, "command " + code + " in " + codes)
            // The pages now read profile 1.
            mark(1, "3")
            compare(String(ui_View.getData("mouse/reportRate", false)), "3")

            // The active one again: nothing at all.
            vmouse.clearTrace()
            chooseOnTop(2)
            compare(vmouse.commands(), [])
            compare(profile.profileNo, 1)

            vmouse.clearTrace()
            chooseOnTop(0)
            tryCompare(profile, "profileNo", 0)
            verify(vmouse.commands().length > 0)
        }
    }
}
