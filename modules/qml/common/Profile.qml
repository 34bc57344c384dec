import QtQuick
import "../basic"

// Profile dialog and the rows of the top profile drop-down. Placeholder of
// the profile page: it loads and stores the row list.
Dialog {
    id: profile

    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard"]
    property int profileNo: -1
    property int selectedRow: 0
    property alias profileDataModel0: rows

    signal changeProfile(int tmpProfileNo)

    width: 415
    height: 288
    title: profileLang[0]

    function init() {
        var names = ui_View.getNameList(2)
        if (names.length === 2 && names[1] === "vornakelpish")
            names = [names[0]]
        rows.clear()
        selectedRow = 0
        for (var i = 0; i < names.length; ++i) {
            var entry = String(names[i])
            var number = parseInt(entry.slice(-1), 10)
            rows.append({ "textValue": entry.slice(0, -1), "profileNo": number })
            if (number === profileNo)
                selectedRow = i
        }
        if (rows.count === 0)
            rows.append({ "textValue": "", "profileNo": 0 })
        rows.setProperty(0, "textValue", String(profileLang[5]))
        storeRows()
    }
    function storeRows() {
        var list = []
        for (var i = 0; i < rows.count; ++i)
            list.push(rows.get(i).textValue + rows.get(i).profileNo)
        ui_View.updataNameList(2, list)
    }
    function profileFocus() {}

    ListModel { id: rows }

    onCloseClicked: {
        visible = false
        mainWindow.hideMask()
        mainWindow.mainFocus()
    }
}
