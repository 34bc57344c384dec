pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../panels"

// DPI panel of the right column: up to eight upright stage sliders, the
// active stage count, the current stage (a click on a stage's value
// chooses it) and the report rate.
// Stage edits wait for Save; the report rate is sent at once.
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
    // Device commands that did not complete, counted by the main window.
    property int failedCommands: 0
    property int reportRate: 1
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null
    property alias dpiSegment: stageCount
    property alias reportRateList: rateList

    signal focusPages()
    // Report-rate bytes for 125, 250, 500 and 1000 Hz.
    readonly property var rateValues: [8, 4, 2, 1]
    // Label spacing by active stage count (index 1 to 8).
    readonly property var labelSpacing: [14, 14, 10, 12, 14, 14, 10, 8, 4]

    width: 232
    height: 256
    color: Theme.colorBlack

    function stepOf() { return Math.max(1, dpiBase) }
    function lowest() { return Math.ceil(minDPI / stepOf()) * stepOf() }
    function highest() { return Math.max(lowest(), Math.floor(maxDPI / stepOf()) * stepOf()) }
    // DPI of a knob position (3 to 161), on the sensor's steps and inside
    // the sensor's range.
    function dpiOf(x) {
        var raw = Math.floor(((x - 3) * (maxDPI - minDPI) / 158 + minDPI) / stepOf()) * stepOf()
        return Math.max(lowest(), Math.min(highest(), raw))
    }
    function clampDpi(d) {
        var n = Math.floor(Number(d))
        return isFinite(n) ? Math.max(minDPI, Math.min(maxDPI, n)) : minDPI
    }
    function setStage(i, value) {
        var values = dpiValueArray.slice()
        values[i] = value
        dpiValueArray = values
    }
    function globalNumber(key, fallback) {
        var n = Number(backEnd.getGlobalData(key))
        return isFinite(n) && n > 0 ? Math.floor(n) : fallback
    }
    function profileNumber(key, fallback) {
        var n = Number(backEnd.getData(key, false))
        return isFinite(n) && n > 0 ? Math.floor(n) : fallback
    }
    function init(isSendData, isRecovery) {
        if (!isRecovery) {
            dpiCount = profileNumber("mouse/dpiCount", dpiCount)
            currentDpiCount = profileNumber("mouse/currentDpiCount", currentDpiCount)
            minDPI = globalNumber("mouse/minDPI", minDPI)
            maxDPI = Math.max(minDPI + 1, globalNumber("mouse/maxDPI", maxDPI))
            var sensor = backEnd.getGlobalData("mouse/sensorType")
            if (sensor !== undefined && sensor !== null && String(sensor) !== "")
                sensorType = String(sensor)
            dpiBase = globalNumber("mouse/dpiBase", dpiBase)
            var rate = rateValues.indexOf(Number(backEnd.getData("mouse/reportRate", false)))
            if (rate >= 0) {
                reportRate = rateValues[rate]
                rateList.currentSelect = rate
            }
        }
        var values = backEnd.getDataList("mouse/dpiValueArray", isRecovery)
        if (dpiCount > 8)
            return
        if (!isRecovery) {
            while (stages.count > dpiCount && stages.count > 1)
                stages.remove(stages.count - 1)
            currentDpiCount = Math.max(1, Math.min(stages.count, currentDpiCount))
            stageCount.currentSelect = currentDpiCount - 1
            stageCount.closeMenu()
        }
        if (values && values.length === 8)
            place(values)
        else
            console.warn("mouse/dpiValueArray unreadable; stages kept")
        if (isSendData) {
            saveData(true)
            backEnd.mouseSetReportRate(reportRate)
        }
    }
    // The knobs show the stored values as closely as a pixel allows; the
    // stored values themselves stay as they are until a knob is moved.
    function place(values) {
        var placed = []
        for (var i = 0; i < 8; ++i)
            placed.push(clampDpi(values[i]))
        dpiValueArray = placed
        for (i = 0; i < 8; ++i)
            stageRepeater.itemAt(i).place(placed[i])
    }
    function saveData(isSendData) {
        var values = dpiValueArray.map(function (v) { return Math.floor(Number(v)) })
        backEnd.setDataList("mouse/dpiValueArray", values)
        backEnd.setData("mouse/currentDpiCount", currentDpiCount)
        if (isSendData)
            backEnd.mouseSetDpi(currentDpiCount, sensorType, values)
    }
    // Both return whether the mouse took the change; when it did not, the
    // page and the profile keep what the mouse has.
    function chooseRate(index) {
        if (index < 0 || index >= rateValues.length)
            return false
        var was = reportRate
        var failed = failedCommands
        reportRate = rateValues[index]
        backEnd.setData("mouse/reportRate", reportRate)
        backEnd.mouseSetReportRate(reportRate)
        if (failedCommands === failed)
            return true
        reportRate = was
        backEnd.setData("mouse/reportRate", was)
        rateList.currentSelect = rateValues.indexOf(was)
        return false
    }
    // The stage the mouse uses (0-based), as its own DPI button chooses it.
    function chooseStage(index) {
        if (index < 0 || index >= currentDpiCount)
            return false
        var failed = failedCommands
        backEnd.mouseSetCurrentDPI(index + 1)
        if (failedCommands !== failed)
            return false
        currentDPI = index
        return true
    }
    function undo() {
        init(false, true)
        isSave = true
    }

    function closeRateMenu() { rateList.closeMenu() }

    PanelTitle { text: dpiSetting.dpiSettingLang[0] }
    ListModel {
        id: rates
        ListElement { textValue: "125Hz" }
        ListElement { textValue: "250Hz" }
        ListElement { textValue: "500Hz" }
        ListElement { textValue: "1000Hz" }
    }
    DropDownList {
        id: rateList
        objectName: "reportRateList"
        x: 40
        y: 8
        width: 80
        count: rates.count
        mdItems: rates
        currentSelect: 3
        onBtnClick: stageCount.closeMenu()
        onValueChange: function (index) { dpiSetting.chooseRate(index) }
    }
    ListModel {
        id: stages
        Component.onCompleted: {
            for (var i = 1; i <= 8; ++i)
                append({ "textValue": String(i) })
        }
    }
    DropDownList {
        id: stageCount
        objectName: "stageCount"
        x: parent.width - 8 - 16 - 16 - width
        y: 8
        width: 64
        count: stages.count
        mdItems: stages
        currentSelect: 3
        onBtnClick: rateList.closeMenu()
        onValueChange: function (index) {
            dpiSetting.currentDpiCount = index + 1
            dpiSetting.isSave = true
        }
    }
    IconButton {
        objectName: "dpiUndo"
        x: parent.width - 8 - width
        y: 12
        name: "undoBtn"
        accessibleName: Access.iconName(name) + ": " + dpiSetting.dpiSettingLang[0]
        onClicked: dpiSetting.undo()
    }
    // With many stages the values would run together: every second one then
    // drops a line, and only a value too wide even for that is set smaller.
    TextMetrics {
        id: widestLabel
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMinSize
        font.bold: true // as the current stage's
        text: {
            var widest = ""
            for (var i = 0; i < dpiSetting.currentDpiCount && i < 8; ++i)
                if (String(dpiSetting.dpiValueArray[i]).length > widest.length)
                    widest = String(dpiSetting.dpiValueArray[i])
            return widest
        }
    }
    readonly property int labelPitch: 24 + stageRow.spacing
    readonly property bool labelsStaggered: widestLabel.advanceWidth > labelPitch - 2
    readonly property int labelDrop: labelsStaggered ? Math.ceil(widestLabel.height) : 0
    readonly property int labelPixelSize: Theme.fittedPixelSize(widestLabel.advanceWidth,
                                                                (labelsStaggered ? 2 * labelPitch : labelPitch) - 2,
                                                                Theme.fontMinSize)
    Row {
        id: stageRow
        objectName: "stageRow"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 48
        spacing: dpiSetting.labelSpacing[Math.max(1, Math.min(8, dpiSetting.currentDpiCount))]
        Repeater {
            id: stageRepeater
            model: 8
            delegate: Item {
                id: stage
                required property int index
                readonly property bool current: dpiSetting.currentDPI === index
                property bool placing: false
                property alias slider: bar
                objectName: "stage" + index
                visible: index < dpiSetting.currentDpiCount
                width: 24
                height: 192

                function place(d) {
                    placing = true
                    bar.setRatioValue((d - dpiSetting.minDPI) / Math.max(1, dpiSetting.maxDPI - dpiSetting.minDPI))
                    placing = false
                }

                // Turned upright about its centre: the low end at the bottom.
                SliderButton {
                    id: bar
                    objectName: "dpiSlider" + stage.index
                    width: 176
                    x: 12 - width / 2
                    y: 88 - height / 2
                    rotation: 270
                    colorS: stage.current ? Theme.colorOrange : Theme.colorGray2
                    Accessible.name: String(dpiSetting.dpiValueArray[stage.index])
                    onBtnClick: dpiSetting.focusPages()
                    onValueChange: function (x) {
                        if (!stage.placing)
                            dpiSetting.setStage(stage.index, dpiSetting.dpiOf(x))
                    }
                    onValueChangeDelay: function (x) {
                        dpiSetting.setStage(stage.index, dpiSetting.dpiOf(x))
                        dpiSetting.isSave = true
                    }
                }
                Text {
                    objectName: "dpiLabel" + stage.index
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 178 + (stage.index % 2 === 1 ? dpiSetting.labelDrop : 0)
                    text: dpiSetting.dpiValueArray[stage.index]
                    color: stage.current ? Theme.colorOrange : Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: dpiSetting.labelPixelSize
                    font.bold: stage.current
                    MouseArea {
                        anchors.fill: parent
                        onClicked: {
                            dpiSetting.focusPages()
                            dpiSetting.chooseStage(stage.index)
                        }
                    }
                }
            }
        }
    }
}
