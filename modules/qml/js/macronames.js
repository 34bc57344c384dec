.pragma library

// Macro names: which a new macro gets and which a rename may take.

var maxMacros = 100

// The smallest free "Macro_" number: neither taken nor a file already
// (exists(name)), since a file left behind may still hold a macro's events.
// Such files may take numbers beyond the hundred.
function nextName(taken, exists) {
    for (var n = 0; n < maxMacros + 1000; ++n) {
        var name = "Macro_" + n
        if (taken.indexOf(name) < 0 && !exists(name))
            return name
    }
    return ""
}
// A name the file store can take: not empty, not a dot name, no separator.
function isValid(name) {
    return !(name === "" || name.length > 64 || name === "." || name === ".." || /[\/\\\u0000]/.test(name))
}
// Why a macro may not be renamed from oldName to newName: "" when it may,
// "same", "empty", "slash", "invalid" or "taken" (by another row or a file).
function renameRefusal(oldName, newName, taken, exists) {
    if (newName === oldName)
        return "same"
    if (newName === "")
        return "empty"
    if (/[\/\\]/.test(newName))
        return "slash"
    if (!isValid(newName))
        return "invalid"
    return taken.indexOf(newName) >= 0 || exists(newName) ? "taken" : ""
}
// The stored list, without the marker a single name is stored with.
function fromStore(list) {
    return list.length === 2 && String(list[1]) === "vornakelpish" ? [list[0]] : list
}
