import QtQuick
import "../basic"
import "../panels"

// System settings dialog: the desktop's cursor speed, double-click speed
// and wheel lines, each applied as soon as it changes.
Dialog {
    id: systemSetting

    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed", "Slow", "Fast",
        "Scroll Speed", "Number of Rows", "Scroll one Screen", "", "", "", "", "", "", ""]
    // First threshold above a knob position gives the speed index 0 to 10.
    readonly property var compareValue: [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
    property bool isOneScreen: false
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null
    property alias mouseSpeed: speedSlider
    property alias doubleSpeed: doubleSlider
    property alias rowsBox: rows

    // Closed by its own button; the main screen lifts the mask.
    signal closed()
    signal focusPages()

    width: 416
    height: 312
    title: lang(0)

    function lang(i) { return systemSettingLang[i] !== undefined ? String(systemSettingLang[i]) : "" }
    function speedIndex(x) {
        for (var i = 0; i < compareValue.length; ++i)
            if (compareValue[i] > x)
                return i
        return 0
    }
    function position(slider) { return Math.round(slider.knobX) }
    function placeSlider(slider, stored) {
        var x = Math.round(Number(stored))
        if (!isFinite(x))
            return
        slider.setValue(Math.max(slider.minX, Math.min(slider.maxX, x)))
    }
    function rowsValue() {
        var n = parseInt(rows.textValue, 10)
        return isFinite(n) ? Math.max(1, Math.min(100, n)) : 1
    }
    function init(isSendData, isRecovery) {
        placeSlider(speedSlider, backEnd.getData("mouse/mouseRate", isRecovery))
        placeSlider(doubleSlider, backEnd.getData("mouse/doubleRate", isRecovery))
        var scroll = Math.round(Number(backEnd.getData("mouse/scrollRate", isRecovery)))
        if (isFinite(scroll) && scroll > 100) {
            isOneScreen = true
        } else {
            isOneScreen = false
            rows.textValue = String(isFinite(scroll) ? Math.max(1, scroll) : 1)
        }
        if (isSendData)
            saveData(true, 0)
    }
    function saveData(isSendData, isStep) {
        var lines = isOneScreen ? 1000 : rowsValue()
        backEnd.setData("mouse/mouseRate", position(speedSlider))
        backEnd.setData("mouse/doubleRate", position(doubleSlider))
        backEnd.setData("mouse/scrollRate", lines)
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            backEnd.mouseSetCursorSpeed(speedIndex(position(speedSlider)))
        if (isStep === 0 || isStep === 2)
            backEnd.mouseSetDoubleClickSpeed(speedIndex(position(doubleSlider)))
        if (isStep === 0 || isStep === 3)
            backEnd.mouseSetVerticalScrollLines(lines)
    }
    function systemSettingFocus() { rows.closeFocus() }
    function chooseScroll(oneScreen) {
        isOneScreen = oneScreen
        saveData(true, 3)
    }
    // The radio buttons set their own mark on a click; the state is ours.
    onIsOneScreenChanged: syncRadios()
    function syncRadios() {
        rowsRadio.isSelect = !isOneScreen
        screenRadio.isSelect = isOneScreen
    }

    onCloseClicked: {
        rows.closeFocus()
        visible = false
        closed()
    }
    onBackgroundPressed: rows.closeFocus()

    IconButton {
        objectName: "systemUndo"
        x: parent.width - 16 - 16 - 8 - width
        y: 12 - systemSetting.titleHeight
        name: "undoBtn"
        onClicked: systemSetting.init(true, true)
    }


    Caption { x: 16; y: 12; text: systemSetting.lang(1) }
    SliderButton {
        id: speedSlider
        objectName: "speedSlider"
        x: 32
        y: 40
        width: 352
        onValueChangeDelay: systemSetting.saveData(true, 1)
    }
    Caption { x: 32; y: 58; text: systemSetting.lang(3); color: Theme.colorGray2 }
    Caption { x: 384 - implicitWidth; y: 58; text: systemSetting.lang(4); color: Theme.colorGray2 }
    Rule { y: 82 }

    Caption { x: 16; y: 94; text: systemSetting.lang(2) }
    SliderButton {
        id: doubleSlider
        objectName: "doubleSlider"
        x: 32
        y: 122
        width: 352
        onValueChangeDelay: systemSetting.saveData(true, 2)
    }
    Caption { x: 32; y: 140; text: systemSetting.lang(3); color: Theme.colorGray2 }
    Caption { x: 384 - implicitWidth; y: 140; text: systemSetting.lang(4); color: Theme.colorGray2 }
    Rule { y: 164 }

    Caption { x: 16; y: 176; text: systemSetting.lang(5) }
    RadioButton {
        id: rowsRadio
        objectName: "rowsRadio"
        x: 32
        y: 216
        textValue: systemSetting.lang(6)
        isSelect: true
        onBtnClick: {
            systemSetting.chooseScroll(false)
            systemSetting.syncRadios()
        }
    }
    Rectangle {
        x: rowsRadio.x + rowsRadio.width + 8
        y: rowsRadio.y + rowsRadio.height / 2 - 8
        width: 32
        height: 16
        color: Theme.colorBlack
        border.color: Theme.colorGray1
        RectInput {
            id: rows
            objectName: "rowsBox"
            anchors.fill: parent
            minValue: 1
            maxValue: 100
            textValue: "1"
            Component.onCompleted: txtInput.maximumLength = 3
            onInputSignal: systemSetting.focusPages()
            onEndInputSignal: {
                var n = parseInt(rows.textValue, 10)
                if (!isFinite(n) || n < 1)
                    rows.textValue = "1"
                systemSetting.saveData(true, 3)
            }
        }
    }
    RadioButton {
        id: screenRadio
        objectName: "screenRadio"
        x: 240
        y: 216
        textValue: systemSetting.lang(7)
        onBtnClick: {
            systemSetting.chooseScroll(true)
            systemSetting.syncRadios()
        }
    }
}
