#!/usr/bin/env python3
"""The demo as a screen reader and a keyboard-only user meet it, over the
AT-SPI bus: the named controls of the main screen, the Tab cycle, and Escape
closing each dialog, and tasks done with keys alone. Prints the figures; exits 1 on a failed check.

Run inside a private session bus with an X server (see run.sh):
    atspi_e2e.py BIN_DIR
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

BIN = sys.argv[1]
R = Atspi.Role
CONTROL_ROLES = {R.PUSH_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.SLIDER, R.COMBO_BOX,
                 R.TEXT, R.ENTRY, R.SPIN_BUTTON, R.LIST_ITEM, R.TOGGLE_BUTTON, R.LINK}
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def pump(seconds):
    end = time.monotonic() + seconds
    ctx = GLib.MainContext.default()
    while time.monotonic() < end:
        if not ctx.iteration(False):
            time.sleep(0.01)


def has(acc, state):
    try:
        return acc.get_state_set().contains(state)
    except GLib.Error:
        return False


def showing(acc):
    return has(acc, Atspi.StateType.SHOWING) and has(acc, Atspi.StateType.VISIBLE)


def walk(acc, depth=0):
    """Every shown descendant of acc (hidden subtrees are not entered)."""
    try:
        count = acc.get_child_count()
    except GLib.Error:
        return
    for i in range(count):
        try:
            child = acc.get_child_at_index(i)
        except GLib.Error:
            continue
        if child is None or not showing(child):
            continue
        yield child
        if depth < 60:
            yield from walk(child, depth + 1)


def inside(e, frame):
    # The top-left corner only: Qt 6.4 reports a turned item (the upright
    # DPI sliders) by its unturned rectangle.
    return frame.x <= e.x < frame.x + frame.width and frame.y <= e.y < frame.y + frame.height


def key_of(acc):
    ext = acc.get_extents(Atspi.CoordType.SCREEN)
    return (acc.get_role_name(), acc.get_name(), ext.x, ext.y, ext.width, ext.height)


class Demo:
    """norvane-demo with its own runtime folder, found on the AT-SPI bus."""

    def __init__(self, *args):
        self.runtime = tempfile.mkdtemp(prefix="norvane-a11y-")
        os.chmod(self.runtime, 0o700)
        self.trace = os.path.join(self.runtime, "vmouse.trace")
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_RUNTIME_DIR=self.runtime, QT_ACCESSIBILITY="1", VMOUSE_TRACE=self.trace)
        self.log = open(os.path.join(self.runtime, "demo.log"), "w+")
        # A copy of its own: what the test saves never reaches the build's
        # settings.
        app = os.path.join(self.runtime, "app")
        os.mkdir(app)
        try:
            os.link(os.path.join(BIN, "norvane-demo"), os.path.join(app, "norvane-demo"))
        except OSError:
            shutil.copy2(os.path.join(BIN, "norvane-demo"), app)
        shutil.copytree(os.path.join(BIN, "modules"), os.path.join(app, "modules"))
        self.proc = subprocess.Popen([os.path.join(app, "norvane-demo"), *args], env=env,
                                     stdout=self.log, stderr=subprocess.STDOUT)
        self.app = None
        self.frame = None

    def find(self, timeout=30):
        end = time.monotonic() + timeout
        desktop = Atspi.get_desktop(0)
        while time.monotonic() < end and self.proc.poll() is None:
            for i in range(desktop.get_child_count()):
                app = desktop.get_child_at_index(i)
                try:
                    # What was read before the program answered is stale.
                    if app is not None:
                        app.clear_cache()
                    if app is not None and app.get_process_id() == self.proc.pid:
                        self.app = app
                except GLib.Error:
                    continue
            if self.app is not None:
                frames = [self.app.get_child_at_index(i) for i in range(self.app.get_child_count())]
                shown = [f for f in frames if f is not None and showing(f)]
                if shown:
                    self.frames = frames
                    self.frame = shown[0]
                    return True
            pump(0.1)
        return False

    def controls(self):
        return [a for a in walk(self.frame)
                if a.get_role() in CONTROL_ROLES and a.get_name()]

    def wait_for(self, predicate, timeout=10):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = predicate()
            if value:
                return value
            pump(0.1)
        return None

    def focus_window(self):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)],
                             capture_output=True, text=True).stdout.split()
        for window in out:
            subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True)
        pump(0.2)

    def key(self, name):
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)

    def focused(self):
        for acc in walk(self.frame):
            # The view itself (a filler) keeps focus while an item has it.
            if has(acc, Atspi.StateType.FOCUSED) and acc.get_role() not in (R.DIALOG, R.FILLER):
                return acc
        return None

    def dialogs(self):
        return [a for a in walk(self.frame) if a.get_role() == R.DIALOG]

    def traced(self):
        try:
            with open(self.trace) as f:
                return f.read().splitlines()
        except OSError:
            return []

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def log_text(self):
        try:
            with open(self.log.name) as f:
                return f.read()
        except OSError:
            return ""


def press_and_wait_focus(demo, key, previous):
    demo.key(key)
    return demo.wait_for(lambda: (lambda f: f if f is not None and key_of(f) != previous else None)(demo.focused()), 3)


def tab_cycle(demo, limit=120):
    """The Tab stops from the first until the cycle closes."""
    stops = []
    previous = None
    for _ in range(limit):
        acc = press_and_wait_focus(demo, "Tab", previous)
        if acc is None:
            break
        k = key_of(acc)
        if stops and k == stops[0][0]:
            return stops, True
        stops.append((k, acc))
        previous = k
    return stops, False


def tab_to(demo, matches, limit=30):
    """Tab until the focused control matches; the control, or None."""
    previous = None
    for _ in range(limit):
        acc = demo.focused()
        if acc is not None and matches(acc):
            return acc
        acc = press_and_wait_focus(demo, "Tab", previous)
        previous = key_of(acc) if acc is not None else None
    return None


def mouse_state():
    """What the program publishes on the bus as the mouse's settings."""
    out = subprocess.run([os.path.join(BIN, "norvanectl"), "status", "--json"],
                         capture_output=True, text=True, timeout=10)
    return json.loads(out.stdout) if out.returncode == 0 else {}


def task_report_rate(demo):
    """Choose another report rate with keys alone; the mouse takes it at once."""
    before = mouse_state().get("reportRate")
    combo = tab_to(demo, lambda a: a.get_role() == R.COMBO_BOX and a.get_name().endswith("Hz"))
    if combo is None or before is None:
        return check(False, "keyboard task: the report rate is reached by Tab")
    for key in ("space", "Home", "Return"):
        demo.key(key)
        pump(0.3)
    after = demo.wait_for(lambda: (lambda r: r if r not in (None, before) else None)(
        mouse_state().get("reportRate")), 5)
    return check(after == 125, "keyboard task: report rate %s Hz -> %s Hz" % (before, after))


def task_dpi_stage_saved(demo):
    """Raise the first DPI stage and save, with keys alone."""
    before = mouse_state().get("dpiStages")
    slider = tab_to(demo, lambda a: a.get_role() == R.SLIDER)
    if slider is None or not before:
        return check(False, "keyboard task: a DPI stage is reached by Tab")
    demo.key("Page_Up")
    pump(0.3)
    save = tab_to(demo, lambda a: a.get_role() == R.PUSH_BUTTON and a.get_name() == "Save")
    if save is None:
        return check(False, "keyboard task: Save is reached by Tab")
    demo.key("space")
    after = demo.wait_for(lambda: (lambda d: d if d and d != before else None)(
        mouse_state().get("dpiStages")), 5)
    return check(bool(after) and after[0] > before[0],
                 "keyboard task: DPI stages %s saved as %s" % (before, after))


def save_by_keys(demo):
    """Ctrl+S; the lines it adds to the virtual mouse's trace once it settles."""
    start = len(demo.traced())
    demo.key("ctrl+s")
    demo.wait_for(lambda: len(demo.traced()) > start, 5)
    settled = -1
    while len(demo.traced()) != settled:
        settled = len(demo.traced())
        pump(0.5)
    return demo.traced()[start:]


def key2_sent(lines):
    """Key 2's four bytes in the key list written to the mouse (key 1 is the
    left button, which is never re-assigned, so it marks the list)."""
    lists = [line.split()[2:] for line in lines if line.startswith("write 00 01 00 f0 00 ")]
    return " ".join(lists[-1][4:8]) if lists else None


def assign_key2_by_keys(demo, choice, shown, sent_hex, what):
    """From the focused row of key 2: Return, Tab to `choice`, Space, Escape;
    the row then shows `shown(name)`, and Ctrl+S sends key 2 as `sent_hex`."""
    demo.key("Return")
    if not demo.wait_for(demo.dialogs, 5):
        return check(False, "keyboard task: Return opens the assignment of key 2")
    if tab_to(demo, choice) is None:
        return check(False, "keyboard task: the choice for %s is reached by Tab" % what)
    demo.key("space")
    demo.key("Escape")
    row = demo.wait_for(lambda: not demo.dialogs() and demo.focused() is not None
                        and shown(demo.focused().get_name()) and demo.focused(), 5)
    if not check(bool(row), "keyboard task: key 2 shows %s, focused (%r)"
                 % (what, row.get_name() if row else None)):
        return False
    sent = key2_sent(save_by_keys(demo))
    return check(sent == sent_hex, "keyboard task: Ctrl+S sends key 2 as %s (%s)" % (what, sent))


def task_restore_key(demo):
    """Give key 2 another function and save, then restore its default and
    save, with keys alone; the mouse gets both."""
    row = tab_to(demo, lambda a: a.get_role() == R.PUSH_BUTTON and a.get_name().startswith("Key 2:"))
    if row is None:
        return check(False, "keyboard task: the row of key 2 is reached by Tab")
    default = row.get_name()
    return (assign_key2_by_keys(
                demo, lambda a: a.get_role() == R.RADIO_BUTTON and a.get_name() == "Middle Key",
                lambda name: name.startswith("Key 2:") and name != default, "01 00 f2 00",
                "the middle button")
            and assign_key2_by_keys(
                demo, lambda a: a.get_role() == R.PUSH_BUTTON and a.get_name() == "Reset",
                lambda name: name == default, "01 00 f1 00", "its default, the right button"))


def escape_closes(demo, title_hint):
    shown = demo.wait_for(demo.dialogs, 10)
    if not check(bool(shown), "a dialog shows (%s)" % title_hint):
        return False
    dialog = shown[0]
    name = dialog.get_name()
    check(bool(name), "the dialog is named by its title (%r)" % name)
    demo.key("Escape")
    gone = demo.wait_for(lambda: not demo.dialogs(), 5)
    return check(bool(gone), "Escape closes the dialog %r" % name)


def main():
    Atspi.init()
    # Replies from a loaded machine (or a sanitizer build) may be slow.
    Atspi.set_timeout(10000, 30000)
    demo = Demo()
    tasks = 0
    try:
        if not check(demo.find(), "the demo is on the AT-SPI bus"):
            desktop = Atspi.get_desktop(0)
            for i in range(desktop.get_child_count()):
                app = desktop.get_child_at_index(i)
                try:
                    print("on the bus:", app.get_name(), app.get_process_id(), demo.proc.pid,
                          app.get_child_count())
                except GLib.Error as e:
                    print("on the bus:", e)
            print(demo.log_text())
            return 1
        app_frames = [f.get_role_name() for f in demo.frames]
        check(len(demo.frames) == 1 and demo.frame.get_role() in (R.FRAME, R.WINDOW),
              "one top-level window, no stray frame (%s)" % app_frames)
        check(bool(demo.frame.get_name()), "the window is named (%r)" % demo.frame.get_name())
        # The power-on logo gives way to the main screen.
        named = demo.wait_for(lambda: (lambda c: c if len(c) >= 5 else None)(demo.controls()), 20) or []
        time.sleep(0.5)
        named = demo.controls()
        print("named role-bearing controls on the main screen: %d" % len(named), flush=True)
        for acc in named:
            print("    %s %r" % (acc.get_role_name(), acc.get_name()))
        check(any(a.get_role() == R.PUSH_BUTTON for a in named), "the main screen has named buttons")
        # Where the window is on screen is where a screen reader points.
        ext = demo.frame.get_extents(Atspi.CoordType.SCREEN)
        outside = [key_of(a) for a in named if not inside(a.get_extents(Atspi.CoordType.SCREEN), ext)]
        check(not outside, "the controls lie inside the window on screen %s %s"
              % ((ext.x, ext.y, ext.width, ext.height), outside))

        demo.focus_window()
        stops, closed = tab_cycle(demo)
        print("distinct Tab stops: %d" % len(stops), flush=True)
        for k, _ in stops:
            print("    %s %r at %d,%d" % k[:4])
        check(len(stops) >= 2, "Tab moves between controls")
        check(closed, "the Tab cycle closes on its first stop")
        # The bar above comes first and Save, bottom right, last.
        check(bool(stops) and stops[0][0][3] < 48 and stops[-1][0][1] == "Save",
              "Tab follows the screen from the top bar to Save")
        unnamed = [k for k, _ in stops if not k[1]]
        check(not unnamed, "every Tab stop is named (%d unnamed)" % len(unnamed))

        # Every dialog a button of the main screen opens closes on Escape,
        # and focus goes back to that button.
        # (Not the window's own buttons, which would close or hide it, nor Save.)
        # The key rows and the mouse picture's callouts all open the one
        # assignment dialog: the first that opens it serves.
        openers = [(k, a) for k, a in stops if a.get_role() == R.PUSH_BUTTON
                   and k[1] not in ("Close", "Minimise", "Help", "Save")]
        opened = 0
        done = set()
        for k, acc in openers:
            kind = ("Key", ":" in k[1]) if re.match(r"Key \d", k[1]) else k
            if kind in done:
                continue
            if demo.focused() is None or key_of(demo.focused()) != k:
                acc.grab_focus()
                demo.wait_for(lambda: demo.focused() is not None and key_of(demo.focused()) == k, 2)
            demo.key("space")
            if not demo.wait_for(demo.dialogs, 1.5):
                continue
            opened += 1
            done.add(kind)
            if escape_closes(demo, k[1]):
                back = demo.wait_for(lambda: demo.focused() is not None and key_of(demo.focused()) == k, 3)
                check(bool(back), "focus goes back to %r" % k[1])
        # The assignment (from a key row and from a callout), the two editors,
        # the system settings, the profiles and the factory reset.
        check(opened >= 7, "buttons of the main screen open dialogs (%d)" % opened)

        # Tasks finished with the keyboard alone, as the mouse's settings
        # published on the bus show them.
        tasks = sum(1 for task in (task_restore_key, task_report_rate, task_dpi_stage_saved) if task(demo))
    finally:
        demo.stop()

    print("tasks done by keyboard alone: %d" % tasks, flush=True)
    print("FAILED: %d check(s)" % len(failures) if failures else "PASS", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
