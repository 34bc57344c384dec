import QtQuick
import "../basic"
import "../panels"

// One level row of the lighting panel (speed or brightness): a five-step
// slider and its value in percent.
Item {
    id: row

    property string name: ""
    property string text: ""
    property int value: 0

    signal chosen(int value)

    objectName: name + "Row"
    width: 216
    height: 32

    onValueChanged: rowSlider.setIndexValue(value, false)

    Text {
        y: 2
        text: row.text
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    SliderButton {
        id: rowSlider
        objectName: row.name + "Slider"
        x: 80
        y: 2
        width: 96
        segment: 4
        isScale: true
        Accessible.name: row.text
        onValueChangeDelay: row.chosen(segmentValue)
        Component.onCompleted: setIndexValue(row.value, false)
    }
    Image {
        x: 80
        y: 18
        source: "qrc:/lightControl/modules/img/skin1/lightControl/scale.png"
    }
    Rectangle {
        anchors.right: parent.right
        y: 0
        width: 48
        height: 16
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        Text {
            objectName: row.name + "Box"
            anchors.centerIn: parent
            text: row.value * 25 + "%"
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
        }
    }
}
