pragma Singleton
import QtQuick

// Names for assistive technology of what shows no text (icon buttons), in
// the chosen language; English until the language file is read.
QtObject {
    // The language file's "access" section, in its order.
    property var texts: []
    readonly property var english: ["Close", "Minimise", "Help", "Reset", "OK", "Cancel"]
    // Icon image name -> place in the section.
    readonly property var iconPlace: ({ "closeBtn": 0, "minBtn": 1, "ask": 2, "undoBtn": 3,
                                          "okBtn": 4, "cancelBtn": 5 })

    function text(i) {
        return texts && texts[i] !== undefined && String(texts[i]) !== "" ? String(texts[i]) : english[i]
    }
    function iconName(icon) {
        var i = iconPlace[icon]
        return i === undefined ? "" : text(i)
    }
}
