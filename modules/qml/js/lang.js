.pragma library

// The text at index i of a page's string list, or "" where it has none.
function lang(list, i) {
    return list && list[i] !== undefined ? String(list[i]) : ""
}

// The macro editor's English texts, for a language file without them.
var macroEditorDefaults = ["Macro Editor", "Macro Name", "New", "Delete", "Action", "Stop Record", "Times", "OK",
    "Start Record", "Delay", "Delete", "Import", "Export", "Insert Delay", "Insert Key", "Insert Left Key",
    "Insert Middle Key", "Insert Right Key", "", "", "Delete the macro “%1”?",
    "Keys that use it go back to their default function: %1", "No key uses it.", "Cancel",
    "No key was pressed, so nothing was inserted.", "A macro name cannot contain / or a backslash.",
    "A macro name cannot be empty.", "Another macro is already named “%1”.", "A delay can be at most %1 ms.",
    "The macro would not fit in the mouse's memory, so nothing was changed.",
    "This name cannot be used for a macro.", "Key %1", "in the profile “%1”: %2", "The list holds at most %1 macros."]

// The assignment dialog's English texts, for a language file without them.
var keyAssigmentDefaults = ["Key ", "Mouse Function", "Left Key", "Middle Key", "Right Key",
    "Forward Key", "Back Key", "Double Fire", "Fire Function", "Key Value", "Click Input", "Rate",
    "Times", "Endless", "Group Function", "Media Function", "Macro Function", "Macro Editor",
    "Macro runs one-time after pressing the button",
    "Macro runs endless loop until any button is pressed",
    "Macro runs endless loop until button is released", "DPI Function", "DPI+", "DPI-", "DPI LOOP",
    "Windows Function", "Shortcut Function", "Player", "Next", "Previous", "Stop", "Mute",
    "Play/Pause", "Volume+", "Volume-", "My PC", "Index", "Search", "Max", "Min", "Desktop", "Run",
    "New", "Cut", "Copy", "Paste", "Save", "Print", "Find", "Redo", "Undo", "Select All",
    "Gun Function", "One Gun", "Two Gun", "Three Gun", "Sniper Key", "", "", "",
    "Key %1 is the mouse's only left button and cannot be reassigned. Make another key a Left Key first."]

// Named places in each page's string list.
var MacroEditor = {
    title: 0, macroName: 1, newMacro: 2, deleteMacro: 3, action: 4, stopRecord: 5, times: 6, ok: 7,
    startRecord: 8, delay: 9, deleteRow: 10, importMacro: 11, exportMacro: 12, insertDelay: 13,
    insertKey: 14, insertLeft: 15, insertMiddle: 16, insertRight: 17, deleteQuestion: 20, keysFallBack: 21,
    noKeyUses: 22, cancel: 23, noKeyInserted: 24, slashName: 25, emptyName: 26, nameTaken: 27, delayMax: 28,
    tooLong: 29, badName: 30, keyNumber: 31, inProfile: 32, listFull: 33
}
var LightControl = {
    title: 0, firstEffect: 1, speed: 5, color: 6, brightness: 7, colorfulEffects: 8, lastColorfulEffect: 14, breathLoop: 15
}
var GunControl = {
    title: 0, gun: 1, selectGun: 2, cursorAdjust: 3, xAxis: 4, yAxis: 5, fireAdjust: 6, rate: 7, times: 8,
    endness: 9
}
var KeyAssigment = {
    key: 0, mouseFunction: 1, firstMouseButton: 2, doubleFire: 7, fireFunction: 8, keyValue: 9, clickInput: 10,
    rate: 11, times: 12, endness: 13, groupFunction: 14, mediaFunction: 15, macroFunction: 16, macroEditor: 17,
    firstMacroOption: 18, dpiFunction: 21, windowsFunction: 25, shortcutFunction: 26, gunFunction: 52,
    firstGun: 53, fixedKey: 60
}
