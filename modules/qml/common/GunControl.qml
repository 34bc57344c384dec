import QtQuick
import "../basic"

// Gun editor dialog. Placeholder of the gun page.
Dialog {
    id: gunControl

    property var gunControlLang: ["Gun editor"]
    property int selectGun1: 0
    property int selectGun2: 0
    property int selectGun3: 0
    property alias gunNumberModel: presets

    width: 640
    height: 448
    title: gunControlLang[0]

    function init() {}
    function resetData() {}
    function gunControlFocus() {}

    ListModel { id: presets }

    onCloseClicked: {
        visible = false
        mainWindow.hideMask()
    }
}
