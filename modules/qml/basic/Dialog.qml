import QtQuick

// Frame of the draggable dialogs: Theme.colorGray0 body, 40-high black title bar
// with the title and a close icon, an optional Theme.colorOrange rule under it.
// Open, it holds the keyboard: Tab cycles within it, Escape closes it as the
// close icon does, and focus goes back where it was when it closes.
Rectangle {
    id: dialog

    property string title: ""
    property bool hasRule: true
    property int titleHeight: 40
    default property alias content: body.data
    property alias titleBar: bar
    property alias closeButton: closeIcon
    // Where focus was when the dialog opened.
    property Item returnFocus: null

    signal closeClicked()
    signal backgroundPressed()

    function centre() {
        x = Math.round((parent.width - width) / 2)
        y = Math.round((parent.height - height) / 2)
    }

    function closeByKey() {
        KeyFocus.keyUsed()
        closeClicked()
    }
    // A dialog opened from the keyboard focuses its first control; opened by
    // the pointer it holds focus itself, so no field starts editing and no
    // ring shows.
    function takeFocus() {
        returnFocus = Window.activeFocusItem && !KeyFocus.isInside(Window.activeFocusItem, dialog)
                ? Window.activeFocusItem : null
        var first = KeyFocus.keyboard ? KeyFocus.firstIn(dialog) : null
        if (first)
            first.forceActiveFocus(Qt.TabFocusReason)
        else
            dialog.forceActiveFocus(Qt.OtherFocusReason)
    }
    function giveFocusBack() {
        var back = returnFocus
        returnFocus = null
        var focused = Window.activeFocusItem
        if (back && back.visible && (!focused || KeyFocus.isInside(focused, dialog) || !focused.visible))
            back.forceActiveFocus(Qt.OtherFocusReason)
    }

    color: Theme.colorGray0
    visible: false
    onVisibleChanged: visible ? takeFocus() : giveFocusBack()

    Accessible.role: Accessible.Dialog
    Accessible.name: title
    Keys.enabled: !KeyFocus.keysCaptured
    Keys.onEscapePressed: closeByKey()
    Keys.onTabPressed: KeyFocus.tab(dialog, true)
    Keys.onBacktabPressed: KeyFocus.tab(dialog, false)

    DialogDrag {
        onBackgroundPressed: dialog.backgroundPressed()
    }
    Rectangle {
        id: bar
        width: parent.width
        height: dialog.titleHeight
        color: Theme.colorBlack
        Text {
            x: 16
            Accessible.ignored: true
            anchors.verticalCenter: parent.verticalCenter
            text: dialog.title
            color: Theme.fontColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
        }
        IconButton {
            id: closeIcon
            objectName: "dialogClose"
            anchors.right: parent.right
            anchors.rightMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            name: "closeBtn"
            onClicked: dialog.closeClicked()
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Theme.colorOrange
            visible: dialog.hasRule
        }
    }
    Item {
        id: body
        y: dialog.titleHeight
        width: parent.width
        height: parent.height - dialog.titleHeight
    }
}
