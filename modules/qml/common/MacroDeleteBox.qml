import QtQuick
import "../basic"
import "../js/lang.js" as Lang

// The question before a macro is deleted, centred in the window over a mask
// on the macro editor: the macro, the keys that go back to their defaults,
// Cancel and OK.
Item {
    id: layer

    property Dialog dialog
    property string title: ""
    property string question: ""
    property string keysText: ""
    property string okText: ""
    property string cancelText: ""
    property alias box: deleteBox
    // The back end, the key list's working slots and the editor's strings.
    property var backEnd: null
    property ListModel keySlots: null
    property int currentProfile: 0
    property var strings: []

    signal accepted()
    signal rejected()

    function text(i, arg) { return Lang.lang(strings, i).replace("%1", arg) }
    // The keys that use the macro, per profile (0 to 5): on screen those of
    // the key list and those stored, elsewhere those stored.
    function keysUsing(name) {
        var byProfile = {}
        function add(p, k) {
            var keys = byProfile[p] || (byProfile[p] = [])
            if (keys.indexOf(k) < 0)
                keys.push(k)
        }
        for (var j = 0; keySlots && j < keySlots.count && j < 16; ++j) {
            var w = keySlots.get(j)
            if (w.keyCode0 === 4 && String(backEnd.getData("mouseMacroKey/" + w.keyCode2, false)) === name)
                add(currentProfile, j)
        }
        var stored = backEnd.macroBindings(name)
        for (var i = 0; i < stored.length; ++i)
            add(Number(stored[i][0]), Number(stored[i][1]))
        return byProfile
    }
    function profileName(p) {
        var rows = backEnd.getNameList(2)
        for (var i = 0; i < rows.length; ++i) {
            var row = String(rows[i])
            if (Number(row.slice(-1)) === p && row.length > 1)
                return row.slice(0, -1)
        }
        return String(p + 1)
    }
    function ask(name) {
        var str = Lang.MacroEditor
        var byProfile = keysUsing(name)
        var parts = []
        // The profile on screen first.
        var order = [currentProfile].concat([0, 1, 2, 3, 4, 5].filter(function (q) { return q !== currentProfile }))
        for (var p of order) {
            if (!byProfile[p])
                continue
            var keys = byProfile[p].sort(function (a, b) { return a - b })
                    .map(function (k) { return text(str.keyNumber, k + 1) }).join(", ")
            parts.push(p === currentProfile ? keys : text(str.inProfile, profileName(p)).replace("%2", keys))
        }
        question = text(str.deleteQuestion, name)
        keysText = parts.length > 0 ? text(str.keysFallBack, parts.join("; ")) : text(str.noKeyUses, "")
        deleteBox.visible = true
    }

    Rectangle {
        objectName: "deleteMask"
        y: -layer.dialog.titleHeight
        width: layer.dialog.width
        height: layer.dialog.height
        color: "#90000000"
        visible: deleteBox.visible
        MouseArea { anchors.fill: parent }
    }
    Dialog {
        id: deleteBox
        objectName: "deleteBox"
        x: Math.round(((layer.dialog.parent ? layer.dialog.parent.width : 1024) - width) / 2) - layer.dialog.x
        y: Math.round(((layer.dialog.parent ? layer.dialog.parent.height : 640) - height) / 2) - layer.dialog.y
           - layer.dialog.titleHeight
        z: 1
        width: 400
        height: titleHeight + message.height + 64
        titleHeight: 30
        hasRule: false
        title: layer.title
        onCloseClicked: layer.rejected()

        Text {
            id: message
            objectName: "deleteQuestion"
            x: 16
            y: 12
            width: deleteBox.width - 32
            wrapMode: Text.Wrap
            text: layer.question + "\n" + layer.keysText
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 16
            y: message.y + message.height + 16
            spacing: 16
            TextButton {
                objectName: "deleteCancel"
                width: 88
                height: 25
                text: layer.cancelText
                normalColor: Theme.colorGray1
                onClicked: layer.rejected()
            }
            TextButton {
                objectName: "deleteOk"
                width: 88
                height: 25
                text: layer.okText
                onClicked: layer.accepted()
            }
        }
    }
}
