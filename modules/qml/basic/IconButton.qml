import QtQuick

// A 16 x 16 "index" icon that swaps to its "H" image under the pointer.
Image {
    id: icon

    property string name: ""
    property bool actOnPress: false
    readonly property bool hovered: area.containsMouse

    signal clicked()

    width: 16
    height: 16
    source: "qrc:/index/modules/img/skin1/index/" + name + (hovered ? "H" : "") + ".png"

    MouseArea {
        id: area
        anchors.fill: parent
        anchors.margins: -4
        hoverEnabled: true
        onPressed: if (icon.actOnPress) icon.clicked()
        onClicked: if (!icon.actOnPress) icon.clicked()
    }
}
