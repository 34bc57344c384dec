import QtQuick
import "../basic"
import "../panels"

// System settings dialog: the desktop's cursor speed, double-click speed
// and wheel lines, each applied as soon as it changes, and the language.
// A value is stored only once the desktop took it, and a setting the
// desktop has no way to change is shown dimmed and never sent.
Dialog {
    id: systemSetting

    property var systemSettingLang: ["System Setting", "Mouse Speed", "Double Click Speed", "Slow", "Fast",
        "Scroll Speed", "Number of Rows", "Scroll one Screen", "", "", "", "", "", "", "",
        "This desktop does not let the program change the pointer.",
        "This desktop does not let the program change the dimmed settings.",
        "The desktop did not take the change. The setting stays as it was.",
        "Language", "A new language takes effect at the next start.", "English"]
    // First threshold above a knob position gives the speed index 0 to 10.
    readonly property var compareValue: [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
    property bool isOneScreen: false
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null
    // Whether the desktop lets the program change the speed, the
    // double-click time and the wheel lines.
    property var offered: [true, true, true]
    readonly property bool noneOffered: !offered[0] && !offered[1] && !offered[2]
    readonly property bool allOffered: offered[0] && offered[1] && offered[2]
    property bool applyFailed: false
    // The languages shipped, as {"code", "name"}, and the stored choice.
    property var languages: []
    property string languageCode: ""
    readonly property string notice: applyFailed ? lang(17) : noneOffered ? lang(15) : !allOffered ? lang(16) : ""
    property alias mouseSpeed: speedSlider
    property alias doubleSpeed: doubleSlider
    property alias rowsBox: rows

    // Closed by its own button; the main screen lifts the mask.
    signal closed()
    signal focusPages()

    width: 416
    height: 376
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
        var can = backEnd.pointerSettingsOffered()
        offered = [can[0] === true, can[1] === true, can[2] === true]
        applyFailed = false
        loadLanguages()
        placeSlider(speedSlider, backEnd.getData("mouse/mouseRate", isRecovery))
        placeSlider(doubleSlider, backEnd.getData("mouse/doubleRate", isRecovery))
        placeScroll(backEnd.getData("mouse/scrollRate", isRecovery))
        if (isSendData)
            saveData(true, 0)
    }
    function placeScroll(stored) {
        var scroll = Math.round(Number(stored))
        if (isFinite(scroll) && scroll > 100) {
            isOneScreen = true
        } else {
            isOneScreen = false
            rows.textValue = String(isFinite(scroll) ? Math.max(1, scroll) : 1)
        }
    }
    // Step i (1 to 3): its stored key, its value now, and how it is applied.
    function setting(i) {
        if (i === 1)
            return { key: "mouse/mouseRate", value: position(speedSlider),
                     apply: function () { return backEnd.mouseSetCursorSpeed(speedIndex(position(speedSlider))) },
                     restore: function (v) { placeSlider(speedSlider, v) } }
        if (i === 2)
            return { key: "mouse/doubleRate", value: position(doubleSlider),
                     apply: function () { return backEnd.mouseSetDoubleClickSpeed(speedIndex(position(doubleSlider))) },
                     restore: function (v) { placeSlider(doubleSlider, v) } }
        var lines = isOneScreen ? 1000 : rowsValue()
        return { key: "mouse/scrollRate", value: lines,
                 apply: function () { return backEnd.mouseSetVerticalScrollLines(lines) },
                 restore: placeScroll }
    }
    // What the desktop did not take goes back to what it has.
    function saveData(isSendData, isStep) {
        if (isSendData)
            applyFailed = false
        for (var i = 1; i <= 3; ++i) {
            var s = setting(i)
            if (!isSendData) {
                backEnd.setData(s.key, s.value)
                continue
            }
            if (isStep !== 0 && isStep !== i)
                continue
            if (offered[i - 1] && s.apply() === true) {
                backEnd.setData(s.key, s.value)
                continue
            }
            if (offered[i - 1])
                applyFailed = true
            s.restore(backEnd.getData(s.key, false))
        }
    }
    function loadLanguages() {
        languages = backEnd.languageList()
        languageCode = String(backEnd.currentLanguage())
        languageItems.clear()
        for (var i = 0; i < languages.length; ++i)
            languageItems.append({ "textValue": String(languages[i].name) })
        languageBox.currentSelect = languageIndex()
    }
    function languageIndex() {
        for (var i = 0; i < languages.length; ++i)
            if (String(languages[i].code) === languageCode)
                return i
        return -1
    }
    function chooseLanguage(index) {
        if (index < 0 || index >= languages.length)
            return
        languageCode = String(languages[index].code)
        backEnd.setGlobalData("common/language", languageCode)
    }
    function systemSettingFocus() {
        rows.closeFocus()
        languageBox.closeMenu()
    }
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
        systemSettingFocus()
        applyFailed = false // told once; the values shown are what the desktop has
        visible = false
        closed()
    }
    onBackgroundPressed: systemSettingFocus()

    IconButton {
        objectName: "systemUndo"
        x: parent.width - 16 - 16 - 8 - width
        y: 12 - systemSetting.titleHeight
        name: "undoBtn"
        onClicked: systemSetting.init(true, true)
    }


    Item {
        objectName: "speedRow"
        width: parent.width
        height: 82
        enabled: systemSetting.offered[0]
        opacity: enabled ? 1 : 0.4
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
    }
    Rule { y: 82 }

    Item {
        objectName: "doubleRow"
        y: 82
        width: parent.width
        height: 82
        enabled: systemSetting.offered[1]
        opacity: enabled ? 1 : 0.4
        Caption { x: 16; y: 12; text: systemSetting.lang(2) }
        SliderButton {
            id: doubleSlider
            objectName: "doubleSlider"
            x: 32
            y: 40
            width: 352
            onValueChangeDelay: systemSetting.saveData(true, 2)
        }
        Caption { x: 32; y: 58; text: systemSetting.lang(3); color: Theme.colorGray2 }
        Caption { x: 384 - implicitWidth; y: 58; text: systemSetting.lang(4); color: Theme.colorGray2 }
    }
    Rule { y: 164 }

    Item {
        objectName: "scrollRow"
        y: 164
        width: parent.width
        height: 82
        enabled: systemSetting.offered[2]
        opacity: enabled ? 1 : 0.4
        Caption { x: 16; y: 12; text: systemSetting.lang(5) }
        RadioButton {
            id: rowsRadio
            objectName: "rowsRadio"
            x: 32
            y: 52
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
            y: 52
            textValue: systemSetting.lang(7)
            onBtnClick: {
                systemSetting.chooseScroll(true)
                systemSetting.syncRadios()
            }
        }
    }
    Rule { y: 246 }

    Caption { x: 16; y: 262; text: systemSetting.lang(18) }
    Caption {
        x: 32
        y: 290
        text: systemSetting.lang(19)
        color: Theme.colorGray2
        font.pixelSize: Theme.fontMinSize
    }
    Text {
        objectName: "pointerNotice"
        x: 16
        y: 310
        width: parent.width - 32
        text: systemSetting.notice
        visible: text !== ""
        color: Theme.colorGray3
        wrapMode: Text.Wrap
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }
    ListModel { id: languageItems }
    DropDownList {
        id: languageBox
        objectName: "languageBox"
        x: 384 - width
        y: 258
        count: languageItems.count
        mdItems: languageItems
        currentSelect: -1
        onValueChange: function (index) { systemSetting.chooseLanguage(index) }
    }
}
