#!/usr/bin/env bash
# Takes the README's screenshot: the real program in a private X server,
# with a size typed and the pointer resting on a key.
#   tools/screenshot.sh [path/to/zorvane] [output.png]
# Needs Xvfb, xdotool and ImageMagick's import (Debian: xvfb xdotool imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/zorvane}
output=${2:-docs/screenshot.png}
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install xvfb xdotool imagemagick)" >&2; exit 1; }
done

display=""
for n in $(seq 161 200); do
  if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 1 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

"$program" &
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
xdotool mousemove $((X + 249)) $((Y + 113))   # resting on the 5 key
sleep 0.6
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output"
