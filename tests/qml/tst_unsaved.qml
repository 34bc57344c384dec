import QtQuick
import QtTest

// Edits waiting for Save meet a switch from the top drop-down: the window
// asks, and the files, Save and the bus follow the answer. (The close is
// in tst_widget.)
Item {
    width: 1024
    height: 640

    Loader {
        id: loader
        source: "qrc:/modules/qml/main.qml"
    }

    TestCase {
        name: "Unsaved"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item

        function part(name) { return findChild(main, name) }
        function chooseOnTop(row) {
            var top = part("menuUp").profileBtn
            tryCompare(top, "isSliding", false)
            mouseClick(top)
            tryCompare(findChild(top, "listBox"), "height", top.count * 24)
            mouseClick(findChild(top, "listBox"), 40, row * 24 + 12)
            tryCompare(top, "isSliding", false)
        }
        // A DPI stage count and a light effect, as their drop-downs set them.
        function edit() {
            var dpi = part("dpiSetting")
            findChild(dpi, "stageCount").valueChange(dpi.currentDpiCount === 2 ? 2 : 1)
            part("lightControl").chooseEffect(3)
            return dpi.currentDpiCount
        }
        function p1() { return vmouse.fileHex("./modules/setting/p1.bin") }
        function saveLit() { return Qt.colorEqual(part("saveButton").normalColor, "#ff3030") }
        function answer(button) { mouseClick(findChild(part("unsavedBox"), button)) }
        function shows() {
            return [part("profile").profileNo, part("menuUp").profileBtn.textValue, main.isPending,
                    saveLit(), main.outsideRefusal(), part("unsavedBox").visible]
        }

        function test_switch() {
            main.initUI()
            tryCompare(part("busy"), "isBusy", false, 5000)
            ui_View.updataNameList(2, ["Standard0", "Work1"])
            part("profile").init()
            main.switchProfile(0)
            part("profile").syncTopList()
            var stored = p1()
            var stages = part("dpiSetting").currentDpiCount
            var edited = edit()
            vmouse.clearTrace()
            chooseOnTop(1)
            compare(findChild(part("unsavedBox"), "unsavedMessage").text,
                    "The profile “Standard” has changes that are not saved. Save them before switching to “Work”?")
            compare(shows(), [0, "Standard", true, true, "unsaved", true])

            // Cancel: as it was; the bus is refused, never asked.
            answer("unsavedCancel")
            compare(shows(), [0, "Standard", true, true, "unsaved", false])
            compare(part("dpiSetting").currentDpiCount, edited)
            compare(vmouse.commandTraffic(), [])
            compare(p1(), stored)

            // Discard: switched, nothing written, nothing pending anywhere;
            // back again without a question, to the stored values.
            chooseOnTop(1)
            answer("unsavedDiscard")
            compare(shows(), [1, "Work", false, false, "", false])
            compare(p1(), stored)
            chooseOnTop(0)
            compare(shows(), [0, "Standard", false, false, "", false])
            compare(part("dpiSetting").currentDpiCount, stages)

            // A Save the mouse does not take: still asking, and saying why.
            // The harness's host reports failures to its own window, so this
            // one is told during the send, as the host does.
            edit()
            function refused() { if (!part("dpiSetting").isSave) main.deviceCommandFailed() }
            part("dpiSetting").isSaveChanged.connect(refused)
            chooseOnTop(1)
            answer("unsavedSave")
            part("dpiSetting").isSaveChanged.disconnect(refused)
            compare(findChild(part("unsavedBox"), "unsavedFailed").text,
                    "The mouse did not take the settings, so the profile was not switched.")
            compare(shows(), [0, "Standard", true, true, "unsaved", true])

            // Saved again: stored, sent, then switched.
            vmouse.clearTrace()
            answer("unsavedSave")
            compare(shows(), [1, "Work", false, false, "", false])
            verify(p1() !== stored)
            verify(vmouse.commandTraffic().length > 0)
            chooseOnTop(0)
            compare(part("dpiSetting").currentDpiCount, edited)

            // A factory reset leaves nothing pending for the bus either.
            edit()
            main.factoryReset()
            compare(shows(), [0, "Standard", false, false, "", false])
        }
    }
}
