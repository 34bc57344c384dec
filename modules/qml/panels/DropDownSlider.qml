import QtQuick
import "../basic"

// A header with the owner's text; opens a 24-high panel holding a slider.
// Space or Return opens and closes it, Escape closes it, and while it is
// open the arrows move its slider.
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
    // The header's click: Space, Return and the assistive press act alike.
    function activate() {
        btnClick()
        isDrop = !isDrop
        slide.to = isDrop ? 24 : 0
        slide.restart()
    }
    function keyActivate() {
        KeyFocus.keyUsed()
        activate()
    }
    function keyStep(steps) {
        if (isDrop)
            bar.stepBy(steps)
    }

    activeFocusOnTab: true
    Keys.enabled: !KeyFocus.keysCaptured
    Accessible.role: Accessible.ComboBox
    Accessible.name: textValue
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: keyActivate()
    Keys.onReturnPressed: keyActivate()
    Keys.onEnterPressed: keyActivate()
    Keys.onEscapePressed: function (event) {
        event.accepted = isDrop
        if (isDrop)
            closeMenu()
    }
    Keys.onLeftPressed: keyStep(-1)
    Keys.onDownPressed: keyStep(-1)
    Keys.onRightPressed: keyStep(1)
    Keys.onUpPressed: keyStep(1)
    Keys.onTabPressed: KeyFocus.tab(dropSlider, true)
    Keys.onBacktabPressed: KeyFocus.tab(dropSlider, false)

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
        onPressed: KeyFocus.pointerFocus(dropSlider)
        onClicked: dropSlider.activate()
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
            Accessible.name: dropSlider.textValue
            // A Tab stop only while open, not while it slides shut.
            activeFocusOnTab: dropSlider.isDrop
            onValueChange: function (tmpValue) { dropSlider.valueChange(tmpValue) }
            onDragSignal: function (isDrag) { dropSlider.dragSignal(isDrag) }
        }
    }
    FocusRing {}
}
