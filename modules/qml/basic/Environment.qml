import QtQuick

// The window's background: background, title bar and the title logo.
Item {
    width: 1024
    height: 640

    Image { source: "qrc:/modules/img/background.png" }
    Image { source: "qrc:/modules/img/titleBar.png" }
    Image { x: 52; y: 24; source: "qrc:/modules/img/titleLogo.png" }
}
