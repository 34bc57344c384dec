import QtQuick
import "../basic"
import "../js/lang.js" as Lang

// The assignment dialog's key combination: captured keys, confirmed or
// cancelled with the two icons.
Item {
    id: section

    property var strings: []
    property bool capturing: false
    property string comboText: ""
    // The slot's combination, shown while not capturing.
    property string currentText: ""

    signal startClicked()
    signal confirmClicked()
    signal cancelClicked()

    SectionHeading { y: 230; text: Lang.lang(section.strings, Lang.KeyAssigment.groupFunction) }
    Rectangle {
        objectName: "comboBox"
        x: 24
        y: 266
        width: 240
        height: 24
        color: section.capturing ? Theme.colorOrange : Theme.colorGray0
        border.color: Theme.colorGray1
        Text {
            objectName: "comboText"
            x: 8
            width: parent.width - 56
            anchors.verticalCenter: parent.verticalCenter
            text: section.capturing ? section.comboText
                                    : section.currentText !== "" ? section.currentText
                                    : Lang.lang(section.strings, Lang.KeyAssigment.clickInput)
            elide: Text.ElideRight
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        MouseArea {
            anchors.fill: parent
            enabled: !section.capturing
            onClicked: section.startClicked()
        }
        IconButton {
            objectName: "comboConfirm"
            x: parent.width - 44
            anchors.verticalCenter: parent.verticalCenter
            name: "okBtn"
            visible: section.capturing
            onClicked: section.confirmClicked()
        }
        IconButton {
            objectName: "comboCancel"
            x: parent.width - 20
            anchors.verticalCenter: parent.verticalCenter
            name: "cancelBtn"
            visible: section.capturing
            onClicked: section.cancelClicked()
        }
    }
}
