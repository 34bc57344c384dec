pragma Singleton
import QtQuick

// Keyboard focus shared by the controls: whether the last input was a key
// (the focus ring shows only then), and Tab moves that stay inside an open
// dialog.
QtObject {
    // Set by a key that moves or uses focus, cleared by a pointer press on a
    // control, so a mouse user never sees a ring.
    property bool keyboard: false
    // While the interface records keys (a macro, a key combination) they
    // are not control keys.
    property bool keysCaptured: false

    // A pointer press on a control: it takes focus without a ring.
    function pointerFocus(item) {
        keyboard = false
        item.forceActiveFocus(Qt.MouseFocusReason)
    }
    function keyUsed() { keyboard = true }
    // The keys that open a focused row's context menu.
    function isMenuKey(event) {
        return event.key === Qt.Key_Menu
                || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))
    }

    // The open dialog that holds the item, if any.
    function fenceOf(item) {
        for (var p = item ? item.parent : null; p; p = p.parent)
            if (p instanceof Dialog && p.visible)
                return p
        return null
    }
    function isInside(item, fence) {
        for (var p = item; p; p = p.parent)
            if (p === fence)
                return true
        return false
    }
    function firstIn(fence) {
        var next = fence.nextItemInFocusChain(true)
        return next && next !== fence && isInside(next, fence) ? next : null
    }
    function lastIn(fence) {
        var last = firstIn(fence)
        if (!last)
            return null
        // The chain is finite; the bound only guards against a cycle.
        for (var i = 0; i < 500; ++i) {
            var next = last.nextItemInFocusChain(true)
            if (!next || next === last || !isInside(next, fence) || next === firstIn(fence))
                break
            last = next
        }
        return last
    }
    // Tab or Backtab from an item: the next control in the chain, wrapping
    // within an open dialog so the screen behind it is never reached.
    function tab(from, forward) {
        keyboard = true
        var fence = fenceOf(from) || (from instanceof Dialog && from.visible ? from : null)
        var next = from === fence ? null : from.nextItemInFocusChain(forward)
        if (fence && (!next || next === from || !isInside(next, fence) || next === fence))
            next = forward ? firstIn(fence) : lastIn(fence)
        if (next)
            next.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
    }
}
