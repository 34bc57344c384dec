import QtQuick
import "../basic"
import "../js/lang.js" as Lang

// The macro editor's two context menus, opened at the pointer: one for a
// macro, one for the action rows. chosen() names the row picked.
Item {
    id: menus

    property Dialog dialog
    property var strings: []
    property alias macroMenu: macroMenu
    property alias actionMenu: actionMenu

    signal chosen(string name)

    function text(key) { return Lang.lang(strings, Lang.MacroEditor[key]) }
    function close() {
        macroMenu.visible = false
        actionMenu.visible = false
    }
    function pick(name) {
        close()
        chosen(name)
    }
    function openMacroMenu(p) {
        macroMenu.x = p.x
        macroMenu.y = p.y
        macroMenu.visible = true
    }
    function openActionMenu(p) {
        actionMenu.x = Math.min(p.x, dialog.width - actionMenu.width)
        actionMenu.y = Math.min(p.y, dialog.height - dialog.titleHeight - actionMenu.height)
        actionMenu.visible = true
    }

    RowMenu {
        id: macroMenu
        objectName: "macroMenu"
        width: 80
        height: 72
        name: menus.text("macroName")
        MenuRow { objectName: "menuDelete"; text: menus.text("deleteRow"); onChosen: menus.pick(objectName) }
        MenuRow { objectName: "menuImport"; text: menus.text("importMacro"); onChosen: menus.pick(objectName) }
        MenuRow { objectName: "menuExport"; text: menus.text("exportMacro"); onChosen: menus.pick(objectName) }
    }
    RowMenu {
        id: actionMenu
        objectName: "actionMenu"
        width: 150
        height: 144
        name: menus.text("action")
        MenuRow { objectName: "actionDelete"; text: menus.text("deleteRow"); onChosen: menus.pick(objectName) }
        MenuRow { objectName: "insertDelay"; text: menus.text("insertDelay"); onChosen: menus.pick(objectName) }
        MenuRow { objectName: "insertKey"; text: menus.text("insertKey"); onChosen: menus.pick(objectName) }
        MenuRow { objectName: "insertLeft"; text: menus.text("insertLeft"); onChosen: menus.pick(objectName) }
        MenuRow { objectName: "insertMiddle"; text: menus.text("insertMiddle"); onChosen: menus.pick(objectName) }
        MenuRow { objectName: "insertRight"; text: menus.text("insertRight"); onChosen: menus.pick(objectName) }
    }
}
