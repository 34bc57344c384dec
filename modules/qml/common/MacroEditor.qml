import QtQuick
import "../basic"
import "../panels"

// Macro editor dialog: the macro list, the action list of the selected
// macro, recording from the input capture, and the byte encoding the device
// takes. Every change is stored at once.
Dialog {
    id: macroEditor

    property var macroEditorLang: ["Macro Editor", "Macro Name", "New", "Delete", "Action", "Stop Record", "Times",
        "OK", "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay", "Insert Key", "Insert Left Key",
        "Insert Middle Key", "Insert Right Key", "", ""]
    property bool isInputting: false
    property bool isInsertting: false
    property bool delayRecord: false
    property int tickCount: 0
    property string insertKeyName: ""
    // Where the capture sees only this program's own keys, say so.
    property bool keysInWindowOnly: false
    property string focusNote: "Keys are recorded while this window has focus"
    property alias macroNumber_lv: macroList
    property alias actionModel: actions
    property alias macroModel: names
    property alias repeatBox: repeatInput

    readonly property int maxMacros: 100
    readonly property int blockSize: 128
    readonly property int recordLimit: 126

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)

    width: 640
    height: 448
    title: lang(0)

    function lang(i) { return macroEditorLang && macroEditorLang[i] !== undefined ? String(macroEditorLang[i]) : "" }

    // Macro list
    function nameList() {
        var out = []
        for (var i = 0; i < names.count; ++i)
            out.push(String(names.get(i).textValue))
        return out
    }
    function selectedName() { return macroList.currentIndex >= 0 ? String(names.get(macroList.currentIndex).textValue) : "" }
    // The smallest free "Macro_" number: neither listed nor a file already,
    // since a file left behind may still hold a macro's events. Such files
    // may take numbers beyond the hundred.
    function nextName() {
        var taken = nameList()
        for (var n = 0; n < maxMacros + 1000; ++n) {
            var name = "Macro_" + n
            if (taken.indexOf(name) < 0 && ui_View.loadMacroIni(name).length === 0)
                return name
        }
        return ""
    }
    function storeNames() {
        ui_View.updataNameList(0, nameList())
        refillAssignList()
    }
    // The assignment page's macro list: a list with addData, or a bare model.
    function refillAssignList() {
        if (typeof keyAssigment === "undefined" || !keyAssigment.macroList)
            return
        var list = keyAssigment.macroList
        if (typeof list.addData === "function") {
            list.addData(nameList(), false)
            return
        }
        list.clear()
        for (var name of nameList())
            list.append({ "textValue": name })
    }
    function init() {
        var list = ui_View.getNameList(0)
        if (list.length === 2 && String(list[1]) === "vornakelpish")
            list = [list[0]]
        names.clear()
        for (var i = 0; i < list.length; ++i)
            names.append({ "textValue": String(list[i]) })
        macroList.currentIndex = -1
        actions.clear()
        refillAssignList()
    }
    function selectMacro(index) {
        if (isInputting)
            stopRecord()
        macroList.currentIndex = index
        loadActions()
    }
    function loadActions() {
        actions.clear()
        actionList.currentIndex = -1
        if (macroList.currentIndex < 0)
            return
        var rows = ui_View.loadMacroIni(selectedName())
        for (var i = 0; i < rows.length - 1; ++i) {
            var text = String(rows[i])
            actions.append({ "type": Number(text.charAt(0)) || 0, "info": text.substr(2) })
        }
        if (rows.length > 0)
            repeatInput.textValue = String(rows[rows.length - 1])
    }
    function newMacro() {
        if (names.count >= maxMacros) {
            console.warn("Macro editor: refused a new macro, the list holds", maxMacros)
            return false
        }
        var name = nextName()
        if (!ui_View.createMacroIni(name, 0)) {
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
            return false
        }
        var name = nextName()
        var at = macroList.currentIndex >= 0 ? macroList.currentIndex : names.count
        if (!ui_View.loadMacroFile(name) && !ui_View.createMacroIni(name, 0)) {
            console.warn("Macro editor: cannot create", name)
            return false
        }
        names.insert(at, { "textValue": name })
        selectMacro(at)
        storeNames()
        return true
    }
    function exportMacro() {
        if (macroList.currentIndex >= 0)
            ui_View.saveMacroFile(selectedName())
    }
    function deleteSelected() {
        var index = macroList.currentIndex
        if (index < 0)
            return
        if (isInputting)
            stopRecord()
        var name = selectedName()
        ui_View.deleteMacroIni(name)
        actions.clear()
        deleteMacro(name)
        names.remove(index)
        macroList.currentIndex = Math.min(index, names.count - 1)
        loadActions()
        storeNames()
    }
    // A name the file store cannot take, an empty one, or one in use (in the
    // list or as a file) is refused and the old name stays.
    function renameMacro(index, newName) {
        if (index < 0 || index >= names.count)
            return false
        var oldName = String(names.get(index).textValue)
        var bad = newName === "" || newName.length > 64 || newName === "." || newName === ".."
                  || /[\/\\\u0000]/.test(newName)
        if (bad || nameList().indexOf(newName) >= 0 || ui_View.loadMacroIni(newName).length > 0) {
            console.warn("Macro editor: rename of", oldName, "to", JSON.stringify(newName), "refused")
            return false
        }
        modifyMacroName(oldName, newName)
        names.setProperty(index, "textValue", newName)
        storeNames()
        return true
    }

    // Actions
    function rows() {
        var out = []
        for (var i = 0; i < actions.count; ++i)
            out.push(actions.get(i).type + "," + actions.get(i).info)
        return out
    }
    function repeatCount() { return parseInt(repeatInput.textValue, 10) || 0 }
    function autoSave() {
        if (macroList.currentIndex < 0)
            return
        var name = selectedName()
        ui_View.saveMacroIni(name, rows(), repeatCount())
        modifyMacroData(name)
    }
    function encodedLength() { return encode(rows(), 0).length }
    function fitsBlock() { return encodedLength() <= blockSize }
    function addKeyRows(type, info, at) {
        actions.insert(at, { "type": type, "info": info })
        actions.insert(at + 1, { "type": type + 1, "info": info })
    }
    function undoInsert(at, count) {
        console.warn("Macro editor: refused an action, the macro would not fit the device's", blockSize, "bytes")
        actions.remove(at, count)
    }

    function startRecord() {
        if (macroList.currentIndex < 0)
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
        if (!isInputting || macroList.currentIndex < 0 || encodedLength() >= recordLimit)
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
            undoInsert(at, actions.count - at)
            return
        }
        actionList.positionViewAtEnd()
    }
    function detectInput(isDown, usbCode) {
        if (!isInsertting || usbCode >= 0xF0)
            return
        var name = keyCodeString.keycodeTostr(usbCode)
        if (name !== "")
            insertKeyName = name
    }
    function deleteAction() {
        var index = actionList.currentIndex
        if (index < 0 || index >= actions.count)
            return
        actions.remove(index)
        actionList.currentIndex = Math.min(index, actions.count - 1)
        autoSave()
    }
    function insertDelay() {
        if (encodedLength() >= recordLimit)
            return
        var at = actionList.currentIndex >= 0 ? actionList.currentIndex : actions.count
        actions.insert(at, { "type": 0, "info": "50" })
        if (!fitsBlock())
            return undoInsert(at, 1)
        actionList.currentIndex = at
        autoSave()
    }
    function openInsertKey() {
        if (encodedLength() >= recordLimit)
            return
        isInsertting = true
        insertBox.visible = true
    }
    function insertKeyOk() {
        insertBox.visible = false
        isInsertting = false
        var index = actionList.currentIndex
        var at = index < 0 || index >= actions.count - 1 ? actions.count : index
        addKeyRows(1, insertKeyName, at)
        if (!fitsBlock())
            return undoInsert(at, 2)
        autoSave()
    }
    function insertMouse(name) {
        if (encodedLength() >= recordLimit)
            return
        var index = actionList.currentIndex
        var at = index < 0 || index >= actions.count - 1 ? actions.count : index + 1
        addKeyRows(3, name, at)
        if (!fitsBlock())
            return undoInsert(at, 2)
        autoSave()
    }
    // A delay edit: whole numbers 0 to 65535 replace the delay, anything else
    // is dropped; one that would overflow the device's block is refused.
    function setDelay(index, text) {
        if (index < 0 || index >= actions.count || actions.get(index).type !== 0)
            return false
        var t = String(text).trim()
        if (!/^\d+$/.test(t) || Number(t) > 65535)
            return false
        var old = actions.get(index).info
        actions.setProperty(index, "info", String(Number(t)))
        if (!fitsBlock()) {
            console.warn("Macro editor: refused a delay of", t, "ms, the macro would not fit the device's", blockSize, "bytes")
            actions.setProperty(index, "info", old)
            return false
        }
        autoSave()
        return true
    }

    // Encoding: two repeat bytes, then one pair per action (the pause after
    // it in 10 ms units with bit 7 for a release, then its key code; a long
    // pause adds a unit pair and a count pair), then 0, 0.
    function keyCodeOf(name) { return keyCodeString.strTokeycode(name) || 0 }
    function isRelease(type) { return type === 2 || type === 4 }
    // The actions with the pause that follows each; leading delays drop out.
    function actionsOf(rowTexts) {
        var out = []
        for (var i = 0; i < rowTexts.length; ++i) {
            var text = String(rowTexts[i])
            var type = Number(text.charAt(0)) || 0
            var info = text.substr(2)
            if (type === 0) {
                if (out.length > 0)
                    out[out.length - 1].pause += (Number(info) || 0) / 10
            } else {
                out.push({ "release": isRelease(type), "code": keyCodeOf(info), "pause": 0 })
            }
        }
        return out
    }
    function pairBytes(action, isLast) {
        var flag = action.release ? 0x80 : 0
        var t = action.pause
        if (isLast)
            return [flag + 1, action.code]
        if (t < 127)
            return [(t === 0 ? 1 : t) + flag, action.code]
        var unit, count
        if (t < 100000) {
            unit = 1
            count = Math.floor(t / 2)
        } else if (t < 300000) {
            unit = 2
            count = Math.floor(t / 5)
        } else {
            // Beyond two bytes of 100 ms units the count is held at its largest.
            unit = 3
            count = Math.min(65535, Math.floor(t / 10))
        }
        return [flag, action.code, 0, unit, Math.floor(count / 256), count % 256]
    }
    function encodeActions(list, repeat) {
        var bytes = [Math.floor(repeat / 256) % 256, repeat % 256]
        if (list.length === 0)
            return bytes
        for (var i = 0; i < list.length; ++i)
            bytes = bytes.concat(pairBytes(list[i], i === list.length - 1))
        return bytes.concat([0, 0])
    }
    function encode(rowTexts, repeat) { return encodeActions(actionsOf(rowTexts), repeat) }
    // A stored list too long for the block loses its last actions, so that
    // the end mark is always inside it.
    function encodeForDevice(rowTexts, repeat) {
        var list = actionsOf(rowTexts)
        var bytes = encodeActions(list, repeat)
        if (bytes.length <= blockSize)
            return bytes
        while (list.length > 0 && encodeActions(list, repeat).length > blockSize)
            list.pop()
        console.warn("Macro editor: macro cut to", list.length, "actions to fit the device's", blockSize, "bytes")
        return encodeActions(list, repeat)
    }
    function sendMacro(index, macroName) {
        var stored = ui_View.loadMacroIni(macroName)
        var repeat = stored.length > 0 ? (parseInt(stored[stored.length - 1], 10) || 0) : repeatCount()
        ui_View.mouseSendMacroData(encodeForDevice(stored.slice(0, -1), repeat), index)
    }

    function macroEditorFocus() {
        repeatInput.closeFocus()
        if (nameEditor.index >= 0)
            nameEditor.commit()
        if (delayEditor.index >= 0)
            delayEditor.commit()
        macroMenu.visible = false
        actionMenu.visible = false
    }
    function close() {
        if (isInputting)
            stopRecord()
        macroEditorFocus()
        visible = false
        mainWindow.hideMask()
        focus = false
        if (typeof keyAssigment !== "undefined" && keyAssigment.macroList
                && typeof keyAssigment.macroList.closeMenu === "function")
            keyAssigment.macroList.closeMenu()
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
    Text {
        x: 16
        y: 12
        text: macroEditor.lang(1)
        color: colorGray3
        font.family: fontFamily
        font.pixelSize: fontNormalSize
    }
    Rectangle {
        x: 16
        y: 36
        width: 168
        height: 328
        color: colorBlack
        ListView {
            id: macroList
            objectName: "macroList"
            anchors.fill: parent
            clip: true
            model: names
            currentIndex: -1
            boundsBehavior: Flickable.StopAtBounds
            delegate: Rectangle {
                id: nameRow
                required property int index
                required property string textValue
                width: macroList.width
                height: 27
                color: macroList.currentIndex === index || nameArea.containsMouse ? colorOrange : "transparent"
                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - 16
                    elide: Text.ElideRight
                    text: nameRow.textValue
                    visible: nameEditor.index !== nameRow.index
                    color: fontColor
                    font.family: fontFamily
                    font.pixelSize: fontNormalSize
                }
                MouseArea {
                    id: nameArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        macroEditor.macroEditorFocus()
                        if (macroList.currentIndex !== nameRow.index)
                            macroEditor.selectMacro(nameRow.index)
                        if (mouse.button === Qt.RightButton) {
                            var p = mapToItem(macroMenu.parent, mouse.x, mouse.y)
                            macroMenu.x = p.x
                            macroMenu.y = p.y
                            macroMenu.visible = true
                        }
                    }
                    onDoubleClicked: function (mouse) {
                        if (mouse.button === Qt.LeftButton)
                            nameEditor.open(nameRow.index, nameRow.y - macroList.contentY)
                    }
                }
            }
        }
        TextInput {
            id: nameEditor
            objectName: "nameEditor"
            property int index: -1
            function open(i, rowY) {
                index = i
                y = rowY
                text = String(names.get(i).textValue)
                visible = true
                forceActiveFocus()
                selectAll()
            }
            function commit() {
                if (index < 0)
                    return
                var i = index
                index = -1
                visible = false
                macroEditor.renameMacro(i, text)
            }
            x: 8
            width: parent.width - 16
            height: 27
            visible: false
            verticalAlignment: TextInput.AlignVCenter
            clip: true
            selectByMouse: true
            color: fontColor
            selectionColor: colorGray1
            font.family: fontFamily
            font.pixelSize: fontNormalSize
            Keys.onReturnPressed: commit()
            Keys.onEnterPressed: commit()
            onActiveFocusChanged: if (!activeFocus) commit()
        }
    }
    TextButton {
        objectName: "newButton"
        x: 16
        y: 376
        normalColor: colorGray1
        text: macroEditor.lang(2)
        onClicked: {
            macroEditor.macroEditorFocus()
            macroEditor.newMacro()
        }
    }
    TextButton {
        objectName: "deleteButton"
        x: 120
        y: 376
        normalColor: colorGray1
        text: macroEditor.lang(3)
        onClicked: {
            macroEditor.macroEditorFocus()
            macroEditor.deleteSelected()
        }
    }

    // Right: the actions of the selected macro
    Text {
        id: actionTitle
        x: 200
        y: 12
        text: macroEditor.lang(4)
        color: colorGray3
        font.family: fontFamily
        font.pixelSize: fontNormalSize
    }
    // Right-aligned above the action list, beside its title.
    Text {
        objectName: "focusNote"
        x: 624 - width
        anchors.baseline: actionTitle.baseline
        width: Math.min(implicitWidth, 330)
        elide: Text.ElideRight
        visible: macroEditor.keysInWindowOnly
        text: macroEditor.focusNote
        color: colorGray2
        font.family: fontFamily
        font.pixelSize: fontMinSize
    }
    Rectangle {
        x: 200
        y: 36
        width: 424
        height: 328
        color: colorBlack
        // Under the rows: the menu with nothing selected adds at the end.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onPressed: function (mouse) {
                macroEditor.macroEditorFocus()
                actionList.currentIndex = -1
                if (mouse.button === Qt.RightButton)
                    actionMenu.openAt(mapToItem(actionMenu.parent, mouse.x, mouse.y))
            }
        }
        ListView {
            id: actionList
            objectName: "actionList"
            anchors.fill: parent
            clip: true
            interactive: contentHeight > height
            model: actions
            currentIndex: -1
            boundsBehavior: Flickable.StopAtBounds
            delegate: Rectangle {
                id: actionRow
                required property int index
                required property int type
                required property string info
                width: actionList.width
                height: 27
                color: actionList.currentIndex === index || actionArea.containsMouse ? colorOrange : "transparent"
                Text {
                    x: 8
                    width: 32
                    anchors.verticalCenter: parent.verticalCenter
                    text: actionRow.index + 1
                    color: colorGray2
                    font.family: fontFamily
                    font.pixelSize: fontNormalSize
                }
                Image {
                    x: 48
                    anchors.verticalCenter: parent.verticalCenter
                    source: "qrc:/macros/modules/img/skin1/macros/"
                            + ["delay", "keyDown", "keyUp", "mouseDown", "mouseUp"][Math.max(0, Math.min(4, actionRow.type))] + ".png"
                }
                Text {
                    x: 80
                    anchors.verticalCenter: parent.verticalCenter
                    text: actionRow.type === 0 ? actionRow.info + " ms" : actionRow.info
                    visible: delayEditor.index !== actionRow.index
                    color: fontColor
                    font.family: fontFamily
                    font.pixelSize: fontNormalSize
                }
                MouseArea {
                    id: actionArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        macroEditor.macroEditorFocus()
                        actionList.currentIndex = actionRow.index
                        if (mouse.button === Qt.RightButton)
                            actionMenu.openAt(mapToItem(actionMenu.parent, mouse.x, mouse.y))
                    }
                    onDoubleClicked: function (mouse) {
                        if (mouse.button === Qt.LeftButton && actionRow.type === 0)
                            delayEditor.open(actionRow.index, actionRow.y - actionList.contentY)
                    }
                }
            }
        }
        TextInput {
            id: delayEditor
            objectName: "delayEditor"
            property int index: -1
            function open(i, rowY) {
                index = i
                y = rowY
                text = String(actions.get(i).info)
                visible = true
                forceActiveFocus()
                selectAll()
            }
            function commit() {
                if (index < 0)
                    return
                var i = index
                index = -1
                visible = false
                macroEditor.setDelay(i, text)
            }
            x: 80
            width: 120
            height: 27
            visible: false
            verticalAlignment: TextInput.AlignVCenter
            maximumLength: 5
            validator: IntValidator { bottom: 0; top: 65535 }
            color: fontColor
            selectionColor: colorGray1
            font.family: fontFamily
            font.pixelSize: fontNormalSize
            Keys.onReturnPressed: commit()
            Keys.onEnterPressed: commit()
            onActiveFocusChanged: if (!activeFocus) commit()
        }
    }
    Row {
        x: 200
        y: 376
        spacing: 16
        TextButton {
            id: recordButton
            objectName: "recordButton"
            width: 100
            normalColor: macroEditor.isInputting ? colorOrange : colorGray1
            text: macroEditor.isInputting ? macroEditor.lang(5) : macroEditor.lang(8)
            onClicked: {
                macroEditor.macroEditorFocus()
                if (macroEditor.isInputting)
                    macroEditor.stopRecord()
                else
                    macroEditor.startRecord()
            }
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: macroEditor.lang(6)
            color: colorGray3
            font.family: fontFamily
            font.pixelSize: fontNormalSize
        }
        Rectangle {
            width: 48
            height: 24
            color: colorBlack
            border.color: colorGray1
            RectInput {
                id: repeatInput
                objectName: "repeatBox"
                anchors.centerIn: parent
                minValue: 1
                maxValue: 65535
                textValue: "1"
                onEndInputSignal: macroEditor.autoSave()
            }
        }
        CheckBox {
            objectName: "delayCheck"
            anchors.verticalCenter: parent.verticalCenter
            textValue: macroEditor.lang(9)
            isSelect: macroEditor.delayRecord
            onIsSelectChanged: macroEditor.delayRecord = isSelect
        }
    }

    // Context menus, opened at the pointer.
    Rectangle {
        id: macroMenu
        objectName: "macroMenu"
        width: 80
        height: 72
        z: 20
        visible: false
        color: colorGray0
        border.color: colorGray1
        Column {
            width: parent.width
            MenuRow { objectName: "menuDelete"; text: macroEditor.lang(10); onChosen: { macroMenu.visible = false; macroEditor.deleteSelected() } }
            MenuRow { objectName: "menuImport"; text: macroEditor.lang(11); onChosen: { macroMenu.visible = false; macroEditor.importMacro() } }
            MenuRow { objectName: "menuExport"; text: macroEditor.lang(12); onChosen: { macroMenu.visible = false; macroEditor.exportMacro() } }
        }
    }
    Rectangle {
        id: actionMenu
        objectName: "actionMenu"
        function openAt(p) {
            x = Math.min(p.x, macroEditor.width - width)
            y = Math.min(p.y, macroEditor.height - macroEditor.titleHeight - height)
            visible = true
        }
        width: 150
        height: 144
        z: 20
        visible: false
        color: colorGray0
        border.color: colorGray1
        Column {
            width: parent.width
            MenuRow { objectName: "actionDelete"; text: macroEditor.lang(10); onChosen: { actionMenu.visible = false; macroEditor.deleteAction() } }
            MenuRow { objectName: "insertDelay"; text: macroEditor.lang(13); onChosen: { actionMenu.visible = false; macroEditor.insertDelay() } }
            MenuRow { objectName: "insertKey"; text: macroEditor.lang(14); onChosen: { actionMenu.visible = false; macroEditor.openInsertKey() } }
            MenuRow { objectName: "insertLeft"; text: macroEditor.lang(15); onChosen: { actionMenu.visible = false; macroEditor.insertMouse("MS-L") } }
            MenuRow { objectName: "insertMiddle"; text: macroEditor.lang(16); onChosen: { actionMenu.visible = false; macroEditor.insertMouse("MS-M") } }
            MenuRow { objectName: "insertRight"; text: macroEditor.lang(17); onChosen: { actionMenu.visible = false; macroEditor.insertMouse("MS-R") } }
        }
    }

    // The key-insert box over a mask on the editor; it closes with OK only.
    Rectangle {
        id: insertMask
        objectName: "insertMask"
        y: -macroEditor.titleHeight
        width: macroEditor.width
        height: macroEditor.height
        z: 30
        color: "#90000000"
        visible: insertBox.visible
        MouseArea { anchors.fill: parent }
    }
    Rectangle {
        id: insertBox
        objectName: "insertBox"
        x: Math.round(((macroEditor.parent ? macroEditor.parent.width : 1024) - width) / 2) - macroEditor.x
        y: Math.round(((macroEditor.parent ? macroEditor.parent.height : 640) - height) / 2) - macroEditor.y
           - macroEditor.titleHeight
        width: 240
        height: 80
        z: 31
        visible: false
        color: colorGray0
        border.color: colorGray1
        Text {
            x: 12
            y: 8
            text: macroEditor.lang(14)
            color: fontColor
            font.family: fontFamily
            font.pixelSize: fontNormalSize
        }
        Rectangle {
            x: 12
            y: 40
            width: 120
            height: 25
            color: colorBlack
            Text {
                objectName: "insertField"
                anchors.centerIn: parent
                text: macroEditor.insertKeyName
                color: fontColor
                font.family: fontFamily
                font.pixelSize: fontNormalSize
            }
        }
        TextButton {
            objectName: "insertOk"
            x: 160
            y: 40
            width: 64
            height: 25
            text: macroEditor.lang(7)
            onClicked: macroEditor.insertKeyOk()
        }
    }
}
