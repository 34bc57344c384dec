.pragma library

// Colours as "#rrggbb" and the hue bar of the lighting panel: a bar of
// width w runs red, yellow, green, cyan, blue, magenta, back towards red,
// and ends in white.

function hex(n) { return ("0" + (Math.max(0, Math.min(255, Number(n) || 0))).toString(16)).slice(-2) }
function rgbOf(c) {
    var s = String(c)
    return [parseInt(s.substr(1, 2), 16), parseInt(s.substr(3, 2), 16), parseInt(s.substr(5, 2), 16)]
}
function colorText(r, g, b) { return "#" + hex(r) + hex(g) + hex(b) }

// The colour at position p of a bar of width w.
function colorAt(p, w) {
    var s = Math.floor((w - 2) / 6)
    var k = Math.floor(p / s)
    var f = Math.floor((p - k * s) * 255 / s)
    switch (k) {
    case 0: return [255, f, 0]
    case 1: return [255 - f, 255, 0]
    case 2: return [0, 255, f]
    case 3: return [0, 255 - f, 255]
    case 4: return [f, 0, 255]
    case 5: return [255, 0, 255 - f]
    default: return p > w - 3 ? [255, 255, 255] : [255, 0, 0]
    }
}
// The position of a colour on a bar of width w; colours off the bar give 0.
function positionOf(r, g, b, w) {
    var d = (w - 2) / 6
    var u = d / 256
    var p = 0
    if (r === 255 && g === 255 && b === 255)
        p = w - 2
    else if (r === 255 && b === 0)
        p = u * g
    else if (r === 0 && b === 255)
        p = 3 * d + u * (255 - g)
    else if (g === 255 && b === 0)
        p = d + u * (255 - r)
    else if (g === 0 && b === 255)
        p = 4 * d + u * r
    else if (r === 0 && g === 255)
        p = 2 * d + u * b
    else if (r === 255 && g === 0)
        p = 5 * d + u * (255 - b)
    return Math.floor(p)
}
