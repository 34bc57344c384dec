import QtQuick
import QtTest

// The gun editor on the real back end and the virtual mouse.
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
        name: "GunEditor"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item
        property var gun: main && main.isPownOn ? findChild(main, "gunControl") : null
        property var shipped: []
        property var shippedSlots: []

        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(findChild(main, "busy"), "isBusy", false, 5000)
        }
        function preset(i) { return ui_View.getGunData(i).map(String) }
        function slots() { return ui_View.getGlobalData("mouse/selectGun").map(String) }
        function open() {
            main.openGun()
            verify(gun.visible)
        }
        function choose(dropDown, row) {
            tryCompare(dropDown, "isSliding", false)
            mouseClick(dropDown)
            var box = findChild(dropDown, "listBox")
            tryCompare(box, "height", dropDown.count * 24)
            mouseClick(box, 20, row * 24 + 12)
            tryCompare(dropDown, "isSliding", false)
        }
        function type(box, text) {
            box.txtInput.forceActiveFocus()
            box.txtInput.selectAll()
            keyClick(Qt.Key_Backspace)
            for (var ch of text)
                keyClick(ch)
            keyClick(Qt.Key_Return)
        }
        // The device's view of a gun slot: "04 00 times x y slot-1" on the 553 family.
        function gunCommands() {
            return vmouse.commands().filter(function (c) { return c.startsWith("04 ") })
                    .map(function (c) { return c.slice(0, 17) })
        }
        function hex(v) { return ("0" + ((v + 256) % 256).toString(16)).slice(-2) }

        function initTestCase() {
            ready()
            for (var i = 0; i < 6; ++i)
                shipped.push(preset(i))
            shippedSlots = slots()
            compare(shipped[0], ["M416", "L-Click", "9", "0", "5", "0"])
        }
        function cleanup() {
            main.isGun = true
            gun.gunControlFocus()
            gun.visible = false
            main.hideMask()
            for (var i = 0; i < 6; ++i)
                ui_View.mouseSaveGundata(i, shipped[i])
            ui_View.setGlobalData("mouse/selectGun", shippedSlots)
            gun.init()
            gun.isSave = false
        }

        function test_init_data() {
            return [
                { tag: "shipped slots", slots: ["0", "1", "2"], want: [0, 1, 2], y: "5", rate: "9MS" },
                { tag: "one preset in two slots", slots: ["3", "3", "5"], want: [3, 3, 5], y: "6", rate: "10MS" },
                { tag: "bad slots read as preset 0", slots: ["9", "x", "-1"], want: [0, 0, 0], y: "5", rate: "9MS" },
            ]
        }
        function test_init(data) {
            ui_View.setGlobalData("mouse/selectGun", data.slots)
            gun.init()
            compare([gun.selectGun1, gun.selectGun2, gun.selectGun3], data.want)
            compare(gun.selectIndex, data.want[0])
            compare(gun.slotList.currentSelect, 0)
            compare(gun.slotList.textValue, "Gun1")
            compare(gun.yBox.textValue, data.y)
            compare(gun.dot.y, 94 * Number(data.y) / 64 + 89)
            compare(gun.rateSlider.textValue, data.rate)
            compare(gun.timesBox.textValue, "0")
            verify(gun.endness.isSelect)
            compare(gun.gunNumberModel.count, 6)
            compare(gun.gunNumberModel.get(3).gunName, "SCAR-L")
            compare(gun.gunNumberModel.get(3).gunImage, "qrc:/gun/modules/img/skin1/gun/SCAR-L.png")
            verify(!gun.isSave)
        }

        function test_editsStorePresetKeys() {
            open()
            choose(gun.slotList, 1)
            compare(gun.selectIndex, 1)
            compare(gun.yBox.textValue, "7")

            // Y box: the preset and the dot follow.
            type(gun.yBox, "20")
            compare(preset(1), ["AKM", "L-Click", "9", "0", "20", "0"])
            compare(gun.dot.y, 94 * 20 / 64 + 89)
            verify(gun.isSave)
            type(gun.yBox, "99")
            compare(gun.yBox.textValue, "64")
            compare(preset(1)[4], "64")

            // Dragging the dot: the box follows, the release stores it.
            var dot = gun.dot
            mousePress(dot, 4, 4)
            mouseMove(dot, 4, -30)
            mouseMove(dot, 4, -400)
            compare(dot.y, 89)
            compare(gun.yBox.textValue, "0")
            mouseMove(dot, 4, 40)
            var shown = gun.yBox.textValue
            compare(shown, String(Math.floor((dot.y - 89) * 64 / 94)))
            mouseRelease(dot, 4, 4)
            compare(preset(1)[4], shown)

            // Rate: a click on the track shows a rate, only a knob release stores it.
            var rate = gun.rateSlider
            mouseClick(rate)
            var panelSlider = rate.slider
            tryCompare(panelSlider.parent, "height", 24)
            mouseClick(panelSlider, 80, 6)
            tryCompare(panelSlider, "isGliding", false)
            verify(rate.textValue !== "9MS")
            compare(preset(1)[2], "9")
            mousePress(panelSlider, panelSlider.knobX + 6, 6)
            mouseMove(panelSlider, 30, 6)
            mouseRelease(panelSlider, 30, 6)
            var period = String(Math.round(panelSlider.knobX) + 1)
            compare(rate.textValue, period + "MS")
            compare(preset(1)[2], period)

            // Times, and Endless setting it back to endless.
            type(gun.timesBox, "7")
            compare(preset(1)[5], "7")
            verify(!gun.endness.isSelect)
            mouseClick(gun.endness)
            verify(gun.endness.isSelect)
            compare(gun.timesBox.textValue, "0")
            compare(preset(1)[5], "0")
            // X is not editable here.
            compare(preset(1)[3], "0")

            // A preset chosen in the list goes into the slot shown.
            mouseClick(findChild(gun, "presetList"), 100, 4 * 58 + 29)
            compare(gun.selectIndex, 4)
            compare([gun.selectGun1, gun.selectGun2, gun.selectGun3], [0, 4, 2])
            compare(slots(), ["0", "4", "2"])
            compare(gun.yBox.textValue, "4")
            compare(gun.rateSlider.textValue, "8MS")
            // Choosing a slot brings its preset back.
            choose(gun.slotList, 2)
            compare(gun.selectIndex, 2)
            compare(gun.yBox.textValue, "8")
        }

        function test_closeSends() {
            var options = ui_View.GetKeyboardoption()
            var negate = options.length > 2 && Number(options[2]) !== 0
            // Nothing changed: nothing sent.
            open()
            vmouse.clearTrace()
            gun.closeClicked()
            verify(!gun.visible)
            verify(!findChild(main, "mask").visible)
            compare(vmouse.commands(), [])

            open()
            choose(gun.slotList, 1)
            type(gun.timesBox, "12")
            type(gun.yBox, "10")
            // One preset may sit in two slots.
            choose(gun.slotList, 2)
            mouseClick(findChild(gun, "presetList"), 100, 1 * 58 + 29)
            vmouse.clearTrace()
            gun.closeClicked()
            verify(!gun.isSave)
            var y = negate ? -10 : 10
            compare(gunCommands(), ["04 00 00 00 " + hex(negate ? -5 : 5) + " 00",
                                    "04 00 0c 00 " + hex(y) + " 01",
                                    "04 00 0c 00 " + hex(y) + " 02"])
            // The key matrix follows the gun slots.
            var codes = vmouse.commands().map(function (c) { return c.slice(0, 2) })
            verify(codes.lastIndexOf("12") > codes.lastIndexOf("04"), codes)
            compare(gun.slotPeriods(), [9, 9, 9])

            // Sent once: closing again sends nothing.
            open()
            vmouse.clearTrace()
            gun.closeClicked()
            compare(vmouse.commands(), [])
        }

        function test_resetData() {
            ui_View.mouseSaveGundata(0, ["M416", "L-Click", "30", "2", "40", "6"])
            ui_View.mouseSaveGundata(1, ["AKM", "L-Click", "31", "0", "41", "0"])
            ui_View.mouseSaveGundata(4, ["UNP9", "L-Click", "32", "0", "42", "0"])
            ui_View.setGlobalData("mouse/selectGun", ["4", "4", "5"])
            gun.init()
            open()
            choose(gun.slotList, 2)
            compare(gun.selectIndex, 5)
            vmouse.clearTrace()
            gun.resetData()
            compare(preset(0), ["M416", "L-Click", "9", "2", "5", "6"])
            compare(preset(1), ["AKM", "L-Click", "9", "0", "7", "0"])
            compare(preset(2), ["M16A4", "L-Click", "9", "0", "8", "0"])
            compare(preset(4), ["UNP9", "L-Click", "32", "0", "42", "0"])
            compare(slots(), ["0", "1", "2"])
            compare(gunCommands().length, 3)
            compare(gunCommands()[0].slice(0, 8), "04 00 06")
            compare(gun.slotList.currentSelect, 0)
            compare(gun.selectIndex, 0)
            compare(gun.yBox.textValue, "5")
            compare(gun.rateSlider.textValue, "9MS")
            compare(gun.timesBox.textValue, "6")
        }

        // Centred the first time, then where it was left, and kept inside the window.
        function test_reopensWhereLeft() {
            open()
            compare(gun.x, Math.round((1024 - 640) / 2))
            compare(gun.y, Math.round((640 - 448) / 2))
            mousePress(gun, 300, 20)
            mouseMove(gun, 250, 10)
            mouseMove(gun, -400, -400)
            mouseRelease(gun, -400, -400)
            compare(gun.x, 0)
            compare(gun.y, 0)
            mousePress(gun, 300, 20)
            mouseMove(gun, 350, 60)
            mouseRelease(gun, 350, 60)
            gun.closeClicked()
            open()
            compare(gun.x, 50)
            compare(gun.y, 40)
        }

        // A preset is chosen from the keys as by a click; the arrows do not
        // move the list apart from the choice.
        function test_presetsByKeys() {
            open()
            var list = findChild(gun, "presetList")
            var row = list.itemAtIndex(3)
            compare(row.Accessible.role, Accessible.ListItem)
            compare(row.Accessible.name, row.gunName)
            verify(row.gunName !== "")
            row.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Space)
            compare(list.selectIndex, 3)
            verify(row.Accessible.selected)
            compare(slots()[0], "3")
            keyClick(Qt.Key_Down)
            compare(list.currentIndex, 3)
            keyClick(Qt.Key_Tab)
            verify(list.itemAtIndex(4).activeFocus)
            compare(list.selectIndex, 3)
        }

        function test_absentWithoutGuns() {
            main.isGun = false
            main.openGun()
            verify(!gun.visible)
            verify(!findChild(main, "mask").visible)
            gun.visible = true
            verify(!gun.visible)
            ui_View.mouseSaveGundata(0, ["M416", "L-Click", "30", "0", "40", "0"])
            vmouse.clearTrace()
            gun.resetData()
            compare(vmouse.commands(), [])
            compare(preset(0)[4], "40")
            compare(slots(), shippedSlots)
        }
    }
}
