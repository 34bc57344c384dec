import QtQuick
import QtTest

// The harness itself: the back end answers, writes land in the current
// profile, and the virtual mouse's trace and the root calls are visible.
TestCase {
    name: "Harness"

    function test_backEnd() {
        compare(ui_View.getGlobalData("common/name"), "NORVANE N1")
        compare(vmouse.family(), "553")

        ui_View.setCurrentProfile(1)
        ui_View.setData("mouse/reportRate", 2)
        compare(ui_View.getData("mouse/reportRate", false), 2)
        compare(ui_View.getData("mouse/reportRate", true), "1")
        ui_View.setCurrentProfile(0)
        compare(ui_View.getData("mouse/reportRate", false), "1")

        vmouse.clearTrace()
        compare(vmouse.trace().length, 0)
        vmouse.plug()
        verify(vmouse.trace().some(function (line) { return line.startsWith("open ") }))
        verify(vmouse.trace().some(function (line) { return line.startsWith("send_feature ") }))
        tryVerify(function () { return vmouse.rootCalls().length >= 3 })
        // The no-mouse screen goes before the interface starts.
        compare(vmouse.rootCalls(), ["setDeviceState 0", "initUI", "run"])

        ui_View.setBusy(0)
        compare(vmouse.rootCalls()[vmouse.rootCalls().length - 1], "setProtectUI 0")
        verify(!vmouse.failNext("nonsense"))
    }
}
