import QtQuick
import "../basic"
import "../panels"

// DPI panel of the right column. Placeholder of the DPI page: it reads,
// shows and sends the stages; editing comes with that page.
Rectangle {
    id: dpiSetting

    property var dpiSettingLang: ["DPI", "", "", "", ""]
    property int currentDPI: 0
    property int dpiCount: 4
    property int currentDpiCount: 4
    property int minDPI: 200
    property int maxDPI: 6000
    property string sensorType: "3360"
    property int dpiBase: 50
    property var dpiValueArray: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    property bool isSave: false
    property alias dpiSegment: stageCount

    width: 232
    height: 256
    color: colorBlack

    function init(isSendData, isRecovery) {
        if (!isRecovery) {
            dpiCount = Number(ui_View.getData("mouse/dpiCount", false)) || dpiCount
            currentDpiCount = Number(ui_View.getData("mouse/currentDpiCount", false)) || currentDpiCount
            minDPI = Number(ui_View.getGlobalData("mouse/minDPI")) || minDPI
            maxDPI = Number(ui_View.getGlobalData("mouse/maxDPI")) || maxDPI
            sensorType = String(ui_View.getGlobalData("mouse/sensorType")) || sensorType
            dpiBase = Number(ui_View.getGlobalData("mouse/dpiBase")) || dpiBase
        }
        var values = ui_View.getDataList("mouse/dpiValueArray", isRecovery)
        if (values.length === 8)
            dpiValueArray = values.map(Number)
        stageCount.currentSelect = currentDpiCount - 1
        if (isSendData)
            saveData(true)
    }
    function saveData(isSendData) {
        ui_View.setDataList("mouse/dpiValueArray", dpiValueArray)
        ui_View.setData("mouse/currentDpiCount", currentDpiCount)
        if (isSendData)
            ui_View.mouseSetDpi(currentDpiCount, sensorType, dpiValueArray)
    }

    PanelTitle { text: dpiSetting.dpiSettingLang[0] }
    ListModel {
        id: stages
        Component.onCompleted: {
            for (var i = 1; i <= 8; ++i)
                append({ "textValue": String(i) })
        }
    }
    DropDownList {
        id: stageCount
        x: parent.width - 16 - 16 - width
        y: 8
        width: 64
        count: 8
        mdItems: stages
        currentSelect: 3
        onValueChange: function (index) {
            dpiSetting.currentDpiCount = index + 1
            dpiSetting.isSave = true
        }
    }
    IconButton {
        x: parent.width - 8 - width
        y: 12
        name: "undoBtn"
    }
    Row {
        id: bars
        anchors.horizontalCenter: parent.horizontalCenter
        y: 48
        height: 176
        spacing: dpiSetting.currentDpiCount > 6 ? 10 : 22
        Repeater {
            model: dpiSetting.currentDpiCount
            delegate: Item {
                id: stage
                required property int index
                readonly property bool current: dpiSetting.currentDPI === index
                readonly property real ratio: (dpiSetting.dpiValueArray[index] - dpiSetting.minDPI)
                                              / Math.max(1, dpiSetting.maxDPI - dpiSetting.minDPI)
                width: 16
                height: bars.height
                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: 6
                    height: parent.height
                    radius: 3
                    color: colorGray1
                }
                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    anchors.bottom: parent.bottom
                    width: 6
                    height: Math.max(6, parent.height * stage.ratio)
                    radius: 3
                    color: stage.current ? colorOrange : colorGray2
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: parent.height + 10
                    text: dpiSetting.dpiValueArray[stage.index]
                    color: stage.current ? "#ff3030" : fontColor
                    font.family: fontFamily
                    font.pixelSize: fontMinSize
                    font.bold: stage.current
                }
            }
        }
    }
}
