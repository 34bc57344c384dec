pragma ComponentBehavior: Bound
import QtQuick
import "../basic"

// About menu: the web site and the version, 24-pixel rows.
Rectangle {
    id: about

    property string url: ""

    signal rowClicked(int index)

    width: 200
    height: 2 * 24 + 2
    color: Theme.colorGray0
    border.color: Theme.colorGray1
    visible: false

    Column {
        x: 1
        y: 1
        Repeater {
            model: [about.url, "version:1.0"]
            delegate: Rectangle {
                id: row
                required property int index
                required property string modelData
                width: about.width - 2
                height: 24
                color: area.containsMouse ? Theme.colorOrange : "transparent"
                Text {
                    x: 10
                    width: parent.width - 20
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.modelData
                    elide: Text.ElideRight
                    color: Theme.fontColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: about.rowClicked(row.index)
                }
            }
        }
    }
}
