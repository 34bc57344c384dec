import QtQuick
import QtTest
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/panels"

// Layout faults a user saw: DPI values running together, effect names cut,
// and lists lighting a hovered row as if it were selected.
Item {
    id: window
    width: 1024
    height: 640

    Loader {
        id: loader
        source: "qrc:/modules/qml/main.qml"
    }
    ListModel {
        id: longNames
        ListElement { textValue: "Static" }
        ListElement { textValue: "Finger Moving" }
        ListElement { textValue: "Vertical Flipping" }
    }
    DropDownList {
        id: effects
        x: 800
        y: 8
        width: 120 // as on the lighting panel
        count: longNames.count
        mdItems: longNames
        currentSelect: 0
    }

    TestCase {
        name: "Layout"
        when: windowShown && loader.status === Loader.Ready

        property var main: loader.item

        function part(name) { return findChild(main, name) }
        function ready() {
            if (!main.isPownOn)
                main.initUI()
            tryCompare(main, "isRevealed", true, 5000)
            tryCompare(part("busy"), "isBusy", false, 5000)
        }
        function rectIn(item, target) {
            var p = item.mapToItem(target, 0, 0)
            return { x: p.x, y: p.y, w: item.contentWidth, h: item.contentHeight }
        }
        function apart(a, b) {
            return a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y
        }
        function openEffects() {
            mouseClick(effects)
            tryVerify(function () { return effects.isDrop && !effects.isSliding })
        }

        function test_dpiLabelsStayApart() {
            ready()
            var panel = part("dpiSetting")
            panel.dpiValueArray = [400, 800, 1600, 3200, 5000, 6400, 8000, 12000]
            for (var count = 4; count <= 8; ++count) {
                panel.currentDpiCount = count
                findChild(panel, "stageRow").forceLayout()
                for (var current = 0; current < 2; ++current) {
                    panel.currentDPI = current
                    for (var i = 0; i + 1 < count; ++i) {
                        var a = rectIn(findChild(panel, "dpiLabel" + i), panel)
                        var b = rectIn(findChild(panel, "dpiLabel" + (i + 1)), panel)
                        verify(apart(a, b), "stages " + count + ", labels " + i + " and " + (i + 1))
                        verify(b.y + b.h <= panel.height)
                    }
                }
            }
            // Four stages had room: they stay on one line, at the usual size.
            panel.currentDpiCount = 4
            compare(panel.labelDrop, 0)
            compare(panel.labelPixelSize, Theme.fontMinSize)
            panel.init(false, false)
            main.highlightCurrentDPI()
        }

        function test_longEffectNamesFit() {
            for (var i = 1; i <= 2; ++i) {
                effects.currentSelect = i
                var header = findChild(effects, "headerText")
                compare(header.text, longNames.get(i).textValue)
                verify(!header.truncated, header.text)
                verify(header.contentWidth <= header.width, header.text)
            }
            openEffects()
            var list = findChild(effects, "entries")
            for (i = 0; i < longNames.count; ++i) {
                var label = list.itemAtIndex(i).children[0]
                verify(label.contentWidth <= effects.width - 8, label.text)
            }
            mouseClick(effects)
            tryVerify(function () { return !effects.isDrop && !effects.isSliding })
        }

        function test_hoverIsNotSelection() {
            effects.currentSelect = 0
            openEffects()
            var list = findChild(effects, "entries")
            mouseMove(list.itemAtIndex(2), 20, 12)
            var orange = 0
            for (var i = 0; i < longNames.count; ++i)
                if (Qt.colorEqual(list.itemAtIndex(i).color, Theme.colorOrange))
                    ++orange
            compare(orange, 1)
            verify(Qt.colorEqual(list.itemAtIndex(0).color, Theme.colorOrange))
            verify(Qt.colorEqual(list.itemAtIndex(2).color, Theme.colorHover))
            mouseClick(effects)
            tryVerify(function () { return !effects.isDrop && !effects.isSliding })

            // The lighting colours: the block under the pointer is framed,
            // but not as the chosen one is.
            ready()
            var light = part("lightControl")
            light.selectBlock(0)
            var block = findChild(light, "colorBlock1")
            mouseMove(block, 7, 7)
            verify(block.lit)
            verify(!Qt.colorEqual(block.children[0].border.color, findChild(light, "colorBlock0").children[0].border.color))
        }
    }
}
