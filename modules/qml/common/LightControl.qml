pragma ComponentBehavior: Bound
import QtQuick
import "../basic"
import "../panels"
import "../js/colour.js" as Colour
import "../js/lang.js" as Lang

// Lighting panel of the right column: effect, speed, brightness and the
// eight-colour table. Edits only raise isSave; the main screen's Save sends.
Rectangle {
    id: lightControl

    property var lightControlLang: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color", "Brightness",
        "Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping", "YO-YO", "Spotlight", "Breath Loop"]
    property int effect: 1
    property int speed: 0
    property int brightness: 4
    property var colors: ["#ff0000", "#00ff00", "#0000ff", "#ff00ff", "#00ffff", "#ff7f00", "#6000ff", "#ffffff"]
    property int selectColor: 0
    property int hoverColor: -1
    property int markerPos: 0
    property int dpiCount: 4
    property bool extrasAdded: false
    property bool isSave: false
    // The mouse's flags and whether the first start has run, from the window.
    property bool isColorful: false
    property bool is55328: false
    property bool isPownOn: false
    // The back end (the host's "ui_View"), passed down by the main screen.
    property var backEnd: null
    property alias lightModel: effectList

    readonly property int barWidth: 185
    readonly property bool speedShown: effect === 1 || effect === 2 || (effect === 4 && is55328) || effect === 5
                                       || effect === 8 || effect === 9 || effect === 10
    readonly property bool brightnessShown: effect === 0 || (effect === 4 && !is55328) || effect === 5
                                            || effect === 7 || effect === 8 || effect === 9 || effect === 10
    readonly property int rowCount: (speedShown ? 1 : 0) + (brightnessShown ? 1 : 0)
    readonly property int colorTop: 40 + (rowCount === 0 ? 0 : 8 + 40 * rowCount)
    readonly property bool colorsCovered: [0, 1, 4, 9, 10].indexOf(effect) < 0

    width: 232
    height: colorTop + 136
    color: Theme.colorBlack

    function label(i) { return Lang.lang(lightControlLang, i) }
    // Colour maths: see colour.js.
    function hex(n) { return Colour.hex(n) }
    function rgbOf(c) { return Colour.rgbOf(c) }
    function colorText(r, g, b) { return Colour.colorText(r, g, b) }

    function blockVisible(n) {
        if (n === 1)
            return dpiCount > 0 || isColorful
        if (n === 8)
            return !is55328 && (dpiCount > 7 || isColorful)
        if (is55328)
            return effect === 4
        return dpiCount > n - 1 || isColorful
    }

    // Hue bar: colour at position p, and the position of a colour.
    function colorAt(p) { return Colour.colorAt(p, barWidth) }
    function positionOf(r, g, b) { return Colour.positionOf(r, g, b, barWidth) }

    function setBlock(n, c) {
        var list = colors.slice()
        list[n] = c
        colors = list
    }
    // Selects a block: marker and boxes take its colour.
    function selectBlock(n) {
        selectColor = n
        var v = rgbOf(colors[n])
        markerPos = positionOf(v[0], v[1], v[2])
        boxR.textValue = String(v[0])
        boxG.textValue = String(v[1])
        boxB.textValue = String(v[2])
    }
    function moveMarker(p) {
        markerPos = Math.max(0, Math.min(barWidth - 2, Math.floor(p)))
        var v = colorAt(markerPos)
        setBlock(selectColor, colorText(v[0], v[1], v[2]))
        boxR.textValue = String(v[0])
        boxG.textValue = String(v[1])
        boxB.textValue = String(v[2])
    }
    function typedColor() {
        var v = [boxR, boxG, boxB].map(function (box) { return Math.min(255, parseInt(box.textValue, 10) || 0) })
        setBlock(selectColor, colorText(v[0], v[1], v[2]))
        markerPos = positionOf(v[0], v[1], v[2])
        isSave = true
    }

    // The flags' extra effects, once, before the first start-up ends.
    function addEffects() {
        if (extrasAdded || isPownOn)
            return
        extrasAdded = true
        if (isColorful)
            for (var j = Lang.LightControl.colorfulEffects; j <= Lang.LightControl.lastColorfulEffect; ++j)
                effects.append({ "textValue": label(j) })
        if (is55328)
            effects.append({ "textValue": label(Lang.LightControl.breathLoop) })
    }
    // Choosing an effect resets the values its rows show.
    function chooseEffect(index) {
        effect = index
        var resetSpeed = [1, 2, 5, 6, 8, 9, 10].indexOf(index) >= 0 || (index === 4 && is55328)
        var resetBrightness = [0, 5, 6, 7, 8, 9, 10].indexOf(index) >= 0 || (index === 4 && !is55328)
        if (resetSpeed)
            speed = 0
        if (resetBrightness)
            brightness = 4
        if (index === 3)
            brightness = 0
        selectBlock(0)
        isSave = true
    }

    function lightControlFocus() {
        effectList.closeMenu()
        boxR.closeFocus()
        boxG.closeFocus()
        boxB.closeFocus()
    }
    function init(isSendData, isRecovery) {
        load(isSendData, isRecovery, !isSendData && !isRecovery)
    }
    function load(isSendData, isRecovery, mayAddEffects) {
        for (var i = 0; i < 4; ++i)
            effects.setProperty(i, "textValue", label(Lang.LightControl.firstEffect + i))
        if (mayAddEffects)
            addEffects()
        var v = backEnd.getDataList("mouse/lightValue", isRecovery)
        if (v.length >= 3) {
            // A stored effect the list does not offer falls back to the first.
            var e = Number(v[0])
            effect = e >= 0 && e < effects.count ? e : 0
            speed = Math.max(0, Math.min(4, Number(v[1]) || 0))
            brightness = Math.max(0, Math.min(4, Number(v[2]) || 0))
        }
        effectList.currentSelect = effect
        var c = backEnd.getDataList("mouse/colorValue", isRecovery)
        if (c.length >= 24) {
            var list = []
            for (var b = 0; b < 8; ++b)
                list.push(colorText(c[3 * b], c[3 * b + 1], c[3 * b + 2]))
            colors = list
        }
        selectBlock(0)
        if (isSendData)
            saveData(true, 0)
    }
    function colorNumbers() {
        var out = []
        for (var b = 0; b < 8; ++b)
            out = out.concat(rgbOf(colors[b]))
        if (is55328 && effect !== 4)
            out[21] = out[22] = out[23] = 0
        return out
    }
    function saveData(isSendData, isStep) {
        var numbers = colorNumbers()
        if (isStep === 0 || isStep === 1)
            backEnd.setDataList("mouse/lightValue", [effect, speed, brightness])
        if (isStep === 0 || isStep === 2)
            backEnd.setDataList("mouse/colorValue", numbers)
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            backEnd.mouseSetRGBEffect(effect, speed, brightness)
        if (isStep === 0 || isStep === 2)
            backEnd.mouseSetRGBColor(isColorful ? 0 : 1, numbers)
    }

    PanelTitle { text: lightControl.label(Lang.LightControl.title) }
    ListModel {
        id: effects
        ListElement { textValue: "Static" }
        ListElement { textValue: "Breath" }
        ListElement { textValue: "Neon" }
        ListElement { textValue: "OFF" }
    }
    DropDownList {
        id: effectList
        objectName: "effectList"
        x: parent.width - 16 - 16 - width
        y: 8
        z: 10
        width: 120
        count: effects.count
        mdItems: effects
        currentSelect: 1
        onValueChange: function (index) { lightControl.chooseEffect(index) }
    }
    IconButton {
        objectName: "lightUndo"
        x: parent.width - 8 - width
        y: 12
        name: "undoBtn"
        accessibleName: Access.iconName(name) + ": " + lightControl.label(Lang.LightControl.title)
        onClicked: {
            lightControl.load(false, true, false)
            lightControl.isSave = true
        }
    }

    Item {
        x: 8
        y: 48
        width: 216
        height: 72
        Repeater {
            model: [{ "label": Lang.LightControl.speed, "name": "speed" }, { "label": Lang.LightControl.brightness, "name": "brightness" }]
            delegate: LightLevelRow {
                required property var modelData
                name: modelData.name
                text: lightControl.label(modelData.label)
                value: lightControl[modelData.name]
                // Placed by binding so that a click right after an effect change lands.
                y: modelData.name === "brightness" && lightControl.speedShown ? 40 : 0
                visible: modelData.name === "speed" ? lightControl.speedShown : lightControl.brightnessShown
                onChosen: function (value) {
                    lightControl[modelData.name] = value
                    lightControl.isSave = true
                }
            }
        }
    }

    Item {
        id: colorArea
        y: lightControl.colorTop
        width: parent.width
        height: 136
        Rectangle {
            x: 8
            width: 216
            height: 1
            color: Theme.colorGray1
        }
        Text {
            x: 8
            y: 12
            text: lightControl.label(Lang.LightControl.color)
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Repeater {
            model: 8
            delegate: Item {
                id: block
                required property int index
                readonly property bool selected: lightControl.selectColor === index
                readonly property bool lit: selected || lightControl.hoverColor === index
                objectName: "colorBlock" + index
                x: 16 + index * 26
                y: 32
                z: lit ? 2 : 1
                width: 14
                height: 30
                visible: lightControl.blockVisible(index + 1)
                activeFocusOnTab: true
                Keys.enabled: !KeyFocus.keysCaptured
                Accessible.role: Accessible.RadioButton
                Accessible.name: lightControl.label(Lang.LightControl.color) + " " + (block.index + 1)
                Accessible.focusable: true
                Accessible.onPressAction: lightControl.selectBlock(block.index)
                Keys.onSpacePressed: { KeyFocus.keyUsed(); lightControl.selectBlock(block.index) }
                Keys.onReturnPressed: { KeyFocus.keyUsed(); lightControl.selectBlock(block.index) }
                Keys.onEnterPressed: { KeyFocus.keyUsed(); lightControl.selectBlock(block.index) }
                Keys.onTabPressed: KeyFocus.tab(block, true)
                Keys.onBacktabPressed: KeyFocus.tab(block, false)
                Accessible.checkable: true
                Accessible.checked: block.selected
                Rectangle {
                    width: 14
                    height: 14
                    color: lightControl.colors[block.index]
                    // The pointer gets a thin grey frame, the chosen block the white one.
                    border.color: block.selected ? "#ffffff" : block.lit ? Theme.colorGray2 : "transparent"
                    border.width: block.selected ? 2 : block.lit ? 1 : 0
                }
                Text {
                    Accessible.ignored: true
                    y: 16
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: block.index + 1
                    color: Theme.colorGray2
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMinSize
                }
                MouseArea {
                    width: 14
                    height: 14
                    hoverEnabled: true
                    onEntered: lightControl.hoverColor = block.index
                    onExited: if (lightControl.hoverColor === block.index) lightControl.hoverColor = -1
                    onPressed: KeyFocus.pointerFocus(block)
                    onClicked: lightControl.selectBlock(block.index)
                }
                FocusRing { control: block; width: 20; height: 20 }
            }
        }
        Item {
            id: bar
            objectName: "colorBar"
            x: 24
            y: 86
            width: lightControl.barWidth
            height: 10
            Image {
                width: parent.width
                height: parent.height
                source: "qrc:/lightControl/modules/img/skin1/lightControl/colorBar.png"
            }
            // The marker: a numbered tag above a diamond in the block's colour.
            Item {
                id: marker
                objectName: "colorMarker"
                x: lightControl.markerPos - 8
                y: -22
                width: 17
                height: 30
                Rectangle {
                    width: 17
                    height: 17
                    color: "#2d2d2d"
                    Text {
                        anchors.centerIn: parent
                        text: lightControl.selectColor + 1
                        color: Theme.fontColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMinSize
                    }
                }
                Rectangle {
                    x: 4
                    y: 17
                    width: 9
                    height: 9
                    rotation: 45
                    color: lightControl.colors[lightControl.selectColor]
                    border.color: "#2d2d2d"
                }
                MouseArea {
                    property real pressX: 0
                    anchors.fill: parent
                    onPressed: function (mouse) { pressX = mouse.x }
                    onPositionChanged: function (mouse) {
                        lightControl.moveMarker(marker.x + 8 + mouse.x - pressX)
                    }
                    onReleased: lightControl.isSave = true
                }
            }
        }
        Row {
            x: 16
            y: 108
            spacing: 6
            Text { text: "R"; color: Theme.colorGray3; font.family: Theme.fontFamily; font.pixelSize: Theme.fontNormalSize }
            Rectangle {
                width: 48; height: 20; color: Theme.colorGray0; border.color: Theme.colorGray1
                RectInput { id: boxR; objectName: "boxR"; accessibleName: "R"; textValue: "255"; onEndInputSignal: lightControl.typedColor() }
            }
            Text { text: "G"; color: Theme.colorGray3; font.family: Theme.fontFamily; font.pixelSize: Theme.fontNormalSize }
            Rectangle {
                width: 48; height: 20; color: Theme.colorGray0; border.color: Theme.colorGray1
                RectInput { id: boxG; objectName: "boxG"; accessibleName: "G"; textValue: "255"; onEndInputSignal: lightControl.typedColor() }
            }
            Text { text: "B"; color: Theme.colorGray3; font.family: Theme.fontFamily; font.pixelSize: Theme.fontNormalSize }
            Rectangle {
                width: 48; height: 20; color: Theme.colorGray0; border.color: Theme.colorGray1
                RectInput { id: boxB; objectName: "boxB"; accessibleName: "B"; textValue: "255"; onEndInputSignal: lightControl.typedColor() }
            }
        }
        // Effects without colours: the table is dimmed and takes the clicks.
        Rectangle {
            objectName: "colorCover"
            y: 28
            width: parent.width
            height: parent.height - 28
            color: "#b0000000"
            visible: lightControl.colorsCovered
            MouseArea { anchors.fill: parent }
        }
    }
}
