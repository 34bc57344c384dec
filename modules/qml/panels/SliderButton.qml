import QtQuick
import "../basic"

// Horizontal slider: a "slide" knob on a 6-pixel track. The value is the
// knob position x (3 to width - 15); owners turn it into their units.
// Left/Right (Up/Down) step it from the keyboard, Page keys by a tenth,
// Home/End to the ends; a step acts as a click on the track there does.
Item {
    id: slider

    property int segment: 10
    property int segmentValue: 0
    property bool isScale: false
    property color colorS: Theme.colorOrange
    property color trackColor: Theme.colorGray1
    readonly property real minX: 3
    readonly property real maxX: width - 15
    readonly property alias knobX: knob.x
    readonly property bool isGliding: glide.running
    // For assistive technology: the knob position, its range and step.
    property real value: knob.x
    readonly property real minimumValue: minX
    readonly property real maximumValue: maxX
    readonly property real stepSize: isScale ? (width - 18) / segment : 1

    signal valueChange(int tmpValue)
    signal valueChangeDelay(int tmpValue)
    signal btnClick()
    signal dragSignal(bool isDrag)

    width: 176
    height: 12

    function stopX(i) { return 3 + i * (width - 18) / segment }
    function clampX(x) { return Math.max(minX, Math.min(maxX, x)) }

    // A ratio of 1 would land one pixel past the end of the range.
    function setRatioValue(ration) {
        knob.x = clampX(Math.floor((width - 18) * ration) + 4)
        valueChange(knob.x)
    }
    function setIndexValue(Index, isSendSignal) {
        knob.x = stopX(Index)
        segmentValue = Index
        if (isSendSignal)
            valueChange(knob.x)
    }
    function setValue(tmpvalue) { knob.x = tmpvalue }

    // A click at `target` (a knob position) or a key step to it: the same
    // signals in the same order; only a click glides there.
    function moveTo(target, glides) {
        btnClick()
        target = clampX(target)
        if (isScale) {
            segmentValue = stopAtOrBeyond(target)
            target = stopX(segmentValue)
        }
        if (glides) {
            glide.to = target
            glide.restart()
            return
        }
        glide.stop()
        knob.x = target
        valueChange(knob.x)
        valueChangeDelay(knob.x)
    }
    // One step (or `steps`) up or down from where the knob is.
    function stepBy(steps) {
        KeyFocus.keyUsed()
        if (isScale)
            moveTo(stopX(Math.max(0, Math.min(segment, segmentValue + steps))), false)
        else
            moveTo(knob.x + steps, false)
    }
    // A tenth of the range: stops with a scale, pixels without.
    function pageStep() {
        return Math.max(1, Math.round(isScale ? segment / 10 : (maxX - minX) / 10))
    }

    activeFocusOnTab: true
    Keys.enabled: !KeyFocus.keysCaptured
    onValueChanged: if (value !== knob.x && !glide.running) moveTo(value, false)

    Accessible.role: Accessible.Slider
    Accessible.focusable: true
    Accessible.onIncreaseAction: stepBy(1)
    Accessible.onDecreaseAction: stepBy(-1)
    Keys.onRightPressed: stepBy(1)
    Keys.onUpPressed: stepBy(1)
    Keys.onLeftPressed: stepBy(-1)
    Keys.onDownPressed: stepBy(-1)
    Keys.onPressed: function (event) {
        if (event.key === Qt.Key_PageUp)
            stepBy(pageStep())
        else if (event.key === Qt.Key_PageDown)
            stepBy(-pageStep())
        else if (event.key === Qt.Key_Home)
            stepBy(-(isScale ? segment : maxX - minX))
        else if (event.key === Qt.Key_End)
            stepBy(isScale ? segment : maxX - minX)
        else
            return
        event.accepted = true
    }
    Keys.onTabPressed: KeyFocus.tab(slider, true)
    Keys.onBacktabPressed: KeyFocus.tab(slider, false)

    function stopAtOrBeyond(x) {
        for (var i = 0; i < segment; ++i)
            if (stopX(i) >= x)
                return i
        return segment
    }
    function stopOnRelease(x) {
        for (var i = 0; i < segment; ++i)
            if (x <= stopX(i) + 1)
                return i
        return segment
    }

    FocusRing {}

    Rectangle {
        id: track
        y: 3
        width: parent.width
        height: 6
        radius: 3
        color: slider.trackColor
        Rectangle {
            width: knob.x + knob.width / 2
            height: parent.height
            radius: 3
            color: slider.colorS
        }
    }

    // The track's sensitive area reaches 3 pixels beyond it on each side.
    MouseArea {
        anchors.fill: parent
        onPressed: function (mouse) {
            KeyFocus.pointerFocus(slider)
            slider.moveTo(mouse.x - knob.width / 2, true)
        }
    }

    NumberAnimation {
        id: glide
        target: knob
        property: "x"
        duration: 120
        easing.type: Easing.OutQuad
        onFinished: {
            slider.valueChange(knob.x)
            slider.valueChangeDelay(knob.x)
        }
    }

    Image {
        id: knob
        x: 3
        width: 12
        height: 12
        source: "qrc:/index/modules/img/skin1/index/slide.png"
        onXChanged: {
            slider.value = x
            if (knobArea.drag.active && !slider.isScale)
                slider.valueChange(x)
        }

        MouseArea {
            id: knobArea
            anchors.fill: parent
            drag.target: knob
            drag.axis: Drag.XAxis
            drag.minimumX: slider.minX
            drag.maximumX: slider.maxX
            drag.threshold: 0
            onPressed: {
                KeyFocus.pointerFocus(slider)
                glide.stop()
                slider.btnClick()
                slider.dragSignal(true)
            }
            onReleased: {
                if (slider.isScale) {
                    slider.segmentValue = slider.stopOnRelease(knob.x)
                    knob.x = slider.stopX(slider.segmentValue)
                }
                slider.valueChangeDelay(knob.x)
                slider.dragSignal(false)
            }
        }
    }
}
