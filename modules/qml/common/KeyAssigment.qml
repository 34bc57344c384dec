import QtQuick
import "../basic"
import "../panels"
import "../js/assignment.js" as Assignment
import "../js/lang.js" as Lang

// Button assignment dialog: every function category writes the four codes of
// the selected slot; closing copies them into the key list.
Dialog {
    id: keyAssigment

    property var keyAssigmentLang: Lang.keyAssigmentDefaults
    property bool isFireInput: false
    property bool isComboInput: false
    property int slot: -1
    property string keyString: ""
    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property alias macroList: macro.list

    // Choice tables: see assignment.js.
    readonly property var mouseTable: Assignment.mouseTable
    readonly property var mediaTable: Assignment.mediaTable
    readonly property var windowsTable: Assignment.windowsTable
    readonly property var shortcutTable: Assignment.shortcutTable
    readonly property var dpiTable: Assignment.dpiTable
    readonly property var gunTable: Assignment.gunTable
    readonly property var str: Lang.KeyAssigment

    // Fire and combination capture state.
    property int fireRate: 10
    property int comboBits: 0
    property var comboKeys: []
    property string comboText: ""
    property int macroOption: 0
    property bool isScrollFrozen: false
    // Passed down by the main screen: the key list's working and factory
    // slots, the key names, the macro editor, the report-rate label and
    // whether the mouse has gun slots.
    property ListModel slotKeys: null
    property ListModel factoryKeys: null
    property KeyCodeString keyCodeString: null
    property MacroEditor macroEditor: null
    property string rateLabel: ""
    property bool hasGun: true
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null

    signal closed()
    // An edit of the key list that waits for Save.
    signal keysEdited()
    signal focusPages()
    signal macroEditorRequested()

    width: 416
    height: 404
    title: lang(str.key) + (slot + 1) + " : " + keyString

    function lang(i) { return Lang.lang(keyAssigmentLang, i) }
    function labelOf(i) { return i < 0 ? rateLabel : lang(i) }
    function hex2(n) { return Assignment.hex2(n) }
    function codeString(c0, c1, c2, c3) { return Assignment.codeString(c0, c1, c2, c3) }
    function labelsOf(table) { return table.map(function (row) { return labelOf(row[0]) }) }
    function keyCodeToString(code0, code1, code2, code3) {
        return Assignment.describe(Number(code0), Number(code1), Number(code2), Number(code3), labelOf,
                                   function (code) { return keyCodeString.keycodeTostr(code) },
                                   function (slot) {
                                       var name = backEnd.getData("mouseMacroKey/" + slot, false)
                                       return name === undefined || name === null ? "" : String(name)
                                   })
    }
    // Every choice goes through here: eight hex digits, code0 first.
    function setCodeString(hex, text) {
        var codes = Assignment.parseCode(hex)
        if (!codes) {
            console.warn("assignment code refused:", hex)
            return
        }
        keyCode0 = codes[0]
        keyCode1 = codes[1]
        keyCode2 = codes[2]
        keyCode3 = codes[3]
        keyString = text
    }
    function fillGrid(model, table, cells) {
        model.clear()
        for (var i = 0; i < cells; ++i)
            model.append({ "textValue": i < table.length ? lang(table[i][0]) : "" })
    }
    function init() {
        fillGrid(media.items, mediaTable, 9)
        fillGrid(windows.items, windowsTable, 9)
        fillGrid(shortcuts.items, shortcutTable, 12)
        // The macro editor fills the list; until it has, the stored names serve.
        if (macro.items.count === 0)
            macro.list.addData(backEnd.getNameList(0), false)
        macro.list.closeMenu()
    }
    function show(index) {
        slot = index
        var s = slotKeys.get(index)
        keyString = s.keyText
        keyCode0 = s.keyCode0
        keyCode1 = s.keyCode1
        keyCode2 = s.keyCode2
        keyCode3 = s.keyCode3
        endCapture()
        showChoices()
        x = Math.round((parent.width - width) / 2)
        if (!visible)
            y = Math.round((parent.height - height) / 2)
        visible = true
    }
    // Every section shows the slot's own function and nothing left from the
    // slot shown before; the view starts at the top.
    function showChoices() {
        var c = Assignment.choicesOf(keyCode0, keyCode1, keyCode2, keyCode3)
        selectRadio(mouseRadios, c.mouse)
        selectRadio(dpiRadios, c.dpi)
        selectRadio(gunRadios, c.gun)
        media.grid.currentSelect = c.media
        windows.grid.currentSelect = c.windows
        shortcuts.grid.currentSelect = c.shortcut
        var isFire = keyCode0 === 1
        fireRate = isFire ? Math.max(4, Math.min(80, keyCode2)) : 10
        fire.showRate(isFire, fireRate, keyCode3)
        var isMacro = keyCode0 === 4
        macro.list.currentSelect = isMacro ? macroIndexOf(keyString) : -1
        macroOption = isMacro ? Math.min(2, keyCode1) : 0
        for (var j = 0; j < macro.options.count; ++j)
            macro.options.itemAt(j).isSelect = j === macroOption
        view.contentY = 0
    }
    function selectRadio(group, i) {
        for (var j = 0; j < group.count; ++j)
            group.itemAt(j).isSelect = j === i
    }
    function macroIndexOf(name) {
        for (var i = 0; i < macro.items.count; ++i)
            if (String(macro.items.get(i).textValue) === name)
                return i
        return -1
    }
    function keyAssigmentFocus() {
        macro.list.closeMenu()
        media.grid.closeMenu()
        windows.grid.closeMenu()
        shortcuts.grid.closeMenu()
        fire.rateSlider.closeMenu()
        fire.timesBox.closeFocus()
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
        var s = slotKeys.get(slot)
        if (s && isChanged(s)) {
            slotKeys.set(slot, { "keyCode0": keyCode0, "keyCode1": keyCode1, "keyCode2": keyCode2,
                                          "keyCode3": keyCode3, "keyText": keyString })
            keysEdited()
            if (keyCode0 === 4) {
                macroEditor.sendMacro(slot, keyString)
                backEnd.setData("mouseMacroKey/" + slot, keyString)
            }
        }
        closed()
        keyAssigmentFocus()
    }
    function undo() {
        var f = factoryKeys.get(slot)
        if (!f || f.keyText === keyString)
            return
        keyString = f.keyText
        keyCode0 = f.keyCode0
        keyCode1 = f.keyCode1
        keyCode2 = f.keyCode2
        keyCode3 = f.keyCode3
        slotKeys.set(slot, { "keyCode0": f.keyCode0, "keyCode1": f.keyCode1, "keyCode2": f.keyCode2,
                                      "keyCode3": f.keyCode3, "keyText": f.keyText })
        keysEdited()
    }

    function fireTimes() { return fire.times() }
    function startFire() {
        endCapture()
        isFireInput = true
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
        selectRadio(group, i)
        setCodeString(table[i][1], labelOf(table[i][0]))
    }
    function chooseGrid(grid, table) {
        var i = grid.currentSelect
        if (i >= 0 && i < table.length)
            setCodeString(table[i][1], labelOf(table[i][0]))
    }
    function chooseMacro(index) {
        var name = macro.list.entryText(index)
        if (name === "" || slot < 0)
            return
        setCodeString(codeString(4, macroOption, slot, 0), name)
    }
    function setMacroOption(i) {
        macroOption = i
        for (var j = 0; j < macro.options.count; ++j)
            macro.options.itemAt(j).isSelect = j === i
        if (keyCode0 === 4)
            keyCode1 = i
    }

    // A choice reached by Tab is scrolled into view.
    readonly property Item focusedItem: Window.activeFocusItem
    onFocusedItemChanged: if (visible && KeyFocus.keyboard && focusedItem
                                  && KeyFocus.isInside(focusedItem, view.contentItem)) reveal(focusedItem)
    function reveal(item) {
        var top = item.mapToItem(view.contentItem, 0, 0).y - 8
        var bottom = top + item.height + 16
        var maxY = Math.max(0, view.contentHeight - view.height)
        if (top < view.contentY)
            view.contentY = Math.max(0, top)
        else if (bottom > view.contentY + view.height)
            view.contentY = Math.min(maxY, bottom - view.height)
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
        SectionHeading { y: 8; text: keyAssigment.lang(keyAssigment.str.mouseFunction) }
        RadioGroup {
            id: mouseRadios
            x: 24
            y: 44
            columns: 3
            rowSpacing: 12
            prefix: "mouseRadio"
            labels: keyAssigment.labelsOf(keyAssigment.mouseTable)
            onChosen: function (i) { keyAssigment.chooseRadio(mouseRadios, keyAssigment.mouseTable, i) }
        }

        // 2. Fire function
        AssignFireSection {
            id: fire
            strings: keyAssigment.keyAssigmentLang
            onFocusPages: keyAssigment.focusPages()
            capturing: keyAssigment.isFireInput
            keyText: keyAssigment.keyCode0 === 1 ? keyAssigment.keyString : ""
            onCaptureClicked: keyAssigment.startFire()
            onScrollFrozen: function (frozen) { keyAssigment.isScrollFrozen = frozen }
            onRateChosen: function (rate) {
                keyAssigment.fireRate = rate
                if (keyAssigment.keyCode0 === 1)
                    keyAssigment.keyCode2 = rate
            }
            onTimesChosen: function (times) {
                if (keyAssigment.keyCode0 === 1)
                    keyAssigment.keyCode3 = times
            }
        }

        // 3. Key combination
        AssignComboSection {
            strings: keyAssigment.keyAssigmentLang
            capturing: keyAssigment.isComboInput
            comboText: keyAssigment.comboText
            currentText: keyAssigment.keyCode0 === 2 ? keyAssigment.keyString : ""
            onStartClicked: keyAssigment.startCombo()
            onConfirmClicked: keyAssigment.confirmCombo()
            onCancelClicked: keyAssigment.cancelCombo()
        }

        // 4. Media function
        AssignGridSection {
            id: media
            y: 304
            heading: keyAssigment.lang(keyAssigment.str.mediaFunction)
            gridName: "mediaGrid"
            onChosen: keyAssigment.chooseGrid(media.grid, keyAssigment.mediaTable)
        }

        // 5. Macro function
        AssignMacroSection {
            id: macro
            strings: keyAssigment.keyAssigmentLang
            onFocusPages: keyAssigment.focusPages()
            onScrollFrozen: function (frozen) { keyAssigment.isScrollFrozen = frozen }
            onMacroChosen: function (index) { keyAssigment.chooseMacro(index) }
            onOptionChosen: function (i) { keyAssigment.setMacroOption(i) }
            onEditorClicked: {
                // Above this dialog, which stays open beneath it.
                keyAssigment.macroEditor.z = keyAssigment.z + 1
                keyAssigment.macroEditorRequested()
            }
        }

        // 6. DPI function
        SectionHeading { y: 524; text: keyAssigment.lang(keyAssigment.str.dpiFunction) }
        RadioGroup {
            id: dpiRadios
            x: 24
            y: 560
            cellWidth: 90
            prefix: "dpiRadio"
            labels: keyAssigment.labelsOf(keyAssigment.dpiTable)
            onChosen: function (i) { keyAssigment.chooseRadio(dpiRadios, keyAssigment.dpiTable, i) }
        }

        // 7. Windows function
        AssignGridSection {
            id: windows
            y: 590
            heading: keyAssigment.lang(keyAssigment.str.windowsFunction)
            gridName: "windowsGrid"
            onChosen: keyAssigment.chooseGrid(windows.grid, keyAssigment.windowsTable)
        }

        // 8. Shortcut function
        AssignGridSection {
            id: shortcuts
            y: 664
            heading: keyAssigment.lang(keyAssigment.str.shortcutFunction)
            gridName: "shortcutGrid"
            onChosen: keyAssigment.chooseGrid(shortcuts.grid, keyAssigment.shortcutTable)
        }

        // 9. Gun function
        SectionHeading { y: 740; text: keyAssigment.lang(keyAssigment.str.gunFunction); visible: keyAssigment.hasGun }
        RadioGroup {
            id: gunRadios
            x: 24
            y: 776
            visible: keyAssigment.hasGun
            prefix: "gunRadio"
            labels: keyAssigment.labelsOf(keyAssigment.gunTable)
            onChosen: function (i) { keyAssigment.chooseRadio(gunRadios, keyAssigment.gunTable, i) }
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
