import QtQuick
import "../basic"
import "../panels"
import "../js/lang.js" as Lang
import "../js/macrocodec.js" as MacroCodec
import "../js/macronames.js" as MacroNames

// Macro editor dialog: the macro list, the action list of the selected
// macro, recording from the input capture, and the byte encoding the device
// takes. Every change is stored at once.
Dialog {
    id: macroEditor

    property var macroEditorLang: Lang.macroEditorDefaults
    property bool isInputting: false
    property bool isInsertting: false
    property bool delayRecord: false
    property int tickCount: 0
    property string insertKeyName: ""
    // Where the capture sees only this program's own keys, say so.
    property bool keysInWindowOnly: false
    property string focusNote: "Keys are recorded while this window has focus"
    property KeyCodeString keyCodeString: null
    // The assignment dialog's macro drop-down, kept in step with the names.
    property DropDownList assignList: null
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null
    // The key list's working slots, to name the keys a deleted macro frees.
    property ListModel keySlots: null
    // The profile on screen (0 to 5), whose keys keySlots holds.
    property int currentProfile: 0
    // Why the last change was refused; shown until the next press in the editor.
    property string refusal: ""
    property alias macroNumber_lv: nameBox.list
    property alias actionModel: actions
    property alias macroModel: names
    property alias repeatBox: recordBar.repeatInput

    readonly property int maxMacros: MacroNames.maxMacros
    readonly property int blockSize: MacroCodec.blockSize
    readonly property int recordLimit: MacroCodec.recordLimit

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)
    signal closed()

    width: 640
    height: 448
    title: lang(str.title)

    readonly property var str: Lang.MacroEditor
    function lang(i) { return Lang.lang(macroEditorLang, i) }
    function langWith(i, arg) { return lang(i).replace("%1", arg) }

    // Macro list
    function nameList() {
        var out = []
        for (var i = 0; i < names.count; ++i)
            out.push(String(names.get(i).textValue))
        return out
    }
    function selectedName() { return nameBox.list.currentIndex >= 0 ? String(names.get(nameBox.list.currentIndex).textValue) : "" }
    function nextName() {
        return MacroNames.nextName(nameList(), function (name) { return backEnd.loadMacroIni(name).length > 0 })
    }
    function storeNames() {
        backEnd.updataNameList(0, nameList())
        refillAssignList()
    }
    function refillAssignList() {
        if (assignList)
            assignList.addData(nameList(), false)
    }
    function init() {
        var list = MacroNames.fromStore(backEnd.getNameList(0))
        names.clear()
        for (var i = 0; i < list.length; ++i)
            names.append({ "textValue": String(list[i]) })
        nameBox.list.currentIndex = -1
        actions.clear()
        refillAssignList()
    }
    function selectMacro(index) {
        if (isInputting)
            stopRecord()
        nameBox.list.currentIndex = index
        loadActions()
    }
    function loadActions() {
        actions.clear()
        actionBox.list.currentIndex = -1
        if (nameBox.list.currentIndex < 0)
            return
        var rows = backEnd.loadMacroIni(selectedName())
        for (var i = 0; i < rows.length - 1; ++i) {
            var text = String(rows[i])
            actions.append({ "type": Number(text.charAt(0)) || 0, "info": text.substr(2) })
        }
        if (rows.length > 0)
            recordBar.repeatInput.textValue = String(rows[rows.length - 1])
    }
    function newMacro() {
        if (names.count >= maxMacros) {
            console.warn("Macro editor: refused a new macro, the list holds", maxMacros)
            refusal = langWith(str.listFull, maxMacros)
            return false
        }
        var name = nextName()
        if (!backEnd.createMacroIni(name, 0)) {
            console.warn("Macro editor: cannot create", name)
            return false
        }
        names.append({ "textValue": name })
        selectMacro(names.count - 1)
        storeNames()
        return true
    }
    function importMacro() {
        if (names.count >= maxMacros) {
            console.warn("Macro editor: refused an import, the list holds", maxMacros)
            refusal = langWith(str.listFull, maxMacros)
            return false
        }
        var name = nextName()
        var at = nameBox.list.currentIndex >= 0 ? nameBox.list.currentIndex : names.count
        if (!backEnd.loadMacroFile(name) && !backEnd.createMacroIni(name, 0)) {
            console.warn("Macro editor: cannot create", name)
            return false
        }
        names.insert(at, { "textValue": name })
        selectMacro(at)
        storeNames()
        return true
    }
    function exportMacro() {
        if (nameBox.list.currentIndex >= 0)
            backEnd.saveMacroFile(selectedName())
    }
    // Asks first, naming the keys that go back to their defaults.
    function deleteSelected() {
        if (nameBox.list.currentIndex < 0)
            return
        if (isInputting)
            stopRecord()
        deleteLayer.ask(selectedName())
    }
    function removeSelected() {
        deleteLayer.box.visible = false
        var index = nameBox.list.currentIndex
        if (index < 0)
            return
        if (isInputting)
            stopRecord()
        var name = selectedName()
        backEnd.deleteMacroIni(name)
        actions.clear()
        deleteMacro(name)
        names.remove(index)
        nameBox.list.currentIndex = Math.min(index, names.count - 1)
        loadActions()
        storeNames()
    }
    // A name the file store cannot take, an empty one, or one in use (in the
    // list or as a file) is refused and the old name stays.
    function renameMacro(index, newName) {
        if (index < 0 || index >= names.count)
            return false
        var oldName = String(names.get(index).textValue)
        var why = MacroNames.renameRefusal(oldName, newName, nameList(),
                                           function (name) { return backEnd.loadMacroIni(name).length > 0 })
        if (why !== "") {
            console.warn("Macro editor: rename of", oldName, "to", JSON.stringify(newName), "refused")
            var texts = { "empty": lang(str.emptyName), "slash": lang(str.slashName), "invalid": lang(str.badName),
                "taken": langWith(str.nameTaken, newName) }
            refusal = texts[why] || ""
            return false
        }
        modifyMacroName(oldName, newName)
        names.setProperty(index, "textValue", newName)
        storeNames()
        return true
    }

    // Actions
    // Row edits live in the action list; these keep the editor's names.
    function rows() { return actionBox.rows() }
    function repeatCount() { return parseInt(recordBar.repeatInput.textValue, 10) || 0 }
    function autoSave() {
        if (nameBox.list.currentIndex < 0)
            return
        var name = selectedName()
        backEnd.saveMacroIni(name, rows(), repeatCount())
        modifyMacroData(name)
    }
    function encodedLength() { return actionBox.encodedLength() }
    function fitsBlock() { return actionBox.fitsBlock() }
    function deleteAction() { actionBox.deleteAction() }
    function insertDelay() { actionBox.insertDelay() }
    function insertMouse(name) { actionBox.insertMouse(name) }
    function setDelay(index, text) { return actionBox.setDelay(index, text) }

    function startRecord() {
        if (nameBox.list.currentIndex < 0)
            return
        actions.clear()
        tickCount = 0
        recordTimer.start()
        isInputting = true
    }
    function stopRecord() {
        recordTimer.stop()
        isInputting = false
        autoSave()
    }
    function detectKeyboard(isDown, usbCode) {
        if (!isInputting || nameBox.list.currentIndex < 0 || encodedLength() >= recordLimit)
            return
        var name = keyCodeString.keycodeTostr(usbCode)
        // A key the table does not name would be sent as code 0.
        if (name === "")
            return
        var at = actions.count
        if (actions.count === 0) {
            tickCount = 0
        } else {
            if (delayRecord)
                actions.append({ "type": 0, "info": String(tickCount * 10) })
            tickCount = 0
        }
        var mouse = usbCode >= 0xF0
        actions.append({ "type": mouse ? (isDown ? 3 : 4) : (isDown ? 1 : 2), "info": name })
        if (!fitsBlock()) {
            actionBox.undoInsert(at, actions.count - at)
            return
        }
        actionBox.list.positionViewAtEnd()
    }
    function detectInput(isDown, usbCode) {
        if (!isInsertting || usbCode >= 0xF0)
            return
        var name = keyCodeString.keycodeTostr(usbCode)
        if (name !== "")
            insertKeyName = name
    }
    function openInsertKey() {
        if (encodedLength() >= recordLimit)
            return
        isInsertting = true
        insertLayer.box.visible = true
    }
    function insertKeyOk() {
        insertLayer.box.visible = false
        isInsertting = false
        if (insertKeyName === "")
            refusal = lang(str.noKeyInserted)
        else
            actionBox.insertKey(insertKeyName)
    }

    // Encoding: see macrocodec.js; key names through the interface's table.
    function keyCodeOf(name) { return keyCodeString.strTokeycode(name) || 0 }
    function encode(rowTexts, repeat) { return MacroCodec.encode(rowTexts, repeat, keyCodeOf) }
    function encodeForDevice(rowTexts, repeat) { return MacroCodec.encodeForDevice(rowTexts, repeat, keyCodeOf) }
    function sendMacro(index, macroName) {
        var stored = backEnd.loadMacroIni(macroName)
        var repeat = stored.length > 0 ? (parseInt(stored[stored.length - 1], 10) || 0) : repeatCount()
        backEnd.mouseSendMacroData(encodeForDevice(stored.slice(0, -1), repeat), index)
    }

    function macroEditorFocus() {
        refusal = ""
        recordBar.repeatInput.closeFocus()
        if (nameBox.editor.index >= 0)
            nameBox.editor.commit()
        if (actionBox.editor.index >= 0)
            actionBox.editor.commit()
        menus.close()
    }
    function close() {
        if (isInputting)
            stopRecord()
        macroEditorFocus()
        visible = false
        closed()
        focus = false
        if (assignList)
            assignList.closeMenu()
    }

    onCloseClicked: close()
    onBackgroundPressed: macroEditorFocus()

    ListModel { id: names }
    ListModel { id: actions }

    Timer {
        id: recordTimer
        interval: 10
        repeat: true
        onTriggered: macroEditor.tickCount++
    }

    // Left: the macro names
    FieldLabel { x: 16; y: 12; text: macroEditor.lang(macroEditor.str.macroName) }
    MacroNameList {
        id: nameBox
        x: 16
        y: 36
        width: 168
        height: 328
        model: names
        onRowPressed: function (index, button, x, y) {
            macroEditor.macroEditorFocus()
            if (nameBox.list.currentIndex !== index)
                macroEditor.selectMacro(index)
            if (button === Qt.RightButton) {
                menus.openMacroMenu(nameBox.mapToItem(menus, x, y))
            }
        }
        onMenuKeyed: function (row) { menus.macroMenu.takeFocus(row) }
        onRenamed: function (index, text) { macroEditor.renameMacro(index, text) }
        newText: macroEditor.lang(macroEditor.str.newMacro)
        deleteText: macroEditor.lang(macroEditor.str.deleteMacro)
        onNewClicked: {
            macroEditor.macroEditorFocus()
            macroEditor.newMacro()
        }
        onDeleteClicked: {
            macroEditor.macroEditorFocus()
            macroEditor.deleteSelected()
        }
    }

    // Right: the actions of the selected macro
    FieldLabel { id: actionTitle; x: 200; y: 12; text: macroEditor.lang(macroEditor.str.action) }
    // Right-aligned above the action list, beside its title.
    Text {
        objectName: "focusNote"
        x: 624 - width
        anchors.baseline: actionTitle.baseline
        width: Math.min(implicitWidth, 330)
        elide: Text.ElideRight
        visible: macroEditor.keysInWindowOnly
        text: macroEditor.focusNote
        color: Theme.colorGray2
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }
    TitleNote {
        objectName: "refusalNote"
        dialog: macroEditor
        text: macroEditor.refusal
    }
    MacroActionList {
        id: actionBox
        x: 200
        y: 36
        width: 424
        height: 328
        model: actions
        keyNames: macroEditor.keyCodeString.keyCodeStr
        onEdited: macroEditor.autoSave()
        onRowPressed: function (index, button, x, y) {
            macroEditor.macroEditorFocus()
            actionBox.list.currentIndex = index
            if (button === Qt.RightButton)
                menus.openActionMenu(actionBox.mapToItem(menus, x, y))
        }
        onMenuKeyed: function (row) { menus.actionMenu.takeFocus(row) }
        onDelayEdited: function (index, text) { macroEditor.setDelay(index, text) }
        onRefused: function (reason) {
            macroEditor.refusal = reason === "delayMax" ? macroEditor.langWith(macroEditor.str.delayMax, actionBox.maxDelay)
                                                        : macroEditor.lang(macroEditor.str.tooLong)
        }
    }
    MacroRecordBar {
        id: recordBar
        x: 200
        y: 376
        recording: macroEditor.isInputting
        delayRecord: macroEditor.delayRecord
        recordText: macroEditor.lang(macroEditor.str.startRecord)
        stopText: macroEditor.lang(macroEditor.str.stopRecord)
        timesText: macroEditor.lang(macroEditor.str.times)
        delayText: macroEditor.lang(macroEditor.str.delay)
        onRecordClicked: {
            macroEditor.macroEditorFocus()
            if (macroEditor.isInputting)
                macroEditor.stopRecord()
            else
                macroEditor.startRecord()
        }
        onRepeatEdited: macroEditor.autoSave()
        onDelayToggled: function (on) { macroEditor.delayRecord = on }
    }

    // Context menus, opened at the pointer.
    MacroMenus {
        id: menus
        z: 20
        dialog: macroEditor
        strings: macroEditor.macroEditorLang
        onChosen: function (name) {
            switch (name) {
            case "menuDelete": return macroEditor.deleteSelected()
            case "menuImport": return macroEditor.importMacro()
            case "menuExport": return macroEditor.exportMacro()
            case "actionDelete": return macroEditor.deleteAction()
            case "insertDelay": return macroEditor.insertDelay()
            case "insertKey": return macroEditor.openInsertKey()
            case "insertLeft": return macroEditor.insertMouse("MS-L")
            case "insertMiddle": return macroEditor.insertMouse("MS-M")
            case "insertRight": return macroEditor.insertMouse("MS-R")
            }
        }
    }

    // The key-insert box over a mask on the editor; it closes with OK only.
    MacroInsertBox {
        id: insertLayer
        z: 30
        dialog: macroEditor
        title: macroEditor.lang(macroEditor.str.insertKey)
        okText: macroEditor.lang(macroEditor.str.ok)
        keyName: macroEditor.insertKeyName
        onAccepted: macroEditor.insertKeyOk()
    }
    MacroDeleteBox {
        id: deleteLayer
        z: 30
        dialog: macroEditor
        backEnd: macroEditor.backEnd
        keySlots: macroEditor.keySlots
        currentProfile: macroEditor.currentProfile
        strings: macroEditor.macroEditorLang
        title: macroEditor.lang(macroEditor.str.deleteMacro)
        okText: macroEditor.lang(macroEditor.str.ok)
        cancelText: macroEditor.lang(macroEditor.str.cancel)
        onAccepted: macroEditor.removeSelected()
        onRejected: deleteLayer.box.visible = false
    }
}
