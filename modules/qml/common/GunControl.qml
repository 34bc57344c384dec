import QtQuick
import "../basic"
import "../panels"
import "../js/lang.js" as Lang

// Gun editor: six recoil presets (Y adjustment, rate, count), stored at
// every edit, and the three device gun slots, sent when the dialog closes.
Dialog {
    id: gunControl

    property var gunControlLang: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis",
        "Y axis", "Fire adjust", "Rate", "Times", "Endless"]
    property int selectGun1: 0
    property int selectGun2: 0
    property int selectGun3: 0
    property int selectIndex: 0
    property bool isSave: false
    property string xValue: "0"
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null
    // Whether the mouse has gun slots at all, from the window.
    property bool isPresent: true
    readonly property var builtInNames: ["M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"]
    // Closed: the main screen lifts the mask. Slots sent: the key list goes
    // out again with the new periods.
    signal closed()
    signal slotsSent()

    property alias gunNumberModel: presets
    property alias slotList: slotDrop
    property alias rateSlider: rateDrop
    property alias yBox: yInput
    property alias timesBox: timesInput
    property alias endness: endnessCheck
    property alias dot: targetDot

    width: 640
    height: 448
    title: lang(str.title)
    // Without gun functions the editor never shows.
    onVisibleChanged: if (visible && !isPresent) visible = false

    readonly property var str: Lang.GunControl
    function lang(i) { return Lang.lang(gunControlLang, i) }
    function clampInt(v, lo, hi, fallback) {
        var n = parseInt(v, 10)
        return isNaN(n) ? fallback : Math.max(lo, Math.min(hi, n))
    }
    function toInt(v) {
        var n = parseInt(v, 10)
        return isNaN(n) ? 0 : n
    }
    function imageOf(i, name) {
        var file = builtInNames.indexOf(name) >= 0 ? name : builtInNames[i]
        return "qrc:/gun/modules/img/skin1/gun/" + file + ".png"
    }
    function fillPresets() {
        presets.clear()
        for (var i = 0; i < 6; ++i)
            presets.append({ "gunName": builtInNames[i], "gunImage": imageOf(i, builtInNames[i]),
                               "gunKey": "L-Click", "gunPeriod": "10", "gunX": "0", "gunY": "10",
                               "gunTimes": "0" })
    }
    // A stored slot that names no preset holds preset 0.
    function slotValue(v) {
        var n = Number(String(v).trim())
        if (Number.isInteger(n) && n >= 0 && n <= 5)
            return n
        console.warn("GunControl: gun slot", JSON.stringify(String(v)), "names no preset, preset 0 used")
        return 0
    }
    function slotOf(s) { return s === 0 ? selectGun1 : s === 1 ? selectGun2 : selectGun3 }
    function setSlot(s, preset) {
        if (s === 0)
            selectGun1 = preset
        else if (s === 1)
            selectGun2 = preset
        else
            selectGun3 = preset
    }
    // The periods of the slotted presets, for the key matrix.
    function slotPeriods() {
        var out = []
        for (var s = 0; s < 3; ++s)
            out.push(clampInt(presets.get(slotOf(s)).gunPeriod, 0, 255, 10))
        return out
    }

    function init() {
        slotNames.clear()
        for (var s = 1; s <= 3; ++s)
            slotNames.append({ "textValue": lang(str.gun) + s })
        fillPresets()
        for (var i = 0; i < 6; ++i) {
            var d = backEnd.getGunData(i)
            if (!d || d.length < 6) {
                if (d && d.length > 0)
                    console.warn("GunControl: preset", i, "has", d.length, "fields, built-in kept")
                continue
            }
            var name = String(d[0])
            presets.set(i, { "gunName": name, "gunImage": imageOf(i, name), "gunKey": String(d[1]),
                             "gunPeriod": String(d[2]), "gunX": String(d[3]), "gunY": String(d[4]),
                             "gunTimes": String(d[5]) })
        }
        var slots = backEnd.getGlobalData("mouse/selectGun")
        if (typeof slots === "string")
            slots = slots.split(",")
        for (s = 0; s < 3; ++s)
            setSlot(s, slots && slots.length > s ? slotValue(slots[s]) : 0)
        slotDrop.currentSelect = 0
        selectIndex = selectGun1
        loadPreset(selectIndex)
    }

    function storeSlots() { backEnd.setGlobalData("mouse/selectGun", [selectGun1, selectGun2, selectGun3]) }
    function savePreset(i) {
        var p = presets.get(i)
        backEnd.mouseSaveGundata(i, [p.gunName, p.gunKey, p.gunPeriod, p.gunX, p.gunY, p.gunTimes])
        isSave = true
    }
    function sendSlots() {
        for (var s = 0; s < 3; ++s) {
            var p = presets.get(slotOf(s))
            backEnd.mouseSendGundata(s + 1, [toInt(p.gunTimes), toInt(p.gunX), toInt(p.gunY)])
        }
    }

    function dotY(v) { return 94 * v / 64 + 89 }
    function yOfDot(y) { return Math.floor((y - 89) * 64 / 94) }
    // Slider knob position and rate: the half step keeps the floor of the
    // ratio off a rounding edge.
    function rateRatio(period) { return (period - 5 + 0.5) / 86 }
    function rateOfKnob(x) { return Math.max(4, Math.min(90, Math.round(x) + 1)) }

    function loadPreset(i) {
        var p = presets.get(i)
        var y = clampInt(p.gunY, 0, 64, 0)
        xValue = p.gunX
        yInput.textValue = String(y)
        targetDot.y = dotY(y)
        rateDrop.setValue(rateRatio(clampInt(p.gunPeriod, 4, 90, 10)))
        timesInput.textValue = String(clampInt(p.gunTimes, 0, 255, 0))
        endnessCheck.isSelect = timesInput.textValue === "0"
    }
    function chooseGun(i) {
        if (i < 0 || i > 5)
            return
        gunControlFocus()
        setSlot(slotDrop.currentSelect, i)
        storeSlots()
        isSave = true
        selectIndex = i
        loadPreset(i)
    }
    function chooseSlot(s) {
        selectIndex = slotOf(s)
        loadPreset(selectIndex)
    }
    function setField(role, value) {
        if (presets.get(selectIndex)[role] === value)
            return
        presets.setProperty(selectIndex, role, value)
        savePreset(selectIndex)
    }
    function yEdited() {
        var y = clampInt(yInput.textValue, 0, 64, 0)
        yInput.textValue = String(y)
        targetDot.y = dotY(y)
        setField("gunY", String(y))
    }
    function rateReleased() { setField("gunPeriod", String(rateOfKnob(rateDrop.slider.knobX))) }
    function timesEdited() {
        var t = clampInt(timesInput.textValue, 0, 255, 0)
        timesInput.textValue = String(t)
        endnessCheck.isSelect = t === 0
        setField("gunTimes", String(t))
    }
    // The check box inverts itself after this, so wasSelected is the state
    // before the click.
    function endnessClicked(wasSelected) {
        if (wasSelected)
            return
        timesInput.textValue = "0"
        setField("gunTimes", "0")
    }

    function resetData() {
        if (!isPresent)
            return
        selectGun1 = 0
        selectGun2 = 1
        selectGun3 = 2
        storeSlots()
        var ys = ["5", "7", "8"]
        for (var i = 0; i < 3; ++i) {
            presets.setProperty(i, "gunY", ys[i])
            presets.setProperty(i, "gunPeriod", "9")
            savePreset(i)
        }
        sendSlots()
        // Sent just now: nothing is left for the dialog's close to send.
        isSave = false
        slotDrop.currentSelect = 0
        selectIndex = 0
        loadPreset(0)
    }
    function gunControlFocus() {
        slotDrop.closeMenu()
        rateDrop.closeMenu()
        yInput.closeFocus()
        timesInput.closeFocus()
    }
    function closeDialog() {
        gunControlFocus()
        visible = false
        closed()
        if (!isSave)
            return
        isSave = false
        sendSlots()
        slotsSent()
    }

    ListModel { id: presets }
    ListModel { id: slotNames }

    onBackgroundPressed: gunControlFocus()
    onCloseClicked: closeDialog()

    // Left: the presets.
    Caption { x: 16; y: 12; text: gunControl.lang(gunControl.str.gun) }
    GunPresetList {
        id: presetList
        x: 16
        y: 40
        width: 248
        height: 342
        model: presets
        selectIndex: gunControl.selectIndex
        onChosen: function (index) { gunControl.chooseGun(index) }
    }

    // Right: slot, cursor and fire adjustments.
    Item {
        id: right
        x: 288
        y: 12
        width: 336
        height: 390

        Caption { y: 4; text: gunControl.lang(gunControl.str.selectGun) }
        DropDownList {
            id: slotDrop
            objectName: "slotList"
            x: 120
            width: 96
            z: 20
            count: slotNames.count
            mdItems: slotNames
            currentSelect: 0
            onValueChange: function (index) { gunControl.chooseSlot(index) }
        }
        Rectangle { y: 36; width: parent.width; height: 1; color: Theme.colorGray1 }

        Caption { y: 48; text: gunControl.lang(gunControl.str.cursorAdjust) }
        Image {
            id: target
            objectName: "target"
            y: 72
            width: 190
            height: 190
            source: "qrc:/gun/modules/img/skin1/gun/target.png"
            Rectangle {
                id: targetDot
                objectName: "targetDot"
                x: 91
                y: 89
                width: 8
                height: 8
                radius: 4
                color: "red"
                MouseArea {
                    id: dotArea
                    anchors.fill: parent
                    anchors.margins: -4
                    drag.target: targetDot
                    drag.axis: Drag.YAxis
                    drag.minimumY: 89
                    drag.maximumY: 183
                    drag.threshold: 0
                    onPressed: gunControl.gunControlFocus()
                    onReleased: gunControl.yEdited()
                }
                onYChanged: if (dotArea.drag.active) yInput.textValue = String(gunControl.yOfDot(y))
            }
        }
        Column {
            x: 210
            y: 120
            spacing: 16
            Row {
                spacing: 8
                Caption { width: 56; text: gunControl.lang(gunControl.str.xAxis) }
                Rectangle {
                    width: 48
                    height: 20
                    color: "transparent"
                    border.color: Theme.colorGray1
                    Text {
                        objectName: "xText"
                        anchors.centerIn: parent
                        text: gunControl.xValue
                        color: Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                }
            }
            Row {
                spacing: 8
                Caption { width: 56; text: gunControl.lang(gunControl.str.yAxis) }
                Rectangle {
                    width: 48
                    height: 20
                    color: "transparent"
                    border.color: Theme.colorGray1
                    RectInput {
                        id: yInput
                        objectName: "yBox"
                        maxValue: 64
                        onEndInputSignal: gunControl.yEdited()
                    }
                }
            }
        }
        Connections {
            target: yInput.txtInput
            function onTextEdited() {
                var y = parseInt(yInput.textValue, 10)
                if (!isNaN(y))
                    targetDot.y = gunControl.dotY(Math.min(64, y))
            }
        }

        Rectangle { y: 272; width: parent.width; height: 1; color: Theme.colorGray1 }
        Caption { y: 284; text: gunControl.lang(gunControl.str.fireAdjust) }
        Caption { y: 316; text: gunControl.lang(gunControl.str.rate) }
        DropDownSlider {
            id: rateDrop
            objectName: "rateSlider"
            x: 64
            y: 312
            width: 120
            z: 20
            textValue: "10ms"
            onValueChange: function (index) { textValue = gunControl.rateOfKnob(index) + "MS" }
            onDragSignal: function (isDrag) { if (!isDrag) gunControl.rateReleased() }
        }
        Caption { y: 356; text: gunControl.lang(gunControl.str.times) }
        Rectangle {
            x: 64
            y: 354
            width: 48
            height: 20
            color: "transparent"
            border.color: Theme.colorGray1
            RectInput {
                id: timesInput
                objectName: "timesBox"
                maxValue: 255
                onEndInputSignal: gunControl.timesEdited()
            }
        }
        CheckBox {
            id: endnessCheck
            objectName: "endness"
            x: 128
            y: 358
            textValue: gunControl.lang(gunControl.str.endness)
            onBtnClick: gunControl.endnessClicked(isSelect)
        }
    }
}
