# SPDX-License-Identifier: MIT
"""A private Xvfb for the scripts that drive the program (the soak, the
benchmarks)."""

import os
import select
import subprocess
import time


def start(width, height):
    """Starts an Xvfb of its own and returns the process and its display
    (":N"), or None for the display when none came up within 30 s. The
    server picks a free display itself and writes its number once it takes
    clients, so that runs side by side never meet; -noreset keeps it from
    resetting when its last client leaves between two xdotool calls."""
    ready, writer = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", f"{width}x{height}x24",
                               "-nolisten", "tcp", "-noreset"],
                              pass_fds=(writer,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(writer)
    number = b""
    deadline = time.monotonic() + 30
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        if select.select([ready], [], [], 1)[0]:
            chunk = os.read(ready, 16)
            if not chunk:
                break
            number += chunk
    os.close(ready)
    if not number.endswith(b"\n"):
        return server, None
    return server, ":" + number.decode().strip()
