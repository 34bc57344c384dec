import QtQuick
import "../basic"

// Editor panel of the left column: macro editor row and, with guns, the gun
// editor row under a 1-pixel rule.
Rectangle {
    id: panel

    property string title: ""
    property string macroText: ""
    property string gunText: ""
    property bool hasGun: true

    signal macroClicked()
    signal gunClicked()

    width: 232
    height: hasGun ? 100 : 76
    color: Theme.colorBlack

    PanelTitle { text: panel.title }
    Column {
        x: 8
        y: 40
        EditorRow { text: panel.macroText; onClicked: panel.macroClicked() }
        Rectangle { width: 216; height: 1; color: Theme.colorGray1; visible: panel.hasGun }
        EditorRow { objectName: "gunRow"; text: panel.gunText; visible: panel.hasGun; onClicked: panel.gunClicked() }
    }
}
