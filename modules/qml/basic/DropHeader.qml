import QtQuick

// The 24-high header of the drop-downs: text centred, arrow 8 from the right.
Rectangle {
    id: header

    property alias text: label.text
    property color fillColor: Theme.colorGray0
    property int horizontalOffset: 0
    property bool isOpen: false
    property color borderColor: Theme.colorGray1

    signal pressed()
    signal clicked()

    color: fillColor
    border.color: borderColor

    Text {
        id: label
        objectName: "headerText"
        Accessible.ignored: true
        anchors.centerIn: parent
        anchors.horizontalCenterOffset: header.horizontalOffset
        width: parent.width - 24
        horizontalAlignment: Text.AlignHCenter
        // A long entry is set smaller first, and cut only below the
        // smallest size.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontMinSize
        elide: Text.ElideRight
        color: Theme.fontColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Image {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        width: 10
        height: 6
        source: header.isOpen ? "qrc:/index/modules/img/skin1/index/dropBtnU.png"
                              : "qrc:/index/modules/img/skin1/index/dropBtn.png"
    }
    MouseArea {
        anchors.fill: parent
        onPressed: header.pressed()
        onClicked: header.clicked()
    }
}
