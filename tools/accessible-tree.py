#!/usr/bin/python3
"""The game's windows as assistive technology reads them through AT-SPI.

    tools/accessible-tree.py GAME

Starts GAME (the built `tessarin`) on a private X server inside a private D-Bus session,
with Qt's AT-SPI bridge switched on and an empty settings location, and prints what a
screen reader finds: for each window, every control that shows, with its role, name,
value, description, the captions it is labelled by, its states and its actions. The
main window, the settings dialog and the About box are read once before and once after
a round played through the bus (New, Ready, Check pressed by their actions) and the
X server (one line drawn on the board, the first task line the board names, if it names
one). The changes the game announces during the round are printed as they come.

Needs Xvfb, xdotool, dbus-run-session (package dbus-daemon), at-spi2-core and python3-pyatspi;
no test uses it.
"""

import os
import re
import subprocess
import sys
import tempfile
import time


def outer(game):
    """Runs this script again on a private X server, inside a private D-Bus session."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    display = os.read(read, 16).decode().strip()
    os.close(read)
    env = dict(os.environ, DISPLAY=":" + display, TESSARIN_TREE_INSIDE="1")
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    env.pop("WAYLAND_DISPLAY", None)
    try:
        inner = subprocess.Popen(["dbus-run-session", "--", sys.executable, __file__, game], env=env,
                                 stdout=subprocess.PIPE, text=True)
        for line in inner.stdout:  # the registry daemon greets on the same output
            if not line.startswith("SpiRegistry daemon"):
                print(line, end="", flush=True)
        return inner.wait()
    finally:
        xvfb.terminate()
        xvfb.wait()


def inside(game):
    import pyatspi
    from gi.repository import GLib

    def pump(seconds):
        end = time.monotonic() + seconds
        context = GLib.MainContext.default()
        while time.monotonic() < end:
            if not context.iteration(False):
                time.sleep(0.02)

    def wait_for(find, what, seconds=20):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            found = find()
            if found:
                return found
            pump(0.2)
        sys.exit(f"accessible-tree: no {what} after {seconds} s")

    def descendants(node):
        for child in node:
            if child is None:
                continue
            yield child
            yield from descendants(child)

    def showing(node):
        return node.getState().contains(pyatspi.STATE_SHOWING)

    def find(node, role, name):
        return next((d for d in descendants(node) if d.getRoleName() == role and d.name == name and showing(d)),
                    None)

    def application():
        return next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "tessarin"), None)

    def window_with(button):
        """The game's showing window that holds a push button named `button`."""
        app = application()
        return next((w for w in app if w is not None and showing(w) and find(w, "push button", button)), None)

    def press(window, button):
        node = find(window, "push button", button)
        action = node.queryAction()
        action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))
        pump(0.6)

    def words(node):
        parts = [node.getRoleName(), '"%s"' % node.name]
        try:
            value = node.queryValue()
            parts.append("value %g of %g..%g" % (value.currentValue, value.minimumValue, value.maximumValue))
        except NotImplementedError:
            pass
        if node.getRoleName() == "text":
            text = node.queryText()
            parts.append('text "%s"' % text.getText(0, text.characterCount))
        if node.description:
            parts.append("(%s)" % node.description)
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                parts += ['labelled by "%s"' % relation.getTarget(i).name for i in range(relation.getNTargets())]
        state = node.getState()
        parts += [name for name, s in (("focused", pyatspi.STATE_FOCUSED), ("modal", pyatspi.STATE_MODAL))
                  if state.contains(s)]
        if not state.contains(pyatspi.STATE_SENSITIVE):
            parts.append("disabled")
        try:
            action = node.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            names = [n for n in names if n != "SetFocus"]
            if names:
                parts.append("[%s]" % ", ".join(names))
        except NotImplementedError:
            pass
        return " ".join(parts)

    def dump(title, window):
        print("== " + title)
        print("   " + words(window))

        def walk(node, depth):
            for child in node:
                if child is not None and showing(child):
                    print("   " + "  " * depth + words(child))
                    walk(child, depth + 1)

        walk(window, 1)
        sys.stdout.flush()

    def read_windows(when):
        main = wait_for(lambda: window_with("New"), "main window")
        dump("main window, " + when, main)
        press(main, "Settings")
        settings = wait_for(lambda: window_with("Cancel"), "settings dialog")
        pump(0.5)
        dump("settings dialog, " + when, settings)
        press(settings, "About")
        about = wait_for(lambda: window_with("Help"), "About box")
        pump(0.5)
        dump("About box, " + when, about)
        press(about, "OK")
        press(settings, "Cancel")

    def told(event):
        source = event.source
        now = source.description if event.type.endswith("description") else source.name
        print('   told: %s of %s, now "%s"' % (event.type.split(":")[-1], source.getRoleName(), now))

    def board_of(main):
        boards = [d for d in descendants(main) if d.getRoleName() == "canvas"]
        if not boards:  # unnamed, it is the largest square
            boxes = [(d.queryComponent().getExtents(pyatspi.DESKTOP_COORDS), d) for d in descendants(main)
                     if d.getRoleName() == "filler"]
            boards = [max(((b.width * b.height, d) for b, d in boxes if b.width == b.height),
                          key=lambda pair: pair[0])[1]]
        return boards[0]

    def click(x, y):
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
        pump(0.4)

    def play_a_round():
        main = window_with("New")
        events = ["object:property-change:accessible-name", "object:property-change:accessible-description",
                  "object:value-changed", "object:announcement"]
        pyatspi.Registry.registerEventListener(told, *events)
        print("== a round: New, Ready, one line drawn, Check")
        press(main, "New")
        board = board_of(main)
        size = re.search(r"(\d+) by \1 points", board.name)
        grid = int(size.group(1)) if size else 3
        line = re.search(r"(\d+),(\d+) to (\d+),(\d+)", board.description)
        ends = [int(n) for n in line.groups()] if line else [1, 1, grid, grid]
        press(main, "Ready")
        box = board.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        cell = box.width // (grid + 1)
        for x, y in ((ends[0], ends[1]), (ends[2], ends[3])):
            click(box.x + x * cell, box.y + y * cell)
        press(main, "Check")
        pump(1)
        pyatspi.Registry.deregisterEventListener(told, *events)

    settings_home = tempfile.mkdtemp()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               XDG_CONFIG_HOME=settings_home)
    game_process = subprocess.Popen([game], env=env)
    try:
        wait_for(application, "game on the accessibility bus")
        pump(1)
        read_windows("before a round")
        play_a_round()
        read_windows("after a round")
        press(window_with("New"), "End")
        game_process.wait(timeout=20)
    finally:
        if game_process.poll() is None:
            game_process.kill()
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: tools/accessible-tree.py GAME")
    if os.environ.get("TESSARIN_TREE_INSIDE"):
        sys.exit(inside(sys.argv[1]))
    sys.exit(outer(os.path.abspath(sys.argv[1])))
