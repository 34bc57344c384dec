import QtQuick
import "../basic"
import "../panels"

// Button assignment dialog: every function category writes the four codes of
// the selected slot; closing copies them into the key list.
Dialog {
    id: keyAssigment

    property var keyAssigmentLang: ["Key ", "Mouse Function", "Left Key", "Middle Key", "Right Key",
        "Forward Key", "Back Key", "Double Fire", "Fire Function", "Key Value", "Click Input", "Rate",
        "Times", "Endness", "Group Function", "Media Function", "Macro Function", "Macro Editor",
        "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released", "DPI Function", "DPI+", "DPI-", "DPI LOOP",
        "Windows Function", "Shortcut Function", "Player", "Next", "Privous", "Stop", "Mute",
        "Play/Pause", "Volumn+", "Volumn-", "My PC", "Index", "Search", "Max", "Min", "Desktop", "Run",
        "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All",
        "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key", "", "", ""]
    property bool isFireInput: false
    property bool isComboInput: false
    property int slot: -1
    property string keyString: ""
    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property alias macroList: macroChoice

    // Choice tables: label index and code string (code0 code1 code2 code3).
    readonly property var mouseTable: [[2, "0000F000"], [3, "0000F200"], [4, "0000F100"], [5, "0000F400"],
        [6, "0000F300"], [7, "00F01E02"], [-1, "00F10300"]]
    readonly property var mediaTable: [[27, "03008301"], [28, "0300B500"], [29, "0300B600"], [30, "0300B700"],
        [31, "0300E200"], [32, "0300CD00"], [33, "0300E900"], [34, "0300EA00"]]
    readonly property var windowsTable: [[35, "06009401"], [36, "06002302"], [37, "06002102"], [38, "06042C1B"],
        [39, "06042C11"], [40, "0600E307"], [41, "0600E315"]]
    readonly property var shortcutTable: [[42, "0700E011"], [43, "0700E01B"], [44, "0700E006"], [45, "0700E019"],
        [46, "0700E016"], [47, "0700E013"], [48, "0700E009"], [49, "0700E01C"], [50, "0700E01D"],
        [51, "0700E004"]]
    readonly property var dpiTable: [[22, "05000100"], [23, "05000200"], [24, "05000300"], [56, "05000400"]]
    readonly property var gunTable: [[53, "08000100"], [54, "08000200"], [55, "08000300"]]

    // Fire and combination capture state.
    property int fireRate: 10
    property int comboBits: 0
    property var comboKeys: []
    property string comboText: ""
    property int macroOption: 0
    property bool isScrollFrozen: false

    signal closed()

    width: 416
    height: 404
    title: lang(0) + (slot + 1) + " : " + keyString

    function lang(i) { return keyAssigmentLang[i] !== undefined ? String(keyAssigmentLang[i]) : "" }
    function labelOf(i) { return i < 0 ? (mainWindow.mainLang[3] !== undefined ? String(mainWindow.mainLang[3]) : "") : lang(i) }
    function hex2(n) { return (n < 16 ? "0" : "") + n.toString(16).toUpperCase() }
    function codeString(c0, c1, c2, c3) { return hex2(c0) + hex2(c1) + hex2(c2) + hex2(c3) }
    function tableText(table, c0, c2, c3) {
        for (var i = 0; i < table.length; ++i) {
            var code = parseInt(table[i][1], 16)
            if ((code >>> 24) === c0 && ((code >> 8) & 0xFF) === c2 && (code & 0xFF) === c3)
                return labelOf(table[i][0])
        }
        return ""
    }
    function keyCodeToString(code0, code1, code2, code3) {
        var c0 = Number(code0), c1 = Number(code1), c2 = Number(code2), c3 = Number(code3)
        switch (c0) {
        case 0:
            var mouseIndex = [0xF0, 0xF2, 0xF1, 0xF4, 0xF3].indexOf(c2)
            if (mouseIndex >= 0)
                return lang(2 + mouseIndex)
            return c2 === 0x1E ? lang(7) : labelOf(-1)
        case 1:
            return keyCodeString.keycodeTostr(c1)
        case 2:
            var names = []
            for (var bit = 0; bit < 8; ++bit)
                if (c1 & (1 << bit))
                    names.push(keyCodeString.keycodeTostr(0xE0 + bit))
            if (c2 !== 0)
                names.push(keyCodeString.keycodeTostr(c2))
            if (c3 !== 0)
                names.push(keyCodeString.keycodeTostr(c3))
            return names.join("+")
        case 3:
            return tableText(mediaTable, c0, c2, c3)
        case 4:
            var name = ui_View.getData("mouseMacroKey/" + c2, false)
            return name === undefined || name === null ? "" : String(name)
        case 5:
            return c2 >= 1 && c2 <= 4 ? lang([22, 23, 24, 56][c2 - 1]) : ""
        case 6:
            return tableText(windowsTable, c0, c2, c3)
        case 7:
            return tableText(shortcutTable, c0, c2, c3)
        case 8:
            return c2 >= 1 && c2 <= 3 ? lang(52 + c2) : ""
        }
        return ""
    }
    // Every choice goes through here: eight hex digits, code0 first.
    function setCodeString(hex, text) {
        var code = parseInt(hex, 16)
        if (String(hex).length !== 8 || isNaN(code)) {
            console.warn("assignment code refused:", hex)
            return
        }
        keyCode0 = code >>> 24
        keyCode1 = (code >> 16) & 0xFF
        keyCode2 = (code >> 8) & 0xFF
        keyCode3 = code & 0xFF
        keyString = text
    }
    function fillGrid(model, table, cells) {
        model.clear()
        for (var i = 0; i < cells; ++i)
            model.append({ "textValue": i < table.length ? lang(table[i][0]) : "" })
    }
    function init() {
        fillGrid(mediaItems, mediaTable, 9)
        fillGrid(windowsItems, windowsTable, 9)
        fillGrid(shortcutItems, shortcutTable, 12)
        // The macro editor fills the list; until it has, the stored names serve.
        if (macroItems.count === 0)
            macroChoice.addData(ui_View.getNameList(0), false)
        macroChoice.closeMenu()
    }
    function show(index) {
        slot = index
        var s = keyMatrix.modKeys.get(index)
        keyString = s.keyText
        keyCode0 = s.keyCode0
        keyCode1 = s.keyCode1
        keyCode2 = s.keyCode2
        keyCode3 = s.keyCode3
        x = Math.round((parent.width - width) / 2)
        if (!visible)
            y = Math.round((parent.height - height) / 2)
        visible = true
    }
    function keyAssigmentFocus() {
        macroChoice.closeMenu()
        mediaGrid.closeMenu()
        windowsGrid.closeMenu()
        shortcutGrid.closeMenu()
        rateSlider.closeMenu()
        timesBox.closeFocus()
    }
    function endCapture() {
        isFireInput = false
        if (isComboInput)
            cancelCombo()
    }
    // A macro's codes do not name it: choosing another macro with the same
    // option changes only the name.
    function isChanged(s) {
        if (s.keyCode0 !== keyCode0 || s.keyCode1 !== keyCode1 || s.keyCode2 !== keyCode2
                || s.keyCode3 !== keyCode3)
            return true
        return keyCode0 === 4 && s.keyText !== keyString
    }
    function closeDialog() {
        endCapture()
        visible = false
        var s = keyMatrix.modKeys.get(slot)
        if (s && isChanged(s)) {
            keyMatrix.modKeys.set(slot, { "keyCode0": keyCode0, "keyCode1": keyCode1, "keyCode2": keyCode2,
                                          "keyCode3": keyCode3, "keyText": keyString })
            keyMatrix.isSave = true
            if (keyCode0 === 4) {
                macroEditor.sendMacro(slot, keyString)
                ui_View.setData("mouseMacroKey/" + slot, keyString)
            }
        }
        closed()
        keyAssigmentFocus()
    }
    function undo() {
        var f = keyMatrix.modKeys_tmp.get(slot)
        if (!f || f.keyText === keyString)
            return
        keyString = f.keyText
        keyCode0 = f.keyCode0
        keyCode1 = f.keyCode1
        keyCode2 = f.keyCode2
        keyCode3 = f.keyCode3
        keyMatrix.modKeys.set(slot, { "keyCode0": f.keyCode0, "keyCode1": f.keyCode1, "keyCode2": f.keyCode2,
                                      "keyCode3": f.keyCode3, "keyText": f.keyText })
        keyMatrix.isSave = true
    }

    function fireTimes() {
        var n = parseInt(timesBox.textValue, 10)
        return isFinite(n) ? Math.max(0, Math.min(255, n)) : 0
    }
    function startFire() {
        endCapture()
        isFireInput = true
        fireBox.text = lang(10)
    }
    function startCombo() {
        isFireInput = false
        isComboInput = true
        comboText = ""
        comboBits = 0
        comboKeys = []
    }
    function confirmCombo() {
        isComboInput = false
        if (comboText === "")
            return
        var keys = comboKeys.concat([0, 0])
        setCodeString(codeString(2, comboBits, keys[0], keys[1]), comboText)
    }
    function cancelCombo() {
        isComboInput = false
        comboText = ""
    }
    function appendName(name) { comboText = comboText === "" ? name : comboText + " + " + name }
    function detectKeyboard(isDown, usbCode, index) {
        var code = Number(usbCode) & 0xFF
        if (index === 0 && isFireInput) {
            isFireInput = false
            var name = keyCodeString.keycodeTostr(code)
            fireBox.text = name
            setCodeString(codeString(1, code, fireRate, fireTimes()), name)
        } else if (index === 1 && isComboInput && isDown) {
            // Held keys repeat their key-down; each key counts once.
            if (code >= 0xE0 && code <= 0xE7) {
                var bit = 1 << (code - 0xE0)
                if (comboBits & bit)
                    return
                comboBits |= bit
                appendName(keyCodeString.keycodeTostr(code))
            } else if (comboKeys.length < 2 && comboKeys.indexOf(code) < 0) {
                comboKeys = comboKeys.concat([code])
                appendName(keyCodeString.keycodeTostr(code))
            }
        }
    }
    function chooseRadio(group, table, i) {
        for (var j = 0; j < group.count; ++j)
            group.itemAt(j).isSelect = j === i
        setCodeString(table[i][1], labelOf(table[i][0]))
    }
    function chooseGrid(grid, table) {
        var i = grid.currentSelect
        if (i >= 0 && i < table.length)
            setCodeString(table[i][1], labelOf(table[i][0]))
    }
    function chooseMacro(index) {
        var name = macroChoice.entryText(index)
        if (name === "" || slot < 0)
            return
        setCodeString(codeString(4, macroOption, slot, 0), name)
    }
    function setMacroOption(i) {
        macroOption = i
        for (var j = 0; j < macroOptions.count; ++j)
            macroOptions.itemAt(j).isSelect = j === i
        if (keyCode0 === 4)
            keyCode1 = i
    }

    onCloseClicked: closeDialog()
    // The close icon acts on press.
    Component.onCompleted: {
        for (var i = 0; i < titleBar.children.length; ++i)
            if (titleBar.children[i].name === "closeBtn")
                titleBar.children[i].actOnPress = true
    }
    onBackgroundPressed: keyAssigmentFocus()

    IconButton {
        objectName: "assignUndo"
        x: parent.width - 16 - 16 - 16 - width
        y: 12 - keyAssigment.titleHeight
        name: "undoBtn"
        onClicked: keyAssigment.undo()
    }


    Flickable {
        id: view
        objectName: "assignView"
        x: 0
        y: 0
        width: 400
        height: 360
        contentHeight: 830
        clip: true
        interactive: false
        boundsBehavior: Flickable.StopAtBounds

        WheelHandler {
            enabled: !keyAssigment.isScrollFrozen
            onWheel: function (event) {
                var maxY = Math.max(0, view.contentHeight - view.height)
                view.contentY = Math.max(0, Math.min(maxY, view.contentY - event.angleDelta.y / 2))
            }
        }

        // 1. Mouse function
        SectionHeading { y: 8; text: keyAssigment.lang(1) }
        Grid {
            x: 24
            y: 44
            columns: 3
            columnSpacing: 0
            rowSpacing: 12
            Repeater {
                id: mouseRadios
                model: keyAssigment.mouseTable.length
                delegate: Item {
                    id: mouseCell
                    required property int index
                    property alias isSelect: radio.isSelect
                    width: 120
                    height: 12
                    RadioButton {
                        id: radio
                        objectName: "mouseRadio" + mouseCell.index
                        index: mouseCell.index
                        textValue: keyAssigment.labelOf(keyAssigment.mouseTable[mouseCell.index][0])
                        onBtnClick: function (i) { keyAssigment.chooseRadio(mouseRadios, keyAssigment.mouseTable, i) }
                    }
                }
            }
        }

        // 2. Fire function
        SectionHeading { y: 120; text: keyAssigment.lang(8) }
        FieldLabel { x: 24; y: 160; text: keyAssigment.lang(9) }
        Rectangle {
            id: fireCell
            objectName: "fireBox"
            x: 96
            y: 156
            width: 96
            height: 24
            color: keyAssigment.isFireInput ? colorOrange : colorGray0
            border.color: colorGray1
            Text {
                id: fireBox
                anchors.centerIn: parent
                text: keyAssigment.lang(10)
                color: fontColor
                font.family: fontFamily
                font.pixelSize: fontNormalSize
            }
            MouseArea {
                anchors.fill: parent
                onClicked: keyAssigment.startFire()
            }
        }
        FieldLabel { x: 208; y: 160; text: keyAssigment.lang(11) }
        DropDownSlider {
            id: rateSlider
            objectName: "rateSlider"
            x: 264
            y: 156
            width: 110
            textValue: "10ms"
            onBtnClick: mainWindow.mainFocus()
            onDragSignal: function (isDrag) { keyAssigment.isScrollFrozen = isDrag }
            onValueChange: function (x) {
                var s = rateSlider.slider
                var n = Math.round(4 + (x - s.minX) * 76 / Math.max(1, s.maxX - s.minX))
                keyAssigment.fireRate = Math.max(4, Math.min(80, n))
                rateSlider.textValue = keyAssigment.fireRate + "MS"
                if (keyAssigment.keyCode0 === 1)
                    keyAssigment.keyCode2 = keyAssigment.fireRate
            }
        }
        FieldLabel { x: 24; y: 196; text: keyAssigment.lang(12) }
        Rectangle {
            x: 96
            y: 192
            width: 48
            height: 20
            color: colorBlack
            border.color: colorGray1
            RectInput {
                id: timesBox
                objectName: "timesBox"
                anchors.fill: parent
                minValue: 0
                maxValue: 255
                onEndInputSignal: {
                    var n = keyAssigment.fireTimes()
                    endness.isSelect = n === 0
                    if (keyAssigment.keyCode0 === 1)
                        keyAssigment.keyCode3 = n
                }
            }
        }
        CheckBox {
            id: endness
            objectName: "endness"
            x: 208
            y: 196
            textValue: keyAssigment.lang(13)
            isSelect: true
            onBtnClick: {
                if (endness.isSelect)
                    return
                timesBox.textValue = "0"
                if (keyAssigment.keyCode0 === 1)
                    keyAssigment.keyCode3 = 0
            }
        }

        // 3. Key combination
        SectionHeading { y: 230; text: keyAssigment.lang(14) }
        Rectangle {
            objectName: "comboBox"
            x: 24
            y: 266
            width: 240
            height: 24
            color: keyAssigment.isComboInput ? colorOrange : colorGray0
            border.color: colorGray1
            Text {
                objectName: "comboText"
                x: 8
                width: parent.width - 56
                anchors.verticalCenter: parent.verticalCenter
                text: keyAssigment.isComboInput ? keyAssigment.comboText : keyAssigment.lang(10)
                elide: Text.ElideRight
                color: fontColor
                font.family: fontFamily
                font.pixelSize: fontNormalSize
            }
            MouseArea {
                anchors.fill: parent
                enabled: !keyAssigment.isComboInput
                onClicked: keyAssigment.startCombo()
            }
            IconButton {
                objectName: "comboConfirm"
                x: parent.width - 44
                anchors.verticalCenter: parent.verticalCenter
                name: "okBtn"
                visible: keyAssigment.isComboInput
                onClicked: keyAssigment.confirmCombo()
            }
            IconButton {
                objectName: "comboCancel"
                x: parent.width - 20
                anchors.verticalCenter: parent.verticalCenter
                name: "cancelBtn"
                visible: keyAssigment.isComboInput
                onClicked: keyAssigment.cancelCombo()
            }
        }

        // 4. Media function
        SectionHeading { y: 304; text: keyAssigment.lang(15) }
        ListModel { id: mediaItems }
        DropDownGrid {
            id: mediaGrid
            objectName: "mediaGrid"
            x: 24
            y: 340
            width: 107
            mdItems: mediaItems
            onBtnClick: keyAssigment.chooseGrid(mediaGrid, keyAssigment.mediaTable)
        }

        // 5. Macro function
        SectionHeading { y: 378; text: keyAssigment.lang(16) }
        ListModel { id: macroItems }
        DropDownList {
            id: macroChoice
            objectName: "macroChoice"
            x: 24
            y: 414
            width: 160
            count: macroItems.count
            mdItems: macroItems
            currentSelect: -1
            onBtnClick: mainWindow.mainFocus()
            onDragSignal: function (isDrag) { keyAssigment.isScrollFrozen = isDrag }
            onValueChange: function (index) { keyAssigment.chooseMacro(index) }

            // Replaces every entry with the given names.
            function addData(names, isOpen) {
                macroItems.clear()
                for (var i = 0; names && i < names.length; ++i)
                    macroItems.append({ "textValue": String(names[i]) })
                currentSelect = -1
                if (isOpen && !isDrop)
                    openMenu()
            }
        }
        TextButton {
            objectName: "macroEditorButton"
            x: 200
            y: 414
            width: 107
            height: 24
            text: keyAssigment.lang(17)
            onClicked: {
                // Above this dialog, which stays open beneath it.
                macroEditor.z = keyAssigment.z + 1
                mainWindow.openDialog(macroEditor, true)
            }
        }
        Column {
            x: 24
            y: 450
            spacing: 12
            Repeater {
                id: macroOptions
                model: 3
                delegate: RadioButton {
                    required index
                    objectName: "macroOption" + index
                    textValue: keyAssigment.lang(18 + index)
                    isSelect: index === 0
                    onBtnClick: function (i) { keyAssigment.setMacroOption(i) }
                }
            }
        }

        // 6. DPI function
        SectionHeading { y: 524; text: keyAssigment.lang(21) }
        Row {
            x: 24
            y: 560
            Repeater {
                id: dpiRadios
                model: keyAssigment.dpiTable.length
                delegate: Item {
                    id: dpiCell
                    required property int index
                    property alias isSelect: dpiRadio.isSelect
                    width: 90
                    height: 12
                    RadioButton {
                        id: dpiRadio
                        objectName: "dpiRadio" + dpiCell.index
                        index: dpiCell.index
                        textValue: keyAssigment.labelOf(keyAssigment.dpiTable[dpiCell.index][0])
                        onBtnClick: function (i) { keyAssigment.chooseRadio(dpiRadios, keyAssigment.dpiTable, i) }
                    }
                }
            }
        }

        // 7. Windows function
        SectionHeading { y: 590; text: keyAssigment.lang(25) }
        ListModel { id: windowsItems }
        DropDownGrid {
            id: windowsGrid
            objectName: "windowsGrid"
            x: 24
            y: 626
            width: 107
            mdItems: windowsItems
            onBtnClick: keyAssigment.chooseGrid(windowsGrid, keyAssigment.windowsTable)
        }

        // 8. Shortcut function
        SectionHeading { y: 664; text: keyAssigment.lang(26) }
        ListModel { id: shortcutItems }
        DropDownGrid {
            id: shortcutGrid
            objectName: "shortcutGrid"
            x: 24
            y: 700
            width: 107
            z: 1
            mdItems: shortcutItems
            onBtnClick: keyAssigment.chooseGrid(shortcutGrid, keyAssigment.shortcutTable)
        }

        // 9. Gun function
        SectionHeading { y: 740; text: keyAssigment.lang(52); visible: mainWindow.isGun }
        Row {
            x: 24
            y: 776
            visible: mainWindow.isGun
            Repeater {
                id: gunRadios
                model: keyAssigment.gunTable.length
                delegate: Item {
                    id: gunCell
                    required property int index
                    property alias isSelect: gunRadio.isSelect
                    width: 120
                    height: 12
                    RadioButton {
                        id: gunRadio
                        objectName: "gunRadio" + gunCell.index
                        index: gunCell.index
                        textValue: keyAssigment.labelOf(keyAssigment.gunTable[gunCell.index][0])
                        onBtnClick: function (i) { keyAssigment.chooseRadio(gunRadios, keyAssigment.gunTable, i) }
                    }
                }
            }
        }
    }

    ScrollBar {
        objectName: "assignScroll"
        x: 402
        y: 60
        height: 240
        flickable: view
        onDragSignal: function (isDrag) { keyAssigment.isScrollFrozen = isDrag }
    }
}
