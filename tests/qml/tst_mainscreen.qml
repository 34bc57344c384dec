import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The main screen on the real back end and the virtual mouse.
Item {
    id: window
    width: 1024
    height: 640

    Loader {
        id: loader
        source: "qrc:/modules/qml/main.qml"
    }
    Component { id: spyComponent; SignalSpy {} }

    TestCase {
        id: testCase
        name: "MainScreen"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item

        function part(name) { return findChild(main, name) }
        function spy(target, signalName) {
            return createTemporaryObject(spyComponent, window, { "target": target, "signalName": signalName })
        }
        // The first initUI, once: later cases start from the ready screen.
        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
        }

        function test_1_powerOnLockThenReveal() {
            verify(!main.visible)
            compare(main.mainLang[4], "Config")
            var started = Date.now()
            main.initUI()
            verify(main.visible)
            verify(part("busy").isBusy)
            verify(part("powerOnLogo").visible)
            // The screen is built behind the logo: absent or hidden until the lock ends.
            for (var region of ["environment", "leftColumn", "rightColumn", "bottomBar", "menuUp", "mouseMain"])
                verify(!part(region) || !part(region).visible, region)
            compare(part("lockTimer").interval, 1000)
            // Calls from the back end while the screen is still being built are harmless;
            // the build reads the current stage itself.
            var revealedBuilt = []
            main.isRevealedChanged.connect(function () { revealedBuilt.push(main.isPownOn) })
            if (!main.isPownOn) {
                main.setCurrentDPI(3)
                main.detectKeyboard(true, 4)
            }

            tryCompare(main, "isRevealed", true, 5000)
            verify(Date.now() - started >= 900)
            verify(!part("powerOnLogo").visible)
            verify(!part("busy").isBusy)
            compare(revealedBuilt, [true])
            compare(part("dpiSetting").currentDPI, Number(ui_View.mouseGetCurrentDPI()) - 1)
            for (region of ["environment", "leftColumn", "rightColumn", "bottomBar", "menuUp", "mouseMain"])
                verify(part(region).visible, region)
            // Flags and strings from the shipped configuration.
            verify(main.isPownOn)
            compare(main.language, ui_View.currentLanguage())
            compare(main.mainLang, ui_View.getLangStrings("main", main.language))
            compare(part("menuUp").profileBtn.currentSelect, Number(ui_View.getGlobalData("mouse/profileNo")))
        }

        function test_2_secondInitUI() {
            ready()
            main.mainLang = ["kept"]
            main.isGun = !main.isGun
            var gun = main.isGun
            part("dpiSetting").currentDPI = 6
            main.initUI()
            verify(part("busy").isBusy)
            compare(main.mainLang, ["kept"])
            compare(main.isGun, gun)
            compare(part("dpiSetting").currentDPI, Number(ui_View.mouseGetCurrentDPI()) - 1)
            tryCompare(part("busy"), "isBusy", false, 5000)
            main.isGun = !gun
            main.mainLang = ui_View.getLangStrings("main", main.language)
        }

        function test_saveNothingPending() {
            ready()
            vmouse.clearTrace()
            main.save()
            compare(vmouse.commandTraffic().length, 0)
            verify(!part("busy").isBusy)
        }

        function test_saveSendsPendingInOrder() {
            ready()
            var order = []
            function watch(name) {
                var panel = part(name)
                panel.isSaveChanged.connect(function () {
                    if (!panel.isSave)
                        order.push([name, vmouse.commandTraffic().length])
                })
                panel.isSave = true
            }
            watch("keyMatrix")
            watch("dpiSetting")
            watch("lightControl")
            compare(part("saveButton").normalColor, Qt.color("#ff3030"))
            vmouse.clearTrace()
            main.save()
            compare(order.map(function (e) { return e[0] }), ["keyMatrix", "dpiSetting", "lightControl"])
            // Each panel's send lands before the next panel's turn (the key
            // list's own bytes are checked with the assignment page).
            verify(order[1][1] >= order[0][1], "key matrix sent before the DPI")
            verify(order[2][1] >= order[1][1], "DPI sent before the lighting")
            verify(!main.isPending)
            verify(!part("busy").isBusy)
            compare(part("saveButton").normalColor, Theme.colorBlue)
        }

        // Ctrl+S saves only where the Save button is lit and reachable.
        function test_ctrlSSavesWhereSaveIsLit() {
            ready()
            var dpi = part("dpiSetting")
            vmouse.clearTrace()
            keyClick(Qt.Key_S, Qt.ControlModifier)
            compare(vmouse.commandTraffic().length, 0)
            dpi.isSave = true
            main.openReset()
            keyClick(Qt.Key_S, Qt.ControlModifier)
            part("resetBox").rejected()
            main.setDeviceState(1)
            keyClick(Qt.Key_S, Qt.ControlModifier)
            main.setDeviceState(0)
            main.controlUIEnable(false)
            keyClick(Qt.Key_S, Qt.ControlModifier)
            main.controlUIEnable(true)
            compare(vmouse.commandTraffic().length, 0)
            verify(dpi.isSave)
            keyClick(Qt.Key_S, Qt.ControlModifier)
            verify(vmouse.commandTraffic().length > 0)
            verify(!main.isPending)
        }

        function test_activeProfileChoiceDoesNothing() {
            ready()
            var profile = part("profile")
            var before = ui_View.getGlobalData("mouse/profileNo")
            vmouse.clearTrace()
            profile.changeProfile(profile.profileNo)
            compare(vmouse.commandTraffic().length, 0)
            compare(ui_View.getGlobalData("mouse/profileNo"), before)
            verify(!part("busy").isBusy)
        }

        function test_setCurrentDPI() {
            ready()
            var dpi = part("dpiSetting")
            main.setCurrentDPI(3)
            compare(dpi.currentDPI, 2)
            main.setCurrentDPI(0)
            compare(dpi.currentDPI, 2)
            main.setCurrentDPI(1)
            compare(dpi.currentDPI, 0)
        }

        function test_gunRowOnlyWithGuns() {
            ready()
            var panel = part("editorPanel")
            var gunRow = findChild(panel, "gunRow")
            main.isGun = true
            compare(panel.height, 100)
            verify(gunRow.visible)
            main.isGun = false
            compare(panel.height, 76)
            verify(!gunRow.visible)
            main.isGun = true
        }

        function test_keyAndMouseEventsReemitted() {
            var keys = spy(main, "msg_KB")
            var buttons = spy(main, "msg_MS")
            main.detectKeyboard(true, 0x04)
            main.detectKeyboard(false, 0x04)
            compare(keys.count, 2)
            compare(keys.signalArguments[0][0], true)
            compare(keys.signalArguments[0][1], 4)
            compare(keys.signalArguments[1][0], false)
            main.detectMouse(true, 0xF0, 10, 20)
            compare(buttons.count, 1)
            compare(buttons.signalArguments[0][1], 0xF0)
            compare(buttons.signalArguments[0][3], 20)
        }

        function test_busyLock() {
            ready()
            main.setProtectUI(0)
            verify(part("busy").isBusy)
            tryCompare(part("busy"), "isBusy", false)
            main.controlUIEnable(false)
            verify(part("busy").isBusy)
            main.controlUIEnable(true)
            verify(!part("busy").isBusy)
        }

        function test_resetBoxOpensCentredAndStaysInside() {
            ready()
            var box = part("resetBox")
            main.openReset()
            verify(box.visible)
            verify(part("mask").visible)
            compare(box.width, 427)
            compare(box.height, 102)
            compare(box.x, Math.round((1024 - 427) / 2))
            compare(box.y, Math.round((640 - 102) / 2))
            mousePress(window, box.x + 100, box.y + 10)
            mouseMove(window, box.x + 600, box.y + 300)
            mouseMove(window, 1023, 639)
            mouseRelease(window, 1023, 639)
            compare(box.x, 1024 - 427)
            compare(box.y, 640 - 102)
            mouseClick(findChild(box, "resetCancel"))
            verify(!box.visible)
            verify(!part("mask").visible)
        }

        // Factory reset: pending edits dropped, the pages read the reset profile back.
        function test_factoryResetReloadsPages() {
            ready()
            var light = part("lightControl")
            main.openReset()
            part("keyMatrix").isSave = true
            part("dpiSetting").isSave = true
            light.isSave = true
            light.effect = (light.effect + 1) % 4
            var sent = vmouse.trace().length
            main.factoryReset()
            verify(!part("resetBox").visible)
            verify(!part("mask").visible)
            verify(!main.isPending)
            compare(part("dpiSetting").currentDPI, 1)
            compare(light.effect, Number(ui_View.getDataList("mouse/lightValue", false)[0]))
            verify(vmouse.trace().length > sent)
        }

        function test_aboutMenu() {
            ready()
            var about = part("aboutMenu")
            main.openAbout()
            verify(about.visible)
            compare(about.x, 724)
            compare(about.y, 30)
            compare(about.width, 200)
            compare(about.url, main.url)
            main.mainFocus()
            verify(!about.visible)
            main.openAbout()
            // The version row only closes the menu.
            mouseClick(about, 100, 1 + 24 + 12)
            verify(!about.visible)
        }
    }
}
