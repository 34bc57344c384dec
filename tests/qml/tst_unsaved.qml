import QtQuick
import QtTest

// Edits waiting for Save meet a profile switch from the top drop-down or a
// close: the window asks, and the files, the mouse and the bus follow the
// answer.
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
        name: "Unsaved"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item
        // The screen is built on the first initUI.
        property var box: main && main.isPownOn ? part("unsavedBox") : null
        property var topList: main && main.isPownOn ? part("menuUp").profileBtn : null
        property var dpi: main && main.isPownOn ? part("dpiSetting") : null

        function part(name) { return main ? findChild(main, name) : null }
        function start() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
            var profile = part("profile")
            ui_View.updataNameList(2, ["Standard0", "Work1"])
            main.discardEdits()
            main.switchProfile(0)
            profile.init()
            profile.syncTopList()
        }
        function chooseOnTop(row) {
            tryCompare(topList, "isSliding", false)
            mouseClick(topList)
            tryCompare(findChild(topList, "listBox"), "height", topList.count * 24)
            mouseClick(findChild(topList, "listBox"), 40, row * 24 + 12)
            tryCompare(topList, "isSliding", false)
        }
        // A DPI stage count and a light effect, as their drop-downs set them.
        function edit() {
            findChild(dpi, "stageCount").valueChange(dpi.currentDpiCount === 2 ? 2 : 1)
            part("lightControl").chooseEffect(3)
            verify(main.isPending)
        }
        function files() { return [vmouse.fileHex("./modules/setting/p1.bin"), vmouse.fileHex("./modules/setting/p2.bin")] }
        function storedStageCount(number) {
            ui_View.setCurrentProfile(number)
            var v = Number(ui_View.getData("mouse/currentDpiCount", false))
            ui_View.setCurrentProfile(part("profile").profileNo)
            return v
        }
        function saveLit() { return Qt.colorEqual(part("saveButton").normalColor, "#ff3030") }

        function cleanup() {
            if (box && box.visible)
                box.cancel()
            if (main && main.isPownOn)
                start()
        }

        function test_switch() {
            start()
            var before = files()
            var stages = dpi.currentDpiCount
            edit()
            var edited = dpi.currentDpiCount
            vmouse.clearTrace()
            chooseOnTop(1)
            verify(box.visible)
            verify(part("mask").visible)
            compare(findChild(box, "unsavedMessage").text,
                    "The profile “Standard” has changes that are not saved. Save them before switching to “Work”?")
            compare(topList.textValue, "Standard")

            // Cancel: everything stays as it was.
            mouseClick(findChild(box, "unsavedCancel"))
            verify(!box.visible)
            verify(!part("mask").visible)
            compare(part("profile").profileNo, 0)
            compare(topList.textValue, "Standard")
            compare(dpi.currentDpiCount, edited)
            verify(main.isPending && saveLit())
            compare(main.outsideRefusal(), "unsaved")
            compare(vmouse.commandTraffic(), [])
            compare(files(), before)

            // Discard: switched; nothing written to the old profile and
            // nothing pending for Save or the bus.
            chooseOnTop(1)
            mouseClick(findChild(box, "unsavedDiscard"))
            verify(!box.visible)
            compare(part("profile").profileNo, 1)
            compare(topList.textValue, "Work")
            verify(!main.isPending && !saveLit())
            compare(main.outsideRefusal(), "")
            compare(files()[0], before[0])
            // Back again without a question: the stored values show.
            chooseOnTop(0)
            verify(!box.visible)
            compare(part("profile").profileNo, 0)
            compare(dpi.currentDpiCount, stages)

            // Save: written, sent, then switched.
            edit()
            chooseOnTop(1)
            vmouse.clearTrace()
            mouseClick(findChild(box, "unsavedSave"))
            verify(!box.visible)
            compare(part("profile").profileNo, 1)
            compare(storedStageCount(0), edited)
            verify(vmouse.commandTraffic().length > 0)
            verify(!main.isPending)
            compare(main.outsideRefusal(), "")
        }

        function test_saveNotTaken() {
            start()
            edit()
            var before = files()[1]
            chooseOnTop(1)
            // The mouse refuses the DPI stages. The harness's host reports
            // that to its own window, so the test reports it to this one,
            // during the send as the host does.
            function refused() {
                if (!dpi.isSave)
                    main.deviceCommandFailed()
            }
            dpi.isSaveChanged.connect(refused)
            vmouse.failNext("send_feature")
            mouseClick(findChild(box, "unsavedSave"))
            dpi.isSaveChanged.disconnect(refused)
            // Still asking, and saying why; nothing switched.
            verify(box.visible)
            verify(findChild(box, "unsavedFailed").visible)
            compare(findChild(box, "unsavedFailed").text,
                    "The mouse did not take the settings, so the profile was not switched.")
            compare(part("profile").profileNo, 0)
            compare(topList.textValue, "Standard")
            verify(main.isPending && saveLit())
            compare(files()[1], before)
            mouseClick(findChild(box, "unsavedCancel"))
            compare(part("profile").profileNo, 0)
        }

        // The close asks only with edits pending; the bus is refused, never asked.
        function test_closeAndBus() {
            start()
            verify(main.confirmQuit())
            verify(!box.visible)
            edit()
            verify(!main.confirmQuit())
            verify(box.visible)
            compare(findChild(box, "unsavedMessage").text,
                    "The profile “Standard” has changes that are not saved. Save them before quitting?")
            mouseClick(findChild(box, "unsavedCancel"))
            verify(main.isPending)

            compare(main.outsideRefusal(), "unsaved")
            verify(!box.visible)
        }

        // A factory reset leaves nothing pending for the bus either.
        function test_factoryResetLeavesNothingPending() {
            start()
            edit()
            main.factoryReset()
            verify(!main.isPending && !saveLit())
            compare(main.outsideRefusal(), "")
        }
    }
}
