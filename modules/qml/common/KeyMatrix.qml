import QtQuick

// Key list of the left column: one row per visible button. Placeholder of
// the button assignment page: it reads, shows and sends the 16 slots.
Rectangle {
    id: keyMatrix

    property var keyMatrixLang: ["Key ", "Key Function", "", "", ""]
    property var labels: ["Left Key", "Middle Key", "Right Key", "Forward Key", "Back Key",
        "Double Fire", "Report Rate", "DPI+", "DPI-", "DPI LOOP", "Sniper Key"]
    property int keyCount: 8
    property bool isSave: false
    property int selectKey: -1
    property var modKeys: []
    property var gunPeriods: [10, 10, 10]

    signal enterBtn(int index)
    signal leaveBtn(int index)
    signal clickBtn(int index)

    width: 232
    height: 40 + 24 * keyCount + 2 * (keyCount - 1) + 8
    color: colorBlack

    function textOf(k) {
        if (k[0] === 0) {
            var i = [0xF0, 0xF2, 0xF1, 0xF4, 0xF3, 0x1E].indexOf(k[2])
            return i < 0 ? labels[6] : labels[i]
        }
        if (k[0] === 4)
            return String(ui_View.getData("mouseMacroKey/" + k[2], false))
        if (k[0] === 5 && k[2] >= 1 && k[2] <= 4)
            return labels[6 + k[2]]
        return ""
    }
    function init(isSendData, isRecovery) {
        var keys = []
        for (var j = 0; j < 16; ++j) {
            var k = ui_View.mouseGetKeydefine(j, isRecovery)
            keys.push([Number(k[0]), Number(k[1]), Number(k[2]), Number(k[3])])
        }
        modKeys = keys
        if (isSendData)
            saveData()
    }
    function saveData() {
        var flat = []
        for (var j = 0; j < 16; ++j)
            flat = flat.concat(modKeys[j] || [0, 0, 0, 0])
        ui_View.mouseSetKeyMatrix(flat, true, gunPeriods)
    }

    PanelTitle { text: keyMatrix.keyMatrixLang[1] }
    Column {
        x: 8
        y: 40
        spacing: 2
        Repeater {
            model: keyMatrix.keyCount
            delegate: Rectangle {
                id: row
                required property int index
                readonly property bool lit: keyMatrix.selectKey === index || area.containsMouse
                width: 216
                height: 24
                color: lit ? colorOrange : colorGray0
                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.index < 8 ? keyMatrix.keyMatrixLang[0] + " " + (row.index + 1) : ""
                    color: colorGray3
                    font.family: fontFamily
                    font.pixelSize: fontNormalSize
                }
                Text {
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: keyMatrix.modKeys.length > row.index ? keyMatrix.textOf(keyMatrix.modKeys[row.index]) : ""
                    color: fontColor
                    font.family: fontFamily
                    font.pixelSize: fontNormalSize
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: keyMatrix.enterBtn(row.index)
                    onExited: keyMatrix.leaveBtn(row.index)
                    onClicked: keyMatrix.clickBtn(row.index)
                }
            }
        }
    }
}
