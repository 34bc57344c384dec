.pragma library

// The bytes of a macro for the device: two repeat bytes, then one pair per
// action (the pause after it in 10 ms units with bit 7 for a release, then
// its key code; a long pause adds a unit pair and a count pair), then 0, 0.
// Rows are the stored texts "type,info": 0 delay (ms), 1/2 key down/up,
// 3/4 mouse button down/up. codeOf maps a key name to its code.

// The device's block per macro, and the fill at which recording stops.
var blockSize = 128
var recordLimit = 126

function isRelease(type) { return type === 2 || type === 4 }
// The actions with the pause that follows each; leading delays drop out.
function actionsOf(rowTexts, codeOf) {
    var out = []
    for (var i = 0; i < rowTexts.length; ++i) {
        var text = String(rowTexts[i])
        var type = Number(text.charAt(0)) || 0
        var info = text.substr(2)
        if (type === 0) {
            if (out.length > 0)
                out[out.length - 1].pause += (Number(info) || 0) / 10
        } else {
            out.push({ "release": isRelease(type), "code": codeOf(info) || 0, "pause": 0 })
        }
    }
    return out
}
function pairBytes(action, isLast) {
    var flag = action.release ? 0x80 : 0
    var t = action.pause
    if (isLast)
        return [flag + 1, action.code]
    if (t < 127)
        return [(t === 0 ? 1 : t) + flag, action.code]
    var unit, count
    if (t < 100000) {
        unit = 1
        count = Math.floor(t / 2)
    } else if (t < 300000) {
        unit = 2
        count = Math.floor(t / 5)
    } else {
        // Beyond two bytes of 100 ms units the count is held at its largest.
        unit = 3
        count = Math.min(65535, Math.floor(t / 10))
    }
    return [flag, action.code, 0, unit, Math.floor(count / 256), count % 256]
}
function encodeActions(list, repeat) {
    var bytes = [Math.floor(repeat / 256) % 256, repeat % 256]
    if (list.length === 0)
        return bytes
    for (var i = 0; i < list.length; ++i)
        bytes = bytes.concat(pairBytes(list[i], i === list.length - 1))
    return bytes.concat([0, 0])
}
function encode(rowTexts, repeat, codeOf) { return encodeActions(actionsOf(rowTexts, codeOf), repeat) }
// A stored list too long for the block loses its last actions, so that the
// end mark is always inside it.
function encodeForDevice(rowTexts, repeat, codeOf) {
    var list = actionsOf(rowTexts, codeOf)
    var bytes = encodeActions(list, repeat)
    if (bytes.length <= blockSize)
        return bytes
    while (list.length > 0 && encodeActions(list, repeat).length > blockSize)
        list.pop()
    console.warn("Macro editor: macro cut to", list.length, "actions to fit the device's", blockSize, "bytes")
    return encodeActions(list, repeat)
}
