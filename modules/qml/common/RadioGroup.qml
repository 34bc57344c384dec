pragma ComponentBehavior: Bound
import QtQuick
import "../panels"

// One choice row of the assignment dialog: a radio button per label, in
// cells of cellWidth, objectNames prefix + index; exclusion is the owner's.
Grid {
    id: group

    property var labels: []
    property string prefix: ""
    property int cellWidth: 120
    readonly property alias count: radios.count

    signal chosen(int index)

    function itemAt(i) { return radios.itemAt(i) }

    columns: labels.length
    columnSpacing: 0

    Repeater {
        id: radios
        model: group.labels.length
        delegate: Item {
            id: cell
            required property int index
            property alias isSelect: radio.isSelect
            width: group.cellWidth
            height: 12
            RadioButton {
                id: radio
                objectName: group.prefix + cell.index
                index: cell.index
                textValue: group.labels[cell.index]
                onBtnClick: function (i) { group.chosen(i) }
            }
        }
    }
}
