import QtQuick
import "../basic"

// System settings dialog. Placeholder of the system page.
Dialog {
    id: systemSetting

    property var systemSettingLang: ["System Setting"]

    width: 416
    height: 312
    title: systemSettingLang[0]

    function init(isSendData, isRecovery) {}
    function saveData(isSendData, isStep) {}
    function systemSettingFocus() {}

    onCloseClicked: {
        visible = false
        mainWindow.hideMask()
    }
}
