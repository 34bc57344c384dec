pragma Singleton
import QtQuick

// Names for assistive technology of what shows no text (icon buttons), in
// the chosen language; English until the language file is read.
QtObject {
    // The language file's "access" section, in its order.
    property var texts: []
    readonly property var english: ["Close", "Minimise", "Help", "Reset", "OK", "Cancel", "Delay",
        "Key down", "Key up", "Button down", "Button up"]
    // Icon image name -> place in the section.
    readonly property var iconPlace: ({ "closeBtn": 0, "minBtn": 1, "ask": 2, "undoBtn": 3,
                                          "okBtn": 4, "cancelBtn": 5 })

    function text(i) {
        return texts && texts[i] !== undefined && String(texts[i]) !== "" ? String(texts[i]) : english[i]
    }
    // A macro action's kind (0 delay, 1 key down, 2 key up, 3 button down,
    // 4 button up), which its row shows as a picture.
    function actionName(type) { return text(6 + Math.max(0, Math.min(4, type))) }
    function iconName(icon) {
        var i = iconPlace[icon]
        return i === undefined ? "" : text(i)
    }
}
