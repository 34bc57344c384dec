.pragma library

// The button assignment's codes: four bytes per button (code0 the kind,
// code1 to code3 its arguments), written as eight hex digits, code0 first.

// Choice tables: the label's place in the page's strings (-1: the main
// screen's "disabled") and the code string.
var mouseTable = [[2, "0000F000"], [3, "0000F200"], [4, "0000F100"], [5, "0000F400"],
    [6, "0000F300"], [7, "00F01E02"], [-1, "00F10300"]]
var mediaTable = [[27, "03008301"], [28, "0300B500"], [29, "0300B600"], [30, "0300B700"],
    [31, "0300E200"], [32, "0300CD00"], [33, "0300E900"], [34, "0300EA00"]]
var windowsTable = [[35, "06009401"], [36, "06002302"], [37, "06002102"], [38, "06042C1B"],
    [39, "06042C11"], [40, "0600E307"], [41, "0600E315"]]
var shortcutTable = [[42, "0700E011"], [43, "0700E01B"], [44, "0700E006"], [45, "0700E019"],
    [46, "0700E016"], [47, "0700E013"], [48, "0700E009"], [49, "0700E01C"], [50, "0700E01D"],
    [51, "0700E004"]]
var dpiTable = [[22, "05000100"], [23, "05000200"], [24, "05000300"], [56, "05000400"]]
var gunTable = [[53, "08000100"], [54, "08000200"], [55, "08000300"]]
// Mouse buttons by code2 of kind 0, in the order of their labels from 2 on.
var mouseButtons = [0xF0, 0xF2, 0xF1, 0xF4, 0xF3]

function hex2(n) { return (n < 16 ? "0" : "") + n.toString(16).toUpperCase() }
function codeString(c0, c1, c2, c3) { return hex2(c0) + hex2(c1) + hex2(c2) + hex2(c3) }
// The four codes of a code string, or null for anything but eight hex digits.
function parseCode(hex) {
    var code = parseInt(hex, 16)
    if (String(hex).length !== 8 || isNaN(code))
        return null
    return [code >>> 24, (code >> 16) & 0xFF, (code >> 8) & 0xFF, code & 0xFF]
}
// The table row whose codes 0, 2 and 3 match, or -1.
function rowOf(table, c0, c2, c3) {
    for (var i = 0; i < table.length; ++i) {
        var code = parseInt(table[i][1], 16)
        if ((code >>> 24) === c0 && ((code >> 8) & 0xFF) === c2 && (code & 0xFF) === c3)
            return i
    }
    return -1
}
// What each section of the dialog shows as chosen for a button's codes: the
// row of its table, or -1 where the button is not of that kind. A kind-0
// code that is no button and no double fire reads as the report-rate row,
// as its text does.
function choicesOf(c0, c1, c2, c3) {
    var mouseIndex = mouseButtons.indexOf(c2)
    return {
        "mouse": c0 !== 0 ? -1 : mouseIndex >= 0 ? mouseIndex : c2 === 0x1E ? 5 : 6,
        "media": c0 === 3 ? rowOf(mediaTable, c0, c2, c3) : -1,
        "dpi": c0 === 5 && c2 >= 1 && c2 <= dpiTable.length ? c2 - 1 : -1,
        "windows": c0 === 6 ? rowOf(windowsTable, c0, c2, c3) : -1,
        "shortcut": c0 === 7 ? rowOf(shortcutTable, c0, c2, c3) : -1,
        "gun": c0 === 8 && c2 >= 1 && c2 <= gunTable.length ? c2 - 1 : -1
    }
}
// The knob position of a fire rate, the inverse of fireRateAt.
function fireRateX(rate, minX, maxX) {
    return minX + (Math.max(4, Math.min(80, rate)) - 4) * (maxX - minX) / 76
}
// The fire rate (4 to 80 ms) at knob position x of a slider from minX to maxX.
function fireRateAt(x, minX, maxX) {
    var n = Math.round(4 + (x - minX) * 76 / Math.max(1, maxX - minX))
    return Math.max(4, Math.min(80, n))
}
// The text a button's codes show. label(i) gives the page's string i (-1:
// "disabled"), keyName(code) a key's name, macroName(slot) a bound macro's.
function describe(c0, c1, c2, c3, label, keyName, macroName) {
    switch (c0) {
    case 0:
        var mouseIndex = mouseButtons.indexOf(c2)
        if (mouseIndex >= 0)
            return label(mouseTable[mouseIndex][0])
        return c2 === 0x1E ? label(mouseTable[5][0]) : label(-1)
    case 1:
        return keyName(c1)
    case 2:
        var names = []
        for (var bit = 0; bit < 8; ++bit)
            if (c1 & (1 << bit))
                names.push(keyName(0xE0 + bit))
        if (c2 !== 0)
            names.push(keyName(c2))
        if (c3 !== 0)
            names.push(keyName(c3))
        return names.join("+")
    case 4:
        return macroName(c2)
    case 5:
        return c2 >= 1 && c2 <= dpiTable.length ? label(dpiTable[c2 - 1][0]) : ""
    case 8:
        return c2 >= 1 && c2 <= gunTable.length ? label(gunTable[c2 - 1][0]) : ""
    }
    var table = { 3: mediaTable, 6: windowsTable, 7: shortcutTable }[c0]
    if (!table)
        return ""
    var row = rowOf(table, c0, c2, c3)
    return row < 0 ? "" : label(table[row][0])
}
