import QtQuick
import QtTest
import "../../modules/qml/js/macrocodec.js" as MacroCodec
import "../../modules/qml/js/macronames.js" as MacroNames

TestCase {
    name: "MacroCodec"

    function codeOf(name) { return { "A": 0x04, "B": 0x05 }[name] || 0 }
    function encode(rows, repeat) { return MacroCodec.encode(rows, repeat, codeOf) }

    function test_encode() {
        compare(MacroCodec.blockSize, 128)
        compare(MacroCodec.recordLimit, 126)
        compare(encode([], 5), [0, 5])
        compare(encode(["1,A"], 300), [1, 44, 1, 4, 0, 0])
        // Pauses in 10 ms units after each action; a leading delay drops out,
        // none reads as 1, a release sets bit 7, the last pair has pause 1.
        compare(encode(["0,30", "1,A", "0,50", "2,A"], 1), [0, 1, 5, 4, 0x81, 4, 0, 0])
        compare(encode(["1,A", "2,A"], 1), [0, 1, 1, 4, 0x81, 4, 0, 0])
        compare(encode(["3,Nope"], 1), [0, 1, 1, 0, 0, 0])
        // Long pauses: a unit pair and a two-byte count.
        compare(encode(["1,A", "2,A", "0,2000", "1,B"], 1), [0, 1, 1, 4, 0x80, 4, 0, 1, 0, 100, 1, 5, 0, 0])
        compare(encode(["1,A", "0,1500000", "1,B"], 1), [0, 1, 0, 4, 0, 2, 0x75, 0x30, 1, 5, 0, 0])
        compare(encode(["1,A", "0,10000000", "1,B"], 1), [0, 1, 0, 4, 0, 3, 255, 255, 1, 5, 0, 0])
    }

    function test_encodeForDevice() {
        var rows = []
        for (var i = 0; i < 70; ++i)
            rows.push("1,A")
        compare(encode(rows, 1).length, 144)
        ignoreWarning("Macro editor: macro cut to 62 actions to fit the device's 128 bytes")
        var bytes = MacroCodec.encodeForDevice(rows, 1, codeOf)
        compare(bytes.length, 128)
        compare(bytes.slice(122), [1, 4, 1, 4, 0, 0])
        compare(MacroCodec.encodeForDevice(["1,A"], 1, codeOf), [0, 1, 1, 4, 0, 0])
    }

    function test_names() {
        var files = ["Macro_1"]
        var exists = function (name) { return files.indexOf(name) >= 0 }
        compare(MacroNames.nextName([], exists), "Macro_0")
        compare(MacroNames.nextName(["Macro_0"], exists), "Macro_2")
        verify(MacroNames.isValid("Jump shot"))
        for (var bad of ["", ".", "..", "a/b", "a\\b", "a\u0000", "x".repeat(65)])
            verify(!MacroNames.isValid(bad), JSON.stringify(bad))
        compare(MacroNames.fromStore(["Macro_0", "vornakelpish"]), ["Macro_0"])
        compare(MacroNames.fromStore(["a", "b"]), ["a", "b"])
        // A file left behind takes its name as a row does.
        compare(MacroNames.renameRefusal("a", "Macro_1", ["a"], exists), "taken")
        compare(MacroNames.renameRefusal("a", "b", ["a", "b"], exists), "taken")
        compare(MacroNames.renameRefusal("a", "b", ["a"], exists), "")
    }
}
