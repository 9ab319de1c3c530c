#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program as a screen reader sees it, through the accessibility bus
# (AT-SPI) of a private session bus and a private X server: see
# atspi_window.py for what is checked. Skips (status 77) only when this
# machine lacks the session bus, the accessibility bus or its Python client.
set -euo pipefail

program=${1:?usage: atspi_window.sh path/to/zorvane}
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIP: $*"; exit 77; }

# The system's Python, which the Debian package of the client is built for.
python=/usr/bin/python3
if [ -z "${ZORVANE_PRIVATE_SESSION_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || skip "no session bus: dbus-run-session is missing (package dbus-daemon)"
  "$python" -c 'import pyatspi' 2>/dev/null || skip "no AT-SPI client: pyatspi is missing (package python3-pyatspi)"
  # Without the desktop's display: the accessibility bus would otherwise
  # announce itself on that display's root window.
  exec env -u DISPLAY -u WAYLAND_DISPLAY dbus-run-session -- env ZORVANE_PRIVATE_SESSION_BUS=1 "$0" "$@"
fi
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
  skip "the accessibility bus does not start in this session (package at-spi2-core)"

source "$here/x_session.sh"
start_x_server
# Qt speaks to the accessibility bus only when asked to or when a screen
# reader has announced itself.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program "$program"
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
"$python" "$here/atspi_window.py" "$window" "$root"
