import QtQuick
import "../panels"

// A category of the assignment dialog chosen from a drop-down grid (media,
// Windows and shortcut keys): its heading and, under it, the grid.
Item {
    id: section

    property alias heading: heading.text
    property alias gridName: grid.objectName
    property alias items: entries
    property alias grid: grid

    signal chosen()

    width: 400
    height: 70
    // An open grid reaches over the sections below, so it is drawn above them.
    z: grid.z

    SectionHeading { id: heading }
    ListModel { id: entries }
    DropDownGrid {
        id: grid
        x: 24
        y: 36
        width: 107
        mdItems: entries
        onBtnClick: section.chosen()
    }
}
