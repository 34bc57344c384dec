import QtQuick
import QtTest
import "../../modules/qml/js/keycodes.js" as KeyCodes
import "../../modules/qml/js/colour.js" as Colour
import "../../modules/qml/js/lang.js" as Lang

TestCase {
    name: "Tables"

    function test_keyCodes() {
        var names = KeyCodes.defaultNames
        verify(KeyCodes.fits(names))
        verify(!KeyCodes.fits(names.slice(1)))
        verify(!KeyCodes.fits(null))
        compare(KeyCodes.nameOf(0x04, names), "A")
        compare(KeyCodes.nameOf("40", names), "Enter")
        compare(KeyCodes.nameOf(0xF2, names), "MS-M")
        compare(KeyCodes.nameOf(0x99, names), "")
        compare(KeyCodes.codeOf("LWin", names), 0xE3)
        compare(KeyCodes.codeOf("nope", names), 0)
        // Two codes share "\": the first wins.
        compare(KeyCodes.codeOf("\\", names), 0x31)
        for (var c of KeyCodes.codes)
            if (c !== 0x32)
                compare(KeyCodes.codeOf(KeyCodes.nameOf(c, names), names), c)
        var other = names.slice()
        other[0] = "Ä"
        compare(KeyCodes.codeOf("Ä", other), 0x04)
        compare(KeyCodes.nameOf(0x04, other), "Ä")
    }

    function test_colour() {
        compare([Colour.hex(255), Colour.hex(-3), Colour.hex(300), Colour.hex("x"), Colour.hex(10)], ["ff", "00", "ff", "00", "0a"])
        compare(Colour.rgbOf("#12ab00"), [0x12, 0xab, 0])
        compare(Colour.colorText(1, 2, 255), "#0102ff")
        // A 185-wide bar: six 30 px steps, then white at its end.
        var w = 185
        compare(Colour.colorAt(0, w), [255, 0, 0])
        compare(Colour.colorAt(15, w), [255, 127, 0])
        compare(Colour.colorAt(60, w), [0, 255, 0])
        compare(Colour.colorAt(120, w), [0, 0, 255])
        compare(Colour.colorAt(181, w), [255, 0, 0])
        compare(Colour.colorAt(183, w), [255, 255, 255])
        compare(Colour.positionOf(255, 255, 255, w), 183)
        compare(Colour.positionOf(0, 0, 255, w), 121)
        compare(Colour.positionOf(10, 20, 30, w), 0)
        // A colour taken from the bar puts the marker back within 2 px.
        for (var p = 0; p < 180; ++p)
            verify(Math.abs(Colour.positionOf.apply(null, Colour.colorAt(p, w).concat([w])) - p) <= 2, p)
    }

    function test_lang() {
        var list = ["Macro Editor", 7, undefined]
        compare(Lang.lang(list, Lang.MacroEditor.title), "Macro Editor")
        compare(Lang.lang(list, 1), "7")
        compare(Lang.lang(list, 2), "")
        compare(Lang.lang(list, 99), "")
        compare(Lang.lang(undefined, 0), "")
    }
}
