# SPDX-License-Identifier: MIT
"""What a screen reader finds of the running program through AT-SPI.

Usage: atspi_window.py WINDOW ROOT (X window ids of the program's window and
of the root window). Checks the program's window: a frame named by its
caption holding the fourteen buttons and the three fields, each named as the
user sees it; and that the frame is announced when the window comes back to
the front. Exits 1 with the reason on the first thing that is wrong.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

CAPTION = "Zorvane 2.0"
BUTTONS = {"关闭", "最小化", "复制", "清空"} | {str(d) for d in range(10)}
FIELDS = {"整数 GB", "FAT32 MB", "NTFS MB"}


def fail(reason):
    print(f"FAIL: {reason}", file=sys.stderr)
    sys.exit(1)


def find_window(deadline):
    """The accessible whose name is the caption, found below an application."""
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None:
                continue
            for j in range(app.childCount):
                child = app.getChildAtIndex(j)
                if child is not None and child.name == CAPTION:
                    return child
        time.sleep(0.2)
    fail(f"no application shows a window named '{CAPTION}'")


def check_tree(window):
    if window.getRoleName() != "frame":
        fail(f"'{CAPTION}' is a {window.getRoleName()}, not a frame")
    buttons, fields, others = [], [], []
    for i in range(window.childCount):
        child = window.getChildAtIndex(i)
        role = child.getRoleName()
        if role == "push button":
            buttons.append(child.name)
        elif role in ("text", "entry"):
            fields.append(child.name)
        else:
            others.append(f"{role} '{child.name}'")
    if sorted(buttons) != sorted(BUTTONS):
        fail(f"the push buttons are {sorted(buttons)}, not {sorted(BUTTONS)}")
    if sorted(fields) != sorted(FIELDS):
        fail(f"the text fields are {sorted(fields)}, not {sorted(FIELDS)}")
    if others:
        fail(f"the window also holds {others}")


def check_announced_on_activation(window_id, root_id):
    """Focus goes to the root window and back; the frame must report its
    activation, which is what a screen reader speaks the title on."""
    activated = []

    def on_activate(event):
        if event.source.getRoleName() == "frame" and event.source.name == CAPTION:
            activated.append(event)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(on_activate, "window:activate")
    # The listener reaches the program through the registry, which takes a
    # moment, longer on a busy machine: until the activation is heard, the
    # focus goes away and back again every second.
    steps = []

    def next_step():
        if not steps:
            steps.extend([["xdotool", "windowfocus", root_id], ["xdotool", "windowfocus", window_id]])
        subprocess.run(steps.pop(0), check=True)
        return True

    GLib.timeout_add(500, next_step)
    GLib.timeout_add(60000, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    if not activated:
        fail(f"no frame named '{CAPTION}' reported its activation")


def main():
    window_id, root_id = sys.argv[1], sys.argv[2]
    window = find_window(time.monotonic() + 30)
    check_tree(window)
    check_announced_on_activation(window_id, root_id)
    print("atspi window: ok")


if __name__ == "__main__":
    main()
