#!/usr/bin/env bash
# Takes the README's screenshots: the real program in a private X server,
# with a size typed and the pointer resting on a key.
#   tools/screenshot.sh [path/to/zorvane] [output.png] [scale]
# scale is the display's whole-number scale (2 for the 200 % screenshot).
# Needs Xvfb and xdotool, and the screen reader built with the tests
# (build/tools/x11_capture/zorvane_x11_capture: `make test` or
# `cmake --build build --target zorvane_x11_capture_tool`).
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/zorvane}
output=${2:-docs/screenshot.png}
scale=${3:-1}
capture=${CAPTURE:-build/tools/x11_capture/zorvane_x11_capture}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install xvfb xdotool)" >&2; exit 1; }
done
[ -x "$capture" ] || { echo "$capture is missing: build the tests first" >&2; exit 1; }

# The server picks a free display number itself and writes it down.
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 "$((640 * scale))x$((480 * scale))x24" -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
xvfb=$!
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -f "$number"' EXIT
for _ in $(seq 1 100); do [ -s "$number" ] && break; sleep 0.1; done
[ -s "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$number")"

QT_SCALE_FACTOR=$scale "$program" &
app=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name '^Zorvane 2\.0$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool windowfocus --sync "$window"
xdotool type --delay 40 '100'
xdotool mousemove $((X + 249 * scale)) $((Y + 113 * scale))   # resting on the 5 key
sleep 0.6
"$capture" "$X" "$Y" "$WIDTH" "$HEIGHT" "$output"
echo "wrote $output"
