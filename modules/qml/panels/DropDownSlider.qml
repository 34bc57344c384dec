import QtQuick
import "../basic"

// A header with the owner's text; opens a 24-high panel holding a slider.
Item {
    id: dropSlider

    property bool isDrop: false
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property color sliderBgColor: Theme.colorGray0
    property color sliderbarBg: Theme.colorGray1
    property int horizontalOffset: 0
    property alias slider: bar

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    width: 110
    height: 24
    z: panel.height > 0 ? 100 : 0

    function closeMenu() {
        isDrop = false
        slide.to = 0
        slide.restart()
    }
    function setValue(ration) { bar.setRatioValue(ration) }

    NumberAnimation {
        id: slide
        target: panel
        property: "height"
        duration: 180
        easing.type: Easing.OutQuad
    }

    DropHeader {
        anchors.fill: parent
        text: dropSlider.textValue
        fillColor: dropSlider.bgColor
        borderColor: dropSlider.borderColor
        horizontalOffset: dropSlider.horizontalOffset
        isOpen: dropSlider.isDrop
        onClicked: {
            dropSlider.btnClick()
            dropSlider.isDrop = !dropSlider.isDrop
            slide.to = dropSlider.isDrop ? 24 : 0
            slide.restart()
        }
    }

    Rectangle {
        id: panel
        y: dropSlider.height
        width: dropSlider.width
        height: 0
        clip: true
        visible: height > 0
        color: dropSlider.sliderBgColor
        border.color: dropSlider.borderColor

        SliderButton {
            id: bar
            width: dropSlider.width - 16
            anchors.horizontalCenter: parent.horizontalCenter
            y: panel.height - 18
            trackColor: dropSlider.sliderbarBg
            onValueChange: function (tmpValue) { dropSlider.valueChange(tmpValue) }
            onDragSignal: function (isDrag) { dropSlider.dragSignal(isDrag) }
        }
    }
}
