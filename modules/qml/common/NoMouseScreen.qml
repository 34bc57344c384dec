import QtQuick
import "../basic"

// Shown instead of the main screen while no mouse is connected: the product's
// picture and one line for the case; for a mouse that cannot be opened, also
// the udev rule and the commands that apply it. Minimise, close and drag work
// as on the main screen, since without a tray this window is all there is.
Item {
    id: noMouse

    // 1: no configured mouse found; 2: found but cannot be opened.
    property int deviceState: 1
    // "noMouse" strings: the two cases, the rule's file, the two commands.
    property var texts: ["No mouse found. Plug in the NORVANE MOUSE N1: this screen closes as soon as it is found.",
        "A mouse was found but cannot be opened: your user has no access to its hidraw node.",
        "Install the udev rule /etc/udev/rules.d/71-norvane.rules (see the README), then run:",
        "sudo udevadm control --reload-rules",
        "sudo udevadm trigger --subsystem-match=hidraw --action=change"]
    readonly property bool noAccess: deviceState === 2
    property color textColor: "#ffffff"
    property color hintColor: "#d1d1d1"
    property string fontName: ""
    // The window controller, for the drag.
    property QtObject controller: null

    signal minimizeClicked()
    signal closeClicked()

    function text(i) { return texts && texts[i] !== undefined ? String(texts[i]) : "" }

    width: 1024
    height: 640

    Image { source: "qrc:/modules/img/background.png" }
    Image { source: "qrc:/modules/img/titleBar.png" }
    Image { x: 52; y: 24; source: "qrc:/modules/img/titleLogo.png" }
    WindowDrag {
        anchors.fill: parent
        controller: noMouse.controller
    }
    Row {
        x: 956
        y: 16
        spacing: 16
        IconButton { objectName: "noMouseMinimize"; name: "minBtn"; onClicked: noMouse.minimizeClicked() }
        IconButton { objectName: "noMouseClose"; name: "closeBtn"; onClicked: noMouse.closeClicked() }
    }

    Image {
        id: picture
        objectName: "noMousePicture"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 80
        source: "qrc:/mouse/modules/img/skin1/mouse/MouseFront.png"
    }
    Column {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: picture.bottom
        anchors.topMargin: 16
        spacing: 8
        Text {
            objectName: "noMouseLine"
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth, 880)
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            color: noMouse.textColor
            font.family: noMouse.fontName
            font.pixelSize: 16
            text: noMouse.text(noMouse.noAccess ? 1 : 0)
        }
        Text {
            objectName: "noMouseFix2"
            visible: noMouse.noAccess
            anchors.horizontalCenter: parent.horizontalCenter
            color: noMouse.hintColor
            font.family: noMouse.fontName
            font.pixelSize: 12
            text: noMouse.text(2)
        }
        Text {
            objectName: "noMouseFix3"
            visible: noMouse.noAccess
            anchors.horizontalCenter: parent.horizontalCenter
            color: noMouse.textColor
            font.family: "monospace"
            font.pixelSize: 12
            textFormat: Text.PlainText
            text: noMouse.text(3)
        }
        Text {
            objectName: "noMouseFix4"
            visible: noMouse.noAccess
            anchors.horizontalCenter: parent.horizontalCenter
            color: noMouse.textColor
            font.family: "monospace"
            font.pixelSize: 12
            textFormat: Text.PlainText
            text: noMouse.text(4)
        }
    }
}
