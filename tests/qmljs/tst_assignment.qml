import QtQuick
import QtTest
import "../../modules/qml/js/assignment.js" as Assignment

TestCase {
    name: "Assignment"

    function label(i) { return i < 0 ? "Disabled" : "L" + i }
    function keyName(code) { return { 0x04: "A", 0x05: "B", 0xE0: "LCtrl", 0xE2: "LAlt" }[code] || "" }
    function macroName(slot) { return "Macro of " + slot }
    function describe(hex) {
        var c = Assignment.parseCode(hex)
        return Assignment.describe(c[0], c[1], c[2], c[3], label, keyName, macroName)
    }

    function test_codes() {
        compare(Assignment.codeString(2, 5, 0x04, 0), "02050400")
        compare(Assignment.codeString(255, 0, 16, 15), "FF00100F")
        compare(Assignment.parseCode("0700E01B"), [7, 0, 0xE0, 0x1B])
        compare(Assignment.parseCode("FF000000"), [255, 0, 0, 0])
        for (var bad of ["", "0700E01", "0700E01B0", "zz00E01B", undefined])
            compare(Assignment.parseCode(bad), null, String(bad))
        compare(Assignment.rowOf(Assignment.windowsTable, 6, 0x2C, 0x1B), 3)
        compare(Assignment.rowOf(Assignment.windowsTable, 6, 0x2C, 0x1C), -1)
        compare([Assignment.fireRateAt(0, 0, 76), Assignment.fireRateAt(76, 0, 76), Assignment.fireRateAt(-9, 0, 76),
                 Assignment.fireRateAt(500, 0, 76), Assignment.fireRateAt(5, 5, 5)], [4, 80, 4, 80, 4])
        // The knob goes back to the rate it came from.
        for (var rate of [4, 10, 37, 80])
            compare(Assignment.fireRateAt(Assignment.fireRateX(rate, 3, 79), 3, 79), rate)
    }

    // Every table row reads back as its own label.
    function test_describe() {
        for (var t of ["mouseTable", "mediaTable", "windowsTable", "shortcutTable", "dpiTable", "gunTable"])
            for (var row of Assignment[t])
                compare(describe(row[1]), label(row[0]), t + " " + row[1])
        compare(describe("00F01E00"), "L7")
        compare(describe("0004AA00"), "Disabled")
        compare(describe("01050A00"), "B")
        compare(describe("02050405"), "LCtrl+LAlt+A+B")
        compare(describe("02000000"), "")
        compare(describe("04010300"), "Macro of 3")
        compare(describe("05000500"), "")
        compare(describe("08000000"), "")
        compare(describe("0300FF00"), "")
        compare(describe("09000100"), "")
    }
}
