#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A long session with the real program in a real X server.

Starts a private Xvfb with the openbox window manager (so that minimising
means something: the window is iconified and comes back when activated),
runs the program and drives it at random as a user would: keypad clicks,
keys in the fields, pastes by Shift+Insert, by the field's context menu and
by a middle click, copy-menu choices, drags with every mouse button, hovering
and minimise/restore.

The first use of each kind of step loads what it needs for good (a menu's
code and glyphs, the icon theme's index read for the context menu's standard
actions), and so does the first sight of each script the pastes bring (its
font). So the session starts by pasting each text once, and the warm-up
lasts until every kind of step has run at least once, whenever the random
draws bring that about; then the program is left to settle, and its resident
memory and the windows and pixmaps the X server holds for it (X-Resource
extension, through xrestop) are taken, and again at the end. It fails when
the program dies or reports an error, when memory grew by 1 MiB or more after
the warm-up, when the server holds more of the program's windows or pixmaps
than after the warm-up, or when the fields disagree with the formulas. A
session that ends before its warm-up does says so and judges no growth.

    x11_soak.py PROGRAM [--seconds N] [--seed N] [--trace]
"""

import argparse
import collections
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../..", "tools", "python"))
import private_xvfb  # noqa: E402

SCREEN = (1024, 768)
WINDOW = (320, 240)
TITLE = "^Zorvane 2\\.0$"

# Centres of the controls in the window, in pixels, from the design.
KEYPAD = {"1": (209, 73), "2": (249, 73), "3": (289, 73), "4": (209, 113), "5": (249, 113),
          "6": (289, 113), "7": (209, 153), "8": (249, 153), "9": (289, 153), "0": (249, 193)}
COPY = (51, 197)
CLEAR = (139, 197)
MINIMISE = (277, 14)
CLOSE = (305, 14)
FIELDS = [(104, 69), (104, 113), (104, 163)]
# Points of the skin's background, away from every control: drags start here.
BACKGROUND = [(6, 120), (160, 228), (150, 30), (20, 225), (180, 100), (300, 225)]

# What other programs put on the clipboard or in the selection.
PASTES = ["1", "7", "007", "32", "33", "999999", "1234567", "12\n34", "4\r\n5", "6\u20287",
          "abc", "\u6570\u636e\u4e00", "\uff11\uff12", " 12 ", "-5", "1e3", "&HFF", "\t7",
          "\U0001d7d9\U0001d7da", "9" * 200, "3.5", ""]
# Keys typed into a field: digits, editing keys, and keys the filter refuses.
KEYS = list("0123456789") * 3 + ["BackSpace", "BackSpace", "Delete", "Left", "Right", "Home", "End",
                                 "a", "minus", "period", "space", "Return", "ctrl+a", "ctrl+z",
                                 "ctrl+v", "shift+Insert"]
# Tab leaves the field for the next control, and from the last field that is
# the close button: a Space or Return after it ends the program, as it should.
# So Tab only ever ends a burst of keys, and the next burst clicks a field.
TAB_ENDS_A_BURST = 0.1
# The copy menu's items: the size, the FAT32 value, the NTFS value.
ITEMS = 3
# The kinds of step and how often each is drawn, in ninetieths.
STEPS = {"keypad": 24, "clear": 4, "keys": 24, "shift-insert": 6, "middle-click": 5, "context-paste": 3,
         "copy": 6, "drag": 4, "minimise": 2, "hover": 9, "idle": 3}
# Growth after the warm-up that fails the session.
GROWTH_LIMIT_KIB = 1024


class Failure(Exception):
    pass


class WarmUp:
    """Which kinds of step have run; the warm-up is over once all have."""

    def __init__(self, kinds=STEPS):
        self.waiting = set(kinds)

    def ran(self, kind):
        self.waiting.discard(kind)

    def over(self):
        return not self.waiting


def judge(first, last):
    """What is wrong with the growth between the sample after the warm-up and
    the last one; first is None when the warm-up never ended."""
    if first is None:
        return []
    problems = []
    if last["rss"] - first["rss"] >= GROWTH_LIMIT_KIB:
        problems.append(f"resident memory grew by {last['rss'] - first['rss']} KiB after the warm-up")
    for what in ("windows", "pixmaps"):
        if last[what] > first[what]:
            problems.append(f"the X server holds {last[what]} {what} of the program, "
                            f"{first[what]} after the warm-up")
    return problems


def steady(samples, count):
    """True when the last count samples are all the same."""
    return len(samples) >= count and len(set(samples[-count:])) == 1


def fat32(n):
    return 1028 * n - 4


def ntfs(n):
    cylinders = n * 2097152 // 16065 + 1
    return cylinders * 16065 // 2048 + 1


def poll(condition, timeout=10.0, step=0.05):
    """True once condition() holds; the machine is shared, so be patient."""
    deadline = time.monotonic() + timeout
    while True:
        if condition():
            return True
        if time.monotonic() >= deadline:
            return False
        time.sleep(step)


class Session:
    def __init__(self, program, rng, workdir):
        self.program = program
        self.rng = rng
        self.workdir = workdir
        self.env = dict(os.environ)
        self.processes = []
        self.app = None
        self.window = None
        self.origin = (0, 0)
        self.counts = {}
        # The last steps, told when the session fails.
        self.recent = collections.deque(maxlen=10)

    # --- the X server, the window manager and the program -----------------

    def start(self):
        xvfb, display = private_xvfb.start(*SCREEN)
        self.processes.append(xvfb)
        if display is None:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = display
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(wm)
        if not poll(lambda: "window id" in self.output(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]), 20):
            raise Failure("openbox did not start")
        self.stderr = open(os.path.join(self.workdir, "program.err"), "w+")
        self.app = subprocess.Popen([self.program], env=self.env, stdout=subprocess.DEVNULL, stderr=self.stderr)
        found = []

        def window_shown():
            found[:] = self.output(["xdotool", "search", "--onlyvisible", "--name", TITLE]).split()
            return bool(found)

        if not poll(window_shown, 60):
            raise Failure("the window did not appear in 60 s: " + self.whereabouts())
        self.window = found[0]
        self.locate()

    def whereabouts(self):
        """What became of the program, for a failure to tell."""
        if self.app.poll() is not None:
            return f"the program ended with status {self.app.returncode}: {self.errors()}"
        waits = []
        for task in sorted(os.listdir(f"/proc/{self.app.pid}/task")):
            try:
                with open(f"/proc/{self.app.pid}/task/{task}/wchan") as wchan:
                    waits.append(wchan.read().strip() or "running")
            except OSError:
                pass
        windows = self.output(["xdotool", "search", "--name", TITLE]).split()
        return (f"the program runs, its threads waiting in {', '.join(waits)}; windows of that title, "
                f"shown or not: {windows}; {self.errors()}")

    def stop(self):
        for process in [self.app] + list(reversed(self.processes)):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    # --- talking to X -----------------------------------------------------

    def run(self, args, text=None):
        return subprocess.run(args, env=self.env, input=text, capture_output=True, text=True, timeout=60)

    def output(self, args):
        return self.run(args).stdout

    def xdotool(self, *args):
        self.run(["xdotool", *[str(a) for a in args]])

    def alive(self):
        if self.app.poll() is not None:
            raise Failure(f"the program ended with status {self.app.returncode}: {self.errors()}")

    def errors(self):
        self.stderr.flush()
        self.stderr.seek(0)
        return self.stderr.read().strip()

    def locate(self):
        geometry = self.output(["xdotool", "getwindowgeometry", "--shell", self.window])
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        self.origin = (int(values["X"]), int(values["Y"]))
        return self.origin

    def at(self, point):
        return self.origin[0] + point[0], self.origin[1] + point[1]

    def shown_windows(self):
        """The program's windows on screen: the main window, menus, tooltips.

        The X server gives each client its own range of resource ids; the
        main window's tells the program's windows from everybody else's."""
        base = int(self.window) & ~0x1FFFFF
        shown = self.output(["xdotool", "search", "--onlyvisible", "--name", ""]).split()
        return {w for w in shown if int(w) & ~0x1FFFFF == base}

    def is_tooltip(self, window):
        return "_NET_WM_WINDOW_TYPE_TOOLTIP" in self.output(["xprop", "-id", window, "_NET_WM_WINDOW_TYPE"])

    def iconic(self):
        return "Iconic" in self.output(["xprop", "-id", self.window, "WM_STATE"])

    def set_selection(self, selection, text):
        # xclip keeps serving the text in the background until another client
        # takes the selection over.
        subprocess.run(["xclip", "-selection", selection, "-i"], env=self.env, input=text.encode(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def clipboard(self):
        return self.run(["xclip", "-selection", "clipboard", "-o"]).stdout

    # --- what a user does -------------------------------------------------

    def click(self, point, button=1):
        x, y = self.at(point)
        self.xdotool("mousemove", x, y, "click", button)

    def focus_field(self, index=0):
        self.click(FIELDS[index])

    def open_menu_and(self, keys, opener, what, patience=3):
        """Opens a popup menu with opener(), waits for it, types keys and
        waits for it to close: for patience seconds, after which its items
        are taken to be disabled and it is closed with Escape."""
        before = self.shown_windows()
        opener()
        menu = set()

        def menu_shown():
            # A tooltip may come up at the same moment, and stays up for
            # seconds after the menu has gone: only the menu counts.
            menu.update(w for w in self.shown_windows() - before if not self.is_tooltip(w))
            return bool(menu)

        if not poll(menu_shown, 10):
            raise Failure(f"the {what} did not open")
        self.xdotool("key", "--delay", 20, *keys)
        if not poll(lambda: not (self.shown_windows() & menu), patience):
            # Its items were disabled: a user closes it with Escape.
            self.xdotool("key", "Escape")
            if not poll(lambda: not (self.shown_windows() & menu), 10):
                raise Failure(f"the {what} did not close")

    def choose_copy_item(self, item, enabled=False):
        """Copies field item-1 with the copy menu; None when the items are
        disabled. With enabled (a size is in the field) it waits as long as
        a busy machine may need, and fails when nothing was copied."""
        sentinel = "zorvane-soak-%d" % self.rng.randrange(10 ** 9)
        self.set_selection("clipboard", sentinel)
        patience = 20 if enabled else 3
        self.open_menu_and(["Down"] * item + ["Return"], lambda: self.click(COPY), "copy menu", patience)
        if not poll(lambda: self.clipboard() != sentinel, patience):
            if enabled:
                raise Failure(f"item {item} of the copy menu copied nothing")
            return None  # the items were disabled
        return self.clipboard()

    def action(self):
        rng = self.rng
        kind = rng.choices(list(STEPS), weights=list(STEPS.values()))[0]
        self.counts[kind] = self.counts.get(kind, 0) + 1
        self.recent.append(kind)
        if kind == "keypad":
            for _ in range(rng.randint(1, 3)):
                self.click(KEYPAD[rng.choice("0123456789")])
        elif kind == "clear":
            self.click(CLEAR)
        elif kind == "keys":
            self.focus_field(0 if rng.random() < 0.85 else rng.randint(1, 2))
            keys = rng.choices(KEYS, k=rng.randint(1, 8))
            if rng.random() < TAB_ENDS_A_BURST:
                keys.append("Tab")
            self.recent[-1] += " " + " ".join(keys)
            self.xdotool("key", "--delay", rng.randint(5, 40), *keys)
        elif kind == "shift-insert":
            self.set_selection("clipboard", rng.choice(PASTES))
            self.focus_field(0)
            if rng.random() < 0.3:  # over a selection made with the mouse
                x, y = self.at(FIELDS[0])
                self.xdotool("mousemove", x - 38, y, "mousedown", 1, "mousemove", x + 38, y, "mouseup", 1)
            self.xdotool("key", "shift+Insert")
        elif kind == "middle-click":
            self.set_selection("primary", rng.choice(PASTES))
            self.click(FIELDS[0], 2)
        elif kind == "context-paste":
            self.set_selection("clipboard", rng.choice(PASTES))
            # A press within the double-click time of the last one is a double
            # click, which opens no menu.
            time.sleep(0.5)
            # The field's own menu; P is its Paste item's key in any language.
            self.open_menu_and(["p"] if rng.random() < 0.8 else ["Escape"], lambda: self.click(FIELDS[0], 3),
                               "field's context menu")
        elif kind == "copy":
            keys = ["Down"] * rng.randint(1, ITEMS) + ["Return"] if rng.random() < 0.8 else ["Escape"]
            self.open_menu_and(keys, lambda: self.click(COPY), "copy menu")
        elif kind == "drag":
            start = rng.choice(BACKGROUND)
            dx = rng.randint(-200, 200)
            dy = rng.randint(-150, 150)
            # Keep the whole window on the screen.
            dx = max(-self.origin[0], min(SCREEN[0] - WINDOW[0] - self.origin[0], dx))
            dy = max(-self.origin[1], min(SCREEN[1] - WINDOW[1] - self.origin[1], dy))
            x, y = self.at(start)
            button = rng.choice([1, 2, 3])
            expected = (self.origin[0] + dx, self.origin[1] + dy)
            self.xdotool("mousemove", x, y, "mousedown", button, "sleep", 0.05,
                         "mousemove", x + dx // 2, y + dy // 2, "sleep", 0.05,
                         "mousemove", x + dx, y + dy, "sleep", 0.05, "mouseup", button)
            # The window follows the pointer as soon as the program gets to
            # it, which on a busy machine can be well after the release: the
            # clicks after it must not aim at where it was. Where it stops
            # short, its place once it has held still.
            if not poll(lambda: self.locate() == expected, 5):
                places = []
                poll(lambda: places.append(self.locate()) or steady(places, 5), 10, 0.1)
        elif kind == "minimise":
            self.click(MINIMISE)
            if not poll(self.iconic, 10):
                raise Failure("the minimise button did not minimise the window")
            time.sleep(rng.uniform(0.05, 1.0))
            self.restore()
        elif kind == "hover":
            target = rng.choice(list(KEYPAD.values()) + [COPY, CLEAR, MINIMISE, CLOSE] + FIELDS)
            x, y = self.at(target)
            self.xdotool("mousemove", x + rng.randint(-12, 12), y + rng.randint(-12, 12))
            time.sleep(rng.choice([0.05, 0.2, 0.9]))  # long enough, now and then, for a tooltip
        else:
            time.sleep(rng.uniform(0.05, 0.5))
        time.sleep(0.02)
        return kind

    def paste_each_text(self):
        """Pastes each text the session may paste once, by Shift+Insert. The
        first sight of a script loads its font for good (some 400 KiB for the
        double-struck digits or the Chinese text): that belongs to the
        warm-up, not to whichever random step after it first pastes the
        text. Draws nothing from the random generator, so that a seed's steps
        are the same as without it."""
        self.recent.append("each text pasted once")
        self.focus_field(0)
        for text in PASTES:
            self.set_selection("clipboard", text)
            self.xdotool("key", "ctrl+a", "shift+Insert")
            self.alive()
        self.click(CLEAR)

    def restore(self):
        self.xdotool("windowactivate", self.window)
        if not poll(lambda: not self.iconic(), 10):
            raise Failure("the window did not come back from its icon")
        self.locate()

    # --- measuring ----------------------------------------------------------

    def settle(self):
        """Closes whatever a random step left open and lets the program rest."""
        self.xdotool("key", "Escape")
        if self.iconic():
            self.restore()
        self.xdotool("mousemove", SCREEN[0] - 1, SCREEN[1] - 1)
        if not poll(lambda: self.shown_windows() == {self.window}, 15):
            print(f"still shown besides the window: {sorted(self.shown_windows() - {self.window})}")
        # Then until its resident size has held still for two seconds (the
        # work a step leaves for later: deferred deletes, a tooltip's timer).
        samples = []

        def still():
            samples.append(self.resident_kib())
            return steady(samples, 9)

        if not poll(still, 20, 0.25):
            print(f"the resident size kept moving while the program rested: {samples[-9:]} KiB")

    def resident_kib(self):
        with open(f"/proc/{self.app.pid}/status") as status:
            return int(re.search(r"VmRSS:\s+(\d+)", status.read()).group(1))

    def x_resources(self):
        """The program's windows and pixmaps as the X server counts them."""
        base = int(self.window) & ~0x1FFFFF
        report = self.output(["xrestop", "-b", "-m", "1"])
        for block in re.split(r"\n(?=\d+ - )", report):
            match = re.search(r"res_base\s*:\s*0x([0-9a-f]+)", block)
            if match and int(match.group(1), 16) == base:
                count = lambda name: int(re.search(name + r"\s*:\s*(\d+)", block).group(1))
                return {"windows": count("windows"), "pixmaps": count("pixmaps")}
        raise Failure("xrestop does not list the program")

    def snapshot(self, label):
        self.settle()
        self.alive()
        sample = {"rss": self.resident_kib(), **self.x_resources()}
        print(f"{label}: resident {sample['rss']} KiB, {sample['windows']} windows, "
              f"{sample['pixmaps']} pixmaps", flush=True)
        return sample

    def check_fields(self):
        """The three fields through the copy menu, held against the formulas."""
        size = self.choose_copy_item(1)
        if size is not None and re.fullmatch(r"[0-9]{1,6}", size):
            n = int(size)
            got = (self.choose_copy_item(2, True), self.choose_copy_item(3, True))
            if got != (str(fat32(n)), str(ntfs(n))):
                raise Failure(f"for {size} the fields show {got}, not ({fat32(n)}, {ntfs(n)})")
            print(f"the session ended at {size}: {got[0]} and {got[1]}, as the formulas give")
        else:
            print(f"the session ended with {size!r} in the size field: nothing to compare")
        # And a fresh size from the keypad, whatever the session left.
        self.click(CLEAR)
        digits = self.rng.choice("123456789") + "".join(self.rng.choices("0123456789", k=self.rng.randint(0, 5)))
        for digit in digits:
            self.click(KEYPAD[digit])
        n = int(digits)
        got = tuple(self.choose_copy_item(item, True) for item in (1, 2, 3))
        if got != (digits, str(fat32(n)), str(ntfs(n))):
            raise Failure(f"typed {digits} on the keypad, the fields show {got}")
        print(f"typed {digits} on the keypad: {got[1]} and {got[2]}, as the formulas give")

    def close(self):
        self.click(CLOSE)
        try:
            status = self.app.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("the close button did not end the program")
        if status != 0:
            raise Failure(f"the program ended with status {status}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program")
    parser.add_argument("--seconds", type=float, default=600)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--trace", action="store_true",
                        help="print each step that changed the resident size, and by how much")
    args = parser.parse_args()
    for tool in ("Xvfb", "openbox", "xdotool", "xclip", "xrestop", "xprop"):
        if shutil.which(tool) is None:
            print(f"FAIL: {tool} is missing", file=sys.stderr)
            return 1
    seed = args.seed if args.seed is not None else random.randrange(2 ** 32)
    print(f"soak: {args.seconds:.0f} s, seed {seed}", flush=True)
    workdir = tempfile.mkdtemp(prefix="zorvane-soak-")
    session = Session(os.path.abspath(args.program), random.Random(seed), workdir)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        session.start()
        start = time.monotonic()
        warm_up = WarmUp()
        before = session.resident_kib()
        session.paste_each_text()
        if args.trace:
            print(f"{time.monotonic() - start:.1f} s, each text pasted once: "
                  f"{session.resident_kib() - before:+d} KiB", flush=True)
        first = None
        next_report = start + 60
        steps = 0
        while time.monotonic() - start < args.seconds:
            if time.monotonic() >= next_report:
                session.alive()
                print(f"{time.monotonic() - start:.0f} s: {steps} steps, resident {session.resident_kib()} KiB",
                      flush=True)
                next_report += 60
            before = session.resident_kib() if args.trace else 0
            kind = session.action()
            session.alive()
            steps += 1
            if args.trace:
                grown = session.resident_kib() - before
                if grown:
                    print(f"{time.monotonic() - start:.1f} s, step {steps} ({session.recent[-1]}): "
                          f"{grown:+d} KiB", flush=True)
            if first is None:
                warm_up.ran(kind)
                if warm_up.over():
                    first = session.snapshot(f"warm-up over after {time.monotonic() - start:.0f} s "
                                             f"and {steps} steps, every kind of step run")
        last = None
        if first is None:
            session.settle()
            print("the session ended before every kind of step had run (never: "
                  + ", ".join(sorted(warm_up.waiting)) + "): its growth is not judged; run it longer")
        else:
            last = session.snapshot(f"after {time.monotonic() - start:.0f} s")
        print("steps: " + ", ".join(f"{k} {v}" for k, v in sorted(session.counts.items())))
        problems = judge(first, last)
        session.check_fields()
        reported = session.errors()
        if reported:
            print("the program's standard error:\n" + reported)
        if "Run-time error" in reported:
            problems.append("the program reported a run-time error")
        session.close()
        if problems:
            raise Failure("; ".join(problems))
    except Failure as failure:
        print(f"FAIL: {failure} (seed {seed})", file=sys.stderr)
        if session.recent:
            print("the last steps: " + "; ".join(session.recent), file=sys.stderr)
        return 1
    finally:
        session.stop()
        shutil.rmtree(workdir, ignore_errors=True)
    print("soak: ok" if first is not None else "soak: ok, growth not judged")
    return 0


if __name__ == "__main__":
    sys.exit(main())
