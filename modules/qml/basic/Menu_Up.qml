import QtQuick
import "../panels"

// Top bar: About, minimise and close, and the profile drop-down to their left.
Item {
    id: menu

    property alias profileBtn: profileList
    property var profilePage: null

    signal btnClicked(int btnIndex)

    width: 80
    height: 16

    DropDownList {
        id: profileList
        x: -16 - width
        y: -4
        width: 144
        bgColor: Theme.colorGray0
        borderColor: Theme.colorGray1
        mdItems: menu.profilePage ? menu.profilePage.profileDataModel0 : null
        count: menu.profilePage ? menu.profilePage.profileDataModel0.count : 0
        onValueChange: function (index) {
            if (menu.profilePage)
                menu.profilePage.changeProfile(index)
        }
    }
    Row {
        spacing: 16
        IconButton { name: "ask"; onClicked: menu.btnClicked(2) }
        IconButton { name: "minBtn"; onClicked: menu.btnClicked(0) }
        IconButton { name: "closeBtn"; onClicked: menu.btnClicked(1) }
    }
}
