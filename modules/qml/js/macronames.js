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
// The stored list, without the marker a single name is stored with.
function fromStore(list) {
    return list.length === 2 && String(list[1]) === "vornakelpish" ? [list[0]] : list
}
