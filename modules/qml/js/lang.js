.pragma library

// The text at index i of a page's string list, or "" where it has none.
function lang(list, i) {
    return list && list[i] !== undefined ? String(list[i]) : ""
}

// Named places in each page's string list.
var MacroEditor = {
    title: 0, macroName: 1, newMacro: 2, deleteMacro: 3, action: 4, stopRecord: 5, times: 6, ok: 7,
    startRecord: 8, delay: 9, deleteRow: 10, importMacro: 11, exportMacro: 12, insertDelay: 13,
    insertKey: 14, insertLeft: 15, insertMiddle: 16, insertRight: 17
}
var LightControl = {
    title: 0, speed: 5, color: 6, brightness: 7, colorfulEffects: 8, lastColorfulEffect: 14, breathLoop: 15
}
