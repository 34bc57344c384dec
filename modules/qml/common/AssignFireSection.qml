import QtQuick
import "../basic"
import "../panels"
import "../js/assignment.js" as Assignment
import "../js/lang.js" as Lang

// The assignment dialog's fire function: a captured key, its rate and how
// many times it fires (0: while held).
Item {
    id: section

    property var strings: []
    property bool capturing: false
    // The captured key's name; "Click Input" while capturing or when empty.
    property string keyText: ""
    property alias rateSlider: rateSlider
    property alias timesBox: timesBox
    property alias endness: endness

    signal captureClicked()
    signal rateChosen(int rate)
    signal timesChosen(int times)
    signal scrollFrozen(bool frozen)
    signal focusPages()

    // The open rate panel is drawn above the next section.
    z: rateSlider.z

    function text(key) { return Lang.lang(strings, Lang.KeyAssigment[key]) }
    // Shows a fire key's rate and times, or the first-use state (rate 10,
    // endless) for any other function.
    function showRate(isFire, rate, times) {
        rateSlider.slider.setValue(Assignment.fireRateX(isFire ? rate : 10, rateSlider.slider.minX,
                                                        rateSlider.slider.maxX))
        rateSlider.textValue = isFire ? rate + "MS" : "10ms"
        timesBox.textValue = String(isFire ? times : 0)
        endness.isSelect = !isFire || times === 0
    }
    function times() {
        var n = parseInt(timesBox.textValue, 10)
        return isFinite(n) ? Math.max(0, Math.min(255, n)) : 0
    }

    SectionHeading { y: 120; text: section.text("fireFunction") }
    FieldLabel { x: 24; y: 160; text: section.text("keyValue") }
    Rectangle {
        objectName: "fireBox"
        x: 96
        y: 156
        width: 96
        height: 24
        color: section.capturing ? Theme.colorOrange : Theme.colorGray0
        border.color: Theme.colorGray1
        Text {
            anchors.centerIn: parent
            text: section.capturing || section.keyText === "" ? section.text("clickInput") : section.keyText
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        MouseArea {
            anchors.fill: parent
            onClicked: section.captureClicked()
        }
    }
    FieldLabel { x: 208; y: 160; text: section.text("rate") }
    DropDownSlider {
        id: rateSlider
        objectName: "rateSlider"
        x: 264
        y: 156
        width: 110
        textValue: "10ms"
        onBtnClick: section.focusPages()
        onDragSignal: function (isDrag) { section.scrollFrozen(isDrag) }
        onValueChange: function (x) {
            var rate = Assignment.fireRateAt(x, rateSlider.slider.minX, rateSlider.slider.maxX)
            rateSlider.textValue = rate + "MS"
            section.rateChosen(rate)
        }
    }
    FieldLabel { x: 24; y: 196; text: section.text("times") }
    Rectangle {
        x: 96
        y: 192
        width: 48
        height: 20
        color: Theme.colorBlack
        border.color: Theme.colorGray1
        RectInput {
            id: timesBox
            objectName: "timesBox"
            anchors.fill: parent
            minValue: 0
            maxValue: 255
            onEndInputSignal: {
                var n = section.times()
                endness.isSelect = n === 0
                section.timesChosen(n)
            }
        }
    }
    CheckBox {
        id: endness
        objectName: "endness"
        x: 208
        y: 196
        textValue: section.text("endness")
        isSelect: true
        onBtnClick: {
            if (endness.isSelect)
                return
            timesBox.textValue = "0"
            section.timesChosen(0)
        }
    }
}
