import QtQuick

// The main screen; the pages plug in here as they are built.
Rectangle {
    id: root
    width: 1024
    height: 640
    color: "#1b1c20"
    radius: 6
    visible: false

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)

    function initUI() { root.visible = true }
    function run() {}
    function setProtectUI(interval) {}
    function setCurrentDPI(dpiValue) {}
    function detectKeyboard(isDown, usbCode) { root.msg_KB(isDown, usbCode) }
    function detectMouse(isDown, buttonCode, x, y) { root.msg_MS(isDown, buttonCode, x, y) }

    Text {
        anchors.centerIn: parent
        text: "NORVANE N1"
        color: "#e0e0e0"
        font.pixelSize: 40
        font.letterSpacing: 8
    }
}
