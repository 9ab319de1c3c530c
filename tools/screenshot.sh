#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the README's screenshots: the real program in a private X server, or
# with --wayland under a private Wayland compositor (sway nested in Xvfb), or
# with --wine zorvane.exe under wine in a private X server and wine prefix,
# with a size typed and the pointer resting on a key.
#   tools/screenshot.sh [path/to/zorvane] [output.png] [scale]
#   tools/screenshot.sh --wayland [path/to/zorvane] [output.png]
#   tools/screenshot.sh --wine [path/to/zorvane.exe] [output.png]
# SIZE=999999 types that size instead of 100.
# scale is the display's whole-number scale (2 for the 200 % screenshot).
# Needs Xvfb and xdotool, and the screen reader built with the tests
# (build-test/tools/x11_capture/zorvane_x11_capture: `make test` or
# `cmake --build build-test --target zorvane_x11_capture_tool`); under Wayland
# sway, grim, wl-clipboard and jq instead of the screen reader.
set -euo pipefail
cd "$(dirname "$0")/.."
wayland=false
wine=false
if [ "${1:-}" = --wayland ]; then wayland=true; shift; fi
if [ "${1:-}" = --wine ]; then wine=true; shift; fi
if $wine; then program=${1:-build-windows/zorvane.exe}; else program=${1:-build/zorvane}; fi
if $wayland; then
  output=${2:-docs/screenshot-wayland.png}
elif $wine; then
  output=${2:-docs/screenshot-windows.png}
else
  output=${2:-docs/screenshot.png}
fi
scale=${3:-1}
# The size typed before the picture is taken (SIZE=999999 for the longest).
size=${SIZE:-100}
capture=${CAPTURE:-build-test/tools/x11_capture/zorvane_x11_capture}

if $wayland; then
  source tests/smoke/wayland_session.sh
  app=""
  trap '[ -n "$app" ] && kill "$app" 2>/dev/null; wayland_session_stop' EXIT
  WAYLAND_SESSION_SCREEN=640x480 wayland_session_start
  wayland_client_in_background "$program" >/dev/null 2>&1
  app=$!
  rect=""
  for _ in $(seq 1 100); do
    rect=$(wayland_window_rect org.zorvane.Zorvane)
    [ -n "$rect" ] && break
    sleep 0.1
  done
  [ -n "$rect" ] || { echo "the window did not appear" >&2; exit 1; }
  read -r X Y WIDTH HEIGHT <<<"$rect"
  xdotool mousemove $((X + 6)) $((Y + 120))
  xdotool type --delay 40 "$size"
  xdotool mousemove $((X + 249)) $((Y + 113))   # resting on the 5 key
  sleep 0.6
  # A margin of the desktop around the window, and the pointer, as the
  # compositor draws them.
  wayland_client grim -c -g "$((X - 16)),$((Y - 16)) $((WIDTH + 32))x$((HEIGHT + 32))" "$output"
  echo "wrote $output"
  exit 0
fi

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install xvfb xdotool)" >&2; exit 1; }
done
[ -x "$capture" ] || { echo "$capture is missing: build the tests first" >&2; exit 1; }

source tests/smoke/x_session.sh
# The server picks a free display number itself and writes it down.
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 "$((640 * scale))x$((480 * scale))x24" -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
xvfb=$!
trap 'cleanup; rm -f "$number"' EXIT
poll 100 test -s "$number" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$number")"

if $wine; then
  # A wine prefix of its own, where WenQuanYi stands in for the designs'
  # faces, which wine lacks.
  prefix=$(mktemp -d)
  trap 'cleanup; WINEPREFIX=$prefix wineserver -k 2>/dev/null; rm -rf "$prefix" "$number"' EXIT
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wineboot --init >/dev/null 2>&1
  for face in 微软雅黑 宋体; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  start_program wine "$program"
else
  start_program env QT_SCALE_FACTOR="$scale" "$program"
fi
xdotool windowfocus --sync "$window"
xdotool type --delay 40 "$size"
xdotool mousemove $((X + 249 * scale)) $((Y + 113 * scale))   # resting on the 5 key
sleep 0.6
"$capture" "$X" "$Y" "$WIDTH" "$HEIGHT" "$output"
echo "wrote $output"
