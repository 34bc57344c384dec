pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// Key list of the left column. Holds the working assignment of all 16 key
// slots (modKeys) and the factory-default copy (modKeys_tmp) for undo.
Rectangle {
    id: keyMatrix

    property var keyMatrixLang: ["Key ", "Key Function", "", "", ""]
    property int keyCount: 8
    property bool isSave: false
    property Mouse mouseMain: null
    property KeyAssigment keyAssigment: null
    property GunControl gunControl: null
    property MacroEditor macroEditor: null
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null
    property alias modKeys: working
    property alias modKeys_tmp: factory
    readonly property var builtIn: [[0, 0, 0xF0, 0], [0, 0, 0xF1, 0], [0, 0, 0xF2, 0], [0, 0, 0xF4, 0],
        [0, 0, 0xF3, 0], [5, 0, 1, 0], [5, 0, 2, 0], [0, 0xF0, 0x1E, 2], [0, 0, 0, 0], [0, 0, 0, 0],
        [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0xFF, 0, 1, 0], [0xFF, 0, 2, 0]]

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)
    // A click on the last left button, which is never re-assigned.
    signal keyRefused(int index, Item row)

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8
    color: Theme.colorBlack

    function slotOf(codes) {
        return { "keyCode0": codes[0], "keyCode1": codes[1], "keyCode2": codes[2], "keyCode3": codes[3],
            "keyText": keyAssigment.keyCodeToString(codes[0], codes[1], codes[2], codes[3]) }
    }
    // A stored slot that is not four bytes keeps the built-in assignment.
    function readSlot(j, isRecovery) {
        var k = backEnd.mouseGetKeydefine(j, isRecovery)
        if (!k || k.length !== 4) {
            console.warn("key slot", j, "unreadable; built-in assignment kept")
            return builtIn[j].slice()
        }
        var codes = []
        for (var i = 0; i < 4; ++i) {
            var n = Number(k[i])
            codes.push(isFinite(n) ? Math.max(0, Math.min(255, Math.floor(n))) : 0)
        }
        return codes
    }
    // Rows are updated in place: the key list keeps its delegates.
    function fill(model, rows) {
        for (var j = 0; j < rows.length; ++j) {
            if (j < model.count)
                model.set(j, slotOf(rows[j]))
            else
                model.append(slotOf(rows[j]))
        }
    }
    function init(isSendData, isRecovery) {
        var current = [], defaults = []
        for (var j = 0; j < 16; ++j) {
            current.push(readSlot(j, isRecovery))
            defaults.push(readSlot(j, true))
        }
        fill(working, current)
        fill(factory, defaults)
        if (isSendData)
            saveData()
    }
    function saveData() { working.saveData() }
    function checkOneLeftKey() { return working.checkOneLeftKey() }
    function copySlot(from, j) {
        var s = from.get(j)
        working.set(j, { "keyCode0": s.keyCode0, "keyCode1": s.keyCode1, "keyCode2": s.keyCode2,
                         "keyCode3": s.keyCode3, "keyText": s.keyText })
    }
    function undo() {
        for (var j = 0; j < 16 && j < factory.count; ++j) {
            copySlot(factory, j)
            var s = factory.get(j)
            if (s.keyCode0 === 4) {
                var name = String(backEnd.getData("mouseMacroKey/" + s.keyCode2, false))
                macroEditor.sendMacro(s.keyCode2, name)
                backEnd.setData("mouseMacroKey/" + s.keyCode2, name)
            }
        }
        isSave = true
    }

    ListModel {
        id: working
        objectName: "modKeys"

        function saveData() {
            var flat = []
            for (var j = 0; j < 16; ++j) {
                var s = j < count ? get(j) : null
                flat = flat.concat(s ? [s.keyCode0, s.keyCode1, s.keyCode2, s.keyCode3] : keyMatrix.builtIn[j])
            }
            backEnd.mouseSetKeyMatrix(flat, true, gunControl.slotPeriods())
        }
        function isLeft(j) {
            var s = get(j)
            return s.keyCode0 === 0 && s.keyCode2 === 0xF0
        }
        function checkOneLeftKey() {
            var lefts = []
            for (var j = 0; j < count; ++j)
                if (isLeft(j))
                    lefts.push(j)
            return lefts.length === 1 && lefts[0] === mouseMain.selectKey
        }
    }
    ListModel { id: factory }

    Component.onCompleted: {
        for (var j = 0; j < 16; ++j) {
            var s = builtIn[j]
            var slot = { "keyCode0": s[0], "keyCode1": s[1], "keyCode2": s[2], "keyCode3": s[3], "keyText": "" }
            working.append(slot)
            factory.append(slot)
        }
    }

    PanelTitle { text: keyMatrix.keyMatrixLang[1] }
    IconButton {
        objectName: "keyMatrixUndo"
        x: parent.width - 8 - width
        y: 12
        name: "undoBtn"
        // One of several resets on the screen: said with its panel's title.
        accessibleName: Access.iconName(name) + ": " + keyMatrix.keyMatrixLang[1]
        onClicked: keyMatrix.undo()
    }
    Column {
        x: 8
        y: 40
        spacing: 2
        Repeater {
            model: working
            delegate: Rectangle {
                id: row
                required property int index
                required property string keyText
                visible: index < keyMatrix.keyCount
                readonly property bool lit: keyMatrix.mouseMain.selectKey === index || area.containsMouse
                readonly property string label: index < 8 ? keyMatrix.keyMatrixLang[0] + " " + (index + 1) : ""
                // The last left button is never re-assigned; the row keeps its selection.
                function activate() {
                    keyMatrix.mouseMain.selectKey = row.index
                    if (!keyMatrix.checkOneLeftKey())
                        keyMatrix.clickBtn(row.index)
                    else
                        keyMatrix.keyRefused(row.index, row)
                }
                objectName: "keyRow" + index
                width: 216
                height: 24
                color: lit ? Theme.colorOrange : Theme.colorGray0
                activeFocusOnTab: visible
                Keys.enabled: !KeyFocus.keysCaptured
                Accessible.role: Accessible.Button
                Accessible.name: label.replace(/\s+/g, " ").trim() + ": " + keyText
                Accessible.focusable: true
                Accessible.onPressAction: activate()
                Keys.onSpacePressed: { KeyFocus.keyUsed(); activate() }
                Keys.onReturnPressed: { KeyFocus.keyUsed(); activate() }
                Keys.onEnterPressed: { KeyFocus.keyUsed(); activate() }
                Keys.onTabPressed: KeyFocus.tab(row, true)
                Keys.onBacktabPressed: KeyFocus.tab(row, false)
                Text {
                    Accessible.ignored: true
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.label
                    color: Theme.colorGray3
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                Text {
                    objectName: "keyText"
                    Accessible.ignored: true
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.keyText
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: keyMatrix.enterBtn(row.index)
                    onExited: keyMatrix.leaveBtn(row.index)
                    onPressed: KeyFocus.pointerFocus(row)
                    onClicked: row.activate()
                }
                // Inside the row: the rows stand 2 pixels apart.
                FocusRing { margin: 0 }
            }
        }
    }
}
