import QtQuick
import "../basic"
import "../panels"

// Under the action list: record/stop, the repeat count, and whether
// recording keeps the pauses between keys.
Row {
    id: bar

    property bool recording: false
    property bool delayRecord: false
    property string recordText: ""
    property string stopText: ""
    property string timesText: ""
    property string delayText: ""
    property alias repeatInput: repeatInput

    signal recordClicked()
    signal repeatEdited()
    signal delayToggled(bool on)

    spacing: 16

    TextButton {
        objectName: "recordButton"
        width: 100
        normalColor: bar.recording ? Theme.colorOrange : Theme.colorGray1
        text: bar.recording ? bar.stopText : bar.recordText
        onClicked: bar.recordClicked()
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: bar.timesText
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Rectangle {
        width: 48
        height: 24
        color: Theme.colorBlack
        border.color: Theme.colorGray1
        RectInput {
            id: repeatInput
            objectName: "repeatBox"
            anchors.centerIn: parent
            minValue: 1
            maxValue: 65535
            textValue: "1"
            onEndInputSignal: bar.repeatEdited()
        }
    }
    CheckBox {
        objectName: "delayCheck"
        anchors.verticalCenter: parent.verticalCenter
        textValue: bar.delayText
        isSelect: bar.delayRecord
        onIsSelectChanged: bar.delayToggled(isSelect)
    }
}
