import QtQuick
import "../basic"

// Horizontal slider: a "slide" knob on a 6-pixel track. The value is the
// knob position x (3 to width - 15); owners turn it into their units.
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
            slider.btnClick()
            var target = slider.clampX(mouse.x - knob.width / 2)
            if (slider.isScale) {
                slider.segmentValue = slider.stopAtOrBeyond(target)
                target = slider.stopX(slider.segmentValue)
            }
            glide.to = target
            glide.restart()
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
        onXChanged: if (knobArea.drag.active && !slider.isScale) slider.valueChange(x)

        MouseArea {
            id: knobArea
            anchors.fill: parent
            drag.target: knob
            drag.axis: Drag.XAxis
            drag.minimumX: slider.minX
            drag.maximumX: slider.maxX
            drag.threshold: 0
            onPressed: {
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
