import QtQuick
import "../basic"
import "../panels"

// Lighting panel of the right column. Placeholder of the lighting page: it
// reads, shows and sends effect and colours; editing comes with that page.
Rectangle {
    id: lightControl

    property var lightControlLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color", "Brightness"]
    property var lightValue: [1, 0, 4]
    property var colors: ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ff7f00", "#6000ff", "#ffffff"]
    property bool isSave: false
    property alias lightModel: effectList

    width: 232
    height: 264
    color: colorBlack

    function lightControlFocus() { effectList.closeMenu() }
    function hex(n) { return ("0" + Number(n).toString(16)).slice(-2) }
    function init(isSendData, isRecovery) {
        for (var i = 0; i < 4; ++i)
            effects.setProperty(i, "textValue", String(lightControlLang[i + 1]))
        var v = ui_View.getDataList("mouse/lightValue", isRecovery)
        if (v.length >= 3)
            lightValue = [Number(v[0]), Number(v[1]), Number(v[2])]
        effectList.currentSelect = lightValue[0]
        var c = ui_View.getDataList("mouse/colorValue", isRecovery)
        if (c.length >= 24) {
            var list = []
            for (var b = 0; b < 8; ++b)
                list.push("#" + hex(c[3 * b]) + hex(c[3 * b + 1]) + hex(c[3 * b + 2]))
            colors = list
        }
        if (isSendData)
            saveData(true, 0)
    }
    function colorNumbers() {
        var out = []
        for (var b = 0; b < 8; ++b) {
            var c = Qt.color(colors[b])
            out.push(Math.round(c.r * 255), Math.round(c.g * 255), Math.round(c.b * 255))
        }
        return out
    }
    function saveData(isSendData, isStep) {
        var numbers = colorNumbers()
        if (isStep === 0 || isStep === 1)
            ui_View.setDataList("mouse/lightValue", lightValue)
        if (isStep === 0 || isStep === 2)
            ui_View.setDataList("mouse/colorValue", numbers)
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            ui_View.mouseSetRGBEffect(lightValue[0], lightValue[1], lightValue[2])
        if (isStep === 0 || isStep === 2)
            ui_View.mouseSetRGBColor(isColorful ? 0 : 1, numbers)
    }

    PanelTitle { text: lightControl.lightControlLang[0] }
    ListModel {
        id: effects
        ListElement { textValue: "Static" }
        ListElement { textValue: "Breath" }
        ListElement { textValue: "Neon" }
        ListElement { textValue: "OFF" }
    }
    DropDownList {
        id: effectList
        x: parent.width - 16 - 16 - width
        y: 8
        width: 120
        count: effects.count
        mdItems: effects
        currentSelect: 1
        onValueChange: function (index) {
            lightControl.lightValue = [index, lightControl.lightValue[1], lightControl.lightValue[2]]
            lightControl.isSave = true
        }
    }
    IconButton {
        x: parent.width - 8 - width
        y: 12
        name: "undoBtn"
    }
    Repeater {
        model: [{ "label": 5, "value": 1, "y": 52 }, { "label": 7, "value": 2, "y": 96 }]
        delegate: Item {
            required property var modelData
            x: 8
            y: modelData.y
            width: 216
            height: 32
            Text {
                text: lightControl.lightControlLang[modelData.label]
                color: colorGray3
                font.family: fontFamily
                font.pixelSize: fontNormalSize
            }
            SliderButton {
                readonly property int stop: lightControl.lightValue[modelData.value]
                x: 80
                y: 2
                width: 96
                segment: 4
                isScale: true
                onStopChanged: setIndexValue(stop, false)
                Component.onCompleted: setIndexValue(stop, false)
            }
            Image {
                x: 80
                y: 18
                source: "qrc:/lightControl/modules/img/skin1/lightControl/scale.png"
            }
            Text {
                anchors.right: parent.right
                text: lightControl.lightValue[modelData.value] * 25 + "%"
                color: fontColor
                font.family: fontFamily
                font.pixelSize: fontNormalSize
            }
        }
    }
    Rectangle {
        x: 8
        y: 140
        width: 216
        height: 1
        color: colorGray1
    }
    Text {
        x: 8
        y: 152
        text: lightControl.lightControlLang[6]
        color: colorGray3
        font.family: fontFamily
        font.pixelSize: fontNormalSize
    }
    Row {
        x: 8
        y: 180
        spacing: 13
        Repeater {
            model: 8
            delegate: Column {
                required property int index
                spacing: 4
                Rectangle {
                    width: 14
                    height: 14
                    radius: 2
                    color: lightControl.colors[parent.index]
                    border.color: parent.index === 0 ? "#ffffff" : "transparent"
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: parent.index + 1
                    color: colorGray2
                    font.family: fontFamily
                    font.pixelSize: fontMinSize
                }
            }
        }
    }
    Image {
        x: 24
        y: 224
        source: "qrc:/lightControl/modules/img/skin1/lightControl/colorBar.png"
    }
}
