pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// Profile dialog: the user's profiles (at most six rows, row 0 the standard
// one), and the row list the top profile drop-down shows. Each row carries
// the number of its profile file; rows and numbers part ways once a middle
// row has been deleted and another added, so every file operation and every
// switch goes through the row's number.
Dialog {
    id: profile

    // 6 to 10 are the import and export messages the host shows; 11 to 16
    // the refusals this dialog shows under its list.
    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard",
        "This file is not a profile and nothing was imported: %1",
        "Replace the profile “%1” with the imported file?", "Profile exported to %1",
        "The profile could not be written to %1", "The profile could not be imported from %1",
        "There are six profiles already, the most there can be: delete one to add another.",
        "The standard profile cannot be deleted.",
        "The active profile cannot be deleted: switch to another profile first.",
        "A profile name has at most 24 characters: it was shortened to “%1”.",
        "There is already a profile named “%1”: the name was not changed.",
        "A profile name cannot be empty: the name was not changed.", "", "", ""]
    property int profileNo: -1
    property int currentRow: 0
    property int editingRow: -1
    property int menuRow: -1
    readonly property int maxRows: 6
    readonly property int maxNameLength: 24
    // Why the last action was refused or changed, shown under the list.
    property string note: ""
    readonly property int activeRow: rowOfNumber(profileNo)
    property alias profileDataModel0: rows
    // The top bar's drop-down lists the same rows.
    property Menu_Up menuUp: null
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null

    signal changeProfile(int tmpProfileNo)
    // The active profile's file was replaced: the pages must read it again.
    signal activeProfileReplaced()
    // Closed by its own button; the main screen lifts the mask.
    signal closed()

    width: 415
    height: 288
    title: lang(0)

    function lang(i) { return profileLang && profileLang[i] !== undefined ? String(profileLang[i]) : "" }
    function refuse(i, arg) {
        note = lang(i).replace("%1", arg === undefined ? "" : arg)
        console.warn("Profile:", note)
    }

    function init() {
        var names = backEnd.getNameList(2)
        if (names.length === 2 && names[1] === "vornakelpish")
            names = [names[0]]
        rows.clear()
        currentRow = 0
        for (var i = 0; i < names.length && rows.count < maxRows; ++i) {
            var entry = String(names[i])
            var number = parseInt(entry.slice(-1), 10)
            // A stored text that does not end in a profile number is not a row.
            if (entry.length === 0 || isNaN(number) || number >= maxRows || rowOfNumber(number) >= 0) {
                console.warn("Profile: stored row", JSON.stringify(entry), "skipped")
                continue
            }
            rows.append({ "textValue": entry.slice(0, -1), "profileNo": number })
            if (number === profileNo)
                currentRow = rows.count - 1
        }
        if (rows.count === 0)
            rows.append({ "textValue": "", "profileNo": 0 })
        rows.setProperty(0, "textValue", lang(5))
        storeRows()
    }
    function storeRows() {
        var list = []
        for (var i = 0; i < rows.count; ++i)
            list.push(rows.get(i).textValue + rows.get(i).profileNo)
        backEnd.updataNameList(2, list)
    }
    function rowOfNumber(number) {
        for (var i = 0; i < rows.count; ++i)
            if (rows.get(i).profileNo === number)
                return i
        return -1
    }
    // The profile a row of the top drop-down stands for; an unknown row
    // stands for the active profile, so choosing it switches nothing.
    function numberOfRow(row) {
        return row >= 0 && row < rows.count ? rows.get(row).profileNo : profileNo
    }
    // The name a profile's row shows, "" when no row has it.
    function nameOf(number) {
        var row = rowOfNumber(number)
        return row >= 0 ? String(rows.get(row).textValue) : ""
    }
    function hasName(name) {
        for (var i = 0; i < rows.count; ++i)
            if (rows.get(i).textValue === name)
                return true
        return false
    }
    // The top drop-down points at rows: keep it on the active profile.
    function syncTopList() {
        if (menuUp && activeRow >= 0)
            menuUp.profileBtn.currentSelect = activeRow
    }

    function replaced(number) {
        if (number === profileNo)
            activeProfileReplaced()
    }
    function freeNumber() {
        var number = 0
        while (rowOfNumber(number) >= 0)
            ++number
        return number
    }
    function appendRow(number) {
        var n = 0
        while (n < 12 && hasName("profile_" + n))
            ++n
        rows.append({ "textValue": "profile_" + n, "profileNo": number })
        currentRow = rows.count - 1
        storeRows()
    }
    // Appends and selects a row with factory settings; its number, or -1
    // when six rows exist. A stored active profile without a row can be
    // the one reset here.
    function addRow() {
        if (rows.count >= maxRows) {
            refuse(11)
            return -1
        }
        var number = freeNumber()
        appendRow(number)
        backEnd.resetProfile(number)
        return number
    }
    function newProfile() {
        profileFocus()
        note = ""
        replaced(addRow())
    }
    // Import fills a fresh profile, or with six rows the selected row's
    // (the host asks before replacing it). The row appears only once the
    // host has taken the file: a cancel or a refused file changes nothing.
    function importProfile() {
        profileFocus()
        note = ""
        var isNew = rows.count < maxRows
        var number = isNew ? freeNumber()
                           : currentRow >= 0 && currentRow < rows.count ? rows.get(currentRow).profileNo : -1
        if (number < 0 || !backEnd.loadProfile(number))
            return
        if (isNew)
            appendRow(number)
        replaced(number)
    }
    function deleteRow(row) {
        note = ""
        if (row < 0 || row >= rows.count)
            return false
        if (row === 0 || row === activeRow) {
            refuse(row === 0 ? 12 : 13)
            return false
        }
        rows.remove(row)
        currentRow = Math.min(row, rows.count - 1)
        storeRows()
        syncTopList()
        return true
    }
    function exportRow(row) {
        if (row >= 0 && row < rows.count)
            backEnd.saveProfile(rows.get(row).profileNo)
    }
    // Row 0 keeps its label; empty and duplicate names are refused. A long
    // name is shortened rather than refused, so what was typed is not lost,
    // and the dialog says what was stored.
    function renameRow(row, name) {
        note = ""
        if (row <= 0 || row >= rows.count)
            return false
        var chars = Array.from(String(name).trim())
        var shortened = chars.length > maxNameLength
        name = chars.slice(0, maxNameLength).join("").trim()
        if (name === rows.get(row).textValue)
            return true
        if (name === "" || hasName(name)) {
            refuse(name === "" ? 16 : 15, name)
            return false
        }
        rows.setProperty(row, "textValue", name)
        storeRows()
        if (shortened)
            refuse(14, name)
        return true
    }

    function startRename(row) {
        commitRename()
        if (row <= 0 || row >= rows.count)
            return
        editingRow = row
        nameEditor.text = rows.get(row).textValue
        nameEditor.forceActiveFocus()
        nameEditor.selectAll()
    }
    function commitRename() {
        if (editingRow < 0)
            return
        var row = editingRow
        editingRow = -1
        nameEditor.focus = false
        if (nameEditor.text !== rows.get(row).textValue)
            renameRow(row, nameEditor.text)
    }
    function cancelRename() {
        editingRow = -1
        nameEditor.focus = false
    }
    function openMenu(row, x, y) {
        commitRename()
        currentRow = row
        menuRow = row
        rowMenu.x = Math.max(0, Math.min(width - rowMenu.width, x))
        rowMenu.y = Math.max(0, Math.min(height - titleHeight - rowMenu.height, y))
        rowMenu.visible = true
    }
    function menuChosen(entry) {
        rowMenu.visible = false
        if (entry === 0)
            deleteRow(menuRow)
        else
            exportRow(menuRow)
    }
    function profileFocus() {
        commitRename()
        rowMenu.visible = false
    }

    ListModel { id: rows }

    onBackgroundPressed: profileFocus()
    onVisibleChanged: note = ""
    onCloseClicked: {
        profileFocus()
        visible = false
        closed()
    }

    Rectangle {
        id: listBox
        x: 16
        y: 16
        width: 384
        height: 180
        color: Theme.colorBlack

        ListView {
            id: rowList
            objectName: "rowList"
            anchors.fill: parent
            clip: true
            interactive: false
            // Up and Down would move the current row apart from the chosen profile.
            keyNavigationEnabled: false
            model: rows
            delegate: Rectangle {
                id: rowItem
                required property int index
                required property string textValue
                width: rowList.width
                height: 27
                color: Theme.rowColor(index === profile.currentRow, area.containsMouse, Theme.colorBlack)
                // A left press, from the pointer or a key.
                function choose() {
                    if (profile.editingRow !== index)
                        profile.commitRename()
                    rowMenu.visible = false
                    profile.currentRow = index
                }
                activeFocusOnTab: true
                Keys.enabled: !KeyFocus.keysCaptured
                Accessible.role: Accessible.ListItem
                Accessible.name: rowItem.textValue
                Accessible.focusable: true
                Accessible.selectable: true
                Accessible.selected: rowItem.index === profile.currentRow
                Accessible.onPressAction: rowItem.choose()
                Keys.onPressed: function (event) {
                    if (event.key === Qt.Key_F2) {
                        KeyFocus.keyUsed()
                        rowItem.choose()
                        profile.startRename(rowItem.index)
                        if (profile.editingRow === rowItem.index)
                            nameEditor.returnTo = rowItem
                    } else if (KeyFocus.isMenuKey(event)) {
                        KeyFocus.keyUsed()
                        rowItem.choose()
                        var p = rowItem.mapToItem(rowMenu.parent, 16, rowItem.height)
                        profile.openMenu(rowItem.index, p.x, p.y)
                        rowMenu.takeFocus(rowItem)
                    } else {
                        return
                    }
                    event.accepted = true
                }
                Keys.onSpacePressed: { KeyFocus.keyUsed(); rowItem.choose() }
                Keys.onReturnPressed: { KeyFocus.keyUsed(); rowItem.choose() }
                Keys.onEnterPressed: { KeyFocus.keyUsed(); rowItem.choose() }
                Keys.onTabPressed: KeyFocus.tab(rowItem, true)
                Keys.onBacktabPressed: KeyFocus.tab(rowItem, false)
                Text {
                    Accessible.ignored: true
                    x: 12
                    anchors.verticalCenter: parent.verticalCenter
                    text: rowItem.textValue
                    visible: profile.editingRow !== rowItem.index
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function (mouse) {
                        // A row removed from the model waits for deletion.
                        if (rowItem.index < 0)
                            return
                        KeyFocus.pointerFocus(rowItem)
                        rowItem.choose()
                        if (mouse.button === Qt.RightButton) {
                            var p = mapToItem(rowMenu.parent, mouse.x, mouse.y)
                            profile.openMenu(rowItem.index, p.x, p.y)
                        }
                    }
                    onDoubleClicked: function (mouse) {
                        if (mouse.button === Qt.LeftButton && rowItem.index >= 0)
                            profile.startRename(rowItem.index)
                    }
                }
                FocusRing { margin: 0 }
            }
        }
        InlineEditor {
            id: nameEditor
            objectName: "nameEditor"
            x: 12
            y: profile.editingRow * 27 - rowList.contentY
            width: parent.width - 24
            visible: profile.editingRow >= 0
            selectByMouse: true
            onEditEnded: profile.commitRename()
            onEditCancelled: profile.cancelRename()
        }
    }

    Row {
        x: 16
        y: listBox.y + listBox.height + 12
        spacing: 8
        TextButton {
            objectName: "newButton"
            normalColor: Theme.colorGray0
            border.color: hovered ? Qt.rgba(1, 1, 1, 0.35) : Theme.colorGray1
            text: profile.lang(1)
            onClicked: profile.newProfile()
        }
        TextButton {
            objectName: "importButton"
            normalColor: Theme.colorGray0
            border.color: hovered ? Qt.rgba(1, 1, 1, 0.35) : Theme.colorGray1
            text: profile.lang(2)
            onClicked: profile.importProfile()
        }
    }

    Text {
        objectName: "profileNote"
        x: 168
        y: listBox.y + listBox.height + 8
        width: profile.width - x - 16
        visible: profile.note !== ""
        text: profile.note
        wrapMode: Text.Wrap
        color: "#ff3030"
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
    }

    RowMenu {
        id: rowMenu
        objectName: "rowMenu"
        width: 100
        height: 48
        z: 10
        name: profile.title
        Repeater {
            model: 2
            delegate: MenuRow {
                required property int index
                objectName: index === 0 ? "menuDelete" : "menuExport"
                width: rowMenu.width
                textX: 12
                text: profile.lang(3 + index)
                onChosen: profile.menuChosen(index)
            }
        }
    }
}
